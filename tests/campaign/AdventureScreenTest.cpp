// The adventure screen flying a campaign mission that can be entered: the cash
// line, the pause menu, and the ways back to the missions screen, paid or not.
#include "campaign/HubFixture.hpp"
#include "flight/MissionProgress.hpp"
#include "levels/Layer.hpp"
#include "levels/LayerLoader.hpp"
#include "levels/PrebuildMission.hpp"

using namespace Kestrum;

namespace
{
    // A campaign mission whose entry goes on past the missing scroll reset:
    // it flies the first arcade level and counts its updates.
    struct FlyableMission : PrebuildMission
    {
        explicit FlyableMission(const stable_ptr<MissionBlueprint>& b) : PrebuildMission(b, "|missions|arcade|0000000000") {}
        void OnEnter() override
        {
            EXPECT_THROW(Mission::OnEnter(), NotImplementedError);
            layers = CreateLayerLoader()->Load();
        }
        void OnUpdate() override
        {
            ++updates;
            Mission::OnUpdate();
            for (const auto& layer : layers)
                layer->OnUpdate();
        }
        void Draw() override
        {
            for (const auto& layer : layers)
                layer->Draw();
            Mission::Draw();
        }
        void OnExit() override
        {
            layers.clear();
            Mission::OnExit();
        }

        std::vector<std::shared_ptr<Layer>> layers;
        int updates = 0;
    };

    class AdventureScreenTest : public Kestrum::Testing::HubFixture
    {
    protected:
        std::shared_ptr<FlyableMission> Fly(const stable_ptr<MissionBlueprint>& blueprint)
        {
            const auto mission = std::make_shared<FlyableMission>(blueprint);
            adventure->LoadMission(create_stable_ptr<Mission>(mission));
            Show(adventure);
            Frame();
            return mission;
        }
        // The mission's end delay runs out; the screen takes its way out.
        bool EndDelayLeadsToMissions()
        {
            GetFromRegistry<MissionProgress>()->GetData().GetEndDelay()->Expire();
            adventure->OnUpdate();
            screens->Update();
            return screens->GetCurrentScreen().get_shared() == missions;
        }
        // The menu's "continue" (0) or "exit" (1).
        Button& MenuButton(int index) { return **std::next(adventure->GetMenu()->GetButtons(false).begin(), index); }
        bool Escape() { return adventure->HandleAction(InterfaceInput::escape); }
    };
}

TEST_F(AdventureScreenTest, PausesResumesAndReturnsPaidOnlyAfterACompletedMission)
{
    const stable_ptr<Saving> saving = Play();
    const stable_ptr<MissionBlueprint> blueprint = GetMission(saving, 0);
    blueprint->Goodies = {"shd001", "wpn002"};
    const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();

    // Flying: the cash at the top right; escape pauses and opens the menu, once.
    const std::shared_ptr<FlyableMission> mission = Fly(blueprint);
    EXPECT_EQ("Cash:       1500", adventure->GetCashLine().getString().toAnsiString());
    const sf::FloatRect cash = adventure->GetCashLine().getGlobalBounds();
    EXPECT_NEAR(1019.f, cash.left + cash.width, 1.f);
    EXPECT_TRUE(Escape());
    EXPECT_TRUE(time->paused && adventure->IsMenuOpen());
    EXPECT_FALSE(Escape());
    const int updates = mission->updates;
    Keep(Frame(), "adventure-screen.png");
    EXPECT_EQ(updates, mission->updates);
    EXPECT_EQ(sf::Vector2f(225.f, 100.f), MenuButton(1).GetPosition());

    // "continue" resumes; "exit" leaves unpaid.
    Click(MenuButton(0));
    EXPECT_FALSE(time->paused || adventure->IsMenuOpen());
    Frame();
    EXPECT_EQ(updates + 1, mission->updates);
    Escape();
    Click(MenuButton(1));
    EXPECT_EQ(missions, screens->GetCurrentScreen().get_shared());
    EXPECT_FALSE(time->paused);

    // Completed: no pause any more; after the delay paid, goodies offered, the successor opened.
    Fly(blueprint);
    GetFromRegistry<MissionProgress>()->GetData().m_killConditions = 0;
    Frame();
    EXPECT_FALSE(Escape());
    EXPECT_TRUE(EndDelayLeadsToMissions());
    EXPECT_EQ(2000u, inventory->money);
    EXPECT_EQ((std::vector<std::string>{"shd001", "shd001", "wpn002"}), saving->GetShop());
    EXPECT_TRUE(GetMission(saving, 1)->Open);

    // Failed (a ship never readied is gone at once): back after the delay, unpaid.
    const auto wreck = std::make_shared<PlayerShip>(hulls->Create("000").get_shared());
    const stable_ptr<Inventory> lost = Inventory::Create({wreck}, create_stable_ptr(wreck));
    Fly(blueprint);
    registry->Register<Inventory>(lost);
    Frame();
    EXPECT_FALSE(Escape());
    EXPECT_TRUE(EndDelayLeadsToMissions());
    EXPECT_EQ(0u, lost->money);
    EXPECT_EQ(3u, saving->GetShop().size());
}

TEST_F(AdventureScreenTest, PaymentFillsTheMoneyUpToItsLargestValueInsteadOfWrapping)
{
    const stable_ptr<Saving> saving = Play();
    const stable_ptr<MissionBlueprint> blueprint = GetMission(saving, 0);
    const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
    struct Row
    {
        sf::Uint32 money;
        unsigned long payment;
        const char* warning;  // empty: none
    };
    const Row rows[] = {
        {4294966795u, 500ul, ""},
        {4294967000u, 500ul, "the payment of 500 would carry the money of 4294967000 past 4294967295: it stays at 4294967295"},
        // More than 32 bits, and a sum beyond 64 bits: neither is cut down.
        {0u, 4294967396ul, "the payment of 4294967396 would carry the money of 0 past 4294967295"},
        {4294967295u, 18446744073709551615ul, "the payment of 18446744073709551615 would carry the money of 4294967295"}};
    std::size_t warnings = 0;
    for (const Row& row : rows)
    {
        inventory->money = row.money;
        blueprint->m_payment = row.payment;
        Fly(blueprint);
        GetFromRegistry<MissionProgress>()->GetData().m_killConditions = 0;
        Frame();
        ASSERT_TRUE(EndDelayLeadsToMissions());
        EXPECT_EQ(4294967295u, inventory->money) << row.payment;
        warnings += *row.warning != '\0';
        EXPECT_EQ(warnings, log.Count("warning: the payment of ")) << row.payment;
        EXPECT_TRUE(!*row.warning || log.Contains(row.warning)) << row.payment;
    }
}
