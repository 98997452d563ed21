#include "core/LogSystem.hpp"
#include "support/GameHarness.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <atomic>
#include <boost/signals2/connection.hpp>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <regex>
#include <thread>
#include <vector>

using namespace Kestrum;

namespace
{
    class LogSystemTest : public ::testing::Test
    {
    protected:
        LogSystemTest()
        {
            for (LogLevel level : {LogLevel::error, LogLevel::warning, LogLevel::info, LogLevel::debug})
                log.Connect(level, [this](const std::string& line) { lines.push_back(line); });
        }

        // The line without its 20-character time stamp.
        std::string Unstamped(std::size_t index) const { return lines.at(index).substr(20); }

        LogSystem log;
        std::vector<std::string> lines;
    };
}

TEST_F(LogSystemTest, LineIsStampTagContextAndMessage)
{
    *Log(LogLevel::info) << "Log system is running";
    *Log(LogLevel::warning) << "volume " << 80 << " of " << 100u << ", " << 0.5f;
    *Log(LogLevel::error) << "";
    *Log(LogLevel::debug) << "never written";
    ASSERT_EQ(3u, lines.size());
    EXPECT_TRUE(std::regex_match(lines[0], std::regex("[0-9]{4}-(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec)-"
                                                      "[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} \\| info:    "
                                                      "Log system is running\n")))
        << lines[0];
    EXPECT_EQ(" | warning: volume 80 of 100, 0.5\n", Unstamped(1));
    EXPECT_EQ(" | error:   \n", Unstamped(2));
    EXPECT_EQ(" | ?level?: ", GetLevelTag(static_cast<LogLevel>(7)));
}

TEST_F(LogSystemTest, ContinuationLinesStartUnderTheMessage)
{
    *Log(LogLevel::info) << "first\nsecond";
    *Log(LogLevel::info) << "ends twice\n\n";
    {
        LogIndent indent;
        *Log(LogLevel::info) << "a\nb";
    }
    *Log(LogLevel::info) << "back";
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ(" | info:    first\n" + std::string(32, ' ') + "second\n", Unstamped(0));
    EXPECT_EQ(" | info:    ends twice\n" + std::string(32, ' ') + "\n", Unstamped(1));
    EXPECT_EQ(" | info:      a\n" + std::string(34, ' ') + "b\n", Unstamped(2));
    EXPECT_EQ(" | info:    back\n", Unstamped(3));
    LogSystem::Unindent();
    *Log(LogLevel::info) << "still";
    EXPECT_EQ(" | info:    still\n", Unstamped(4));
}

// Each complete line at once (a library may abort right after it); the rest of a
// line before the next logged line.
TEST_F(LogSystemTest, ErrorStreamLinesReachTheLogAtOnce)
{
    std::cerr << "from cerr\n";
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(" | error:   from cerr\n", Unstamped(0));
    std::clog << "from clog";
    sf::err() << "Failed to load image \"x.png\"" << std::endl;
    std::cerr << "first\nsecond\nthird";
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(" | error:   from clogFailed to load image \"x.png\"\n", Unstamped(1));
    EXPECT_EQ(" | error:   first\n" + std::string(32, ' ') + "second\n", Unstamped(2));
    *Log(LogLevel::info) << "next";
    ASSERT_EQ(5u, lines.size());
    EXPECT_EQ(" | error:   third\n", Unstamped(3));
    EXPECT_EQ(" | info:    next\n", Unstamped(4));

    LogSystem::WriteNewLine();
    EXPECT_EQ("\n", lines.back());
}

TEST(LogSystem, GivesTheStreamsBackWhenItGoes)
{
    std::streambuf* const cerrBuffer = std::cerr.rdbuf();
    std::streambuf* const sfmlBuffer = sf::err().rdbuf();
    {
        LogSystem log;
        EXPECT_NE(cerrBuffer, std::cerr.rdbuf());
        EXPECT_NE(sfmlBuffer, sf::err().rdbuf());
        // A second log system neither captures nor takes over.
        LogSystem second;
        std::streambuf* const captured = std::cerr.rdbuf();
        {
            LogSystem third;
        }
        EXPECT_EQ(captured, std::cerr.rdbuf());
    }
    EXPECT_EQ(cerrBuffer, std::cerr.rdbuf());
    EXPECT_EQ(sfmlBuffer, sf::err().rdbuf());
}

TEST(LogSystem, SaysALineOnceEachRun)
{
    std::vector<std::string> lines;
    for (int run = 0; run < 2; ++run)
    {
        LogSystem log;
        log.Connect(LogLevel::info, [&lines](const std::string& line) { lines.push_back(line.substr(20)); });
        LogOnce(LogLevel::info, "icons can not be deactivated yet");
        LogOnce(LogLevel::info, "icons can not be deactivated yet");
    }
    EXPECT_EQ(std::vector<std::string>(2, " | info:    icons can not be deactivated yet\n"), lines);
}

// A thread floods the error streams, half of it before a frame takes what waits (as
// in a long load): the memory and the log stay small; each line is logged or counted.
TEST(LogSystem, AFloodFromAnotherThreadStaysBounded)
{
    const auto residentPages = [] { long size = 0, pages = 0; std::ifstream("/proc/self/statm") >> size >> pages; return pages; };
    const long before = residentPages();
    long most = before;
    std::string written;
    {
        LogSystem log;
        log.Connect(LogLevel::error, [&written](const std::string& line) { written += line; });
        std::atomic<int> lines(0);
        std::thread flood([&lines] {
            for (int i = 0; i < 1000000; ++i, ++lines)
                (i % 2 ? sf::err() : std::cerr) << "flood " << i << '\n';
        });
        while (lines < 1000000)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(lines < 500000 ? 1 : 16));
            most = std::max(most, residentPages());
            if (lines >= 500000)
                FlushCapturedStreams();
        }
        flood.join();
    }
    EXPECT_LT(written.size(), 1u << 20);
#ifndef __SANITIZE_ADDRESS__
    // (The address sanitizer keeps freed memory in quarantine, so there the
    // resident memory grows with every line written, logged or not.)
    EXPECT_LT(most - before, 1024) << "pages of 4 kB";
#endif
    std::size_t counted = 0;
    const std::regex line("flood [0-9]+\n| \\| error:   ([0-9]+) lines from other threads were not logged\n");
    for (std::sregex_iterator it(written.begin(), written.end(), line); it != std::sregex_iterator(); ++it)
        counted += (*it)[1].matched ? std::stoul((*it)[1]) : 1;
    EXPECT_EQ(1000000u, counted);
}

// A flood of two-byte lines from another thread over seconds, taken once a frame,
// with the log's thread at no indent and three deep: between two renewals (each a
// count of dropped lines, a second apart) at most 64 kB reach the log, heads
// included; lines are logged again after each renewal; each line is kept or counted.
TEST(LogSystem, OtherThreadsAddAtMost64KilobytesASecond)
{
    for (const int indents : {0, 3})
    {
        SCOPED_TRACE(std::to_string(indents) + " indents");
        std::vector<std::pair<std::chrono::steady_clock::time_point, std::string>> entries;
        std::size_t written = 0, kept = 0, counted = 0, bytes = 0, renewals = 0;
        std::chrono::steady_clock::time_point framesEnd, renewed;
        {
            LogSystem log;
            log.Connect(LogLevel::error, [&entries](const std::string& entry) { entries.emplace_back(std::chrono::steady_clock::now(), entry); });
            const std::vector<LogIndent> indent(indents);
            std::atomic<bool> flooding(true);
            std::thread flood([&] {
                for (; flooding; std::this_thread::sleep_for(std::chrono::milliseconds(1)))
                    for (int i = 0; i < 50; ++i, ++written)
                        std::cerr << "x\n";
            });
            for (int frame = 0; frame < 200; ++frame, FlushCapturedStreams())
                std::this_thread::sleep_for(std::chrono::milliseconds(16));
            flooding = false;
            flood.join();
            framesEnd = std::chrono::steady_clock::now();
        }
        entries.emplace_back(std::chrono::steady_clock::now(), " 0 lines from other threads were not logged\n");
        const std::regex countLine(".* ([0-9]+) lines? from other threads (was|were) not logged\n");
        for (const auto& [time, entry] : entries)
        {
            std::smatch count;
            if (!std::regex_match(entry, count, countLine))
            {
                bytes += entry.size();
                kept += std::count(entry.begin(), entry.end(), '\n');
                continue;
            }
            counted += std::stoul(count[1]);
            EXPECT_LE(bytes, 64u * 1024) << "before " << entry;
            renewals += time < framesEnd;
            EXPECT_TRUE(time >= framesEnd || renewals == 1 || (bytes > 0 && time - renewed >= std::chrono::milliseconds(900)))
                << "a renewal after " << bytes << " bytes in " << (time - renewed).count() << " ns";
            renewed = time;
            bytes = 0;
        }
        EXPECT_GE(renewals, 2u);
        EXPECT_EQ(written, kept + counted);
    }
}

// Without a display the game gives up at once; its reason is in the log file and
// on the console all the same.
TEST(LogSystemGame, AStartWithoutADisplayLogsTheReason)
{
    Kestrum::Testing::GameHarness game;
    game.Start({}, "");
    EXPECT_EQ(1, game.WaitForExit());
    const std::string reason = " | error:   cannot open an X display: DISPLAY is not set\n";
    EXPECT_NE(std::string::npos, game.ReadLog().find(reason)) << game.ReadLog();
    EXPECT_NE(std::string::npos, game.ReadOutput().find(reason)) << game.ReadOutput();
}
