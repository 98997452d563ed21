// Paths into state machines: names separated by '|', from the outermost part
// inwards, the last one naming a transition, socket or part ("explode",
// "head|weapon", "slot2|open"). Each machine takes the first name for itself and
// hands the rest to the part of that name.
#pragma once

#include <string>

namespace Kestrum
{
    // Takes the first name off the path and returns it; the remainder stays in
    // `path`. Bars at both ends are dropped first. The remainder starts with its
    // bar when it is not empty: "a|b|c" gives "a" and leaves "|b|c"; "|a|" gives
    // "a" and leaves ""; a path that is empty or all bars gives "" and leaves "".
    std::string SplitPath(std::string& path);
}
