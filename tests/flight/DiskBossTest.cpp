#include "flight/DiskBoss.hpp"

#include "flight/Behaviour.hpp"
#include "flight/DiskBossBehaviour.hpp"
#include "flight/EnemyFixture.hpp"
#include "flight/ShotBase.hpp"
#include "presentation/Angles.hpp"
#include "presentation/ParticleSystem.hpp"
#include "presentation/Shadow.hpp"
#include "presentation/SoundEmitter.hpp"
#include "presentation/StateMachineBase.hpp"
#include "support/ThrownMessage.hpp"

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    const std::string bossFolder = "resources/enemies/airbosss/001/";

    class DiskBossTest : public Kestrum::Testing::EnemyFixture
    {
    protected:
        // The shipped definition with some values replaced; every wait of 0 is
        // over at once.
        void WriteDetails(const std::map<std::string, std::string>& values)
        {
            std::map<std::string, std::string> details = {
                {"score_points", "5000"},       {"hit_points", "101"},      {"initial_rotation_speed", "30"},
                {"initial_movement_speed", "1"}, {"dwell_duration", "1000"}, {"slots_open_duration", "1000"},
                {"slot_closed_duration", "0"},  {"shot_delay", "0"},        {"weapon", "504"},
                {"smoke_effect", "104"},        {"machine_sound", "machine.wav"}, {"playfield_margin", "100"}};
            for (const auto& value : values)
                details[value.first] = value.second;
            std::string text = "<?xml version='1.0'?><!-- test boss --><boss>";
            for (const auto& value : details)
                text += "<" + value.first + ">" + value.second + "</" + value.first + ">";
            root.WriteFile(bossFolder + "details.xml", text + "</boss>");
        }

        // Replaces a text everywhere in a file of the boss's folder.
        void Edit(const std::string& file, const std::string& from, const std::string& to)
        {
            std::ifstream in(root.GetPath() / (bossFolder + file));
            std::string text((std::istreambuf_iterator<char>(in)), {});
            ASSERT_NE(std::string::npos, text.find(from)) << from;
            for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
                text.replace(at, from.size(), to);
            root.WriteFile(bossFolder + file, text);
        }

        stable_ptr<DiskBoss> Place(const sf::Vector2f& position)
        {
            const auto boss =
                create_stable_ptr(std::dynamic_pointer_cast<DiskBoss>(enemies->Create("airboss001").get_shared()));
            boss->Reset(position);
            objects->Add(boss);
            return boss;
        }

        template <typename T>
        std::size_t Count() const
        {
            return objects->GetObjects<T>().size();
        }
    };
}

TEST_F(DiskBossTest, FliesInRestsOpensItsSlotsAndFiresFromEach)
{
    WriteDetails({{"initial_movement_speed", "0.5"}});
    const stable_ptr<DiskBoss> boss = Place({614.f, -100.f});
    const DiskBossBehaviour& behaviour = boss->GetBehaviour();
    StateMachineBase& body = *behaviour.GetStateMachine();
    EXPECT_EQ(5000u, boss->GetScorePoints());
    EXPECT_FLOAT_EQ(1.f, boss->GetHealthRatio());
    // The smoke and the drone enter the level with the boss, the shadow at its first step.
    EXPECT_EQ(1u, Count<ParticleSystem>());
    EXPECT_EQ(1u, Count<SoundEmitter>());
    EXPECT_EQ(0u, Count<Shadow>());

    // Flying in to the centre of the field at 0.5 x 768 pixels a second, turning 30 degrees a second.
    RunFrames(1);
    EXPECT_EQ(1u, Count<Shadow>());
    EXPECT_EQ(DiskBossBehaviour::Appear, behaviour.GetState());
    EXPECT_NEAR(-100.f + 384.f * frame, body.GetPositionY(), 1e-3f);
    EXPECT_NEAR(30.f * frame, body.GetRotation(), 1e-4f);
    EXPECT_NEAR(-100.f + 384.f * frame, objects->GetObjects<ParticleSystem>().begin()->get()->GetPositionY(), 1e-3f);
    // 484 pixels take 76 frames; the slots stay shut meanwhile.
    RunFrames(74);
    EXPECT_EQ(DiskBossBehaviour::Appear, behaviour.GetState());
    EXPECT_EQ(DiskBossBehaviour::Closed, behaviour.GetSlotState(0));
    RunFrames(1);
    ASSERT_EQ(DiskBossBehaviour::Dwell, behaviour.GetState());
    EXPECT_EQ(sf::Vector2f(614.f, 384.f), boss->GetPosition());

    // Resting, the slots open (their closed time is over) and report once they are out.
    RunFrames(1);
    for (unsigned slot = 0; slot < 4; ++slot)
        EXPECT_EQ(DiskBossBehaviour::Opening, behaviour.GetSlotState(slot)) << slot;
    int frames = 0;
    while (behaviour.GetSlotState(0) != DiskBossBehaviour::Open && frames < 40)
        RunFrames(1), ++frames;
    EXPECT_NEAR(30, frames, 1);
    for (unsigned slot = 0; slot < 4; ++slot)
        EXPECT_EQ(DiskBossBehaviour::Open, behaviour.GetSlotState(slot)) << slot;
    EXPECT_EQ(0u, Count<ShotBase>());

    // Open: every slot fires outwards along its barrel, from beyond the rim.
    RunFrames(1);
    const auto shots = objects->GetObjects<ShotBase>();
    ASSERT_EQ(4u, shots.size());
    for (const stable_ptr<ShotBase>& shot : shots)
    {
        const sf::Vector2f out = shot->GetPosition() - boss->GetPosition();
        EXPECT_GT(std::hypot(out.x, out.y), 140.f);
        EXPECT_NEAR(0.f, AngleDifference(GetAngle(out), GetAngle(shot->GetVelocity())), 0.5f);
    }
    RunFrames(1);
    EXPECT_EQ(8u, Count<ShotBase>());
    EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();
}

TEST_F(DiskBossTest, GoesWildOnceBelowHalfItsHitPoints)
{
    // Resting no time, flying fast: it picks a new point every second frame.
    WriteDetails({{"dwell_duration", "0"}, {"initial_movement_speed", "100"}, {"slot_closed_duration", "1000"}});
    const stable_ptr<DiskBoss> boss = Place({614.f, 384.f});
    const DiskBossBehaviour& behaviour = boss->GetBehaviour();
    StateMachineBase& body = *behaviour.GetStateMachine();
    const EdgeRect field = GetFlightArea();
    const EdgeRect upper = behaviour.GetMovementArea();
    EXPECT_EQ(field.left + 100.f, upper.left);
    EXPECT_EQ(field.top + 100.f, upper.top);
    EXPECT_FLOAT_EQ(field.top + 100.f + (field.bottom - field.top - 200.f) / 3.f, upper.bottom);

    // Turning per frame, and whether the points it picks stay in the upper area.
    auto roam = [&](int frames) {
        float turned = 0.f;
        for (int i = 0; i < frames; ++i)
        {
            const float before = body.GetRotation();
            RunFrames(1);
            turned = std::fmod(body.GetRotation() - before + 360.f, 360.f);
            if (behaviour.GetState() == DiskBossBehaviour::Approach)
            {
                EXPECT_TRUE(behaviour.GetMovementArea().Contains(behaviour.GetTarget()));
            }
        }
        return turned;
    };
    EXPECT_NEAR(30.f * frame, roam(10), 1e-3f);
    EXPECT_EQ(Damaged, boss->ApplyDamage(51));
    EXPECT_NEAR(30.f * frame, roam(10), 1e-3f);
    EXPECT_EQ(upper.bottom, behaviour.GetMovementArea().bottom);
    EXPECT_FLOAT_EQ(50.f / 101.f, boss->GetHealthRatio());

    EXPECT_EQ(Damaged, boss->ApplyDamage(1));
    EXPECT_NEAR(60.f * frame, roam(10), 1e-3f);
    EXPECT_EQ(field.bottom - 100.f, behaviour.GetMovementArea().bottom);
    // Once only: further hits do not speed it up again.
    EXPECT_EQ(Damaged, boss->ApplyDamage(40));
    EXPECT_NEAR(60.f * frame, roam(10), 1e-3f);

    // A margin wider than the field leaves two pixels of its shorter side.
    WriteDetails({{"playfield_margin", "100000"}});
    const EdgeRect narrow = Place({614.f, 384.f})->GetBehaviour().GetMovementArea();
    EXPECT_FLOAT_EQ(832.f - 766.f, narrow.right - narrow.left);
    EXPECT_NEAR(2.f / 3.f, narrow.bottom - narrow.top, 1e-4f);
}

TEST_F(DiskBossTest, ShotDownWhileFlyingInItExplodesAndItsSmokeAndDroneEnd)
{
    WriteDetails({});
    const stable_ptr<DiskBoss> boss = Place({614.f, -100.f});
    RunFrames(1);
    EXPECT_EQ(NoDamage, boss->ApplyDamage(0));
    EXPECT_EQ(Destroyed, boss->ApplyDamage(101));
    EXPECT_EQ(AlreadyDestroyed, boss->ApplyDamage(1));
    EXPECT_FLOAT_EQ(0.f, boss->GetHealthRatio());
    RunFrames(1);
    EXPECT_EQ(DiskBossBehaviour::Die, boss->GetBehaviour().GetState());
    RunFrames(1);
    EXPECT_TRUE(boss->IsExpired());
    // The boss and its shadow leave; the drone has stopped; the smoke, no longer
    // fed, dies out once it has left the view.
    RunFrames(1);
    EXPECT_EQ(0u, Count<DiskBoss>());
    EXPECT_EQ(0u, Count<Shadow>());
    EXPECT_EQ(0u, Count<SoundEmitter>());
    for (int i = 0; i < 600 && Count<ParticleSystem>() > 0; ++i)
        RunFrames(1);
    EXPECT_EQ(0u, Count<ParticleSystem>());

    // A definition without hit points is refused.
    WriteDetails({{"hit_points", "0"}});
    EXPECT_EQ("resources/enemies/airbosss/001/details.xml: no hit points",
              ThrownMessage<LogicError>([&] { DiskBoss::Create(); }));
    EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();
}

TEST_F(DiskBossTest, OnlySlotSignalsMoveTheSlots)
{
    WriteDetails({});
    const stable_ptr<DiskBoss> boss = Place({614.f, 300.f});
    auto& behaviour = const_cast<DiskBossBehaviour&>(boss->GetBehaviour());
    behaviour.Signal("slot3|opened");
    EXPECT_EQ(DiskBossBehaviour::Open, behaviour.GetSlotState(3));
    for (const char* signal : {"slot4|opened", "slotx|opened", "slot0|open", "slot0-opened", "Slot0|opened",
                               "slot3|closer", "slot3|closed|", "kill_me", ""})
    {
        behaviour.Signal(signal);
        EXPECT_TRUE(log.Contains(std::string("received unexpected signal ") + signal)) << signal;
    }
    for (unsigned slot = 0; slot < 3; ++slot)
        EXPECT_EQ(DiskBossBehaviour::Closed, behaviour.GetSlotState(slot));
    EXPECT_EQ(DiskBossBehaviour::Open, behaviour.GetSlotState(3));
    behaviour.Signal("slot3|closed");
    EXPECT_EQ(DiskBossBehaviour::Closed, behaviour.GetSlotState(3));
}

TEST_F(DiskBossTest, RefusesABodyWithoutItsPartsSocketsAndTransitions)
{
    WriteDetails({});
    const std::string shipped[] = {"ingame.statemachine", "slot.statemachine", "weapon.statemachine"};
    std::map<std::string, std::string> original;
    for (const std::string& file : shipped)
    {
        std::ifstream in(root.GetPath() / (bossFolder + file));
        original[file] = std::string((std::istreambuf_iterator<char>(in)), {});
    }
    const struct
    {
        const char* file;
        const char* from;
        const char* to;
        const char* message;
    } cases[] = {
        {"ingame.statemachine", "name=\"body\"", "name=\"disk\"", "part body is missing"},
        {"ingame.statemachine", "name=\"slot2\"", "name=\"slot9\"", "part slot2 is missing"},
        {"slot.statemachine", "name=\"weapon\"", "name=\"gun\"", "slot0|weapon is missing"},
        {"weapon.statemachine", "name=\"muzzle\"", "name=\"nozzle\"", "muzzle of slot0|weapon is missing"},
        {"ingame.statemachine", "name=\"explode\"", "name=\"burst\"", "transition explode is missing"},
    };
    for (const auto& test : cases)
    {
        Edit(test.file, test.from, test.to);
        EXPECT_EQ("resources/enemies/airbosss/001/details.xml: " + std::string(test.message),
                  ThrownMessage<LogicError>([&] { DiskBoss::Create(); }))
            << test.message;
        root.WriteFile(bossFolder + test.file, original[test.file]);
    }

    // The slots' transitions are asked for when they are used.
    Edit("slot.statemachine", "name=\"open\"", "name=\"unfold\"");
    const stable_ptr<DiskBoss> boss = Place({614.f, 384.f});
    RunFrames(1);
    EXPECT_EQ("transaction slot0|open is missing", ThrownMessage<ResourceMissingError>([&] { RunFrames(1); }));
}
