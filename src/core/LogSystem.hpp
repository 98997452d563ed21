// The game's one log. A line is written by streaming into what Log returns:
//     *Log(LogLevel::info) << "Log system is running";
// When the expression ends the line is stamped, tagged, indented and handed to the
// sinks of its level. While a log system lives, std::cerr, std::clog and the window
// library's error stream are captured: each complete line written to them reaches
// the log as an error line at once, the rest of a line with the next logged line.
// Lines that other threads write there wait for the log's thread, which takes them
// once a frame (FlushCapturedStreams) and with every logged line; each thread's
// unfinished line waits apart until its line end (when the log ends, it is logged
// as it is). However much they write, they add at most 64 kB a second to the log,
// counting every byte written for them: each line's time stamp, level tag and
// indentation, its text and its line end. Their waiting text never exceeds 64 kB
// either. The budget is renewed when the log's thread takes the waiting text at
// least a second after the last renewal. Lines beyond the budget or the bound on
// waiting text are dropped whole, and their count is logged as an error line,
// "12345 lines from other threads were not logged", at each renewal (so at most
// once a second) and once more when the log ends.
#pragma once

#include <functional>
#include <memory>
#include <sstream>
#include <string>

namespace boost { namespace signals2 { class connection; } }

namespace Kestrum
{
    enum class LogLevel : int
    {
        error = 0,
        warning = 1,
        info = 2,
        debug = 3
    };

    namespace Details
    {
        class LogProxy
        {
        public:
            LogProxy(LogLevel level, const std::string& context);
            ~LogProxy();
            LogProxy(const LogProxy&) = delete;
            LogProxy& operator=(const LogProxy&) = delete;

            template <typename T>
            LogProxy& operator<<(const T& value)
            {
                try
                {
                    m_stream << value;
                }
                catch (...)
                {
                }
                return *this;
            }

        private:
            LogLevel m_level;
            std::string m_context;
            std::ostringstream m_stream;
        };
    }

    class LogSystem
    {
    public:
        typedef std::function<void(const std::string&)> Sink;

        LogSystem();
        virtual ~LogSystem();
        LogSystem(const LogSystem&) = delete;
        LogSystem& operator=(const LogSystem&) = delete;

        boost::signals2::connection Connect(LogLevel level, const Sink& sink);

        // Puts a bare line break on the info level's sinks (no stamp, no tag).
        static void WriteNewLine();
        static void Unindent();

        // Used by the proxies: the maximum level and the emission of a finished line.
        int GetMaximumLevel() const { return m_maximumLevel; }
        // Lines of a level above the maximum are not written (info at start; raise it
        // to debug to see the debug lines).
        void SetMaximumLevel(LogLevel level) { m_maximumLevel = static_cast<int>(level); }
        void Emit(LogLevel level, const std::string& line);

        // True the first time the line is asked for, false from then on.
        bool FirstTime(const std::string& line);

    private:
        struct Signals;
        std::unique_ptr<Signals> m_signals;
        int m_maximumLevel;
    };

    std::shared_ptr<Details::LogProxy> Log(LogLevel level);

    // Logs the line the first time it is asked for while the log system lives
    // (once a run of the game); later calls with the same line write nothing.
    void LogOnce(LogLevel level, const std::string& line);

    // Indents every line logged while it lives by two more blanks.
    class LogIndent
    {
    public:
        LogIndent();
        ~LogIndent();
        LogIndent(const LogIndent&) = delete;
        LogIndent& operator=(const LogIndent&) = delete;
    };

    std::string GetTimeStamp();
    std::string GetLevelTag(LogLevel level);
    // Logs the captured text that waits for the end of its line (or for the log's
    // own thread) as error lines, and the count of other threads' lines that were
    // dropped when their budget is renewed. The main loop calls it once a frame.
    void FlushCapturedStreams();
}
