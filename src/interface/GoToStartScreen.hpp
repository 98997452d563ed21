// Sends the player back to the title screen at the next pass of the main loop.
#pragma once

namespace Kestrum
{
    void GoToStartScreen();
}
