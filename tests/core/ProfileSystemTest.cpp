#include "core/ProfileSystem.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>
#include <sstream>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;
using Sample = ProfileSystem::Sample;

TEST(ProfileSystem, SamplesKeepOneSlotPerFrame)
{
    Sample late(1000.0, "late", 5);
    EXPECT_EQ(6u, late.GetSlots().size());
    EXPECT_EQ(5u, late.GetActiveFrame());

    Sample sample(1000.0, "s", 0);
    sample.Add(10);
    sample.Add(5);
    EXPECT_DOUBLE_EQ(0.015, *sample.GetSlots().back());
    sample.SetActiveFrame(0);
    EXPECT_EQ(1u, sample.GetSlots().size());
    sample.SetActiveFrame(3);
    EXPECT_EQ(4u, sample.GetSlots().size());
    sample.Add(20);
    EXPECT_EQ(2u, sample.GetCount());
    EXPECT_DOUBLE_EQ(0.015, sample.GetMinimum());
    EXPECT_DOUBLE_EQ(0.02, sample.GetMaximum());
    EXPECT_DOUBLE_EQ(0.0175, sample.GetAverage());
    EXPECT_EQ("frame numbers must increment over time", ThrownMessage<LogicError>([&] { sample.SetActiveFrame(2); }));
}

TEST(ProfileSystem, SamplesHoldAtMost7200Slots)
{
    Sample sample(1.0, "s", 7199);
    ASSERT_EQ(7200u, sample.GetSlots().size());
    sample.Add(1);
    sample.SetActiveFrame(7200);
    EXPECT_EQ(7200u, sample.GetSlots().size());
    EXPECT_EQ(1.0, *sample.GetSlots()[7198]);
    sample.SetActiveFrame(7203);
    EXPECT_EQ(7200u, sample.GetSlots().size());
    EXPECT_EQ(1.0, *sample.GetSlots()[7197]);
}

TEST(ProfileSystem, SamplesMadeDuringAFrameLineUpWithTheOthers)
{
    const stable_ptr<Registry> registry = Registry::Create();
    const stable_ptr<ProfileSystem> profile = CreateAndRegister(new ProfileSystem());
    for (int pass = 0; pass < 3; ++pass)
    {
        ProfileSample whole("ML");
        profile->NextFrame();
        ProfileSample inner("ML_Draw");
        inner.Stop();
        inner.Stop();
    }
    const auto samples = profile->GetSamples();
    ASSERT_EQ(2u, samples->size());
    for (const Sample& sample : *samples)
    {
        EXPECT_EQ(3u, sample.GetSlots().size()) << sample.GetName();
        EXPECT_EQ(3u, sample.GetCount()) << sample.GetName();
    }
}

TEST(ProfileSystem, TimerWithoutProfilerOnlyLogs)
{
    Testing::CapturedLog log;
    {
        ProfileSample sample("ML");
    }
    EXPECT_TRUE(log.Contains("create_stable_ptr: object is 0, type = class Kestrum::Registry"));
    EXPECT_TRUE(log.Contains("ProfileSample"));
}

TEST(ProfileSystem, ReportLayout)
{
    const double frequency = 100000000.0;
    Sample draw(frequency, "ML_Draw", 0);
    draw.Add(1500000);
    draw.SetActiveFrame(1);
    draw.Add(2000000);
    draw.SetActiveFrame(2);
    Sample begin(frequency, "ML_Begin", 1);
    begin.Add(100);
    Sample unused(frequency, "A", 0);
    stable_ptr<std::vector<Sample>> samples(new std::vector<Sample>{draw, begin, unused});
    std::ostringstream out;
    WriteProfile(samples, out);
    EXPECT_EQ("Configuration;Release;LIB\n"
              "\n"
              ";A;ML_Begin;ML_Draw;\n"
              "Count;0;1;2;\n"
              "Minimum;86400,00000000;0,00000100;0,01500000;\n"
              "Average;0,00000000;0,00000100;0,01750000;\n"
              "Maximum;0,00000000;0,00000100;0,02000000;\n"
              "\n"
              "Time;A;ML_Begin;ML_Draw;\n"
              "0;;;0,01500000;\n"
              "1;;0,00000100;0,02000000;\n"
              "2;;;;\n",
              out.str());
    EXPECT_EQ("0,01666667", FormatDuration(1.0 / 60.0));
}
