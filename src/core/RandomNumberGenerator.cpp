#include "core/RandomNumberGenerator.hpp"

#include "core/Exception.hpp"

#include <boost/format.hpp>

namespace Kestrum
{
    namespace
    {
        const std::uint64_t multiplier = 0x5DEECE66DULL;
        const std::uint64_t increment = 11;
    }

    RandomNumberGenerator::RandomNumberGenerator() : m_modulus(1ULL << 48), m_state(0x1330EULL) {}

    void RandomNumberGenerator::Seed(std::int32_t seed)
    {
        Test(seed, "seed");
        m_state = (static_cast<std::uint64_t>(seed) << 16) | 0x330EULL;
        if (m_modulus != 0)
            m_state %= m_modulus;
    }

    void RandomNumberGenerator::Test(std::int32_t value, const std::string& name) const
    {
        if (value < 0)
            BOOST_THROW_EXCEPTION(LogicError((boost::format("%1% %2% is too small") % name % value).str()));
    }

    std::int32_t RandomNumberGenerator::Next()
    {
        m_state = (multiplier * m_state + increment) % m_modulus;
        return static_cast<std::int32_t>(m_state >> 17);
    }

    float RandomNumberGenerator::NextFraction()
    {
        return static_cast<float>((Next() % 1000001) / 1000000.0);
    }
}
