#include "campaign/SavingFile.hpp"
#include "campaign/SavingFixture.hpp"

using namespace Kestrum;
using namespace Kestrum::Testing;

using SavingFileTest = SavingFixture;

// Whatever the archive made before it failed is freed (the sanitizer build
// finds any leak), and its failure names the line where it stopped.
TEST_F(SavingFileTest, WhatTheArchiveRefusesLeavesNothingBehindAndNamesItsLine)
{
    const std::string unreadable = "the save file's reader stopped here: input stream error";
    const std::string noEnd = "the file does not end with the line </boost_serialization>";
    // Two nodes that need each other, the first one's cost unreadable once they do.
    const std::string circle = Replace(WithPredecessor(TwoMissionSaving(), "_4"), "<value>100", "<value>x");
    const struct { std::string text; unsigned long line; std::string message; } cases[] = {
        {Replace(oneMissionSaving, "</boost_serialization>\n", ""), 109, noEnd},
        {Replace(oneMissionSaving, "</boost_serialization>\n", "</boost_serial"), 109, noEnd},
        {Replace(oneMissionSaving, "<m_seed>0", "<m_seed>x"), 11, unreadable},
        {Replace(oneMissionSaving, "<m_payment>500", "<m_payment>-"), 44, unreadable},
        {circle, 149, unreadable},
        {Replace(oneMissionSaving, "20110305T140322", "20110305T"), 108,
         "time: \"20110305T\" is not a time (YYYYMMDDThhmmss)"},
    };
    for (const auto& refused : cases)
        try
        {
            SavingFile::Read(refused.text);
            ADD_FAILURE() << refused.message;
        }
        catch (const ParseError& error)
        {
            EXPECT_EQ(refused.message, error.what());
            EXPECT_EQ(refused.line, *boost::get_error_info<LineInfo>(error)) << refused.message;
        }
}
