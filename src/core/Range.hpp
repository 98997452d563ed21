// A lower and an upper end, as read from XML for random choices.
#pragma once

namespace Kestrum
{
    template <typename T>
    struct Range
    {
        T minimum;
        T maximum;
    };
}
