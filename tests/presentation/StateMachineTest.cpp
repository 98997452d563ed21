#include "presentation/StateMachine.hpp"

#include "core/XmlReading.hpp"
#include "presentation/CircleList.hpp"
#include "presentation/MachineFixture.hpp"
#include "presentation/ResourceDefinition.hpp"
#include "presentation/Shadow.hpp"
#include "presentation/State.hpp"
#include "support/ThrownMessage.hpp"

#include <limits>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class StateMachineTest : public Testing::MachineFixture
    {
    protected:
        // A state of the test ship, made on its own: the state element with the
        // attribute of that value.
        stable_ptr<State> ShipState(const char* attribute, const char* value)
        {
            const std::string path = "resources|machines|ship.statemachine";
            const stable_ptr<pugi::xml_document> document = LoadResourceDocument(path);
            const pugi::xml_node element =
                document->child("state_machine").child("states").find_child_by_attribute("state", attribute, value);
            return GetFromRegistry<ResourceManager>()->CreateState(path, element);
        }

        static std::vector<Socket> Sockets(StateMachineBase& machine)
        {
            Socket socket;
            if (!machine.GetSocket("muzzle", socket))
                return {};
            return {socket};
        }
    };

    void ExpectSocket(const Socket& socket, float x, float y, float orientation)
    {
        EXPECT_EQ("muzzle", socket.name);
        EXPECT_NEAR(x, socket.position.x, 1e-3f);
        EXPECT_NEAR(y, socket.position.y, 1e-3f);
        EXPECT_FLOAT_EQ(orientation, socket.orientation);
    }
}

TEST_F(StateMachineTest, SocketsFollowTheirState)
{
    const stable_ptr<State> idle = ShipState("name", "idle");
    EXPECT_EQ("idle", idle->GetName());
    EXPECT_FALSE(idle->GetTransitionAtExit());
    EXPECT_EQ((std::map<std::string, std::string>{{"explode", "boom"}, {"fire", "idle"}, {"stick", "stuck"}}),
              idle->GetTransitions());

    // Defined at (40, 10) about the centre (32, 32): (8, -22), turned by 90.
    idle->SetPosition(100.f, 200.f);
    idle->SetRotation(90.f);
    std::vector<Socket> sockets = idle->GetSockets();
    ASSERT_EQ(2u, sockets.size()) << "both sockets named muzzle, in the order of the file";
    ExpectSocket(sockets[0], 122.f, 208.f, 180.f);
    ExpectSocket(sockets[1], 132.f, 200.f, 360.f);
    EXPECT_EQ(90.f, idle->GetRotation());

    idle->MovePositionX(5.f);
    ExpectSocket(idle->GetSockets()[0], 127.f, 208.f, 180.f);
    idle->SetRotation(0.f);
    ExpectSocket(idle->GetSockets()[0], 113.f, 178.f, 90.f);
    EXPECT_FLOAT_EQ(105.f, idle->GetBoundary()->GetPosition().x);

    idle->Reset();
    EXPECT_EQ(sf::Vector2f(0.f, 0.f), idle->GetPosition());
    ExpectSocket(idle->GetSockets()[0], 8.f, -22.f, 90.f);

    // Version 1 reads no sockets; only the first exit transition counts.
    const stable_ptr<State> boom = ShipState("definition_source", "file");
    EXPECT_TRUE(boom->GetSockets().empty());
    EXPECT_EQ("idle", boom->GetTransitionAtExit().value_or("none"));
    EXPECT_TRUE(boom->GetTransitions().empty());
}

TEST_F(StateMachineTest, CommandsAndExitTransitionsChangeTheActiveState)
{
    const stable_ptr<StateMachineBase> ship = Machine("ship.statemachine");
    EXPECT_EQ((std::set<std::string>{"explode", "fire", "stick"}), ship->GetAllTransitions());
    EXPECT_EQ(2u, ship->GetBoundary()->GetCircles().size());

    EXPECT_TRUE(ship->Execute("|explode|"));
    EXPECT_TRUE(Sockets(*ship).empty()) << "boom is active and has no sockets";
    EXPECT_TRUE(ship->GetBoundary()->GetCircles().empty());
    Socket untouched;
    untouched.name = "kept";
    EXPECT_FALSE(ship->GetSocket("muzzle", untouched));
    EXPECT_EQ("kept", untouched.name);
    // Only idle has fire: not a command boom takes, yet the machine has it.
    EXPECT_FALSE(ship->Execute("fire"));
    EXPECT_TRUE(ship->HasTransition("fire"));
    EXPECT_TRUE(ship->HasSocket("muzzle|ignored"));
    EXPECT_FALSE(ship->HasSocket("smoke"));

    // Half a second in two frames; the update after that goes back to idle.
    Step(*ship, 0.25f);
    Step(*ship, 0.25f);
    EXPECT_TRUE(Sockets(*ship).empty());
    Step(*ship, 0.25f);
    EXPECT_EQ(1u, Sockets(*ship).size());

    // An exit that names no state is never taken.
    EXPECT_TRUE(ship->Execute("stick"));
    for (int frame = 0; frame < 4; ++frame)
        Step(*ship, 0.25f);
    EXPECT_FALSE(ship->Execute("fire"));

    const struct
    {
        const char* path;
        const char* message;
    } refused[] = {{"part|explode", "invalid transition path: part|explode"},
                   {"", "transition name is empty"},
                   {"|", "transition name is empty"}};
    for (const auto& each : refused)
        EXPECT_EQ(each.message, ThrownMessage<InvalidArgumentError>([&] { ship->Execute(each.path); }));
    Socket socket;
    EXPECT_EQ("socket name is empty", ThrownMessage<InvalidArgumentError>([&] { ship->GetSocket("||", socket); }));
    EXPECT_EQ("invalid socket path: head|muzzle",
              ThrownMessage<InvalidArgumentError>([&] { ship->GetSocket("head|muzzle", socket); }));
    for (const auto& attempt : std::vector<std::function<void()>>{
             [&] { ship->RotatePart("a", 1.f, 1.f); }, [&] { ship->RotatePart("a", sf::Vector2f(), 1.f); },
             [&] { ship->GetPartRotation("a"); }})
        EXPECT_EQ("StateMachine can not have parts", ThrownMessage<LogicError>(attempt));
    EXPECT_FALSE(ship->HasPart("a"));
}

TEST_F(StateMachineTest, PlacesAndTurnsTheActiveState)
{
    const stable_ptr<StateMachineBase> ship = Machine("ship.statemachine");
    ship->SetPosition(10.f, 0.f);
    ship->MovePositionX(5.f);
    EXPECT_EQ(sf::Vector2f(15.f, 0.f), ship->GetPosition());
    ExpectSocket(Sockets(*ship).at(0), 23.f, -22.f, 90.f);

    ship->SetRotation(-30.f);
    EXPECT_FLOAT_EQ(330.f, ship->GetRotation());
    ship->SetRotation(725.f);
    EXPECT_FLOAT_EQ(5.f, ship->GetRotation());
    ship->SetRotation(-std::numeric_limits<float>::infinity());
    EXPECT_EQ(0.f, ship->GetRotation());
    ship->SetRotation(-30.f);
    // The state restarted by fire is turned by the machine's rotation too.
    EXPECT_TRUE(ship->Execute("fire"));
    // (8, -22) turned by 330: (8 cos 30 - 22 sin 30, -8 sin 30 - 22 cos 30).
    ExpectSocket(Sockets(*ship).at(0), 15.f + 6.928203f - 11.f, -4.f - 19.052559f, 420.f);

    // Toward 10 from 350 at 90 degrees a second in tenths of a second.
    FrameClock::SetFrameTime(0.1f);
    ship->SetRotation(350.f);
    EXPECT_FALSE(ship->Rotate(10.f, 90.f));
    EXPECT_FLOAT_EQ(359.f, ship->GetRotation());
    EXPECT_FALSE(ship->Rotate(10.f, 90.f));
    EXPECT_FLOAT_EQ(8.f, ship->GetRotation());
    EXPECT_TRUE(ship->Rotate(10.f, 90.f));
    EXPECT_FLOAT_EQ(10.f, ship->GetRotation());

    // Reset: the initial state at (0, 0), turned 0, without a shadow.
    const stable_ptr<Shadow> shadow = ship->EnableShadow();
    EXPECT_EQ(shadow, ship->EnableShadow());
    EXPECT_TRUE(ship->Execute("explode"));
    ship->Reset();
    EXPECT_TRUE(shadow->IsExpired());
    EXPECT_EQ(sf::Vector2f(0.f, 0.f), ship->GetPosition());
    EXPECT_EQ(0.f, ship->GetRotation());
    ExpectSocket(Sockets(*ship).at(0), 8.f, -22.f, 90.f);
    const stable_ptr<Shadow> second = ship->EnableShadow();
    EXPECT_NE(shadow, second);
    EXPECT_FALSE(second->IsExpired());
    ship->DisableShadow();
    EXPECT_TRUE(second->IsExpired());

    StateMachine unloaded;
    EXPECT_EQ("forgot to call Load()?", ThrownMessage<LogicError>([&] { unloaded.Execute("fire"); }));
    EXPECT_EQ("forgot to call Load()?", ThrownMessage<LogicError>([&] { unloaded.SetPositionX(1.f); }));
}
