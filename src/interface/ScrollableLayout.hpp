// Shows a long list of buttons a page at a time: only the buttons from the
// first shown one on, as many as there are slots, are visible and stand on the
// slots. Its owner connects a scroll bar's signal to Scroll.
#pragma once

#include "interface/Widget.hpp"

#include <SFML/Config.hpp>
#include <memory>
#include <vector>

namespace Kestrum
{
    class ScrollableLayout : public Widget
    {
    public:
        // Empty button pointers are dropped (and logged); `step` is the number of
        // buttons one scroll unit moves.
        ScrollableLayout(const std::vector<std::shared_ptr<Button>>& buttons, const std::vector<sf::Vector2f>& slots,
                         unsigned int step);
        ~ScrollableLayout() override;

        // Adds the buttons to the widget and shows the first page.
        void OnEnter() override;
        // Takes the buttons out of the widget; the list stays.
        void OnExit() override;

        // Turns the page by `units` steps forwards (positive) or backwards
        // (negative); a step past the end does nothing, one before the start goes
        // to the first page.
        void Scroll(int units);
        sf::Uint32 GetFirst() const { return m_first; }

    private:
        std::vector<std::shared_ptr<Button>> m_buttons;
        sf::Uint32 m_step;
        std::vector<sf::Vector2f> m_slots;
        sf::Uint32 m_first;
    };
}
