// Takes what is written to the process's standard-error descriptor while it
// lives, for the log instead of the terminal. C libraries (the sound system's,
// OpenAL's) write their complaints there with C stdio, past the log's capture of
// the C++ error streams. It is held only around a call into such a library and
// gives the descriptor back at once, so that a crash or sanitizer report
// written afterwards still reaches the terminal.
#pragma once

#include <cstddef>
#include <string>

namespace Kestrum
{
    class StandardErrorCapture
    {
    public:
        // At most this much of the captured text is kept.
        static constexpr std::size_t s_mostKept = 64 * 1024;

        // Sends the descriptor into a buffer of its own; when no buffer can be
        // made, the descriptor stays as it is and nothing is taken.
        StandardErrorCapture();
        // Gives the descriptor back if Release has not.
        ~StandardErrorCapture();
        StandardErrorCapture(const StandardErrorCapture&) = delete;
        StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;

        // Gives the descriptor back and returns what was written meanwhile, its
        // first s_mostKept bytes; `more` gets the count of the bytes beyond.
        std::string Release(std::size_t& more);

    private:
        int m_buffer;
        int m_saved;
    };
}
