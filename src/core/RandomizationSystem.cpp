#include "core/RandomizationSystem.hpp"

#include "core/Exception.hpp"
#include "core/RandomNumberGenerator.hpp"

namespace Kestrum
{
    RandomizationSystem::RandomizationSystem() = default;
    RandomizationSystem::~RandomizationSystem() = default;

    std::int32_t RandomizationSystem::SeedFromTime(std::int64_t secondsSince1970)
    {
        return static_cast<std::int32_t>(secondsSince1970 & 0x7FFFFFFF);
    }

    void RandomizationSystem::Load()
    {
        stable_ptr<RandomNumberGenerator> generator(new RandomNumberGenerator());
        generator->Seed(SeedFromTime(static_cast<std::int64_t>(std::time(nullptr))));
        m_generator = std::make_unique<stable_ptr<RandomNumberGenerator>>(generator);
    }

    stable_ptr<RandomNumberGenerator> RandomizationSystem::GetGenerator() const
    {
        if (!m_generator)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call Load()?"));
        return *m_generator;
    }

    std::int32_t RandomizationSystem::Next()
    {
        return GetGenerator()->Next();
    }
}
