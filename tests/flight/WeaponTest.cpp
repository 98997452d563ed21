#include "flight/Weapon.hpp"

#include "flight/EquipmentFixture.hpp"
#include "flight/ShotBase.hpp"
#include "presentation/Angles.hpp"
#include "presentation/SoundEmitter.hpp"
#include "support/HeldClock.hpp"
#include "support/ThrownMessage.hpp"

using namespace Kestrum;
using Kestrum::Testing::IncrementXml;
using Kestrum::Testing::MuzzleXml;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class WeaponTest : public Kestrum::Testing::EquipmentFixture
    {
    protected:
        std::vector<stable_ptr<ShotBase>> Shots() const
        {
            const auto set = objects->GetObjects<ShotBase>();
            return std::vector<stable_ptr<ShotBase>>(set.begin(), set.end());
        }
    };
}

TEST_F(WeaponTest, VolleysLeaveFromTheMuzzlesWhenReloaded)
{
    EnterFlight();
    WriteWeapon("100", IncrementXml("4", 0, MuzzleXml(0.f, 12.f, 0.f, 0, 3, 1.f) + MuzzleXml(10.f, 0.f, 8.f, 0, 2, 1.f)),
                "<sound>$resources|equipment|weapons|000|fire.wav</sound>");
    const stable_ptr<Weapon> weapon = weapons->CreatePlayerWeapon("wpn100");
    EXPECT_EQ("wpn100", weapon->GetID());
    EXPECT_EQ("Damage: 5", weapon->GetDetails(0).value());
    EXPECT_EQ("Shots/Second: 4", weapon->GetDetails(1).value());
    EXPECT_FALSE(weapon->GetDetails(2));
    EXPECT_FLOAT_EQ(768.f, weapon->GetAverageShotSpeed());

    // Paused, or from outside the play field: nothing leaves, and the weapon stays ready.
    weapon->Reset();
    time->paused = true;
    weapon->Fire({600.f, 400.f}, -90.f);
    time->paused = false;
    weapon->Fire({197.f, 400.f}, -90.f);
    EXPECT_TRUE(Shots().empty());

    const Kestrum::Testing::HeldClock clock;
    weapon->Fire({600.f, 400.f}, -90.f);
    std::vector<stable_ptr<ShotBase>> shots = Shots();
    ASSERT_EQ(2u, shots.size());
    EXPECT_EQ(1u, objects->GetObjects<SoundEmitter>().size());
    for (const stable_ptr<ShotBase>& shot : shots)
    {
        EXPECT_FALSE(shot->IsHostile());
        if (shot->GetDamage() == 3)
        {
            // 12 pixels ahead of the ship, straight up at one window height per second.
            EXPECT_NEAR(600.f, shot->GetPosition().x, 1e-3f);
            EXPECT_NEAR(388.f, shot->GetPosition().y, 1e-3f);
            EXPECT_NEAR(0.f, shot->GetVelocity().x, 1e-3f);
            EXPECT_NEAR(-768.f, shot->GetVelocity().y, 1e-3f);
        }
        else
        {
            // 8 pixels to the right, 10 degrees right of vertical.
            EXPECT_NEAR(608.f, shot->GetPosition().x, 1e-3f);
            EXPECT_NEAR(400.f, shot->GetPosition().y, 1e-3f);
            EXPECT_NEAR(280.f, GetAngle(shot->GetVelocity()), 1e-3f);
        }
    }

    // The next volley waits for the reload time of a quarter second.
    clock.Advance(0.24);
    weapon->Fire({600.f, 400.f}, -90.f);
    EXPECT_EQ(2u, Shots().size());
    clock.Advance(0.02);
    weapon->Fire({600.f, 400.f}, -90.f);
    EXPECT_EQ(4u, Shots().size());

    // A copy has timers of its own; without reload gating every call fires.
    const auto copy = dynamic_stable_ptr_cast<Weapon>(weapon->Clone());
    copy->Reset();
    copy->Fire({600.f, 400.f}, 0.f);
    EXPECT_EQ(6u, Shots().size());
    weapon->SetReloadGated(false);
    weapon->Fire({600.f, 400.f}, -90.f);
    weapon->Fire({600.f, 400.f}, -90.f);
    EXPECT_EQ(10u, Shots().size());
}

TEST_F(WeaponTest, IncrementsAndPrices)
{
    WriteWeapon("101", IncrementXml("2", 1, MuzzleXml(0.f, 0.f, 0.f, 0, 1, 1.f), 300) +
                           IncrementXml("4.5", 0, MuzzleXml(0.f, 0.f, 0.f, 0, 1, 1.f), 200) +
                           IncrementXml("8", 2, MuzzleXml(0.f, 0.f, 0.f, 0, 4, 1.f), 900));
    const stable_ptr<Weapon> weapon = weapons->CreatePlayerWeapon("101");
    EXPECT_EQ("wpn101", weapon->GetID());
    EXPECT_EQ((std::vector<unsigned long>{200, 300, 900}), weapon->GetPrices());
    EXPECT_EQ("Shots/Second: 4", weapon->GetDetails(1).value());
    EXPECT_EQ(200u, weapon->GetPrice());
    EXPECT_EQ("invalid index 3 for 3 increments",
              ThrownMessage<OutOfRangeError>([&] { weapon->SetActiveIncrement(3); }));
    weapon->SetActiveIncrement(2);
    EXPECT_EQ(900u, weapon->GetPrice());
    EXPECT_EQ("Damage: 4", weapon->GetDetails(0).value());
    // The copy keeps its own level.
    const stable_ptr<Sellable> copy = weapon->Clone();
    copy->SetActiveIncrement(0);
    EXPECT_EQ(2u, weapon->GetActiveIncrement());
    EXPECT_NE(weapon->GetIcon().get(), copy->GetIcon().get());
}

TEST_F(WeaponTest, DefinitionsAndNamesAreChecked)
{
    const std::string muzzle = MuzzleXml(0.f, 0.f, 0.f, 0, 1, 1.f);
    WriteWeapon("102", IncrementXml("2", 0, muzzle) + IncrementXml("2", 2, muzzle));
    WriteWeapon("103", IncrementXml("2", 0, muzzle) + IncrementXml("2", 0, muzzle));
    WriteWeapon("104", IncrementXml("0", 0, muzzle));
    WriteWeapon("105", IncrementXml("-2", 0, muzzle));
    WriteWeapon("106", "");
    WriteWeapon("107", "<increment version='2' frequency='1' price='1' level='0'/>");
    WriteWeapon("108", IncrementXml("2", 4000000000u, muzzle));
    const struct
    {
        std::string name;
        bool hostile;
        std::string message;
    } failures[] = {
        {"42", false, "42 does not have length 3"},
        {"4a2", false, "4a2 must not contain non-digits"},
        {"shd007", false, "shd007 is not of type wpn"},
        {"499", true, "can not create enemy weapon from player weapon details"},
        {"500", false, "can not create player weapon from enemy weapon details"},
        {"wpn500", false, "can not create player weapon from enemy weapon details"},
        {"102", false, "resources/equipment/weapons/102/details.xml: increments has at least one default element"},
        {"103", false, "resources/equipment/weapons/103/details.xml: redundant increments for level 0"},
        {"104", false, "resources/equipment/weapons/104/details.xml: frequency must be positive"},
        {"105", false, "resources/equipment/weapons/105/details.xml: frequency must be positive"},
        {"106", false,
         "no increments found in resources|equipment|weapons|106|details.xml"},
        {"107", false,
         "resources/equipment/weapons/107/details.xml:1: highest supported version of increment is 1, encountered "
         "version 2"},
        {"108", false, "resources/equipment/weapons/108/details.xml: increments has at least one default element"},
    };
    for (const auto& failure : failures)
        EXPECT_EQ(failure.message, ThrownMessage<Exception>([&] {
                      if (failure.hostile)
                          weapons->CreateEnemyWeapon(failure.name);
                      else
                          weapons->CreatePlayerWeapon(failure.name);
                  })) << failure.name;

    // The bare number and the identifier make the same weapon; enemy weapons are
    // hostile and not offered.
    EXPECT_EQ(weapons->CreatePlayerWeapon("wpn001")->GetID(), weapons->CreatePlayerWeapon("001")->GetID());
    EXPECT_TRUE(weapons->CreateEnemyWeapon("504")->IsHostile());
    const std::set<std::string> types = weapons->GetWeaponTypes();
    EXPECT_TRUE(types.count("wpn000") && types.count("wpn001") && types.count("wpn002"));
    EXPECT_FALSE(types.count("wpn500"));

    WeaponFactory unloaded;
    EXPECT_EQ("forgot to call WeaponFactory::Load()?",
              ThrownMessage<LogicError>([&] { unloaded.CreatePlayerWeapon("000"); }));
    EXPECT_EQ("redundant loading of WeaponFactory", ThrownMessage<LogicError>([&] { weapons->Load(); }));
}
