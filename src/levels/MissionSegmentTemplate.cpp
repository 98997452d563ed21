#include "levels/MissionSegmentTemplate.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "flight/EnemySet.hpp"
#include "interface/ReadTokens.hpp"

#include <boost/lexical_cast.hpp>

namespace Kestrum
{
    MissionSegmentTemplate::MissionSegmentTemplate() = default;
    MissionSegmentTemplate::~MissionSegmentTemplate() = default;

    void MissionSegmentTemplate::Load(const std::string& file)
    {
        const std::vector<std::string> tokens = ReadTokens(*OpenFile(file));
        if (tokens.size() % 4 != 0)
            BOOST_THROW_EXCEPTION(LoadError("odd count of values in " + file + " encountered"));
        std::vector<Entry> entries(tokens.size() / 4);
        for (std::size_t i = 0; i < entries.size(); ++i)
        {
            Entry& entry = entries[i];
            entry.enemyClass = ToIndex(tokens[4 * i]);
            entry.name = tokens[4 * i + 1];
            entry.x = boost::lexical_cast<float>(tokens[4 * i + 2]);
            entry.y = boost::lexical_cast<float>(tokens[4 * i + 3]);
        }
        m_entries.swap(entries);
    }
}
