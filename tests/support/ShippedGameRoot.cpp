#include "support/ShippedGameRoot.hpp"

#include "core/Files.hpp"

namespace fs = std::filesystem;

namespace Kestrum::Testing
{
    bool IsPlayersFile(const fs::path& relative)
    {
        const fs::path path = relative.lexically_normal();
        auto part = path.begin();
        const std::string first = part != path.end() ? (part++)->string() : std::string();
        const std::string second = part != path.end() ? part->string() : std::string();
        if (first == "log.txt" || first == "profile.csv" || first == "savings" || (first == "missions" && second == "pcg"))
            return true;
        if (path.parent_path() != "configuration")
            return false;
        const std::string name = path.filename().string();
        for (const char* written : {"general_configuration.xml", "input_configuration.xml"})
            if (name == written || IsTemporaryFileOf(name, written))
                return true;
        return false;
    }

    void CopyShippedFolder(const std::string& folder, const fs::path& target)
    {
        const fs::path built(KESTRUM_GAME_ROOT);
        fs::create_directories(target);
        for (auto entry = fs::recursive_directory_iterator(built / folder); entry != fs::recursive_directory_iterator();
             ++entry)
        {
            const fs::path relative = entry->path().lexically_relative(built);
            if (IsPlayersFile(relative))
            {
                if (entry->is_directory())
                    entry.disable_recursion_pending();
                continue;
            }
            const fs::path copy = target / entry->path().lexically_relative(built / folder);
            if (entry->is_directory())
                fs::create_directories(copy);
            else
                fs::copy(entry->path(), copy, fs::copy_options::overwrite_existing | fs::copy_options::copy_symlinks);
        }
    }
}
