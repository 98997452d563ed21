// The player's score for the whole program run. Destroyed enemies and surplus
// pick-ups add to it, a failed arcade mission halves it; nothing else resets it.
#pragma once

#include <cstdint>

namespace Kestrum
{
    class ScoreSystem
    {
    public:
        ScoreSystem();
        virtual ~ScoreSystem();
        ScoreSystem(const ScoreSystem&) = delete;
        ScoreSystem& operator=(const ScoreSystem&) = delete;

        // Read and written directly by its users; additions wrap around at 2^32.
        std::uint32_t score;
    };
}
