#include "LargestSaving.hpp"
#include "campaign/SavingFile.hpp"
#include "campaign/SavingFileCheck.hpp"
#include "campaign/SavingFixture.hpp"
#include "flight/PlayerShip.hpp"
#include "levels/MissionBlueprint.hpp"
#include "levels/WorldMap.hpp"
#include "support/ThrownMessage.hpp"

#include <boost/date_time/c_local_time_adjustor.hpp>
#include <boost/date_time/posix_time/posix_time.hpp>

#include <algorithm>
#include <atomic>
#include <ctime>
#include <functional>

using namespace Kestrum;
using namespace Kestrum::Testing;
using boost::posix_time::ptime;

namespace
{
    using SavingManagerTest = SavingFixture;

    // The written text with the time of the hand-made savings (and their archive
    // version 5, for AsHandMade). The library ends its files with an empty line.
    std::string WithoutTime(const std::string& text)
    {
        return std::regex_replace(text, std::regex("\\d{8}T\\d{6}"), "20110305T140322");
    }
    std::string AsHandMade(const std::string& text)
    {
        return std::regex_replace(WithoutTime(text), std::regex("archive\" version=\"\\d+"), "archive\" version=\"5");
    }

    ptime Now()
    {
        return boost::posix_time::second_clock::local_time();
    }

    // Seconds after 1970-01-01 00:00 UTC that the calendar clock is held at, -1 for none.
    std::atomic<std::time_t> heldCalendarClock{-1};

    // Holds the C library's calendar clock, which every reading of the
    // saving code's clock goes through, while it lives.
    class HeldCalendarClock
    {
    public:
        explicit HeldCalendarClock(std::time_t seconds) { heldCalendarClock = seconds; }
        ~HeldCalendarClock() { heldCalendarClock = -1; }
        HeldCalendarClock(const HeldCalendarClock&) = delete;
        HeldCalendarClock& operator=(const HeldCalendarClock&) = delete;
    };
}

// The calendar clock of the test program: the real one unless a test holds it.
extern "C" std::time_t time(std::time_t* result) noexcept
{
    std::time_t now = heldCalendarClock;
    timespec real{};
    if (now == -1 && clock_gettime(CLOCK_REALTIME, &real) == 0)
        now = real.tv_sec;
    if (result)
        *result = now;
    return now;
}

TEST_F(SavingManagerTest, OneMissionSavingLoadsAndIsWrittenBackAsItWas)
{
    const ptime before = Now();
    const stable_ptr<Saving> saving = Load(oneMissionSaving);
    EXPECT_EQ(std::make_tuple(42l, 1500ul, boost::posix_time::from_iso_string("20110305T140322")),
              std::make_tuple(saving->GetSeed(), saving->GetMoney(), saving->GetTime()));
    EXPECT_EQ(sf::Vector2u(500, 420), saving->GetMap()->getTexture()->getSize());
    ASSERT_EQ(1u, saving->GetMissions().size());
    const MissionBlueprint& m = **saving->GetMissions().begin();
    EXPECT_TRUE(std::make_tuple(true, std::set<unsigned long>{0}, std::set<std::string>{"wpn000"},
                                std::set<std::string>{"shd001"}, sf::Vector2f(0.5f, 0.12345679f), 0ul, 7l,
                                0, 10ul, 500ul) == std::tie(m.Open, m.Successors, m.KeyEquipment, m.Goodies, m.m_position,
                                                            m.m_id, m.m_seed, m.m_type, m.m_difficulty, m.m_payment));
    EXPECT_EQ(std::vector<std::string>{"shd001"}, saving->GetShop());
    EXPECT_EQ((std::vector<std::string>{"wpn002", "hll001", "shd001"}), saving->GetInventoryItems());
    ASSERT_EQ(1u, saving->GetTechnologyTree()->GetNodes(Categories::Weapon).size());
    const TechnologyTree::Node& node = *GetNode(saving, Categories::Weapon);
    EXPECT_TRUE(node.Type == "wpn001" && node.Position == sf::Vector2f(1024.f, 1.f / 32768) && node.Cost == 100ul &&
                node.Predecessors.empty() && !node.Open);
    manager->Save(saving);
    const std::string written = ReadSaving();
    EXPECT_EQ(oneMissionSaving + "\n", AsHandMade(written));
    const ptime time = boost::posix_time::from_iso_string(written.substr(written.find("<time>") + 6, 15));
    EXPECT_TRUE(before <= time && time <= Now() && saving->GetTime() < before);
    manager->Save(manager->Load(3));
    EXPECT_EQ(WithoutTime(written), WithoutTime(ReadSaving()));
}

// Sets are written in an order of their content, never of memory: missions by
// number, technology nodes after the nodes they need, then by type. A save
// loaded and saved again is the same text, and every node stands at its own
// place in the tree's list, each mention of it a reference: the file nests no
// deeper for a longer chain.
TEST_F(SavingManagerTest, SavingsAreWrittenInAnOrderOfTheirContentAndReadBackByteForByte)
{
    enum Shape { flat, chain, tree };
    const struct { std::size_t missions, nodes; Shape shape; } cases[] = {
        {1, 2, flat}, {3, 30, flat}, {20, 120, flat}, {300, 2, flat}, {1, 400, chain}, {2, 1000, tree}};
    for (const auto& sizes : cases)
    {
        // Node k is wpn(7k modulo 1000), needing node k - 1 in a chain or a tree, and k / 3 too in a tree.
        std::vector<std::string> types, numbers;
        std::vector<std::vector<std::size_t>> needs(sizes.nodes);
        for (std::size_t k = 0; k < sizes.nodes; ++k)
        {
            types.push_back("wpn" + std::to_string(1000 + k * 7 % 1000).substr(1));
            if (sizes.shape != flat && k > 0)
                needs[k].push_back(k - 1);
            if (sizes.shape == tree && k > 3)
                needs[k].push_back(k / 3);
        }
        root.WriteFile("savings/3", GeneratedSaving(sizes.missions, types, needs));
        manager->Save(manager->Load(3));
        const std::string written = WithoutTime(ReadSaving());
        manager->Save(manager->Load(3));
        EXPECT_EQ(written, WithoutTime(ReadSaving())) << sizes.nodes;

        const auto All = [&written](const char* pattern) {
            std::vector<std::string> found;
            const std::regex expression(pattern);
            for (std::sregex_iterator match(written.begin(), written.end(), expression), end; match != end; ++match)
                found.push_back((*match)[1]);
            return found;
        };
        for (std::size_t id = 0; id < sizes.missions; ++id)
            numbers.push_back(std::to_string(id));
        EXPECT_EQ(numbers, All("<m_id>(\\d+)</m_id>")) << sizes.missions;
        const std::vector<std::string> listed = All("<Type>(\\w+)</Type>");
        std::vector<std::string> expected = types;
        std::sort(expected.begin(), sizes.shape == flat ? expected.end() : expected.begin());
        EXPECT_TRUE(sizes.shape == tree || expected == listed) << sizes.nodes;
        std::size_t mentions = 0, after = 0;
        for (std::size_t k = 0; k < types.size(); ++k)
            for (std::size_t need : needs[k])
                ++mentions, after += std::find(listed.begin(), listed.end(), types[need]) < std::find(listed.begin(), listed.end(), types[k]);
        EXPECT_EQ(mentions, after) << sizes.nodes;
        EXPECT_EQ(mentions, All("(object_id_reference)").size()) << sizes.nodes;
    }
    // The two-mission saving, its shield node nested inside the weapon node that needs it, is written flat.
    Load(TwoMissionSaving());
    manager->Save(manager->Load(3));
    EXPECT_TRUE(std::regex_search(ReadSaving(), std::regex("object_id=\"_4\">\\s*<Type>shd001[^]*object_id=\"_5\">\\s*<Type>wpn001[^]*"
                                                           "<count>1</count>\\s*<item_version>0</item_version>\\s*<item>\\s*<sp>\\s*"
                                                           "<px class_id_reference=\"19\" object_id_reference=\"_4\">")));
}

// Play grows only the shop, the loose items, the ships and the money: at the
// most of everything at once a saving takes nothing more and is still saved.
// One goodie more passes the saving's rules but not the check of its text,
// which keeps it from replacing the file (texts compared whole: too long to show).
TEST_F(SavingManagerTest, TheLargestSavingTheBoundsAllowIsPlayedSavedAndLoadedAgainAndNothingLarger)
{
    const std::string largest = LargestSaving::Write(oneMissionSaving, 3, Now());
    const stable_ptr<Saving> saving = Play(largest, 4294967295u);
    EXPECT_FALSE(saving->AddToShop("wpn001") || saving->HasRoomForLooseItem("wpn001"));
    manager->Save(saving);
    const std::string written = ReadSaving();
    EXPECT_TRUE(WithoutTime(largest) == WithoutTime(written));
    EXPECT_EQ(2000u, manager->Load(3)->GetMissions().size() + saving->GetTechnologyTree()->GetAllNodes().size());
    (*saving->GetMissions().begin())->Goodies.insert("shd001");
    EXPECT_EQ("savings/3:124475: TheTechnologyTree/m_nodes/item 142/Predecessors: count 130 brings the entries of the lists of "
              "missions and technology nodes to 10001, more than the 10000 a save file may hold together",
              ThrownMessage<Exception>([&] { manager->Save(saving); }));
    EXPECT_TRUE(written == ReadSaving());
}

TEST_F(SavingManagerTest, SavingsThatBreakARuleAreRefused)
{
    const std::string weapon = "\n\t\t\t\t<item>wpn000</item>", weapons = "<item_version>0</item_version>" + weapon;
    const std::string one = oneMissionSaving, two = TwoMissionSaving();
    // The one-mission saving changed and written as the game writes it.
    const auto Written = [](const std::function<void(SavingFile&)>& change) {
        SavingFile file = SavingFile::Read(oneMissionSaving);
        change(file);
        return file.Write(boost::posix_time::from_iso_string("20110305T140322"));
    };
    // The two-mission saving whose tree does not list the shield node, which the weapon node needs.
    const std::string unlisted = std::regex_replace(
        two, std::regex("(<m_nodes[^>]*>\\s*)<count>2</count>([\\s\\S]*)<item>\\s*<sp>\\s*<px [^>]*_5\"></px>\\s*</sp>\\s*</item>"),
        "$1<count>1</count>$2");
    // Changes to a saving in play, which writing it refuses.
    typedef std::function<void(const stable_ptr<Saving>&)> Change;
    const auto Mission = [](const stable_ptr<Saving>& saving) { return *saving->GetMissions().begin(); };
    const Change seed = [&](const stable_ptr<Saving>& saving) { Mission(saving)->m_seed = 2147483648; };
    const Change payment = [&](const stable_ptr<Saving>& saving) { Mission(saving)->m_payment = 4294967296; };
    const Change cost = [](const stable_ptr<Saving>& saving) { GetNode(saving, Categories::Weapon)->Cost = 4294967296; };
    const Change self = [](const stable_ptr<Saving>& saving) {
        GetNode(saving, Categories::Weapon)->Predecessors.insert(GetNode(saving, Categories::Weapon));
    };
    const Change circle = [](const stable_ptr<Saving>& saving) {
        GetNode(saving, Categories::Shield)->Predecessors.insert(GetNode(saving, Categories::Weapon));
    };
    // Refused when read (the message names the file) or when written after a change.
    enum Step { read, write };
    const struct { Step step; std::string text; Change change; std::string message; } cases[] = {
        {read, one + std::string(savingFileMostBytes, ' '), {},
         "savings/3: the file is larger than 4194304 bytes, the most a save file may hold"},
        {read, Replace(one, "<Seed>42", "<Seed>-1"), {}, "savings/3: seed must not be negative"},
        {read, Written([](SavingFile& file) { file.Map.reset(); }), {}, "savings/3: saving must have a map"},
        {read, Written([](SavingFile& file) { file.TheTechnologyTree.reset(); }), {},
         "savings/3: saving must have a technology tree"},
        {read, Replace(one, "<Money>", "<Money>4294967296"), {},
         "savings/3:7: Money: \"42949672961500\" is not a whole number from 0 to 4294967295"},
        {read, Written([](SavingFile& file) { file.Missions.clear(); }), {},
         "savings/3: saving must have at least one mission"},
        {read, Replace(two, "<m_id>1", "<m_id>0"), {}, "savings/3: two missions have the number 0"},
        {read, Replace(one, "<item>0</item>\n\t\t\t\t\t</Successors>", "<item>5</item></Successors>"), {},
         "savings/3: mission 0 opens mission 5, which the saving does not have"},
        {read, Replace(one, "<m_seed>7", "<m_seed>-7"), {}, "savings/3: mission 0: seed -7 is too small"},
        {write, one, seed, "savings/3: mission 0: seed 2147483648 is out of range"},
        {read, Replace(one, "<m_type>0", "<m_type>1"), {},
         "savings/3: mission 0: type 1 is no kind of mission, over earth (0) is the only one"},
        {read, Replace(one, "<m_difficulty>10", "<m_difficulty>2147483648"), {},
         "savings/3: mission 0: difficulty 2147483648 is above 2147483647"},
        {write, one, payment, "savings/3: mission 0: payment 4294967296 is above the most money there is, 4294967295"},
        {read, Written([](SavingFile& file) { file.Ships.clear(); }), {}, "savings/3: saving must have at least one ship"},
        {read, Written([](SavingFile& file) { file.Ships.resize(10, file.Ships[0]); }), {},
         "savings/3: saving has 10 ships, more than the hangar holds, 9"},
        {read, Written([](SavingFile& file) { file.SelectedShip.reset(); }), {}, "savings/3: no selection index available"},
        {read, Replace(one, "<value>0</value>", "<value>1</value>"), {}, "savings/3: selection index is invalid"},
        {read, Replace(one, "<HullType>hll000", "<HullType>hll002"), {},
         "savings/3: ship 0: hll002 is no item the player can own"},
        {read, Replace(one, "<item>wpn000</item>\n\t\t\t</WeaponTypes>", "<item>wpn500</item></WeaponTypes>"), {},
         "savings/3: ship 0: wpn500 is no item the player can own"},
        {write, one, cost, "savings/3: technology node wpn001: cost 4294967296 is above the most money there is, 4294967295"},
        {write, one, self, "savings/3: technology node wpn001 is its own predecessor"},
        {write, two, circle, "savings/3: technology node shd001 needs itself through its predecessors: shd001 -> wpn001 -> shd001"},
        {read, unlisted, {}, "savings/3: technology node wpn001 needs shd001, which is no node of the tree"},
        {read, Replace(two, "<Type>shd001", "<Type>wpn001"), {}, "savings/3: two technology nodes have the type wpn001"},
        {read, Replace(one, "1</count>\n\t\t\t\t" + weapons, "2</count>\n\t\t\t\t" + weapons + weapon), {},
         "savings/3: ship 0: weapon slot mismatch (slots:1 != weapons:2)"},
        {read, Replace(one, "wpn002</item>\n\t\t<item>hll", "wpn0a1</item>\n\t\t<item>hll"), {},
         "savings/3:75: TheInventory/item 1: \"wpn0a1\" is not an equipment ID (wpn, shd, bmb, ngn, hll or gdg and three digits)"},
    };
    for (const auto& rule : cases)
        EXPECT_EQ(rule.message, ThrownMessage<Exception>([&] {
                      const stable_ptr<Saving> saving = Load(rule.text);
                      if (rule.step != write)
                          return;
                      rule.change(saving);
                      // The nodes let go of each other whatever happens.
                      const std::shared_ptr<void> unlink(nullptr, [&](void*) {
                          for (Categories::Equipment category : {Categories::Weapon, Categories::Shield})
                              for (const stable_ptr<TechnologyTree::Node>& node : saving->GetTechnologyTree()->GetNodes(category))
                                  node->Predecessors.clear();
                      });
                      manager->Save(saving);
                  }));
}

// Save times are local and carry no zone: a save written in Tokyo reads 16 or
// 17 hours ahead in Los Angeles, and loads there. Up to 26 hours ahead of the
// clock a save loads, beyond that it is refused.
TEST_F(SavingManagerTest, SavingsStampedInAnotherTimeZoneLoadUpToTwentySixHoursAhead)
{
    using boost::posix_time::from_iso_string;
    using boost::posix_time::hours;
    // The zones take effect: noon UTC, 17 hours apart in winter.
    const auto LocalNoon = [] { return boost::date_time::c_local_adjustor<ptime>::utc_to_local(from_iso_string("20110305T120000")); };
    {
        TimeZone tokyo("Asia/Tokyo");
        ASSERT_EQ(from_iso_string("20110305T210000"), LocalNoon());
        manager->Save(Load(oneMissionSaving));
    }
    TimeZone losAngeles("America/Los_Angeles");
    ASSERT_EQ(from_iso_string("20110305T040000"), LocalNoon());
    const ptime before = Now();
    const stable_ptr<Saving> fromTokyo = manager->Load(3);
    EXPECT_TRUE(fromTokyo->GetTime() >= before + hours(16) && fromTokyo->GetTime() <= Now() + hours(17)) << fromTokyo->GetTime();

    const auto At = [](ptime stamp) { return Replace(oneMissionSaving, "20110305T140322", to_iso_string(stamp)); };
    // Tried again should the clock pass into the next second meanwhile.
    std::string beyond = "<nothing thrown>";
    for (int attempt = 0; attempt < 3 && beyond == "<nothing thrown>"; ++attempt)
    {
        const ptime most = Now() + hours(26);
        EXPECT_NO_THROW(Load(At(most)));
        beyond = ThrownMessage<LogicError>([&] { Load(At(most + boost::posix_time::seconds(1))); });
    }
    EXPECT_EQ("savings/3: saving has future time", beyond);
    EXPECT_EQ("savings/3: saving has future time", ThrownMessage<LogicError>([&] { Load(At(Now() + hours(30))); }));
    // Loaded in Tokyo 20 hours ahead, it is 37 hours ahead here, and saves as of now.
    const stable_ptr<Saving> ahead = [&] { TimeZone tokyo("Asia/Tokyo"); return Load(At(Now() + hours(20))); }();
    EXPECT_NO_THROW(manager->Save(ahead));
    EXPECT_LE(manager->Load(3)->GetTime(), Now());
}

// A machine whose clock lost its battery starts at 1970-01-01 00:00 UTC, which
// local time west of UTC shows in 1969: the game saves there with that stamp
// and loads the save again. The earliest stamp a save may carry loads too.
TEST_F(SavingManagerTest, SavingsAreWrittenAndLoadedAtAClockThatShowsNineteenSixtyNine)
{
    using boost::posix_time::from_iso_string;
    const TimeZone newYork("America/New_York");
    const HeldCalendarClock clock(2 * 60 * 60);
    ASSERT_EQ(from_iso_string("19691231T210000"), Now());
    manager->Save(Load(Replace(oneMissionSaving, "20110305T140322", "19691230T220000")));
    EXPECT_NE(std::string::npos, ReadSaving().find("<time>19691231T210000</time>"));
    EXPECT_EQ(from_iso_string("19691231T210000"), manager->Load(3)->GetTime());
    EXPECT_EQ(from_iso_string("19691231T210000"), manager->GetSavingTime(3));
}

TEST_F(SavingManagerTest, SavingInUseWritesTheInventoryBackWithoutLosingAnything)
{
    const std::string text = Replace(Replace(oneMissionSaving, "<ShieldType>shd000", "<ShieldType>"),
                                     "<count>3</count>\n\t\t<item_version>0</item_version>\n\t\t<item>wpn002</item>\n\t\t<item>hll001</item>",
                                     "<count>4</count>\n\t\t<item_version>0</item_version>\n\t\t<item>wpn002</item>\n\t\t<item>hll001</item>"
                                     "\n\t\t<item>wpn500</item>");
    const stable_ptr<Saving> saving = Play(text, 700);
    const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
    EXPECT_TRUE(!inventory->GetShip()->GetShield() && inventory->GetItems().size() == 2);
    EXPECT_TRUE(log.Contains("error:   saving 3: the loose item wpn500 is no item the player can own, it stays in the save file"));
    // Nor does the shop offer such an item.
    saving->AddToShop("wpn500");
    EXPECT_TRUE(log.Contains("error:   the shop can not offer wpn500: it is no item the player can own"));
    // The loose hull, which is no item, and the enemy's weapon are kept and written after the items.
    manager->Save(saving);
    const std::string written = ReadSaving();
    EXPECT_EQ(Replace(Replace(text, "<Money>1500", "<Money>700"), "hll001</item>\n\t\t<item>wpn500</item>\n\t\t<item>shd001",
                      "shd001</item>\n\t\t<item>hll001</item>\n\t\t<item>wpn500") + "\n",
              AsHandMade(written));
    // A save that fails leaves the file as it was.
    const std::shared_ptr<PlayerShip> ship = inventory->GetShip();
    const struct { stable_ptr<Inventory> inventory; std::string message; } refused[] = {
        {Inventory::Create({ship, ship}, inventory->GetShip()), "savings/3: there can only be one ship selected"},
        {Inventory::Create({ship, nullptr}, inventory->GetShip()), "savings/3: empty ship pointer"},
        {stable_ptr<Inventory>(new Inventory()), "savings/3: there must be one ship selected"},
    };
    for (const auto& each : refused)
    {
        registry->Register<Inventory>(each.inventory);
        EXPECT_EQ(each.message, ThrownMessage<LogicError>([&] { manager->Save(saving); }));
        EXPECT_EQ(written, ReadSaving());
    }
}

TEST_F(SavingManagerTest, ListsTheSavingFilesOnlyAndRemovesThem)
{
    EXPECT_TRUE(manager->GetSavingIDs().empty());
    const stable_ptr<Saving> saving = Load(oneMissionSaving);
    std::filesystem::remove_all(root.GetPath() / "savings");
    manager->Save(saving);
    for (const char* stray : {"README", "3~", "3.tmp", "-1", "007", "3.0badf00d", "12/13", "13"})
        root.WriteFile(std::string("savings/") + stray, "");
    const std::vector<unsigned long> ids = manager->GetSavingIDs();
    EXPECT_EQ((std::set<unsigned long>{3, 13}), std::set<unsigned long>(ids.begin(), ids.end()));
    EXPECT_EQ(7u, log.GetLines().size());
    manager->Remove(saving);
    EXPECT_EQ(std::vector<unsigned long>{13}, manager->GetSavingIDs());
    try
    {
        manager->Load(3);
        ADD_FAILURE();
    }
    catch (const LoadError& error)
    {
        EXPECT_TRUE(error.what() == (root.GetPath() / "savings/3").string() + " is not a regular file" &&
                    *boost::get_error_info<SavingIdInfo>(error) == 3);
    }
}

TEST_F(SavingManagerTest, ListingSkipsWhatItCannotReadAndNeverThrows)
{
    Load(oneMissionSaving);
    const std::filesystem::path savings = root.GetPath() / "savings", kept = root.GetPath() / "kept";
    for (const auto& [link, target] : {std::pair{"5", "5"}, {"6", "7"}, {"7", "6"}, {"8", "/dev/null"}})
        std::filesystem::create_symlink(target, savings / link);
    EXPECT_EQ(std::vector<unsigned long>{3}, manager->GetSavingIDs());
    for (const char* loop : {"5", "6", "7"})
        EXPECT_TRUE(log.Contains("skipping " + (savings / loop).string() + ": Too many levels of symbolic links"));
    EXPECT_TRUE(log.Contains("skipping " + (savings / "8").string() + ": not a saving"));

    // The folder itself: a file, a link to itself, a link to a device, a folder that may not be read.
    std::filesystem::rename(savings, kept);
    const struct { std::function<void()> make; const char* why; } folders[] = {
        {[&] { root.WriteFile("savings", ""); }, "Not a directory"},
        {[&] { std::filesystem::create_symlink("savings", savings); }, "Too many levels of symbolic links"},
        {[&] { std::filesystem::create_symlink("/dev/null", savings); }, "Not a directory"},
        {[&] {
             std::filesystem::create_directory_symlink("kept", savings);
             std::filesystem::permissions(kept, std::filesystem::perms::none);
         },
         "Permission denied"},
    };
    for (const auto& folder : folders)
    {
        folder.make();
        {
            const NoPermissionOverride asOthers;
            EXPECT_TRUE(manager->GetSavingIDs().empty()) << folder.why;
        }
        EXPECT_TRUE(log.Contains("the savings of " + savings.string() + " can not be listed: " + folder.why)) << folder.why;
        std::filesystem::remove(savings);
    }
    std::filesystem::permissions(kept, std::filesystem::perms::owner_all);
}
