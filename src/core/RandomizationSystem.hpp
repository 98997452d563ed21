// Owns the game's one shared random number generator.
#pragma once

namespace Kestrum
{
    class RandomizationSystem
    {
    public:
        RandomizationSystem();
        virtual ~RandomizationSystem();
        RandomizationSystem(const RandomizationSystem&) = delete;
        RandomizationSystem& operator=(const RandomizationSystem&) = delete;

        void Load();
    };
}
