#include "interface/InterfaceInput.hpp"

#include <gtest/gtest.h>

// The names under which the input configuration is written, in the actions' order.
TEST(InterfaceInput, ActionsAreNamedInTheirOrder)
{
    const char* const names[] = {"move_left", "move_right", "move_up", "move_down", "fire",      "bomb", "pause",
                                 "escape",    "accept",     "nuke",    "mute",      "no_action", "???",  "???"};
    for (int action = 0; action < 14; ++action)
        EXPECT_EQ(names[action], Kestrum::ToString(static_cast<Kestrum::InterfaceInput::Action>(action))) << action;
}
