// Two arrow buttons, up and down, that emit -1 and +1 on the scroll signal.
#pragma once

#include "interface/Widget.hpp"

#include <boost/signals2/signal.hpp>
#include <memory>

namespace Kestrum
{
    class ScrollableLayout;

    class ScrollBar : public Widget
    {
    public:
        typedef boost::signals2::signal<void(int)> ScrollSignal;

        // `position` is the top-left of the up arrow; `length` runs from there to
        // the bottom of the down arrow.
        ScrollBar(const sf::Vector2f& position, float length);
        ~ScrollBar() override;

        // Makes the two arrows.
        void OnEnter() override;
        // Releases the arrows; the signal keeps its connections.
        void OnExit() override;

        ScrollSignal& GetScrollSignal() { return m_scrollSignal; }
        // Turns the layout's pages with the arrows for as long as the layout lives.
        void ConnectLayout(const std::shared_ptr<ScrollableLayout>& layout);

    private:
        ScrollSignal m_scrollSignal;
        sf::Vector2f m_position;
        float m_length;
    };
}
