#include "core/Exception.hpp"

#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

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
    // An XmlError is no LogicError: it passes a handler for those.
    EXPECT_THROW(Testing::ThrownMessage<LogicError>([] { BOOST_THROW_EXCEPTION(XmlError("x")); }), XmlError);
}

TEST(Exception, LastResortHandlersLogEveryKindWithTheCatchingFunction)
{
    Testing::CapturedLog log;
    const auto logThrown = [](auto action, auto handle) {
        try
        {
            action();
        }
        catch (...)
        {
            handle();
        }
    };
    logThrown(ThrowLoadError, [] { LogCurrentException("int main(int, char**)"); });
    logThrown([] { throw std::out_of_range("vector::_M_range_check"); }, [] { LogCurrentException("void f()"); });
    logThrown([] { throw 42; }, [] { LogCaughtException(std::current_exception(), "void g()"); });
    ASSERT_EQ(3u, log.GetLines().size());
    const std::pair<int, const char*> expected[] = {
        {0, " | error:   "},
        {0, "Dynamic exception type: boost::wrapexcept<Kestrum::LoadError>"},
        {0, "[Kestrum::tag_function*] = int main(int, char**)"},
        {1, "Dynamic exception type: Kestrum::LogicError"},
        {1, "std::exception::what: vector::_M_range_check"},
        {1, "[Kestrum::tag_function*] = void f()"},
        {2, "std::exception::what: Caught unknown exception"},
        {2, "[Kestrum::tag_function*] = void g()"}};
    for (const auto& [line, text] : expected)
        EXPECT_NE(std::string::npos, log.GetLines()[line].find(text)) << log.GetLines()[line];
}
