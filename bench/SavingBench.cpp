// saving-bench: how long a save takes to load, what the check of its text
// adds to that, and how long saves at the bounds of the check take to be
// loaded or refused.
//
// The real save is the tests' saving 3 (tests/data/savings/3.xml of the
// sources). The saves at the bounds are saving 3 written by the game with
// savingCollectionMostItems shop entries, grown to the most of everything at
// once (LargestSaving.hpp), that one filled with blanks up to
// savingFileMostBytes, and with as many missions as savingFileMostBytes holds.
// It prints one `name: value` a line, medians in milliseconds:
//   check_ms                 CheckSavingFile of saving 3's text alone
//   load_ms                  SavingManager::Load of saving 3, the check included
//                            (it paints the saving's world map, which takes most of it)
//   check_share_percent      check_ms against the rest of load_ms
//   shop_bound_*             the save of the most shop entries,
//   largest_*                the largest save the bounds allow,
//   most_bytes_*             the largest save filled up to the most bytes,
//   missions_fitting_*       of the most missions within the most bytes
//                            (missions_fitting of them; more than a save may
//                            hold): _ms to load or refuse it, _loaded 1 or 0
//                            (the reason on stderr), _mb its size
//   list_300_ms              the savings screen's listing of 300 copies of
//                            saving 3, each written a second after the other
//                            (entering the screen and leaving it again)
//   list_300_loads           list_300_ms in loads of saving 3 (load_ms)
//   list_300_future_*        the same of 300 copies stamped two days ahead
//                            (as a machine whose clock ran fast writes them),
//                            which the listing refuses, and one copy stamped
//                            as saving 3 is
//
// Run it with the game root as the current directory and a display (Xvfb will
// do: reading a save paints its world map): `saving-bench [runs]` times 600
// runs of the check unless told otherwise, a tenth as many loads of saving 3
// and a hundredth as many of each save at the bounds and of the listing. Its
// saves are written as savings/900 (saving 3 renumbered) to 904 and 1000 to
// 1300, and removed again; the listing lists the game root's own saves besides.
#include "BenchFigures.hpp"
#include "LargestSaving.hpp"
#include "campaign/Saving.hpp"
#include "campaign/SavingFile.hpp"
#include "campaign/SavingFileCheck.hpp"
#include "campaign/SavingManager.hpp"
#include "campaign/SavingsScreen.hpp"
#include "core/ConfigurationSystem.hpp"
#include "core/Files.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "flight/EquipmentFactory.hpp"
#include "flight/HullFactory.hpp"
#include "flight/ShieldFactory.hpp"
#include "flight/WeaponFactory.hpp"
#include "interface/StartScreen.hpp"
#include "levels/MissionBlueprint.hpp"
#include "levels/WorldMapFactory.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <boost/date_time/posix_time/posix_time.hpp>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

using namespace Kestrum;
using BenchFigures::Clock;

namespace
{
    // Saving 3 as the tests hold it.
    std::string ReadSavingThree()
    {
        const std::string path = std::string(KESTRUM_SOURCE_DIR) + "/tests/data/savings/3.xml";
        std::ifstream file(path);
        if (!file)
            throw std::runtime_error("could not open " + path);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    // The median time of the runs of the action.
    double Time(unsigned runs, const std::function<void()>& action)
    {
        std::vector<double> times;
        for (unsigned run = 0; run < runs; ++run)
        {
            const Clock::time_point start = Clock::now();
            action();
            times.push_back(BenchFigures::Milliseconds(start, Clock::now()));
        }
        return BenchFigures::Median(times);
    }

    // Saving 3 as the game writes it, as saving `id`, changed.
    std::string Write(const std::string& three, unsigned long id, const std::function<void(SavingFile&)>& change)
    {
        SavingFile file = SavingFile::Read(three);
        file.ID = id;
        change(file);
        return file.Write(boost::posix_time::from_iso_string("20110305T140322"));
    }

    // Missions 1 on up to `count` in all, besides saving 3's mission 0, which
    // they all open.
    void AddMissions(SavingFile& file, unsigned long count)
    {
        const MissionBlueprint& first = **file.Missions.begin();
        for (unsigned long id = 1; id < count; ++id)
        {
            const stable_ptr<MissionBlueprint> mission(new MissionBlueprint());
            mission->Open = first.Open;
            mission->Successors = {0};
            mission->KeyEquipment = first.KeyEquipment;
            mission->Goodies = first.Goodies;
            mission->m_id = id;
            mission->m_seed = long(id);
            mission->m_difficulty = first.m_difficulty;
            mission->m_payment = first.m_payment;
            mission->m_position = sf::Vector2f(float(id % 100) / 100.f, float(id / 100) / 100.f);
            file.Missions.insert(mission);
        }
    }

    // Times the loading (or the refusal) of the text as the saving `id`:
    // <name>_ms, <name>_loaded (1, or 0 with the reason on stderr), <name>_mb.
    void MeasureBound(const std::string& name, unsigned long id, unsigned runs, const std::string& text)
    {
        const std::string path = "savings/" + std::to_string(id);
        WriteFileAtomically(path, text);
        bool loaded = true;
        const double ms = Time(runs, [&] {
            try
            {
                GetFromRegistry<SavingManager>()->Load(id);
            }
            catch (const std::exception& error)
            {
                if (loaded)
                    std::fprintf(stderr, "%s refused: %s\n", name.c_str(), error.what());
                loaded = false;
            }
        });
        std::filesystem::remove(path);
        BenchFigures::Print((name + "_ms").c_str(), ms);
        BenchFigures::Print((name + "_loaded").c_str(), loaded ? 1. : 0.);
        BenchFigures::Print((name + "_mb").c_str(), double(text.size()) / (1024. * 1024.));
    }

    // Times the savings screen's listing of copies of saving 3 stamped at
    // `times`, written as savings 1000 on: <name>_ms, and <name>_loads against
    // one load of saving 3.
    void MeasureListing(const std::string& name, const std::vector<boost::posix_time::ptime>& times,
                        SavingsScreen& screen, unsigned runs, const std::string& real, double load)
    {
        const std::string time = "20110305T140322";
        for (unsigned long i = 0; i < times.size(); ++i)
        {
            std::string text = real;
            text.replace(text.find("<ID>900</ID>"), 12, "<ID>" + std::to_string(1000 + i) + "</ID>");
            text.replace(text.find(time), time.size(), boost::posix_time::to_iso_string(times[i]));
            WriteFileAtomically("savings/" + std::to_string(1000 + i), text);
        }
        const double ms = Time(runs, [&] {
            screen.OnEnter();
            screen.OnExit();
        });
        for (unsigned long i = 0; i < times.size(); ++i)
            std::filesystem::remove("savings/" + std::to_string(1000 + i));
        BenchFigures::Print((name + "_ms").c_str(), ms);
        BenchFigures::Print((name + "_loads").c_str(), ms / load);
    }

    int Run(unsigned runs, const char*)
    {
        LogSystem log;  // unconnected: the loading's notes go nowhere
        const stable_ptr<Registry> registry = Registry::Create();
        CreateLoadAndRegister(new ConfigurationSystem());
        CreateAndRegister(new ResourceManager());
        CreateLoadAndRegister(new WeaponFactory());
        CreateLoadAndRegister(new ShieldFactory());
        CreateLoadAndRegister(new HullFactory());
        CreateLoadAndRegister(new EquipmentFactory());
        CreateAndRegister(new WorldMapFactory());
        const stable_ptr<SavingManager> manager = CreateAndRegister(new SavingManager());

        const bool hadSavings = std::filesystem::exists("savings");
        std::filesystem::create_directories("savings");
        const std::string three = ReadSavingThree();
        // Saving 3 as saving 900, so that a saving 3 of the game root stays as it is.
        std::string real = three;
        real.replace(real.find("<ID>3</ID>"), 10, "<ID>900</ID>");
        WriteFileAtomically("savings/900", real);

        const double check = Time(runs, [&] { CheckSavingFile(real, 900); });
        const double load = Time(std::max(1u, runs / 10), [&] { manager->Load(900); });
        BenchFigures::Print("check_ms", check);
        BenchFigures::Print("load_ms", load);
        BenchFigures::Print("check_share_percent", 100. * check / (load - check));

        const unsigned boundRuns = std::max(1u, runs / 100);
        const unsigned long most = savingCollectionMostItems;
        MeasureBound("shop_bound", 901, boundRuns, Write(three, 901, [](SavingFile& file) {
                         file.Shop.assign(savingCollectionMostItems, "shd001");
                     }));
        const std::string largest = LargestSaving::Write(three, 902, boost::posix_time::from_iso_string("20110305T140322"));
        MeasureBound("largest", 902, boundRuns, largest);
        std::string filled = largest;
        filled.insert(filled.find("\t<time>"), savingFileMostBytes - largest.size(), ' ');
        MeasureBound("most_bytes", 902, boundRuns, filled);
        // As many missions as the most bytes hold, when that is fewer.
        const std::size_t one = Write(three, 904, [](SavingFile&) {}).size();
        const std::size_t missions = Write(three, 904, [most](SavingFile& file) { AddMissions(file, most); }).size();
        const unsigned long fitting = std::min<unsigned long>(
            most, (savingFileMostBytes - one) / ((missions - one) / (most - 1) + 1));
        BenchFigures::Print("missions_fitting", double(fitting));
        MeasureBound("missions_fitting", 904, boundRuns,
                     Write(three, 904, [fitting](SavingFile& file) { AddMissions(file, fitting); }));

        std::filesystem::remove("savings/900");
        CreateAndRegister(new sf::RenderWindow(sf::VideoMode(1024, 768), "saving-bench"));
        CreateAndRegister(new StartScreen());
        const stable_ptr<SavingsScreen> screen = CreateAndRegister(new SavingsScreen());
        using namespace boost::posix_time;
        const ptime first = from_iso_string("20110305T140322");
        const ptime ahead = second_clock::local_time() + hours(48);
        std::vector<ptime> apart, future;
        for (long i = 0; i < 300; ++i)
        {
            apart.push_back(first + seconds(i));
            future.push_back(ahead + seconds(i));
        }
        future.push_back(first);
        MeasureListing("list_300", apart, *screen, boundRuns, real, load);
        MeasureListing("list_300_future", future, *screen, boundRuns, real, load);

        std::error_code ignored;
        if (!hadSavings)
            std::filesystem::remove("savings", ignored);
        return 0;
    }
}

int main(int argc, char** argv)
{
    return BenchFigures::Main(argc, argv, "saving-bench", &Run);
}
