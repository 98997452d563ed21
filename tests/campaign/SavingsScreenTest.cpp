#include "campaign/SavedCampaignFixture.hpp"
#include "campaign/SavingButton.hpp"
#include "campaign/SavingsScreen.hpp"

#include <boost/date_time/posix_time/posix_time.hpp>


using namespace Kestrum;
using namespace Kestrum::Testing;

namespace
{
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

TEST_F(SavingsScreenTest, TimesAreShownAsTheyAreStampedInEveryZone)
{
    for (const char* zone : {"UTC0", "Asia/Tokyo", "Europe/Berlin"})
    {
        TimeZone local(zone);
        EXPECT_EQ("2011-Mar-05 14:03:22", FormatSavingTime(boost::posix_time::from_iso_string("20110305T140322"))) << zone;
        EXPECT_EQ("2011-Jul-05 23:45:10", FormatSavingTime(boost::posix_time::from_iso_string("20110705T234510"))) << zone;
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
    // A reason of more than one line is told on one.
    root.WriteFile("savings/8", Replace(Replace(oneMissionSaving, "<ID>3", "<ID>8"), "<HullType>hll", "<HullType>hll\n"));
    Show(savings);
    EXPECT_TRUE(log.Contains("error:   skipping saving 9, it can not be read: "));
    for (const std::string& line : log.GetLines())
        EXPECT_TRUE(line.find("skipping saving 8") == std::string::npos || line.find('\n') == line.size() - 1) << line;
    EXPECT_EQ(1u, log.Count("error:   skipping saving 8, it can not be read: "));

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

    // More savings than places: the newest twelve are listed, oldest first.
    for (unsigned long id = 10; id < 23; ++id)
        WriteSaving(id, "20110101T0000" + std::to_string(id));
    Show(savings);
    ASSERT_EQ(12u, Slots().size());
    EXPECT_EQ("2011-Jan-01 00:00:11", FormatSavingTime(Slots().front()->GetSaving()->GetTime()));
    EXPECT_EQ("2011-Jan-01 00:00:22", FormatSavingTime(Slots().back()->GetSaving()->GetTime()));
    EXPECT_TRUE(log.Contains("warning: there are 13 savings, only the newest 12 are listed (1 left out)"));
}

TEST_F(SavingsScreenTest, LoadsOnlyTheNewestThatFillThePlaces)
{
    TimeZone zone("UTC0");
    // Sixteen savings a second apart, numbered on as they get older. The newest
    // is refused by its check; the third and the fifteenth newest pass it but
    // break a rule that only loading finds.
    for (unsigned long age = 0; age < 16; ++age)
    {
        std::string text = Replace(Replace(oneMissionSaving, "<ID>3", "<ID>" + std::to_string(100 + age)),
                                   "20110305T140322", "20110101T0000" + std::to_string(40 - age));
        text = age == 0 ? Replace(text, "<Money>", "<Money>4294967296")
                        : age == 2 || age == 14 ? Replace(text, "<Seed>42", "<Seed>-1") : text;
        root.WriteFile("savings/" + std::to_string(100 + age), text);
    }
    // Saving 200, stamped two days ahead, is refused by its stamp unloaded: a load would find its seed first.
    root.WriteFile("savings/200", Replace(Replace(Replace(oneMissionSaving, "<ID>3", "<ID>200"), "<Seed>42", "<Seed>-1"), "20110305T140322",
                                          to_iso_string(boost::posix_time::second_clock::local_time() + boost::posix_time::hours(48))));
    Show(savings);
    EXPECT_EQ(3u, log.Count("skipping saving"));
    EXPECT_TRUE(log.Contains("error:   skipping saving 200, it can not be read: savings/200: saving has future time\n"));
    EXPECT_TRUE(log.Contains("error:   skipping saving 100, it can not be read: savings/100:7: Money: "
                             "\"42949672961500\" is not a whole number from 0 to 4294967295\n"));
    // The next newest takes the place of the one that fails to load.
    EXPECT_TRUE(log.Contains("error:   skipping saving 102, it can not be read: savings/102: seed must not be negative\n"));
    EXPECT_TRUE(log.Contains("warning: there are 14 savings, only the newest 12 are listed (2 left out)\n"));
    ASSERT_EQ(12u, Slots().size());
    EXPECT_EQ("2011-Jan-01 00:00:27", FormatSavingTime(Slots().front()->GetSaving()->GetTime()));
    EXPECT_EQ("2011-Jan-01 00:00:37", FormatSavingTime(Slots()[10]->GetSaving()->GetTime()));
    EXPECT_EQ("2011-Jan-01 00:00:39", FormatSavingTime(Slots().back()->GetSaving()->GetTime()));

    // With no saving that loads, back to the title screen.
    for (unsigned long age = 0; age < 16; ++age)
        if (age != 2 && age != 14)
            std::filesystem::remove(root.GetPath() / ("savings/" + std::to_string(100 + age)));
    Show(savings);
    screens->Update();
    EXPECT_EQ(GetFromRegistry<StartScreen>(), screens->GetCurrentScreen());
    EXPECT_EQ(1u, log.Count("error:   skipping saving 114, it can not be read: savings/114: seed must not be negative\n"));
}
