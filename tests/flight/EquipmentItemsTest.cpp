// Shields, hulls, the equipment factory, item copies, slots and pick-ups, and
// every item of the game's data tree.
#include "flight/EquipmentFixture.hpp"
#include "flight/EquipmentIcon.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Hull.hpp"
#include "flight/Shield.hpp"
#include "flight/Upgrade.hpp"
#include "flight/Weapon.hpp"
#include "presentation/Animation.hpp"
#include "support/HeldClock.hpp"
#include "support/ThrownMessage.hpp"

#include <SFML/Graphics/Texture.hpp>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class EquipmentItemsTest : public Kestrum::Testing::EquipmentFixture
    {
    };
}

TEST_F(EquipmentItemsTest, ShieldsGoDownAndRecover)
{
    root.WriteFile("resources/equipment/shields/003/details.xml",
                   "<shield><name>Test Shield</name><price>250</price><recovery_time>0.2</recovery_time>"
                   "<invincible_time>1.5</invincible_time></shield>");
    std::filesystem::copy(root.GetPath() / "resources/equipment/shields/000/icons",
                          root.GetPath() / "resources/equipment/shields/003/icons");
    const stable_ptr<Shield> shield = shields->Create("shd003");
    EXPECT_EQ("shd003", shield->GetID());
    EXPECT_EQ(shield->GetID(), shields->Create("003")->GetID());
    EXPECT_TRUE(shield->IsReady());
    EXPECT_EQ("Recovery Time: 0.2", shield->GetDetails(0).value());
    EXPECT_EQ("Invincibility Time: 1.5", shield->GetDetails(1).value());
    EXPECT_FALSE(shield->GetDetails(2));
    EXPECT_EQ(250u, shield->GetPrice());
    EXPECT_EQ("no increments supported yet", ThrownMessage<NotSupportedError>([&] { shield->SetActiveIncrement(1); }));

    const Kestrum::Testing::HeldClock clock;
    shield->StartRecovery();
    clock.Advance(0.19);
    EXPECT_FALSE(shield->IsReady());
    EXPECT_TRUE(dynamic_stable_ptr_cast<Shield>(shield->Clone())->IsReady()) << "a copy starts up";
    clock.Advance(0.02);
    EXPECT_TRUE(shield->IsReady());
    shield->StartRecovery();
    shield->SetActiveIncrement(0);
    EXPECT_TRUE(shield->IsReady());
    shield->StartRecovery();
    shield->Reset();
    EXPECT_TRUE(shield->IsReady());

    EXPECT_EQ("hll003 is not a shield", ThrownMessage<RuntimeError>([&] { shields->Create("hll003"); }));
    EXPECT_EQ("shd01x is no equipment ID (second part contains non-digits)",
              ThrownMessage<ParseError>([&] { shields->Create("shd01x"); }));
    // The definition is read once: later shields are copies, with no file access.
    std::filesystem::remove_all(root.GetPath() / "resources/equipment/shields/003");
    EXPECT_EQ("Test Shield", shields->Create("shd003")->GetName());

    EXPECT_EQ((std::set<std::string>{"shd000", "shd001"}), shields->GetShieldTypes());
    EXPECT_EQ("redundant loading of ShieldFactory", ThrownMessage<LogicError>([&] { shields->Load(); }));
    EXPECT_EQ("forgot to call ShieldFactory::Load()?",
              ThrownMessage<LogicError>([] { ShieldFactory().GetShieldTypes(); }));
}

TEST_F(EquipmentItemsTest, HullsOwnTheirSlotsAndCopiesOwnTheirItems)
{
    root.WriteFile("resources/equipment/hulls/005/details.xml",
                   "<hull><name>Test Hull</name><price>700</price><strength>120</strength><slots>"
                   "<slot x='10' y='20'>wpn</slot><slot x='30' y='20'>wpn</slot><slot x='20' y='60'>shd</slot>"
                   "</slots></hull>");
    root.WriteFile("resources/equipment/hulls/006/details.xml",
                   "<hull><name>Bad</name><price>1</price><strength>1</strength><slots><gun/></slots></hull>");
    root.WriteFile("resources/equipment/hulls/007/details.xml",
                   "<hull><name>Bad</name><price>1</price><strength>1</strength><slots><slot x='0' y='0'>xyz</slot>"
                   "</slots></hull>");
    for (const char* number : {"005", "006", "007"})
        std::filesystem::copy(root.GetPath() / "resources/equipment/hulls/000",
                              root.GetPath() / "resources/equipment/hulls" / number,
                              std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_existing);

    const stable_ptr<Hull> hull = hulls->Create("hll005");
    EXPECT_EQ("hll005", hull->GetID());
    EXPECT_EQ(700u, hull->GetPrice());
    EXPECT_EQ("Strength: 120", hull->GetDetails(0).value());
    EXPECT_FALSE(hull->GetDetails(1));
    const Hull::Slots guns = hull->GetSlots(Categories::Weapon);
    ASSERT_EQ(2u, guns.size());
    EXPECT_EQ(sf::Vector2f(10.f, 20.f), guns[0]->GetOffset());
    EXPECT_EQ(sf::Vector2f(30.f, 20.f), guns[1]->GetOffset());
    EXPECT_EQ(1u, hull->GetSlots(Categories::Shield).size());
    EXPECT_TRUE(hull->GetSlots(Categories::Bomb).empty());
    EXPECT_EQ("there can not be a slot for a hull in a hull itself",
              ThrownMessage<LogicError>([&] { hull->GetSlots(Categories::Hull); }));
    EXPECT_EQ("no increments supported yet", ThrownMessage<NotSupportedError>([&] { hull->SetActiveIncrement(1); }));
    EXPECT_EQ(sf::Vector2u(400, 400), hull->GetOverviewIcon().getTexture()->getSize());

    // A copy holds copies of the fitted items.
    const std::shared_ptr<EquipmentSlot> shieldSlot = hull->GetSlots(Categories::Shield)[0];
    shieldSlot->SetEquipment(shields->Create("000").get_shared());
    const auto copy = dynamic_stable_ptr_cast<Hull>(hull->Clone());
    const auto copiedShield = std::dynamic_pointer_cast<Shield>(copy->GetSlots(Categories::Shield)[0]->GetEquipment());
    ASSERT_TRUE(copiedShield);
    EXPECT_NE(shieldSlot->GetEquipment().get(), copiedShield.get());
    EXPECT_NE(shieldSlot.get(), copy->GetSlots(Categories::Shield)[0].get());
    EXPECT_TRUE(copy->GetSlots(Categories::Weapon)[0]->GetEquipment() == nullptr);
    copiedShield->StartRecovery();
    EXPECT_TRUE(std::dynamic_pointer_cast<Shield>(shieldSlot->GetEquipment())->IsReady());
    guns[0]->SetEquipment(weapons->CreatePlayerWeapon("000").get_shared());
    const auto second = dynamic_stable_ptr_cast<Hull>(hull->Clone());
    const std::shared_ptr<Sellable> copiedGun = second->GetSlots(Categories::Weapon)[0]->GetEquipment();
    ASSERT_TRUE(copiedGun);
    copiedGun->SetActiveIncrement(2);
    EXPECT_EQ(0u, guns[0]->GetEquipment()->GetActiveIncrement());

    hull->Reset();
    for (Categories::Equipment category : {Categories::Weapon, Categories::Shield, Categories::Gadget})
        EXPECT_TRUE(hull->GetSlots(category).empty());
    EXPECT_EQ(2u, hulls->Create("005")->GetSlots(Categories::Weapon).size()) << "the prototype keeps its slots";

    EXPECT_EQ("wpn000 is not a hull", ThrownMessage<RuntimeError>([&] { hulls->Create("wpn000"); }));
    EXPECT_EQ("resources/equipment/hulls/006/details.xml:1: Expected element slot, found gun",
              ThrownMessage<LogicError>([&] { hulls->Create("006"); }));
    EXPECT_EQ("resources/equipment/hulls/007/details.xml: xyz is unknown equipment type",
              ThrownMessage<UnknownTypeError>([&] { hulls->Create("007"); }));
    std::filesystem::remove_all(root.GetPath() / "resources/equipment/hulls/005");
    EXPECT_EQ("Test Hull", hulls->Create("hll005")->GetName());
    EXPECT_EQ((std::set<std::string>{"hll000", "hll001"}), hulls->GetHullTypes());
    EXPECT_EQ("redundant loading of HullFactory", ThrownMessage<LogicError>([&] { hulls->Load(); }));
}

TEST_F(EquipmentItemsTest, FactoryMakesItemsOfEveryCategory)
{
    const std::set<std::string> types = equipment->GetEquipmentTypes();
    EXPECT_EQ((std::set<std::string>{"wpn000", "wpn001", "wpn002", "shd000", "shd001", "hll000", "hll001"}), types);
    EXPECT_EQ("unknown equipment category found (2)", ThrownMessage<LogicError>([&] { equipment->Create("bmb001"); }));
    EXPECT_EQ("can not create player weapon from enemy weapon details",
              ThrownMessage<NotSupportedError>([&] { equipment->Create("wpn500"); }));
    EXPECT_EQ("length is too small: shd", ThrownMessage<ParseError>([&] { equipment->Create("shd"); }));
    EXPECT_EQ("redundant loading of EquipmentFactory", ThrownMessage<LogicError>([&] { equipment->Load(); }));
    const struct
    {
        const char* id;
        Categories::Equipment category;
    } items[] = {{"wpn001", Categories::Weapon}, {"shd001", Categories::Shield}, {"hll001", Categories::Hull}};
    for (const auto& item : items)
    {
        const stable_ptr<Sellable> made = equipment->Create(item.id);
        EXPECT_EQ(item.id, made->GetID());
        EXPECT_EQ(item.category, made->GetCategory());
        EXPECT_NE(made.get(), equipment->Create(item.id).get());
    }
}

TEST_F(EquipmentItemsTest, SlotsTakeItemsOfTheirCategory)
{
    const std::shared_ptr<Sellable> first = shields->Create("shd000").get_shared();
    const std::shared_ptr<Sellable> hull = hulls->Create("hll000").get_shared();
    const std::shared_ptr<EquipmentSlot> slot = EquipmentSlot::Create({40.f, 50.f}, Categories::Shield);
    EXPECT_EQ(sf::Vector2f(40.f, 50.f), slot->GetOffset());
    EXPECT_FALSE(slot->GetEquipment());
    slot->SetEquipment(first);
    EXPECT_EQ("categories do not match", ThrownMessage<LogicError>([&] { slot->SetEquipment(hull); }));
    EXPECT_EQ(first, slot->GetEquipment());
    const std::shared_ptr<Sellable> other = shields->Create("shd001").get_shared();
    slot->SetEquipment(other);
    EXPECT_EQ(other, slot->GetEquipment());

    // The fitted item's menu look is centred on the socket wherever the slot stands.
    slot->SetPosition({100.f, 200.f});
    slot->Draw();
    const sf::Vector2f centre = slot->GetPosition() + slot->GetSize() * 0.5f;
    EXPECT_EQ(centre, other->GetIcon()->GetGuiAnimation()->GetPosition());
    // A copy animates apart from its original.
    const stable_ptr<Sellable> copy = other->Clone();
    EXPECT_NE(other->GetIcon().get(), copy->GetIcon().get());
    copy->GetIcon()->GetGuiAnimation()->SetPosition(1.f, 2.f);
    EXPECT_EQ(centre, other->GetIcon()->GetGuiAnimation()->GetPosition());
    EXPECT_EQ(other->GetID(), copy->GetID());
    EXPECT_EQ(other->GetName(), copy->GetName());
    EXPECT_EQ(other->GetPrice(), copy->GetPrice());

    slot->SetEquipment(nullptr);
    EXPECT_FALSE(slot->GetEquipment());
}

TEST_F(EquipmentItemsTest, PickUpsFallInsideThePlayField)
{
    const stable_ptr<Upgrade> pickup = Upgrade::Create(shields->Create("shd001"));
    EXPECT_EQ(LayerPickup, pickup->GetLayer());
    EXPECT_EQ(30.f, pickup->GetPickupCircle().radius);
    pickup->SetPosition({168.f, 300.f});
    EXPECT_TRUE(pickup->IsExpired());
    pickup->SetPosition({169.f, 300.f});
    EXPECT_FALSE(pickup->IsExpired());

    FrameClock::SetFrameTime(0.5f);
    pickup->OnUpdate();
    EXPECT_EQ(sf::Vector2f(169.f, 348.f), pickup->GetPosition());
    EXPECT_EQ(sf::Vector2f(169.f, 348.f), pickup->GetPickupCircle().GetCenter());
    time->paused = true;
    pickup->OnUpdate();
    EXPECT_EQ(sf::Vector2f(169.f, 348.f), pickup->GetPosition());
    pickup->Draw();

    EXPECT_EQ("shd001", pickup->TakeEquipment()->GetID());
    EXPECT_TRUE(pickup->IsExpired());
    EXPECT_EQ("equipment already taken", ThrownMessage<RuntimeError>([&] { pickup->TakeEquipment(); }));
}

// Every weapon, shield, hull and shot the game ships loads.
TEST_F(EquipmentItemsTest, EveryItemOfTheGameLoads)
{
    const std::filesystem::path equipmentFolder = root.GetPath() / "resources/equipment";
    std::set<std::string> loaded;
    for (const auto& entry : std::filesystem::directory_iterator(equipmentFolder / "weapons"))
    {
        const std::string number = entry.path().filename().string();
        if (number == "shots")
            continue;
        const stable_ptr<Weapon> weapon =
            number < "500" ? weapons->CreatePlayerWeapon(number) : weapons->CreateEnemyWeapon(number);
        loaded.insert(weapon->GetID());
    }
    for (const auto& entry : std::filesystem::directory_iterator(equipmentFolder / "weapons" / "shots"))
    {
        const unsigned long type = std::stoul(entry.path().filename().string());
        shots->Prepare(type, type >= 500);
    }
    for (const auto& entry : std::filesystem::directory_iterator(equipmentFolder / "shields"))
        loaded.insert(shields->Create(entry.path().filename().string())->GetID());
    for (const auto& entry : std::filesystem::directory_iterator(equipmentFolder / "hulls"))
        loaded.insert(hulls->Create(entry.path().filename().string())->GetID());
    for (const char* id : {"wpn000", "wpn500", "wpn504", "shd000", "hll000"})
        EXPECT_EQ(1u, loaded.count(id)) << id;
    // The arcade's default ship: a weapon slot for weapon 000 and one shield slot.
    const stable_ptr<Hull> ship = hulls->Create("000");
    EXPECT_FALSE(ship->GetSlots(Categories::Weapon).empty());
    EXPECT_EQ(1u, ship->GetSlots(Categories::Shield).size());
}
