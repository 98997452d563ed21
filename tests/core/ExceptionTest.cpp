#include "core/Exception.hpp"

#include "support/ScratchGameRoot.hpp"

#include <boost/exception/diagnostic_information.hpp>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace Kestrum;

namespace
{
    int throwLine = 0;

    void ThrowLoadError()
    {
        throwLine = __LINE__ + 1;
        BOOST_THROW_EXCEPTION(LoadError("could not load a|b.png"));
    }
}

TEST(Exception, DiagnosticTextNamesPlaceTypeMessageAndAttachedValues)
{
    try
    {
        ThrowLoadError();
        FAIL();
    }
    catch (boost::exception& e)
    {
        e << FunctionInfo("int main(int, char**)");
        const std::string expected = std::string(__FILE__) + "(" + std::to_string(throwLine) +
                                     "): Throw in function void {anonymous}::ThrowLoadError()\n"
                                     "Dynamic exception type: boost::wrapexcept<Kestrum::LoadError>\n"
                                     "std::exception::what: could not load a|b.png\n"
                                     "[Kestrum::tag_function*] = int main(int, char**)\n";
        EXPECT_EQ(expected, boost::diagnostic_information(e));
    }
}

TEST(Exception, UnthrownExceptionHasNoPlaceAndMessagelessOnesAnswerWithTheDefaultText)
{
    const LogicError error("forgot to call Load()?");
    EXPECT_EQ("Throw in function (unknown)\n"
              "Dynamic exception type: Kestrum::LogicError\n"
              "std::exception::what: forgot to call Load()?\n",
              GetDiagnosticText(error));
    EXPECT_STREQ("std::exception", LogicError().what());
    EXPECT_STREQ("std::exception", OutOfRangeError().what());
}

TEST(Exception, FamilyIsCaughtByItsBases)
{
    EXPECT_THROW(BOOST_THROW_EXCEPTION(XmlError("x")), ParseError);
    EXPECT_THROW(BOOST_THROW_EXCEPTION(XmlError("x")), RuntimeError);
    EXPECT_THROW(BOOST_THROW_EXCEPTION(XmlError("x")), Exception);
    EXPECT_THROW(BOOST_THROW_EXCEPTION(ResourceMissingError("x")), NotAvailableError);
    EXPECT_THROW(BOOST_THROW_EXCEPTION(UnknownTypeError("x")), NotAvailableError);
    EXPECT_THROW(BOOST_THROW_EXCEPTION(NotImplementedError("x")), LogicError);
    try
    {
        BOOST_THROW_EXCEPTION(XmlError("no speed element defined"));
    }
    catch (const LogicError&)
    {
        FAIL() << "an XmlError is no LogicError";
    }
    catch (const std::exception& e)
    {
        EXPECT_STREQ("no speed element defined", e.what());
    }
}

TEST(Exception, LastResortHandlersLogEveryKindWithTheCatchingFunction)
{
    Testing::CapturedLog log;
    try
    {
        ThrowLoadError();
    }
    catch (...)
    {
        LogCurrentException("int main(int, char**)");
    }
    try
    {
        throw std::out_of_range("vector::_M_range_check");
    }
    catch (...)
    {
        LogCurrentException("void f()");
    }
    try
    {
        throw 42;
    }
    catch (...)
    {
        LogCaughtException(std::current_exception(), "void g()");
    }
    const std::vector<std::string>& lines = log.GetLines();
    ASSERT_EQ(3u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find(" | error:   "));
    EXPECT_NE(std::string::npos, lines[0].find("Dynamic exception type: boost::wrapexcept<Kestrum::LoadError>"));
    EXPECT_NE(std::string::npos, lines[0].find("[Kestrum::tag_function*] = int main(int, char**)"));
    EXPECT_NE(std::string::npos, lines[1].find("Dynamic exception type: Kestrum::LogicError"));
    EXPECT_NE(std::string::npos, lines[1].find("std::exception::what: vector::_M_range_check"));
    EXPECT_NE(std::string::npos, lines[1].find("[Kestrum::tag_function*] = void f()"));
    EXPECT_NE(std::string::npos, lines[2].find("std::exception::what: Caught unknown exception"));
    EXPECT_NE(std::string::npos, lines[2].find("[Kestrum::tag_function*] = void g()"));
}
