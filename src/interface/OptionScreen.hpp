// The options screen: six dials for the music and sound volume, the colour
// depth, full screen, vertical sync and the mouse-button swap, with ok (apply and
// save) and exit (back without saving).
#pragma once

#include "interface/Screen.hpp"

#include <memory>

namespace Kestrum
{
    class OptionScreen : public Screen
    {
    public:
        OptionScreen();
        ~OptionScreen() override;

        // The widget's focus moves and accept; escape goes back without saving.
        bool HandleAction(Action action) override;
        // Builds the dials, their labels and the two buttons from the current
        // settings; focuses ok.
        void OnEnter() override;
        // Releases the dials, labels and buttons. Choices not confirmed with ok
        // are withdrawn.
        void OnExit() override;
        // The screen, the labels and, while a change waits for the next start,
        // the restart notice.
        void Draw() override;

        class Data;

    private:
        std::unique_ptr<Data> m_data;
    };
}
