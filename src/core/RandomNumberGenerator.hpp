// The 48-bit linear congruential generator of the drand48 family behind every
// random choice of the game. The same seed always gives the same sequence.
#pragma once

#include <cstdint>
#include <string>

namespace Kestrum
{
    class RandomNumberGenerator
    {
    public:
        // Holds the state of seed 1.
        RandomNumberGenerator();

        // state = (seed << 16) | 0x330E; a negative seed fails and changes nothing.
        void Seed(std::int32_t seed);
        // A negative value: LogicError "<name> <value> is too small".
        void Test(std::int32_t value, const std::string& name) const;
        // One step; the upper 31 bits of the new state, 0 to 2147483647.
        std::int32_t Next();
        // Next() modulo 1000001, in millionths: 0 and 1 can both come out.
        float NextFraction();

        std::uint64_t GetState() const { return m_state; }

    private:
        std::uint64_t m_modulus;
        std::uint64_t m_state;
    };
}
