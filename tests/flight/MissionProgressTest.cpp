// The end of a mission: its texts and rating, where they stand, the delays, and
// the order of the tests (a lost ship before the counted enemies).
#include "flight/MissionProgress.hpp"

#include "flight/EquipmentFixture.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "support/ThrownMessage.hpp"

#include <SFML/Graphics/Text.hpp>
#include <gtest/gtest.h>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class MissionProgressTest : public Kestrum::Testing::EquipmentFixture
    {
    protected:
        // Registers an inventory of one ship, ready to fly or never made ready
        // (which counts as gone).
        void RegisterShip(bool flying)
        {
            auto ship = std::make_shared<PlayerShip>(hulls->Create("000").get_shared());
            if (flying)
            {
                ship->Initialize();
                ship->Reset(sf::Vector2f(500.f, 500.f));
            }
            registry->Register<Inventory>(Inventory::Create({ship}, create_stable_ptr(ship)));
        }

        static std::vector<std::string> Shown(const MissionProgress& progress)
        {
            std::vector<std::string> lines;
            for (const sf::Text& text : progress.GetData().GetTexts())
                lines.push_back(text.getString());
            return lines;
        }

        MissionProgress progress;
    };

    using Lines = std::vector<std::string>;
}

TEST(MissionProgressTexts, PercentageIsCutAndRatedByTheHighestThresholdReached)
{
    const struct
    {
        unsigned long killed, available;
        Lines lines;
    } cases[] = {
        {3, 4, {"Mission Complete!", "75% killed", "Quite good!"}},
        {2, 3, {"Mission Complete!", "66% killed", "You can do better than that!"}},
        {10, 10, {"Mission Complete!", "100% killed", "PERFECT!!!"}},
        {89, 100, {"Mission Complete!", "89% killed", "Quite good!"}},
        {9, 10, {"Mission Complete!", "90% killed", "Awesome!"}},
        {1, 2, {"Mission Complete!", "50% killed", "You can do better than that!"}},
        {49, 100, {"Mission Complete!", "49% killed", ""}},
        {0, 0, {"Mission Complete!"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.lines, GetCompletionTexts(c.killed, c.available)) << c.killed << " of " << c.available;
}

TEST_F(MissionProgressTest, CompletesWhenEveryCountedEnemyIsGoneAndStaysComplete)
{
    RegisterShip(true);
    GetFromRegistry<StatisticSystem>()->ResetCurrent(0, 4);
    for (int i = 0; i < 3; ++i)
        GetFromRegistry<StatisticSystem>()->GetCurrent().EnemyKilled();
    MissionProgress::Data& data = progress.GetData();
    data.m_killConditions = 2;
    data.IncrementKillCount();
    data.OnUpdate();
    EXPECT_FALSE(progress.IsFinished());
    EXPECT_EQ(nullptr, data.GetEndDelay());
    data.Draw();

    data.IncrementKillCount();
    data.OnUpdate();
    EXPECT_TRUE(progress.IsFinished());
    EXPECT_EQ((Lines{"Mission Complete!", "75% killed", "Quite good!"}), Shown(progress));
    // Three lines centred on the play field of a window 768 pixels high.
    const float ys[] = {294.f, 354.f, 414.f};
    for (unsigned i = 0; i < 3; ++i)
    {
        const sf::Text& text = data.GetTexts()[i];
        EXPECT_EQ(ys[i], text.getPosition().y);
        EXPECT_EQ(40u, text.getCharacterSize());
        EXPECT_FLOAT_EQ(198.f + (832.f - text.getLocalBounds().width) * 0.5f, text.getPosition().x);
    }
    ASSERT_NE(nullptr, data.GetEndDelay());
    EXPECT_EQ(6.f, data.GetEndDelay()->GetDuration());
    EXPECT_FALSE(progress.Completed());
    EXPECT_FALSE(progress.Failed());

    // Decided once: a ship lost now changes nothing.
    RegisterShip(false);
    data.OnUpdate();
    data.GetEndDelay()->Expire();
    EXPECT_TRUE(progress.Completed());
    EXPECT_FALSE(progress.Failed());
    EXPECT_EQ(3u, Shown(progress).size());
    data.Draw();

    data.IncrementKillCount();
    EXPECT_TRUE(log.Contains("m_killCount <= m_killConditions, m_killCount = 3, m_killConditions = 2"));
}

TEST_F(MissionProgressTest, FailsWhenTheShipIsGoneEvenAsTheLastCountedEnemyGoes)
{
    RegisterShip(false);
    GetFromRegistry<StatisticSystem>()->ResetCurrent(0, 1);
    progress.GetData().OnUpdate();
    EXPECT_EQ((Lines{"Mission Failed!"}), Shown(progress));
    EXPECT_EQ(354.f, progress.GetData().GetTexts()[0].getPosition().y);
    EXPECT_EQ(3.f, progress.GetData().GetEndDelay()->GetDuration());
    EXPECT_FALSE(progress.Failed());
    progress.GetData().GetEndDelay()->Expire();
    EXPECT_TRUE(progress.Failed());
    EXPECT_FALSE(progress.Completed());
}

TEST_F(MissionProgressTest, LevelWithoutCountedEnemiesIsCompleteAtOnce)
{
    RegisterShip(true);
    GetFromRegistry<StatisticSystem>()->ResetCurrent(0, 0);
    progress.GetData().OnUpdate();
    EXPECT_EQ((Lines{"Mission Complete!"}), Shown(progress));
    EXPECT_EQ(354.f, progress.GetData().GetTexts()[0].getPosition().y);
}
