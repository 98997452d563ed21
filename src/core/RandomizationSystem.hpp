// Owns the game's one shared random number generator, seeded from the calendar
// clock when it is loaded.
#pragma once

#include "core/StablePtr.hpp"

#include <cstdint>
#include <ctime>
#include <memory>

namespace Kestrum
{
    class RandomNumberGenerator;

    class RandomizationSystem
    {
    public:
        RandomizationSystem();
        virtual ~RandomizationSystem();
        RandomizationSystem(const RandomizationSystem&) = delete;
        RandomizationSystem& operator=(const RandomizationSystem&) = delete;

        // Makes a fresh generator seeded from the current time; may be called again.
        void Load();
        // The shared generator; LogicError "forgot to call Load()?" before Load.
        stable_ptr<RandomNumberGenerator> GetGenerator() const;
        // Steps the shared generator once: 0 to 2147483647.
        std::int32_t Next();

        // The seed of a calendar time: its low 31 bits, so that it stays a valid
        // (non-negative) seed after 2038 as well.
        static std::int32_t SeedFromTime(std::int64_t secondsSince1970);

    private:
        std::unique_ptr<stable_ptr<RandomNumberGenerator>> m_generator;
    };
}
