#include "core/LogSystem.hpp"

#include "core/Exception.hpp"

#include <boost/algorithm/string/replace.hpp>
#include <boost/date_time/posix_time/posix_time.hpp>
#include <SFML/System/Err.hpp>
#include <boost/signals2.hpp>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <mutex>
#include <set>
#include <streambuf>
#include <thread>
#include <vector>

namespace Kestrum
{
    namespace
    {
        LogSystem* s_instance = nullptr;
        std::string s_context;
        const std::string s_indentUnit = "  ";
        // The thread that made the log system; only it writes log lines.
        std::thread::id s_logThread;

        // A log entry: the head, then the message without its last line end, each of its
        // further lines indented as wide as the head.
        std::string FormatEntry(const std::string& head, std::string message)
        {
            if (!message.empty() && message.back() == '\n')
                message.pop_back();
            boost::algorithm::replace_all(message, "\n", "\n" + std::string(head.size(), ' '));
            return head + message + "\n";
        }

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
        // complete lines once a frame and with every logged line. Each thread's
        // unfinished line is kept apart from the others' until its line end. So that a
        // thread that floods the streams grows neither the memory nor the log, their
        // waiting text is kept within a bound, and what they add to the log within a
        // budget that is renewed once a second: lines beyond either are dropped whole
        // and counted.
        class CaptureBuffer : public std::streambuf
        {
        public:
            // What other threads may add to the log between two renewals of their
            // budget (each of their lines with the head it is written with), and the
            // most of their text that waits for the log's thread.
            static constexpr std::size_t s_otherThreadsBudget = 64 * 1024;
            // How many unfinished lines of other threads are kept apart at once; when
            // one more thread starts a line, the oldest unfinished line is dropped (a
            // thread that ended in the middle of a line never finishes it).
            static constexpr std::size_t s_unfinishedLines = 16;

            // What the log's own thread takes from the capture.
            struct Taken
            {
                // The log's own text, a partial line too.
                std::string own;
                // The lines of other threads that fit the budget, each with its line end.
                std::string others;
                // Other threads' lines dropped up to the renewal of their budget by this
                // taking (0 unless it renewed it), and, when the log ends, since then.
                std::size_t droppedBefore = 0;
                std::size_t droppedAfter = 0;
            };

            // Takes what waits; other threads' lines are charged to their budget with
            // headSize, the length of the head they are written with. The budget is
            // renewed with a taking at least a second after the last renewal. When the
            // log ends, other threads' unfinished lines are taken too.
            Taken Take(bool all, std::size_t headSize)
            {
                Taken taken;
                std::lock_guard<std::mutex> lock(m_mutex);
                taken.own.swap(m_own);
                const std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now();
                if (now - m_renewed >= std::chrono::seconds(1))
                {
                    m_renewed = now;
                    m_spent = 0;
                    taken.droppedBefore = m_dropped;
                    m_dropped = 0;
                }
                if (all)
                {
                    for (const Unfinished& line : m_unfinished)
                        if (!line.dropping)
                            m_waiting.append(line.text).push_back('\n');
                    m_unfinished.clear();
                }
                for (std::size_t begin = 0, end = 0; begin < m_waiting.size(); begin = end)
                {
                    end = m_waiting.find('\n', begin) + 1;
                    const std::size_t cost = headSize + end - begin;
                    if (m_spent + cost <= s_otherThreadsBudget)
                    {
                        taken.others.append(m_waiting, begin, end - begin);
                        m_spent += cost;
                    }
                    else
                    {
                        // Dropped, and every line after it until the renewal.
                        m_spent = s_otherThreadsBudget;
                        ++m_dropped;
                    }
                }
                m_waiting.clear();
                if (all)
                {
                    taken.droppedAfter = m_dropped;
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
            // Another thread's line until its line end.
            struct Unfinished
            {
                std::thread::id thread;
                std::string text;
                // Dropped and counted already: the rest of it is dropped too.
                bool dropping = false;
            };

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

            // Keeps another thread's text, line by line, while the waiting text stays
            // within its bound. The line that does not fit is dropped whole, with what
            // of it waits already.
            void KeepFromOtherThread(const char* text, std::size_t count)
            {
                Unfinished& line = UnfinishedLine();
                while (count > 0)
                {
                    const char* const lineEnd = static_cast<const char*>(std::memchr(text, '\n', count));
                    std::size_t length = lineEnd ? static_cast<std::size_t>(lineEnd - text) : count;
                    if (line.dropping)
                    {
                        // The rest of a line that is dropped and counted already.
                    }
                    else if (WaitingSize() + length + (lineEnd ? 1 : 0) <= s_otherThreadsBudget)
                    {
                        line.text.append(text, length);
                    }
                    else
                    {
                        std::string().swap(line.text);
                        line.dropping = true;
                        ++m_dropped;
                    }
                    if (lineEnd)
                    {
                        if (!line.dropping)
                            m_waiting.append(line.text).push_back('\n');
                        line.text.clear();
                        line.dropping = false;
                        ++length;
                    }
                    text += length;
                    count -= length;
                }
                if (line.text.empty() && !line.dropping)
                    m_unfinished.pop_back();
            }

            // The unfinished line of this thread, moved to the end of the list.
            Unfinished& UnfinishedLine()
            {
                const std::thread::id thread = std::this_thread::get_id();
                auto found = std::find_if(m_unfinished.begin(), m_unfinished.end(),
                                          [thread](const Unfinished& line) { return line.thread == thread; });
                Unfinished line;
                if (found != m_unfinished.end())
                {
                    line = std::move(*found);
                    m_unfinished.erase(found);
                }
                else if (m_unfinished.size() == s_unfinishedLines)
                {
                    if (!m_unfinished.front().dropping)
                        ++m_dropped;
                    m_unfinished.erase(m_unfinished.begin());
                }
                line.thread = thread;
                m_unfinished.push_back(std::move(line));
                return m_unfinished.back();
            }

            std::size_t WaitingSize() const
            {
                std::size_t size = m_waiting.size();
                for (const Unfinished& line : m_unfinished)
                    size += line.text.size();
                return size;
            }

            std::mutex m_mutex;
            std::string m_own;
            bool m_writing = false;
            // Other threads' complete lines.
            std::string m_waiting;
            std::vector<Unfinished> m_unfinished;
            // What their lines taken since the last renewal of the budget cost.
            std::size_t m_spent = 0;
            std::size_t m_dropped = 0;
            std::chrono::steady_clock::time_point m_renewed = std::chrono::steady_clock::now();
        };

        // It lives as long as the process, so the streams never point at a dead buffer.
        CaptureBuffer& Capture()
        {
            static CaptureBuffer* buffer = new CaptureBuffer();
            return *buffer;
        }

        void WriteDroppedCount(std::size_t dropped)
        {
            if (dropped == 1)
                Details::LogProxy(LogLevel::error, s_context) << "1 line from other threads was not logged";
            else if (dropped > 1)
                Details::LogProxy(LogLevel::error, s_context) << dropped << " lines from other threads were not logged";
        }

        // Logs what the capture holds for the log (see CaptureBuffer): the log's own
        // text as one error line, and other threads' lines as another, between the
        // counts of their lines that were dropped; when the log ends, other threads'
        // unfinished lines too.
        void FlushCaptured(bool all)
        {
            try
            {
                if (std::this_thread::get_id() != s_logThread)
                    return;
                // Other threads' lines are charged with the head they are written with.
                const std::string head = GetTimeStamp() + GetLevelTag(LogLevel::error) + s_context;
                const CaptureBuffer::Taken taken = Capture().Take(all, head.size());
                WriteCapturedText(taken.own);
                WriteDroppedCount(taken.droppedBefore);
                if (!taken.others.empty() && s_instance)
                    s_instance->Emit(LogLevel::error, FormatEntry(head, taken.others));
                WriteDroppedCount(taken.droppedAfter);
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
                s_instance->Emit(m_level, FormatEntry(GetTimeStamp() + GetLevelTag(m_level) + m_context, m_stream.str()));
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
