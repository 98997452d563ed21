#include "campaign/SavedCampaignFixture.hpp"
#include "campaign/SavingButton.hpp"
#include "campaign/SavingsScreen.hpp"

#include <boost/date_time/posix_time/posix_time.hpp>

#include <cstdlib>
#include <ctime>

using namespace Kestrum;
using namespace Kestrum::Testing;

namespace
{
    // Sets the local time zone (a POSIX rule) while it lives.
    struct TimeZone
    {
        explicit TimeZone(const char* rule) { setenv("TZ", rule, 1); tzset(); }
        ~TimeZone() { unsetenv("TZ"); tzset(); }
    };

    class SavingsScreenTest : public SavedCampaignFixture
    {
    protected:
        SavingsScreenTest() : savings(CreateAndRegister(new SavingsScreen()).get_shared()) {}

        std::vector<std::shared_ptr<SavingButton>> Slots() { return ButtonsOf<SavingButton>(*savings); }
        // The delete buttons: they lie over the slots, so they come last.
        std::vector<std::shared_ptr<Button>> DeleteButtons()
        {
            const std::vector<std::shared_ptr<Button>> all = ButtonsOf<Button>(*savings);
            return {all.end() - static_cast<long>(Slots().size()), all.end()};
        }

        std::shared_ptr<SavingsScreen> savings;
    };
}

TEST_F(SavingsScreenTest, TimesAreShownInLocalTime)
{
    const struct { const char* zone; const char* utc; const char* shown; } cases[] = {
        {"UTC0", "20110105T134510", "2011-Jan-05 13:45:10"},
        {"EST5EDT,M3.2.0,M11.1.0", "20110105T134510", "2011-Jan-05 08:45:10"},
        {"CET-1CEST,M3.5.0,M10.5.0/3", "20110705T234510", "2011-Jul-06 01:45:10"},
    };
    for (const auto& row : cases)
    {
        TimeZone zone(row.zone);
        EXPECT_EQ(row.shown, FormatSavingTime(boost::posix_time::from_iso_string(row.utc))) << row.zone;
    }
}

TEST_F(SavingsScreenTest, ListsOldestFirstOpensAndDeletes)
{
    TimeZone zone("UTC0");
    // Savings 2 and 5 were written in the same second; 9 is no saving.
    WriteSaving(7, "20110105T134510");
    WriteSaving(5, "20110305T140322");
    WriteSaving(2, "20110305T140322");
    WriteSaving(4, "20100101T000000");
    root.WriteFile("savings/9", "<?xml version=\"1.0\"?>\n<broken");
    Show(savings);
    EXPECT_TRUE(log.Contains("error:   skipping saving 9, it can not be read: "));

    const struct { unsigned long id; float x; const char* time; } listed[] = {
        {4, 10.f, "2010-Jan-01 00:00:00"},
        {7, 260.f, "2011-Jan-05 13:45:10"},
        {2, 510.f, "2011-Mar-05 14:03:22"},
        {5, 760.f, "2011-Mar-05 14:03:22"},
    };
    const std::vector<std::shared_ptr<SavingButton>> slots = Slots();
    const std::vector<std::shared_ptr<Button>> deletes = DeleteButtons();
    ASSERT_EQ(4u, slots.size());
    ASSERT_EQ(4u, deletes.size());
    for (std::size_t i = 0; i < slots.size(); ++i)
    {
        EXPECT_EQ(sf::Vector2f(listed[i].x, 100.f), slots[i]->GetPosition()) << i;
        EXPECT_EQ(sf::Vector2f(listed[i].x + 240.f - 32.f, 100.f), deletes[i]->GetPosition()) << i;
        EXPECT_EQ(listed[i].time, FormatSavingTime(slots[i]->GetSaving()->GetTime())) << i;
    }
    // The first time stands in black on the slot's card from (20, 130) on.
    const sf::Image picture = Frame();
    Keep(picture, "savings-screen.png");
    unsigned inked = 0;
    for (unsigned y = 130; y < 146; ++y)
        for (unsigned x = 20; x < 150; ++x)
            inked += picture.getPixel(x, y).r < 80;
    EXPECT_GT(inked, 150u);

    // A delete removes the file at once; the list is built anew in the next frame.
    Click(*deletes[1]);
    EXPECT_FALSE(std::filesystem::exists(root.GetPath() / "savings/7"));
    EXPECT_FALSE(deletes[1]->IsVisible());
    EXPECT_EQ(4u, Slots().size()) << "not inside its own click";
    Frame();
    ASSERT_EQ(3u, Slots().size());
    EXPECT_EQ(sf::Vector2f(260.f, 100.f), Slots()[1]->GetPosition());

    // A saving opens on the missions screen as the campaign in play.
    const std::shared_ptr<SavingButton> second = Slots()[1];
    Click(*second);
    EXPECT_EQ(GetFromRegistry<MissionsScreen>(), screens->GetCurrentScreen());
    EXPECT_EQ(second->GetSaving(), GetFromRegistry<Saving>());
    EXPECT_EQ(1500u, GetFromRegistry<Inventory>()->money);

    // Deleting the only saving left leads back to the title screen.
    std::filesystem::remove(root.GetPath() / "savings/4");
    std::filesystem::remove(root.GetPath() / "savings/5");
    Show(savings);
    ASSERT_EQ(1u, DeleteButtons().size());
    Click(*DeleteButtons()[0]);
    Frame();
    screens->Update();
    EXPECT_EQ(GetFromRegistry<StartScreen>(), screens->GetCurrentScreen());
    EXPECT_FALSE(std::filesystem::exists(root.GetPath() / "savings/2"));

    // More savings than places: the oldest twelve are listed.
    for (unsigned long id = 10; id < 23; ++id)
        WriteSaving(id, "2011010" + std::to_string(id % 7 + 1) + "T000000");
    Show(savings);
    EXPECT_EQ(12u, Slots().size());
    EXPECT_TRUE(log.Contains("warning: there are 13 savings, only the first 12 are listed"));
}
