#include "interface/ScreenManager.hpp"

#include "core/Exception.hpp"
#include "support/ScratchGameRoot.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace Kestrum;
using Kestrum::Testing::CapturedLog;

namespace
{
    class RecordingScreen : public Screen
    {
    public:
        RecordingScreen(std::vector<std::string>& record, const std::string& name) : m_record(record), m_name(name) {}
        void OnEnter() override
        {
            m_record.push_back("enter " + m_name);
            if (onEnter)
                onEnter();
        }
        void OnExit() override
        {
            m_record.push_back("exit " + m_name);
            if (onExit)
                onExit();
        }

        std::function<void()> onEnter;
        std::function<void()> onExit;

    private:
        std::vector<std::string>& m_record;
        std::string m_name;
    };

    class ScreenManagerTest : public ::testing::Test
    {
    protected:
        stable_ptr<RecordingScreen> Make(const std::string& name)
        {
            return stable_ptr<RecordingScreen>(new RecordingScreen(record, name));
        }

        CapturedLog log;
        std::vector<std::string> record;
    };
}

TEST_F(ScreenManagerTest, SwitchesAtTheNextUpdateAndTheLastRequestWins)
{
    auto start = Make("start");
    auto arcade = Make("arcade");
    ScreenManager manager(start);
    EXPECT_TRUE(manager.IsRunning());
    manager.Update(); // nothing pending: no screen is called

    manager.SetNextScreen(Make("options"));
    manager.SetNextScreen(arcade);
    EXPECT_EQ(start, manager.GetCurrentScreen()) << "a request waits for the next pass";
    EXPECT_EQ(std::vector<std::string>({"enter start"}), record);
    manager.Update();
    EXPECT_EQ(arcade, manager.GetCurrentScreen());
    manager.Update(); // the request is carried out once

    // The current screen asked again is left and entered again.
    manager.SetNextScreen(arcade);
    manager.Update();
    EXPECT_EQ(std::vector<std::string>({"enter start", "exit start", "enter arcade", "exit arcade", "enter arcade"}),
              record);
}

TEST_F(ScreenManagerTest, RequestsMadeWhileSwitchingAreKept)
{
    auto start = Make("start");
    auto savings = Make("savings");
    auto options = Make("options");
    auto arcade = Make("arcade");
    ScreenManager manager(start);

    // Asked while the old screen is left: that screen is entered instead.
    start->onExit = [&] { manager.SetNextScreen(arcade); };
    manager.SetNextScreen(options);
    manager.Update();
    EXPECT_EQ(arcade, manager.GetCurrentScreen());

    // A screen that passes the player on from its entry: the change follows at
    // the next pass.
    savings->onEnter = [&] { manager.SetNextScreen(start); };
    start->onExit = nullptr;
    manager.SetNextScreen(savings);
    manager.Update();
    EXPECT_EQ(savings, manager.GetCurrentScreen());
    manager.Update();
    EXPECT_EQ(start, manager.GetCurrentScreen());
    EXPECT_EQ("enter start", record.back());
}

TEST_F(ScreenManagerTest, ShutDownStopsTheRunAndAnyPendingSwitch)
{
    auto start = Make("start");
    auto arcade = Make("arcade");
    ScreenManager manager(start);
    manager.SetNextScreen(arcade);
    manager.ShutDown();
    EXPECT_FALSE(manager.IsRunning());
    manager.Update();
    EXPECT_EQ(start, manager.GetCurrentScreen());
    EXPECT_EQ(std::vector<std::string>({"enter start"}), record) << "the last screen is never left";
    EXPECT_TRUE(log.GetLines().empty()) << "the shut-down line is a debug line";
}
