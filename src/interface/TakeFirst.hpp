// Hands out the elements of a sequence one after the other, front first.
#pragma once

#include "core/Exception.hpp"

#include <utility>

namespace Kestrum
{
    // Removes the first element and returns it; the others move one place to the
    // front. An empty sequence throws OutOfRangeError.
    template <typename Sequence>
    typename Sequence::value_type TakeFirst(Sequence& sequence)
    {
        if (sequence.empty())
            BOOST_THROW_EXCEPTION(OutOfRangeError());
        typename Sequence::value_type first = std::move(sequence.front());
        sequence.erase(sequence.begin());
        return first;
    }
}
