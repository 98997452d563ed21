// A ten-digit number display, the score counter of the flight screen: the
// digits are cut from the digit strip inside its frame picture.
#pragma once

#include "core/StablePtr.hpp"

#include <SFML/Config.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <memory>

namespace Kestrum
{
    class CounterDisplay
    {
    public:
        // A score counter showing 0.
        static stable_ptr<CounterDisplay> Create();

        CounterDisplay();
        virtual ~CounterDisplay();
        CounterDisplay(const CounterDisplay&) = delete;
        CounterDisplay& operator=(const CounterDisplay&) = delete;

        // The new number shows at the next draw.
        void SetNumber(sf::Uint32 number);
        sf::Uint32 GetNumber() const;
        void SetPosition(const sf::Vector2f& position);
        void Draw();

        // The digit picture of wheel `index` (0 the most significant) as it was
        // cut at the last draw, and where that wheel stands.
        sf::IntRect GetWheelPart(unsigned int index) const;
        sf::Vector2f GetWheelPosition(unsigned int index) const;

        class Data;

    private:
        std::unique_ptr<Data> m_data;
    };
}
