// The content tool and the game root it fills.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace
{
    std::string ReadFile(const fs::path& file)
    {
        std::ifstream stream(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), {});
    }

    fs::path ScratchFolder(const std::string& name)
    {
        std::random_device device;
        return fs::temp_directory_path() / ("quorvallis-" + name + "-" + std::to_string(device()));
    }

    void RunContentTool(const fs::path& root)
    {
        const std::string command = std::string("\"") + KESTRUM_CONTENT_EXE + "\" \"" + root.string() + "\"";
        ASSERT_EQ(0, std::system(command.c_str())) << command;
    }

    std::set<fs::path> FilesBelow(const fs::path& root)
    {
        std::set<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file())
                files.insert(fs::relative(entry.path(), root));
        return files;
    }
}

TEST(ContentTool, WritesTheSameBytesEveryTime)
{
    const fs::path first = ScratchFolder("content-a");
    const fs::path second = ScratchFolder("content-b");
    RunContentTool(first);
    RunContentTool(second);
    const std::set<fs::path> files = FilesBelow(first);
    EXPECT_FALSE(files.empty());
    EXPECT_EQ(files, FilesBelow(second));
    for (const fs::path& file : files)
        EXPECT_TRUE(ReadFile(first / file) == ReadFile(second / file)) << file << " differs between runs";

    // The build's game root holds everything the tool makes.
    for (const fs::path& file : files)
        EXPECT_TRUE(fs::is_regular_file(fs::path(KESTRUM_GAME_ROOT) / file)) << file << " is missing from the game root";
    fs::remove_all(first);
    fs::remove_all(second);
}
// Every image, sound or text file that the game's code names by a literal
// resource path lies in the game root the build assembles.
TEST(ContentTool, GameRootHoldsEveryFileTheCodeNames)
{
    const std::regex literal("\"[$|]?((resources|configuration|missions)(\\|[A-Za-z0-9_.-]+)+\\.(png|jpg|bmp|tga|ogg|wav|txt|graph))\"");
    std::set<std::string> named;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(KESTRUM_SOURCE_DIR) / "src"))
    {
        if (!entry.is_regular_file() || (entry.path().extension() != ".cpp" && entry.path().extension() != ".hpp"))
            continue;
        const std::string source = ReadFile(entry.path());
        for (std::sregex_iterator match(source.begin(), source.end(), literal), end; match != end; ++match)
            named.insert((*match)[1]);
    }
    for (std::string path : named)
    {
        const std::string resourcePath = path;
        std::replace(path.begin(), path.end(), '|', '/');
        EXPECT_TRUE(fs::is_regular_file(fs::path(KESTRUM_GAME_ROOT) / path))
            << resourcePath << " is named in the code but missing from the game root";
    }
}
