#include "core/StandardErrorCapture.hpp"

#include <cstdio>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Kestrum
{
    StandardErrorCapture::StandardErrorCapture() : m_buffer(-1), m_saved(-1)
    {
        std::fflush(stderr);
        // A file in memory: nothing on disk, and no pipe that a library writing
        // much could fill and block on.
        m_buffer = memfd_create("standard error", MFD_CLOEXEC);
        if (m_buffer < 0)
            return;
        m_saved = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        if (m_saved < 0 || dup2(m_buffer, STDERR_FILENO) < 0)
        {
            if (m_saved >= 0)
                close(m_saved);
            close(m_buffer);
            m_saved = m_buffer = -1;
        }
    }

    StandardErrorCapture::~StandardErrorCapture()
    {
        std::size_t more = 0;
        Release(more);
    }

    std::string StandardErrorCapture::Release(std::size_t& more)
    {
        more = 0;
        if (m_buffer < 0)
            return std::string();
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        std::string text;
        struct stat status{};
        if (fstat(m_buffer, &status) == 0 && status.st_size > 0)
        {
            const std::size_t size = static_cast<std::size_t>(status.st_size);
            text.resize(size < s_mostKept ? size : s_mostKept);
            const ssize_t read = pread(m_buffer, &text[0], text.size(), 0);
            text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
            more = size - text.size();
        }
        close(m_buffer);
        m_saved = m_buffer = -1;
        return text;
    }
}
