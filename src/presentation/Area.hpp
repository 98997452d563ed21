// A two-dimensional region that can be hit-tested, moved, scaled and drawn:
// the click areas of buttons and of the mission symbols on the world map.
#pragma once

#include "core/StablePtr.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/ConvexShape.hpp>
#include <SFML/System/Vector2.hpp>

#include <optional>

namespace Kestrum
{
    class Area
    {
    public:
        // Bounds included.
        virtual bool Contains(const sf::Vector2f& point) const = 0;
        // Whether the outlines of the two areas meet or one lies inside the other.
        virtual bool Overlaps(const Area& other) const = 0;
        virtual void Move(const sf::Vector2f& delta) = 0;
        virtual void Scale(float factorX, float factorY) = 0;
        virtual stable_ptr<Area> Clone() const = 0;
        // The outline as a polygon in window coordinates; an empty fill means opaque black.
        virtual sf::ConvexShape GetShape(const std::optional<sf::Color>& fill, float outlineThickness,
                                         const sf::Color& outlineColor) const = 0;

    protected:
        // Areas are owned as their own type (Clone hands out shared pointers that
        // know it), never deleted through this interface.
        ~Area() = default;
    };
}
