#include "flight/EnemySpawn.hpp"

#include "core/XmlReading.hpp"
#include "flight/EnemyFixture.hpp"
#include "flight/FlyingEnemy.hpp"
#include "flight/Upgrade.hpp"
#include "support/ThrownMessage.hpp"

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class EnemySpawnTest : public Kestrum::Testing::EnemyFixture
    {
    protected:
        // Loads the element text into a new spawn and writes it back.
        std::string RoundTrip(const std::string& element, EnemySpawn& spawn)
        {
            const stable_ptr<pugi::xml_document> in = LoadXmlText(element, "spawn");
            spawn.Load(in->document_element());
            pugi::xml_document out;
            spawn.Save(out);
            std::ostringstream text;
            out.document_element().print(text, "", pugi::format_raw);
            return text.str();
        }
    };
}

TEST_F(EnemySpawnTest, ReadsAndWritesTheEnemyElement)
{
    const struct
    {
        std::string element;
        std::string written;
        unsigned conditions;  // kill conditions afterwards
    } cases[] = {
        {"<enemy x='3' y='40' type='airship002'/>", "<enemy x=\"3\" y=\"40\" type=\"airship002\"><upgrades/></enemy>",
         0},
        {"<enemy type='turret000' y='7' x='25'><speed>0.025</speed><upgrades><upgrade>wpn001</upgrade>"
         "<upgrade>shd001</upgrade></upgrades><kill_to_win>no</kill_to_win></enemy>",
         "<enemy x=\"25\" y=\"7\" type=\"turret000\"><upgrades><upgrade>wpn001</upgrade><upgrade>shd001</upgrade>"
         "</upgrades><speed>0.025</speed><kill_to_win/></enemy>",
         1},
        {"<enemy x='0' y='0' type='airship000'><kill_to_win/></enemy>",
         "<enemy x=\"0\" y=\"0\" type=\"airship000\"><upgrades/><kill_to_win/></enemy>", 2},
    };
    for (const auto& c : cases)
    {
        EnemySpawn spawn;
        EXPECT_EQ(c.written, RoundTrip(c.element, spawn));
        EXPECT_EQ(c.conditions, progress->GetData().m_killConditions);
    }
    EnemySpawn spawn;
    EXPECT_EQ("Expected element enemy, found spawn",
              ThrownMessage<LogicError>([&] { RoundTrip("<spawn x='1' y='1' type='turret000'/>", spawn); }));
    EXPECT_THROW(RoundTrip("<enemy x='-1' y='1' type='turret000'/>", spawn), XmlError);
    EXPECT_THROW(RoundTrip("<enemy x='1' type='turret000'/>", spawn), XmlError);
}

TEST_F(EnemySpawnTest, HandsOutPreparedEnemiesCarryingTheirPickups)
{
    EnemySpawn spawn(4, 10, "airship002", {"wpn001", "hll001"});
    spawn.Prepare(2);
    const stable_ptr<GameObject> first = spawn.Create({300.f, 200.f});
    const stable_ptr<GameObject> second = spawn.Create({400.f, 200.f});
    const stable_ptr<GameObject> third = spawn.Create({500.f, 200.f});
    EXPECT_NE(first.get(), second.get());
    EXPECT_NE(second.get(), third.get());
    EXPECT_EQ(sf::Vector2f(400.f, 200.f), dynamic_cast<Enemy&>(*second).GetPosition());

    // Shot down, it drops what this spawn gave it; a reset first forgets it.
    auto& enemy = dynamic_cast<Enemy&>(*third);
    enemy.Reset({500.f, 300.f});
    enemy.AddUpgrade(Upgrade::Create(GetFromRegistry<EquipmentFactory>()->Create("shd001")));
    enemy.ApplyDamage(100);
    enemy.OnUpdate();
    EXPECT_EQ(1u, objects->GetObjects<Upgrade>().size());
    dynamic_cast<Enemy&>(*first).ApplyDamage(100);
    first->OnUpdate();
    EXPECT_EQ(3u, objects->GetObjects<Upgrade>().size());
    first->OnUpdate();
    EXPECT_EQ(3u, objects->GetObjects<Upgrade>().size());

    const stable_ptr<Upgrade> pickup = Upgrade::Create(GetFromRegistry<EquipmentFactory>()->Create("shd001"));
    EXPECT_EQ("could not set upgrades, unexpected class type",
              ThrownMessage<UnknownTypeError>([&] { spawn.Reset(*pickup, {0.f, 0.f}, {}); }));
}

TEST_F(EnemySpawnTest, AKillToWinEnemyCountsOnceWhenItGoes)
{
    EnemySpawn spawn;
    const stable_ptr<pugi::xml_document> element =
        LoadXmlText("<enemy x='3' y='40' type='airship002'><kill_to_win/></enemy>", "spawn");
    spawn.Load(element->document_element());
    spawn.Prepare(1);
    EXPECT_EQ(1u, progress->GetData().m_killConditions);
    {
        const stable_ptr<GameObject> enemy = spawn.Create({300.f, 200.f});
        objects->Add(enemy);
        EXPECT_EQ(0u, progress->GetData().m_killCount);
        objects->Clear();
    }
    EXPECT_EQ(1u, progress->GetData().m_killCount);

    // Taken back, it counts nothing.
    {
        const stable_ptr<GameObject> enemy = spawn.Create({300.f, 200.f});
        dynamic_cast<Enemy&>(*enemy).SetKillToWin(false);
    }
    EXPECT_EQ(1u, progress->GetData().m_killCount);
    EXPECT_TRUE(log.GetLines().empty());
    {
        spawn.Create({300.f, 200.f});
    }
    EXPECT_TRUE(log.Contains("m_killCount <= m_killConditions, m_killCount = 2, m_killConditions = 1"));
}
