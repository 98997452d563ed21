#include "core/Files.hpp"

#include "core/Exception.hpp"
#include "core/ResourceUtility.hpp"
#include "core/XmlReading.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <algorithm>
#include <dlfcn.h>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <tuple>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Kestrum;
using Kestrum::Testing::ScratchGameRoot;
using Kestrum::Testing::ThrownMessage;

namespace
{
    std::string Read(const std::filesystem::path& path)
    {
        std::ifstream file(path);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    std::size_t CountEntries(const std::filesystem::path& folder)
    {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
    }

    // The syncs and renames of this thread while it records: "fsync <device>:<inode>"
    // of the file or folder synced, "rename <new name>".
    thread_local bool recording = false;
    thread_local std::vector<std::string> recorded;

    std::string Identity(const struct stat& status)
    {
        return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
    }
}

// The C library's own calls, recorded on the way.
extern "C" int fsync(int descriptor)
{
    static const auto next = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    struct stat status;
    if (recording && fstat(descriptor, &status) == 0)
        recorded.push_back("fsync " + Identity(status));
    return next(descriptor);
}

extern "C" int rename(const char* from, const char* to) noexcept
{
    static const auto next = reinterpret_cast<int (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "rename"));
    if (recording)
        recorded.push_back(std::string("rename ") + to);
    return next(from, to);
}

TEST(Files, OpenFileReadsRegularFilesOnly)
{
    ScratchGameRoot root;
    root.WriteFile("areas/click.txt", "0 0 10 10");
    std::string word;
    *OpenFile("areas/click.txt") >> word;
    EXPECT_EQ("0", word);

    for (const std::string path : {"areas", "areas/none.txt"})
        EXPECT_EQ(path + " is not a regular file", ThrownMessage<LoadError>([&] { OpenFile(path); }));
}

TEST(Files, OpenFileReportsAFileThatCannotBeOpened)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers' own checks need file descriptors";
#endif
    ScratchGameRoot root;
    root.WriteFile("click.txt", "1 2 3 4");
    // With no descriptor left to give, the open itself fails.
    const int lowestFree = open("/dev/null", O_RDONLY);
    ASSERT_GE(lowestFree, 0);
    close(lowestFree);
    rlimit saved;
    ASSERT_EQ(0, getrlimit(RLIMIT_NOFILE, &saved));
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(lowestFree);
    ASSERT_EQ(0, setrlimit(RLIMIT_NOFILE, &tight));
    const std::string message = ThrownMessage<LoadError>([] { OpenFile("click.txt"); });
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ("could not open click.txt", message);
}

TEST(Files, WriteFileAtomicallyReplacesTheFileOrLeavesItWhole)
{
    ScratchGameRoot root;
    root.WriteFile("configuration/settings.xml", "old");
    WriteFileAtomically("configuration/settings.xml", "new contents");
    EXPECT_EQ("new contents", Read("configuration/settings.xml"));
    EXPECT_EQ(1u, CountEntries("configuration"));
    EXPECT_EQ(std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read | std::filesystem::perms::others_read,
              std::filesystem::status("configuration/settings.xml").permissions());

    // The target cannot be replaced: the old entry stays, no temporary file is left.
    std::filesystem::create_directories("configuration/folder/inside");
    EXPECT_THROW(WriteFileAtomically("configuration/folder", "text"), FileError);
    EXPECT_TRUE(std::filesystem::is_directory("configuration/folder/inside"));
    EXPECT_EQ(2u, CountEntries("configuration"));
    EXPECT_THROW(WriteFileAtomically("missing/settings.xml", "text"), FileError);
}

// The new file is synced before it is renamed over the old one, and its folder
// after, so that a power cut right after the write keeps it.
TEST(Files, WriteFileAtomicallySyncsTheFileThenAfterTheRenameItsFolder)
{
    ScratchGameRoot root;
    root.WriteFile("configuration/settings.xml", "old");
    recording = true;
    WriteFileAtomically("configuration/settings.xml", "new contents");
    recording = false;
    struct stat file, folder;
    ASSERT_TRUE(stat("configuration/settings.xml", &file) == 0 && stat("configuration", &folder) == 0);
    EXPECT_EQ((std::vector<std::string>{"fsync " + Identity(file), "rename configuration/settings.xml",
                                        "fsync " + Identity(folder)}),
              recorded);
}

// Temporary files that a killed game left behind go with the next write of their
// file; files of other names, however alike, stay.
TEST(Files, AWriteRemovesItsFilesLeftoverTemporaryFilesOnly)
{
    ScratchGameRoot root;
    const std::vector<std::string> leftovers = {"settings.xml.0badf00d", "settings.xml.12345678"};
    const std::vector<std::string> others = {"settings.xml.0BADF00D", "settings.xml.0badf00", "settings.xml.0badf00dd",
                                             "settings.xml.backup",   "settings.xml0badf00d", "other.xml.0badf00d",
                                             "settings.xml.0badf00g", "xsettings.xml.0badf00d"};
    for (const std::string& name : leftovers)
        root.WriteFile("configuration/" + name, "<partial");
    for (const std::string& name : others)
        root.WriteFile("configuration/" + name, "kept");
    std::filesystem::create_directories("configuration/settings.xml.00000000/inside");
    WriteFileAtomically("configuration/settings.xml", "new contents");
    EXPECT_EQ("new contents", Read("configuration/settings.xml"));
    for (const std::string& name : leftovers)
        EXPECT_FALSE(std::filesystem::exists("configuration/" + name)) << name;
    for (const std::string& name : others)
        EXPECT_EQ("kept", Read("configuration/" + name)) << name;
    EXPECT_TRUE(std::filesystem::is_directory("configuration/settings.xml.00000000/inside"));
    EXPECT_EQ(others.size() + 2, CountEntries("configuration"));
}

// Two games writing one file at once: every write succeeds, the file is always
// one of the two texts whole, and no temporary file stays.
TEST(Files, TwoGamesWritingOneFileAtOnceBothSucceed)
{
    ScratchGameRoot root;
    const std::string texts[] = {std::string(60000, 'a'), std::string(30000, 'b')};
    root.WriteFile("savings/3", texts[0]);
    for (const std::string& text : texts)
        if (fork() == 0)
        {
            int refused = 0;
            for (int write = 0; write < 500; ++write)
                refused += ThrownMessage<FileError>([&] { WriteFileAtomically("savings/3", text); }) !=
                           "<nothing thrown>";
            _exit(std::min(refused, 100)); // the test itself ends in this process only
        }
    std::set<std::string> read;
    std::vector<int> ends;
    while (ends.size() < 2)
    {
        read.insert(Read("savings/3"));
        int status = -1;
        if (waitpid(-1, &status, WNOHANG) != 0) // a game ended, or none is left
            ends.push_back(status);
    }
    EXPECT_EQ(std::vector<int>(2, 0), ends); // both games ended normally, no write refused
    for (const std::string& text : texts)
        read.erase(text);
    EXPECT_TRUE(read.empty()) << "a file that is neither text whole";
    EXPECT_EQ(1u, CountEntries("savings"));
}

// Whatever leaves a data file's reader names the innermost file being read,
// once, by its path from the game root and the line where it is known.
TEST(Files, ErrorsOfADataFileNameItsPathAndLine)
{
    ScratchGameRoot root;
    root.WriteFile("resources/broken.xml", "<a>\n<b></a>");
    const std::string saving = (std::filesystem::current_path() / "savings/3").string();
    const auto shop = [] { BOOST_THROW_EXCEPTION(ParseError("Shop: count 4000000000 is above") << LineInfo(40)); };
    const std::tuple<std::string, std::string, std::function<void()>> cases[] = {
        {"savings|7", "savings/7:40: Shop: count 4000000000 is above", shop},
        {"$resources|x|tile.xml", "resources/x/tile.xml: row", [] { throw std::runtime_error("row"); }},
        {"/tmp/set.txt", "/tmp/set.txt: odd", [] { BOOST_THROW_EXCEPTION(LoadError("odd")); }},
        {"levels|outer.xml", "savings/7:40: Shop: count 4000000000 is above", [&] { ReadDataFile("savings|7", shop); }},
        {"resources|broken.xml", "resources/broken.xml:2:6: Start-end tags mismatch",
         [] { LoadXmlFile(ToFilesystemPath("resources|broken.xml")); }},
        // A message that holds the file's path, in any of its spellings, names it once.
        {"savings|3", saving + " is not a regular file", [&] { CheckRegularFile(saving); }},
        {"savings|3", "./savings/3 is not a regular file", [] { OpenFile("./savings/3"); }},
        {"savings|3", "savings/3 is not a regular file", [] { CheckRegularFile("savings/3"); }},
        {"savings|3", "savings/3: " + saving + "1 is not a regular file", [&] { CheckRegularFile(saving + "1"); }},
        {"savings|3", "savings/3: /elsewhere/savings/3 is not a regular file",
         [] { CheckRegularFile("/elsewhere/savings/3"); }},
    };
    for (const auto& [path, message, read] : cases)
        EXPECT_EQ(message, ThrownMessage<Exception>([&] { ReadDataFile(path, read); })) << path;
}
