#include "core/LogSystem.hpp"

#include "core/Exception.hpp"

#include <boost/algorithm/string/replace.hpp>
#include <boost/date_time/posix_time/posix_time.hpp>
#include <SFML/System/Err.hpp>
#include <boost/signals2.hpp>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <mutex>
#include <set>
#include <streambuf>
#include <thread>

namespace Kestrum
{
    namespace
    {
        LogSystem* s_instance = nullptr;
        std::string s_context;
        const std::string s_indentUnit = "  ";
        // The thread that made the log system; only it writes log lines.
        std::thread::id s_logThread;

        void WriteCapturedText(const std::string& text)
        {
            if (!text.empty())
                Details::LogProxy(LogLevel::error, s_context) << text;
        }

        // Where std::cerr, std::clog and the window library's error stream write while
        // a log system is the instance. Every complete line of the log's own thread
        // reaches the log at once, so that a library that aborts right after its
        // message still has it logged; the rest of a line waits for its end or for the
        // next line that is logged.
        // Text from other threads waits for the log's own thread, which takes their
        // complete lines once a frame and with every logged line. So that a thread that
        // floods the streams grows neither the memory nor the log, their text is kept
        // only within a budget: once it is spent, their lines are dropped whole and
        // counted until the budget is renewed.
        class CaptureBuffer : public std::streambuf
        {
        public:
            // What other threads may add to the log between two renewals of their
            // budget: their text and the stamp and tag before each of their lines.
            static constexpr std::size_t s_otherThreadsBudget = 64 * 1024;
            static constexpr std::size_t s_lineHeadSize = 32;

            // What the log's own thread takes from the capture.
            struct Taken
            {
                // The log's own text, a partial line too.
                std::string own;
                // The complete lines of other threads (all their text when the log ends).
                std::string others;
                // Other threads' lines dropped since the last renewal of their budget;
                // 0 unless this taking renewed it.
                std::size_t dropped = 0;
            };

            // Takes what waits. The budget of other threads is renewed with a taking
            // at least a second after the last renewal and when the log ends; what still
            // waits counts in the new budget, so that their waiting text never exceeds it.
            Taken Take(bool all)
            {
                Taken taken;
                std::lock_guard<std::mutex> lock(m_mutex);
                taken.own.swap(m_own);
                const std::size_t lastLineEnd = m_others.rfind('\n');
                const std::size_t end =
                    all ? m_others.size() : lastLineEnd == std::string::npos ? 0 : lastLineEnd + 1;
                taken.others = m_others.substr(0, end);
                m_others.erase(0, end);
                const std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now();
                if (all || now - m_renewed >= std::chrono::seconds(1))
                {
                    m_renewed = now;
                    m_kept = m_others.size();
                    taken.dropped = m_dropped;
                    m_dropped = 0;
                }
                return taken;
            }

        protected:
            int_type overflow(int_type c) override
            {
                if (traits_type::eq_int_type(c, traits_type::eof()))
                    return traits_type::not_eof(c);
                const char character = traits_type::to_char_type(c);
                Append(&character, 1);
                return c;
            }

            std::streamsize xsputn(const char* text, std::streamsize count) override
            {
                Append(text, static_cast<std::size_t>(count));
                return count;
            }

        private:
            void Append(const char* text, std::size_t count)
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                if (std::this_thread::get_id() != s_logThread)
                {
                    KeepFromOtherThread(text, count);
                    return;
                }
                m_own.append(text, count);
                if (m_writing || !s_instance)
                    return;
                const std::size_t end = m_own.rfind('\n');
                if (end == std::string::npos)
                    return;
                const std::string lines = m_own.substr(0, end + 1);
                m_own.erase(0, end + 1);
                m_writing = true;
                lock.unlock();
                // Text that the sinks write to these streams meanwhile waits.
                WriteCapturedText(lines);
                lock.lock();
                m_writing = false;
            }

            // Keeps another thread's text, line by line, while the budget lasts. The
            // line that does not fit is dropped whole, with what of it waits already,
            // and so is every line after it until the budget is renewed.
            void KeepFromOtherThread(const char* text, std::size_t count)
            {
                while (count > 0)
                {
                    const char* const lineEnd = static_cast<const char*>(std::memchr(text, '\n', count));
                    const std::size_t piece = lineEnd ? static_cast<std::size_t>(lineEnd - text) + 1 : count;
                    const std::size_t cost = lineEnd ? piece + s_lineHeadSize : piece;
                    if (m_dropping)
                    {
                        // The rest of a line that is dropped and counted already.
                    }
                    else if (m_kept + cost <= s_otherThreadsBudget)
                    {
                        m_others.append(text, piece);
                        m_kept += cost;
                    }
                    else
                    {
                        const std::size_t lastLineEnd = m_others.rfind('\n');
                        m_others.erase(lastLineEnd == std::string::npos ? 0 : lastLineEnd + 1);
                        m_kept = s_otherThreadsBudget;
                        ++m_dropped;
                        m_dropping = true;
                    }
                    if (lineEnd)
                        m_dropping = false;
                    text += piece;
                    count -= piece;
                }
            }

            std::mutex m_mutex;
            std::string m_own;
            bool m_writing = false;
            std::string m_others;
            std::size_t m_kept = 0;
            std::size_t m_dropped = 0;
            bool m_dropping = false;
            std::chrono::steady_clock::time_point m_renewed = std::chrono::steady_clock::now();
        };

        // It lives as long as the process, so the streams never point at a dead buffer.
        CaptureBuffer& Capture()
        {
            static CaptureBuffer* buffer = new CaptureBuffer();
            return *buffer;
        }

        // Logs what the capture holds for the log (see CaptureBuffer), each part as one
        // error line, then, as another, the count of other threads' lines that were
        // dropped; when the log ends, other threads' partial lines too.
        void FlushCaptured(bool all)
        {
            try
            {
                if (std::this_thread::get_id() != s_logThread)
                    return;
                const CaptureBuffer::Taken taken = Capture().Take(all);
                WriteCapturedText(taken.own);
                WriteCapturedText(taken.others);
                if (taken.dropped == 1)
                    Details::LogProxy(LogLevel::error, s_context) << "1 line from other threads was not logged";
                else if (taken.dropped > 1)
                    Details::LogProxy(LogLevel::error, s_context)
                        << taken.dropped << " lines from other threads were not logged";
            }
            catch (...)
            {
            }
        }

        std::streambuf* s_cerrBuffer = nullptr;
        std::streambuf* s_clogBuffer = nullptr;
        std::streambuf* s_sfmlBuffer = nullptr;
    }

    struct LogSystem::Signals
    {
        boost::signals2::signal<void(const std::string&)> levels[4];
        // The lines said once (LogOnce) so far.
        std::set<std::string> saidOnce;
    };

    LogSystem::LogSystem() : m_signals(new Signals()), m_maximumLevel(static_cast<int>(LogLevel::info))
    {
        if (s_instance)
            return;
        try
        {
            s_logThread = std::this_thread::get_id();
            s_cerrBuffer = std::cerr.rdbuf(&Capture());
            s_clogBuffer = std::clog.rdbuf(&Capture());
            // The multimedia library reports its errors on a stream of its own.
            s_sfmlBuffer = sf::err().rdbuf(&Capture());
            s_instance = this;
        }
        catch (...)
        {
        }
    }

    LogSystem::~LogSystem()
    {
        if (s_instance != this)
            return;
        FlushCaptured(true);
        s_instance = nullptr;
        // Give the standard streams their own buffers back, so nothing written after
        // the log is gone disappears into the capture buffer.
        if (s_cerrBuffer)
            std::cerr.rdbuf(s_cerrBuffer);
        if (s_clogBuffer)
            std::clog.rdbuf(s_clogBuffer);
        if (s_sfmlBuffer)
            sf::err().rdbuf(s_sfmlBuffer);
        s_cerrBuffer = s_clogBuffer = s_sfmlBuffer = nullptr;
    }

    boost::signals2::connection LogSystem::Connect(LogLevel level, const Sink& sink)
    {
        return m_signals->levels[static_cast<int>(level)].connect(sink);
    }

    void LogSystem::Emit(LogLevel level, const std::string& line)
    {
        const int index = static_cast<int>(level);
        if (index >= 0 && index < 4)
            m_signals->levels[index](line);
    }

    bool LogSystem::FirstTime(const std::string& line)
    {
        return m_signals->saidOnce.insert(line).second;
    }

    void LogSystem::WriteNewLine()
    {
        if (!s_instance)
            return;
        FlushCapturedStreams();
        s_instance->Emit(LogLevel::info, "\n");
    }

    void LogSystem::Unindent()
    {
        if (s_context.size() >= s_indentUnit.size())
            s_context.erase(s_context.size() - s_indentUnit.size());
    }

    namespace Details
    {
        LogProxy::LogProxy(LogLevel level, const std::string& context) : m_level(level), m_context(context)
        {
        }

        LogProxy::~LogProxy()
        {
            if (!s_instance || s_instance->GetMaximumLevel() < static_cast<int>(m_level))
                return;
            try
            {
                const std::string head = GetTimeStamp() + GetLevelTag(m_level) + m_context;
                std::string message = m_stream.str();
                if (!message.empty() && message.back() == '\n')
                    message.pop_back();
                boost::algorithm::replace_all(message, "\n", "\n" + std::string(head.size(), ' '));
                s_instance->Emit(m_level, head + message + "\n");
            }
            catch (...)
            {
            }
        }
    }

    std::shared_ptr<Details::LogProxy> Log(LogLevel level)
    {
        if (!s_instance)
            std::exit(1);
        FlushCapturedStreams();
        return std::make_shared<Details::LogProxy>(level, s_context);
    }

    void LogOnce(LogLevel level, const std::string& line)
    {
        if (s_instance && s_instance->FirstTime(line))
            *Log(level) << line;
    }

    LogIndent::LogIndent()
    {
        s_context += s_indentUnit;
    }

    LogIndent::~LogIndent()
    {
        LogSystem::Unindent();
    }

    std::string GetTimeStamp()
    {
        try
        {
            const boost::posix_time::ptime now = boost::posix_time::second_clock::local_time();
            return boost::posix_time::to_simple_string(now).substr(0, 20);
        }
        catch (const std::exception& e)
        {
            return e.what();
        }
        catch (...)
        {
            return " TIME NOT AVAILABLE ";
        }
    }

    std::string GetLevelTag(LogLevel level)
    {
        switch (level)
        {
        case LogLevel::error:
            return " | error:   ";
        case LogLevel::warning:
            return " | warning: ";
        case LogLevel::info:
            return " | info:    ";
        case LogLevel::debug:
            return " | debug:   ";
        }
        return " | ?level?: ";
    }

    void FlushCapturedStreams()
    {
        FlushCaptured(false);
    }

    void LogCaughtException(const std::exception_ptr& error, const char* function) noexcept
    {
        if (!error)
            return;
        try
        {
            std::rethrow_exception(error);
        }
        catch (...)
        {
            LogCurrentException(function);
        }
    }

    void LogCurrentException(const char* function) noexcept
    {
        try
        {
            try
            {
                throw;
            }
            catch (boost::exception& e)
            {
                e << FunctionInfo(function);
                *Log(LogLevel::error) << GetDiagnosticText(e);
            }
            catch (const std::exception& e)
            {
                LogicError wrapped(e.what());
                wrapped << FunctionInfo(function);
                *Log(LogLevel::error) << GetDiagnosticText(wrapped);
            }
            catch (...)
            {
                LogicError wrapped("Caught unknown exception");
                wrapped << FunctionInfo(function);
                *Log(LogLevel::error) << GetDiagnosticText(wrapped);
            }
        }
        catch (...)
        {
        }
    }
}
