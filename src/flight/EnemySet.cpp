#include "flight/EnemySet.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/ReadTokens.hpp"
#include "core/Registry.hpp"
#include "flight/EnemyFactory.hpp"

#include <boost/algorithm/string/predicate.hpp>
#include <boost/format.hpp>

#include <set>

namespace Kestrum
{
    unsigned ToIndex(const std::string& name)
    {
        static const char* const classes[EnemySet::ClassCount] = {"Fly1", "Fly2", "Fly3", "Fly4", "Turret1"};
        for (unsigned index = 0; index < EnemySet::ClassCount; ++index)
            if (boost::algorithm::iequals(name, classes[index]))
                return index;
        BOOST_THROW_EXCEPTION(UnknownTypeError(name + " is unknown enemy class"));
    }

    EnemySet::EnemySet() : m_variants(std::make_shared<Variants>()) {}
    EnemySet::~EnemySet() = default;

    void EnemySet::Load(const std::string& path)
    {
        ReadDataFile(path, [&] {
            const std::vector<std::string> tokens = ReadTokens(*OpenFile(path));
            if (tokens.size() % 2 != 0)
                BOOST_THROW_EXCEPTION(LoadError("odd count of values in " + path + " encountered"));
            if (tokens.size() < 10)
                BOOST_THROW_EXCEPTION(LoadError("to few enemies in " + path));

            const std::set<std::string> known = GetFromRegistry<EnemyFactory>()->GetEnemyTypes();
            const auto variants = std::make_shared<Variants>();
            for (std::size_t i = 0; i < tokens.size(); i += 2)
            {
                const unsigned index = ToIndex(tokens[i]);
                const std::string& type = tokens[i + 1];
                if (!known.count(type))
                    BOOST_THROW_EXCEPTION(UnknownTypeError(type + " is unknown enemy variant"));
                (*variants)[index].push_back(type);
            }
            for (unsigned index = 0; index < ClassCount; ++index)
                if ((*variants)[index].empty())
                    BOOST_THROW_EXCEPTION(
                        NotSupportedError((boost::format("no enemies specified for class %1%") % index).str()));
            m_variants = variants;
        });
    }

    std::vector<std::string> EnemySet::GetVariants(unsigned classIndex) const
    {
        if (classIndex >= ClassCount)
            BOOST_THROW_EXCEPTION(OutOfRangeError((boost::format("enemy class %1% does not exist") % classIndex).str()));
        return (*m_variants)[classIndex];
    }
}
