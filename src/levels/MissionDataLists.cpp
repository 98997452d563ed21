#include "levels/MissionDataLists.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/LogSystem.hpp"
#include "flight/EnemySet.hpp"
#include "levels/MissionSegmentTemplate.hpp"

#include <boost/format.hpp>
#include <boost/lexical_cast.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

namespace Kestrum
{
    namespace
    {
        struct Collection
        {
            const char* folder;    // below "missions"
            const char* suffix;    // after the ten digits
            const char* what;      // for the log
        };

        const Collection enemySets = {"enemysets", ".es.txt", "enemy set"};
        const Collection segmentTemplates = {"segments", ".s.txt", "mission segment template"};

        std::filesystem::path GetFolder(const Collection& collection)
        {
            return GetGameRoot() / "missions" / collection.folder;
        }

        std::filesystem::path GetFile(const Collection& collection, unsigned long id)
        {
            return GetFolder(collection) / ((boost::format("%010d") % id).str() + collection.suffix);
        }

        // The identifier of a file name of the form "%010d" + suffix; none for
        // any other name (or a number beyond 32 bits).
        bool ParseName(const std::string& name, const Collection& collection, unsigned long& id)
        {
            const std::string suffix = collection.suffix;
            if (name.size() != 10 + suffix.size() || name.compare(10, std::string::npos, suffix) != 0)
                return false;
            if (!std::all_of(name.begin(), name.begin() + 10,
                             [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }))
                return false;
            try
            {
                id = boost::lexical_cast<std::uint32_t>(name.substr(0, 10));
            }
            catch (const boost::bad_lexical_cast&)
            {
                return false;
            }
            return true;
        }

        // A stray file (a note, an editor's backup) is skipped with a warning
        // instead of spoiling the whole list.
        std::vector<unsigned long> ListIDs(const Collection& collection)
        {
            std::set<unsigned long> ids;
            for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(GetFolder(collection)))
            {
                if (!entry.is_regular_file())
                    continue;
                unsigned long id = 0;
                if (ParseName(entry.path().filename().string(), collection, id))
                    ids.insert(id);
                else
                    *Log(LogLevel::warning) << "skipped " << entry.path().string() << ": " << collection.what
                                            << " files are named by ten digits and " << collection.suffix;
            }
            return std::vector<unsigned long>(ids.begin(), ids.end());
        }
    }

    std::vector<unsigned long> MissionDataLists::GetEnemySetIDs()
    {
        return ListIDs(enemySets);
    }

    std::vector<unsigned long> MissionDataLists::GetMissionSegmentTemplateIDs()
    {
        return ListIDs(segmentTemplates);
    }

    stable_ptr<EnemySet> MissionDataLists::GetEnemySet(unsigned long id)
    {
        const auto set = std::make_shared<EnemySet>();
        set->Load(GetFile(enemySets, id).string());
        return create_stable_ptr(set);
    }

    stable_ptr<MissionSegmentTemplate> MissionDataLists::GetMissionSegmentTemplate(unsigned long id)
    {
        const auto segmentTemplate = std::make_shared<MissionSegmentTemplate>();
        segmentTemplate->Load(GetFile(segmentTemplates, id).string());
        return create_stable_ptr(segmentTemplate);
    }
}
