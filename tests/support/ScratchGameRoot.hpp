// Test helpers: a temporary game root that is the current directory while it
// lives, and a log system whose error lines the test can read.
#pragma once

#include "core/LogSystem.hpp"

#include <filesystem>
#include <string>
#include <vector>

namespace Kestrum::Testing
{
    class ScratchGameRoot
    {
    public:
        ScratchGameRoot();
        ~ScratchGameRoot();
        ScratchGameRoot(const ScratchGameRoot&) = delete;
        ScratchGameRoot& operator=(const ScratchGameRoot&) = delete;

        const std::filesystem::path& GetPath() const { return m_root; }
        // Writes a text file below the root (relative path with '/').
        void WriteFile(const std::string& relativePath, const std::string& content) const;
        // Copies a folder of the built game root (made by the content tool) into
        // the root, e.g. "resources/gui/screens/shared", overwriting what is there;
        // what a game played in the built root left behind stays out.
        void CopyFromGameRoot(const std::string& folder) const;

    private:
        std::filesystem::path m_previous;
        std::filesystem::path m_root;
    };

    // A running log system that keeps every line of the error and warning levels,
    // but for the window library's notice that the test server cannot switch
    // vertical sync, which every window brings.
    class CapturedLog
    {
    public:
        CapturedLog();
        ~CapturedLog();

        const std::vector<std::string>& GetLines() const { return m_lines; }
        // Whether some kept line holds the text.
        bool Contains(const std::string& text) const;
        // Keeps the lines of the info and debug levels too, down to `level`, and
        // has the log write them.
        void KeepUpTo(LogLevel level);
        // How many kept lines hold the text.
        std::size_t Count(const std::string& text) const;

    private:
        // Declared first so that it outlives the log, whose end still flushes
        // captured text into it.
        std::vector<std::string> m_lines;
        LogSystem m_log;
    };
}
