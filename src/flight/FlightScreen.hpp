// The base of the screens on which a flight is played (the arcade run and the
// campaign's missions). Every frame it advances the level's scroll, shows the
// score and turns the player's held actions into the ship's fire, bomb and one
// move; it draws the flight's interface over the level: the cockpit frame, the
// score counter and, while a boss is in the level, the boss's health dial.
//
// A derived screen calls these from its own operations:
//
//     void OnEnter() override { FlightScreen::OnEnter(); ...load the mission... }
//     void OnUpdate() override { FlightScreen::OnUpdate(); ...the stage's update... }
//     void Draw() override { ...the stage's draw...; DrawGUI(); }
//
// Its widget tree is inactive: the screen takes the game actions itself.
// Everything but the destructor needs OnEnter first, else LogicError "forgot
// to call OnEnter()?".
#pragma once

#include "interface/Screen.hpp"

#include <memory>

namespace Kestrum
{
    class FlightScreen : public Screen
    {
    public:
        FlightScreen();
        ~FlightScreen() override;

        // Collects the steering and weapon actions (move_left to bomb) of this
        // frame, each once, and answers true for them; any other action is left
        // to the derived screen (false).
        bool HandleAction(Action action) override;
        // Builds the interface and hides the mouse cursor.
        void OnEnter() override;
        // Advances the scroll, shows the score and flies the player's ship with
        // the frame's actions: fire and bomb at once, then one move, the sum of
        // the directions scaled to length 1 when longer. A ship that is gone is
        // neither moved nor fired.
        void OnUpdate() override;
        // Lets the interface go and shows the mouse cursor again.
        void OnExit() override;
        // The cockpit frame centred in the window, the score counter and, with a
        // boss in the level, its health dial. With several bosses at once it
        // shows the living one that is worst off.
        void DrawGUI();
        // The two halves of DrawGUI: the cockpit frame, then the score counter
        // and the boss's dial.
        void DrawOverlay();
        void DrawReadouts();

    protected:
        // Whether the cockpit frame's opaque pixels cover every pixel of the
        // window outside the play field (GetFlightArea); false before OnEnter.
        bool OverlayCoversAllButFlightArea() const;

    private:
        struct Data;
        Data& GetData() const;

        std::unique_ptr<Data> m_data;
    };
}
