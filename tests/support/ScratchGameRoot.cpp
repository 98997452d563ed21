#include "support/ScratchGameRoot.hpp"

#include "support/ShippedGameRoot.hpp"

#include <boost/signals2/connection.hpp>

#include <fstream>
#include <random>

namespace Kestrum::Testing
{
    ScratchGameRoot::ScratchGameRoot() : m_previous(std::filesystem::current_path())
    {
        std::random_device device;
        m_root = std::filesystem::temp_directory_path() / ("quorvallis-test-" + std::to_string(device()));
        std::filesystem::create_directories(m_root);
        std::filesystem::current_path(m_root);
    }

    ScratchGameRoot::~ScratchGameRoot()
    {
        std::error_code ignored;
        std::filesystem::current_path(m_previous, ignored);
        std::filesystem::remove_all(m_root, ignored);
    }

    void ScratchGameRoot::WriteFile(const std::string& relativePath, const std::string& content) const
    {
        const std::filesystem::path file = m_root / relativePath;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }

    void ScratchGameRoot::CopyFromGameRoot(const std::string& folder) const
    {
        CopyShippedFolder(folder, m_root / folder);
    }

    CapturedLog::CapturedLog()
    {
        for (LogLevel level : {LogLevel::error, LogLevel::warning})
            m_log.Connect(level, [this](const std::string& line) {
                // The virtual X server's graphics have no swap control, and the window
                // library says so for every window it opens.
                if (line.find("error:   Setting vertical sync not supported") == std::string::npos)
                    m_lines.push_back(line);
            });
    }

    CapturedLog::~CapturedLog() = default;

    void CapturedLog::KeepUpTo(LogLevel level)
    {
        m_log.SetMaximumLevel(level);
        for (LogLevel more : {LogLevel::info, LogLevel::debug})
            if (more <= level)
                m_log.Connect(more, [this](const std::string& line) { m_lines.push_back(line); });
    }

    std::size_t CapturedLog::Count(const std::string& text) const
    {
        std::size_t count = 0;
        for (const std::string& line : m_lines)
            count += line.find(text) != std::string::npos ? 1 : 0;
        return count;
    }

    bool CapturedLog::Contains(const std::string& text) const
    {
        return Count(text) > 0;
    }
}
