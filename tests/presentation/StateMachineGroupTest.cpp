#include "presentation/StateMachineGroup.hpp"

#include "presentation/CircleList.hpp"
#include "presentation/MachineFixture.hpp"
#include "presentation/Shadow.hpp"
#include "support/ThrownMessage.hpp"

#include <limits>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class StateMachineGroupTest : public Testing::MachineFixture
    {
    protected:
        StateMachineGroupTest()
        {
            turret->SetSignalHandler([this](const std::string& signal) { signals.push_back(signal); });
        }

        bool HasMuzzle(const std::string& path)
        {
            Socket socket;
            return turret->GetSocket(path, socket);
        }

        stable_ptr<StateMachineBase> turret = Machine("turret.statemachine");
        std::vector<std::string> signals;
    };

    std::vector<float> Radii(const CircleList& list)
    {
        std::vector<float> radii;
        for (const Circle& circle : list.GetCircles())
            radii.push_back(circle.radius);
        return radii;
    }
}

TEST_F(StateMachineGroupTest, ForwardsPathsToItsParts)
{
    EXPECT_EQ((std::set<std::string>{"a|explode", "a|fire", "a|stick", "c|arm|explode", "c|arm|fire", "c|arm|stick"}),
              turret->GetAllTransitions());
    for (const char* part : {"a", "b", "c", "c|arm", "|c||arm|"})
        EXPECT_TRUE(turret->HasPart(part)) << part;
    for (const char* part : {"ghost", "c|ghost", "a|anything", ""})
        EXPECT_FALSE(turret->HasPart(part)) << part;
    EXPECT_TRUE(turret->HasTransition("open"));
    EXPECT_TRUE(turret->HasTransition("a|explode"));
    EXPECT_FALSE(turret->HasTransition("explode"));
    EXPECT_FALSE(turret->HasTransition("c|open"));
    EXPECT_TRUE(turret->HasSocket("c|arm|muzzle"));
    EXPECT_FALSE(turret->HasSocket("ghost|muzzle"));

    EXPECT_TRUE(HasMuzzle("a|muzzle"));
    EXPECT_TRUE(turret->Execute("a|explode"));
    EXPECT_FALSE(HasMuzzle("a|muzzle"));
    EXPECT_FALSE(turret->Execute("ghost|open"));
    EXPECT_FALSE(turret->Execute("a|nothing"));
    // Bars are trimmed first: "a|" is the group's own transition a, which it lacks.
    EXPECT_FALSE(turret->Execute("a|"));
    EXPECT_TRUE(log.Contains("transition a could not be started because it's not available"));

    // The nested group's signal comes up with the part's name in front.
    EXPECT_TRUE(turret->Execute("c|wave"));
    Step(*turret, 0.f);
    EXPECT_EQ(std::vector<std::string>{"c|waved"}, signals);
}

TEST_F(StateMachineGroupTest, MovesTurnsAndOrdersItsParts)
{
    // Read as a, b, c with priorities 5, -1, 5: drawn b, a, c, and so listed.
    EXPECT_EQ((std::vector<float>{1.f, 1.f, 1.f, 10.f, 4.f, 10.f, 4.f}), Radii(*turret->GetBoundary()));
    EXPECT_FLOAT_EQ(30.f, turret->GetPartRotation("b"));

    turret->SetRotation(90.f);
    Socket muzzle;
    ASSERT_TRUE(turret->GetSocket("a|muzzle", muzzle));
    EXPECT_NEAR(22.f, muzzle.position.x, 1e-3f) << "part a stands at (0, 10), turned 90";
    EXPECT_NEAR(18.f, muzzle.position.y, 1e-3f);
    EXPECT_FLOAT_EQ(180.f, muzzle.orientation);
    EXPECT_FLOAT_EQ(120.f, turret->GetPartRotation("b"));
    EXPECT_FLOAT_EQ(90.f, turret->GetPartRotation("c|arm"));
    turret->SetRotation(-90.f);
    EXPECT_FLOAT_EQ(270.f, turret->GetRotation());
    // Angles far out of one turn end at once, in it.
    turret->SetRotation(-1e30f);
    EXPECT_GE(turret->GetRotation(), 0.f);
    EXPECT_LT(turret->GetRotation(), 360.f);
    turret->SetRotation(-std::numeric_limits<float>::infinity());
    EXPECT_EQ(0.f, turret->GetRotation());

    // One boundary per frame: moving the group builds a new one, and the one
    // handed out before stays where it was.
    turret->SetRotation(0.f);
    const stable_ptr<const CircleList> before = turret->GetBoundary();
    EXPECT_EQ(before, turret->GetBoundary());
    turret->MovePosition(100.f, 50.f);
    const stable_ptr<const CircleList> after = turret->GetBoundary();
    EXPECT_NE(before, after);
    EXPECT_EQ(sf::Vector2f(100.f, 50.f), after->GetPosition());
    EXPECT_EQ(sf::Vector2f(0.f, 0.f), before->GetPosition());
    EXPECT_NEAR(110.f, after->GetCircles()[3].GetCenter().x, 1e-3f);

    // Turning parts: toward an orientation, toward a point, in a nested group.
    FrameClock::SetFrameTime(0.1f);
    EXPECT_EQ("could not find ghost", ThrownMessage<NotAvailableError>([&] { turret->RotatePart("ghost", 90.f, 45.f); }));
    EXPECT_EQ("could not find ghost|arm", ThrownMessage<NotAvailableError>([&] { turret->GetPartRotation("ghost|arm"); }));
    EXPECT_FALSE(turret->RotatePart("a", 90.f, 45.f));
    EXPECT_FLOAT_EQ(4.5f, turret->GetPartRotation("a"));
    EXPECT_TRUE(turret->RotatePart("c|arm", sf::Vector2f(100.f, 0.f), 900.f)) << "straight up from the group";
    EXPECT_FLOAT_EQ(270.f, turret->GetPartRotation("c|arm"));

    // Reset: every part at its offset from (0, 0) with its own rotation.
    turret->Reset();
    EXPECT_EQ(sf::Vector2f(0.f, 0.f), turret->GetBoundary()->GetPosition());
    EXPECT_FLOAT_EQ(0.f, turret->GetPartRotation("a"));
    EXPECT_FLOAT_EQ(30.f, turret->GetPartRotation("b"));
    EXPECT_NEAR(10.f, turret->GetBoundary()->GetCircles()[3].GetCenter().x, 1e-3f);
}

TEST_F(StateMachineGroupTest, PlaysItsTransitionsByKeyFrames)
{
    EXPECT_TRUE(log.Contains("string extension_finished (type = echo) is redundant and was ignored"));
    EXPECT_TRUE(log.Contains("transition still does not change anything"));

    ASSERT_TRUE(turret->Execute("open"));
    Step(*turret, 0.25f);
    EXPECT_FLOAT_EQ(45.f, turret->GetPartRotation("a"));
    EXPECT_FLOAT_EQ(30.f, turret->GetBoundary()->GetCircles()[3].GetCenter().x);
    EXPECT_TRUE(signals.empty());
    EXPECT_TRUE(HasMuzzle("a|muzzle"));
    Step(*turret, 0.25f);
    EXPECT_FLOAT_EQ(90.f, turret->GetPartRotation("a"));
    EXPECT_FALSE(HasMuzzle("a|muzzle")) << "a|explode was called";
    EXPECT_EQ(std::vector<std::string>{"extension_finished"}, signals);
    Step(*turret, 0.25f);
    EXPECT_EQ(1u, signals.size());

    // Reset stops what runs; the handler stays.
    ASSERT_TRUE(turret->Execute("open"));
    Step(*turret, 0.25f);
    turret->Reset();
    Step(*turret, 1.f);
    EXPECT_EQ(1u, signals.size());
    EXPECT_FLOAT_EQ(0.f, turret->GetPartRotation("a"));
    EXPECT_TRUE(turret->Execute("c|wave"));
    Step(*turret, 0.f);
    EXPECT_EQ("c|waved", signals.back());

    // A transition with no effect can be started all the same.
    EXPECT_TRUE(turret->Execute("still"));
    Step(*turret, 0.1f);
}

// A transition started from inside a running one, by one of its own calls or
// by the holder's handler, takes over; the one it replaced is not touched
// again. The sanitizer build checks that nothing freed is read meanwhile.
TEST_F(StateMachineGroupTest, TransitionStartedWhileOneRunsTakesOver)
{
    ASSERT_TRUE(turret->Execute("restart"));
    Step(*turret, 0.f);
    Step(*turret, 0.5f);
    EXPECT_EQ(std::vector<std::string>{"extension_finished"}, signals);
    Step(*turret, 2.f);
    EXPECT_EQ(1u, signals.size()) << "the rest of restart was dropped";
    EXPECT_FLOAT_EQ(0.f, turret->GetBoundary()->GetCircles()[0].GetCenter().y) << "b never moved";

    // The holder's handler starts the transition again from inside its own walk.
    bool again = true;
    turret->SetSignalHandler([this, &again](const std::string& signal) {
        signals.push_back(signal);
        if (again)
            turret->Execute("open");
        again = false;
    });
    ASSERT_TRUE(turret->Execute("open"));
    Step(*turret, 0.5f);
    EXPECT_EQ(2u, signals.size());
    Step(*turret, 0.25f);
    EXPECT_EQ(2u, signals.size());
    Step(*turret, 0.25f);
    EXPECT_EQ(3u, signals.size()) << "the open started by the handler ran to its end";

    // Without a handler a signal is dropped.
    const stable_ptr<StateMachineBase> quiet = Machine("turret.statemachine");
    ASSERT_TRUE(quiet->Execute("open"));
    EXPECT_NO_THROW(Step(*quiet, 1.f));
}

TEST_F(StateMachineGroupTest, FirstLayoutAndEmptyGroups)
{
    const stable_ptr<StateMachineBase> flat = Machine("flat.statemachine");
    EXPECT_TRUE(flat->HasPart("left"));
    EXPECT_EQ(4u, flat->GetBoundary()->GetCircles().size());
    EXPECT_FALSE(flat->Execute("open"));
    EXPECT_TRUE(log.Contains("transition open could not be started because it's not available"));
    EXPECT_EQ(-20.f, flat->GetBoundary()->GetCircles()[0].GetCenter().x);

    // Each part draws its active state where it stands: the first marker frame
    // is red left of its pivot.
    sf::RenderWindow& window = OpenWindow(100, 60);
    flat->SetPosition(50.f, 30.f);
    flat->Draw(false, sf::Color::White);
    flat->DrawDebugInformation();
    const sf::Image picture = Capture();
    for (const float x : {30.f, 70.f})
    {
        EXPECT_EQ(sf::Color::Red, picture.getPixel(x - 4, 34)) << x;
        EXPECT_EQ(sf::Color::White, picture.getPixel(x + 4, 34)) << x;
    }
    window.close();

    const stable_ptr<Shadow> shadow = flat->EnableShadow();
    EXPECT_EQ(shadow, flat->EnableShadow());
    flat->Reset();
    EXPECT_EQ(shadow, flat->EnableShadow()) << "a group keeps its shadow over a reset";
    flat->DisableShadow();
    EXPECT_TRUE(shadow->IsExpired());

    // Made but not loaded: no parts, nothing to check for.
    StateMachineGroup empty;
    empty.SetPosition(5.f, 6.f);
    empty.Draw(false, sf::Color::White);
    EXPECT_TRUE(empty.GetBoundary()->GetCircles().empty());
    EXPECT_EQ(sf::Vector2f(5.f, 6.f), empty.GetBoundary()->GetPosition());
    EXPECT_FALSE(empty.HasPart("a"));
    EXPECT_EQ("no parts in state machine group", ThrownMessage<LogicError>([&] { empty.EnableShadow(); }));
}
