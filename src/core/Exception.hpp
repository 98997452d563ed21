// The exception family. Every failure of the game is thrown as one of these,
// always through BOOST_THROW_EXCEPTION so that the throwing function's signature,
// the source file and the line are recorded with it.
#pragma once

#include <boost/exception/all.hpp>
#include <boost/throw_exception.hpp>
#include <exception>
#include <string>

namespace Kestrum
{
    // std::exception keeps no message of its own: the family stores it here and
    // what() hands it out. An exception built without a message answers with the
    // standard library's fixed text.
    class Exception : public std::exception, public boost::exception
    {
    public:
        Exception() = default;
        explicit Exception(const std::string& message) : m_message(message), m_hasMessage(true) {}
        explicit Exception(const char* message) : m_message(message), m_hasMessage(true) {}
        virtual ~Exception() noexcept {}

        const char* what() const noexcept override
        {
            return m_hasMessage ? m_message.c_str() : std::exception::what();
        }

        // Puts the place in a data file where the error arose before the message,
        // once: "<place>: <message>", the place being the file's path and, where it
        // is known, the line ("missions/arcade/0000000000/structure.xml:12"). An
        // exception that names its file already keeps its message.
        void NameFile(const std::string& place)
        {
            if (m_namesFile)
                return;
            m_message = place + ": " + what();
            m_hasMessage = true;
            m_namesFile = true;
        }

        // Takes a message that names its data file in its own text as it is: no
        // place goes before it.
        void KeepOwnFileName() noexcept { m_namesFile = true; }

        bool NamesFile() const noexcept { return m_namesFile; }

    private:
        std::string m_message;
        bool m_hasMessage = false;
        bool m_namesFile = false;
    };

#define KESTRUM_EXCEPTION_CLASS(Name, Base)                             \
    class Name : public Base                                            \
    {                                                                   \
    public:                                                             \
        Name() = default;                                               \
        explicit Name(const std::string& message) : Base(message) {}    \
        explicit Name(const char* message) : Base(message) {}           \
        virtual ~Name() noexcept {}                                     \
    }

    KESTRUM_EXCEPTION_CLASS(LogicError, Exception);
    KESTRUM_EXCEPTION_CLASS(NotImplementedError, LogicError);
    KESTRUM_EXCEPTION_CLASS(RuntimeError, Exception);
    KESTRUM_EXCEPTION_CLASS(ParseError, RuntimeError);
    KESTRUM_EXCEPTION_CLASS(XmlError, ParseError);
    KESTRUM_EXCEPTION_CLASS(LoadError, RuntimeError);
    KESTRUM_EXCEPTION_CLASS(FileError, RuntimeError);
    KESTRUM_EXCEPTION_CLASS(NotAvailableError, RuntimeError);
    KESTRUM_EXCEPTION_CLASS(ResourceMissingError, NotAvailableError);
    KESTRUM_EXCEPTION_CLASS(UnknownTypeError, NotAvailableError);
    KESTRUM_EXCEPTION_CLASS(NotSupportedError, RuntimeError);
    KESTRUM_EXCEPTION_CLASS(OutOfRangeError, RuntimeError);
    KESTRUM_EXCEPTION_CLASS(InvalidArgumentError, RuntimeError);

#undef KESTRUM_EXCEPTION_CLASS

    // The named value that the last-resort handlers attach: the signature of the
    // function that caught the exception.
    typedef boost::error_info<struct tag_function, std::string> FunctionInfo;
    // The named value that names the data file an error arose in: the path
    // (a resource path, as the reader was given it) of the file being read when
    // it was thrown, attached by ReadDataFile (core/Files.hpp), which also puts
    // the file and the line (LineInfo) before the message.
    typedef boost::error_info<struct tag_resource_file, std::string> ResourceFileInfo;
    // The line of the data file, counted from 1, at which an error arose, where
    // the reader knows it; attached where the error is thrown.
    typedef boost::error_info<struct tag_line, unsigned long> LineInfo;

    // The diagnostic text of an exception: where it was thrown ("Throw in function
    // (unknown)" when it was not thrown through BOOST_THROW_EXCEPTION), its dynamic
    // type, its message and one line per attached value.
    inline std::string GetDiagnosticText(const boost::exception& error)
    {
        std::string text = boost::diagnostic_information(error);
        const std::string unknown = "Throw location unknown (consider using BOOST_THROW_EXCEPTION)\n";
        if (text.compare(0, unknown.size(), unknown) == 0)
            text.replace(0, unknown.size(), "Throw in function (unknown)\n");
        return text;
    }

    // Writes the exception that is being handled to the error log, the way the main
    // function and every operation that must not throw do it: boost exceptions as they
    // are, other standard exceptions and unknown ones wrapped into a LogicError.
    // Call it only from inside a catch block; `function` is the catching function's
    // signature (BOOST_CURRENT_FUNCTION).
    void LogCurrentException(const char* function) noexcept;
    // The same for an exception caught earlier and kept.
    void LogCaughtException(const std::exception_ptr& error, const char* function) noexcept;
}

// Runs a block that must not throw: whatever escapes it is logged at error level
// with the guarding function's signature attached, and the block simply ends.
#define KESTRUM_GUARDED(block)                                          \
    try                                                                 \
    {                                                                   \
        block                                                           \
    }                                                                   \
    catch (...)                                                         \
    {                                                                   \
        ::Kestrum::LogCurrentException(BOOST_CURRENT_FUNCTION);         \
    }
