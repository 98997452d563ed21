// The flight screen of the arcade run, reached from the start screen's arcade
// button. It flies the prepared arcade missions in the order of their numbers,
// from 0, each with a fresh default ship (hull 000 with weapon 000): a failed
// mission halves the score and is flown again, a completed one leads to the
// next number, and after the last one ("finished last mission!" in the log) the
// game returns to the start screen. Escape returns to the start screen at any
// time; pause stops and restarts the game's time.
//
// Before each mission a loader shows the loading picture for three frames:
//
//     frame 1   the picture is made                         picture
//     frame 2   default ship, inventory, mission entered    picture
//     frame 3   nothing                                     picture
//     frame 4   mission handed over, statistic reset        the flight
//
// After a mission's end the first of these frames is the frame of the decision.
#pragma once

#include "flight/FlightScreen.hpp"

#include <memory>

namespace Kestrum
{
    class ArcadeMission;

    class ArcadeScreen : public FlightScreen
    {
    public:
        ArcadeScreen();
        ~ArcadeScreen() override;

        // Steering and weapons go to the flight; escape and pause are the
        // screen's own.
        bool HandleAction(Action action) override;
        // Starts the run at mission 0. Entering while a mission is still held:
        // LogicError "no mission must be available on entering screen".
        void OnEnter() override;
        // A loading step, or a frame of the flight and the test of its end.
        // A missing mission 0: LogicError "initial mission not found".
        void OnUpdate() override;
        // Leaves the mission, or the one being prepared, clears the flight's
        // objects and lets the run's inventory go; the game's time runs again.
        void OnExit() override;
        // The loading picture, or the mission and the flight's interface.
        void Draw() override;
        // While a mission flies: its ground paints the play field, and the
        // cockpit frame the rest of the window when it covers it.
        bool CoversWindow() const override;

        unsigned GetMissionNumber() const { return m_missionNumber; }
        bool IsLoading() const { return bool(m_loader); }

    private:
        class Loader;

        // After a mission's end: leaves it and takes the first loading step of
        // the mission of m_missionNumber in the frame of the decision.
        void BeginLoading();

        std::unique_ptr<Loader> m_loader;
        std::shared_ptr<ArcadeMission> m_mission;
        unsigned m_missionNumber;
    };
}
