// One place of the hangar: a frame showing the overview picture of a ship's
// hull. A frame without a ship is disabled.
#pragma once

#include "core/StablePtr.hpp"
#include "interface/ComplexButton.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <memory>

namespace Kestrum
{
    class PlayerShip;

    class ShipButton : public ComplexButton
    {
    public:
        // A frame at the position, holding the ship (or none).
        static stable_ptr<ShipButton> Create(const std::shared_ptr<PlayerShip>& ship, const sf::Vector2f& position);

        ~ShipButton() override;

        // The frame, then the hull's picture scaled by the larger of the two
        // factors that bring it 10 pixels short of the frame, centred in it.
        void Draw() override;

        const std::shared_ptr<PlayerShip>& GetShip() const { return m_ship; }

    private:
        explicit ShipButton(const std::shared_ptr<PlayerShip>& ship);

        std::shared_ptr<PlayerShip> m_ship;
        // The hull's picture, scaled once, and its place in the frame.
        sf::Sprite m_picture;
        sf::Vector2f m_pictureOffset;
    };
}
