// Steering shared by the enemies' behaviours, the turrets and the bosses.
#pragma once

namespace Kestrum
{
    // The signed turn in degrees, within [-180, 180], that brings direction
    // `from` to direction `to`: (350, 10) gives 20, (10, 350) gives -20. Straight
    // opposite directions give 180 or -180 as the plain difference says:
    // (0, 180) gives 180, (180, 0) gives -180.
    float AngleDifference(float from, float to);
}
