#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "flight/EnemyFactory.hpp"
#include "flight/EnemySet.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>


using namespace Kestrum;
using Kestrum::Testing::ScratchGameRoot;
using Kestrum::Testing::ThrownMessage;

namespace
{
    const char* const database = "resources/enemies/factory_database.txt";
    const std::string goodRow = "airship005 500 0.2 3 1.0 0.5\n";

    // The message of the first exception of the family that loading the
    // database text throws.
    std::string LoadDatabase(const ScratchGameRoot& root, EnemyFactory& factory, const std::string& text)
    {
        root.WriteFile(database, text);
        return ThrownMessage<Exception>([&] { factory.Load(); });
    }
}

TEST(EnemyFactory, RefusesBadRowsWithTheirMessage)
{
    ScratchGameRoot root;
    EnemyFactory factory;
    EXPECT_EQ("database not availabe - forgot to call Load()?",
              ThrownMessage<RuntimeError>([&] { factory.GetEnemyTypes(); }));

    const struct
    {
        std::string text;
        std::string message;
    } cases[] = {
        {"airship005 500 0.2 3 1.0", "too few values"},
        // Thirteen values fail before the first row is stored.
        {goodRow + goodRow + "turret000", "odd number of values"},
        {"abc 500 0.2 3 1.0 0.5", "type string is too short: abc"},
        {"air12 500 0.2 3 1.0 0.5", "type contains non-digits: r12"},
        {"airship005 5x0 0.2 3 1.0 0.5", "weapon ID contains non-digits: 5x0"},
        {"airship005 500 -0.2 3 1.0 0.5", "speed is negative: -0.2"},
        {"turret001 500 0.2 0 1.0 0.5", "turret001 has no hit points"},
        {"turret001 500 0.2 3 -1 0.5", "turret001 has negative reload time"},
        {"turret001 500 0.2 3 1 -0.5", "turret001 has negative volley time"},
        {"airship005 500 fast 3 1.0 0.5", "the speed of airship005 holds fast, which is not a number"},
        {"airship005 500 0.2 4294967296 1.0 0.5",
         "the hit points of airship005 holds 4294967296, which is not an unsigned number"},
    };
    for (const auto& c : cases)
        EXPECT_EQ("resources/enemies/factory_database.txt: " + c.message, LoadDatabase(root, factory, c.text))
            << c.text;
    // A failed load keeps no database.
    EXPECT_THROW(factory.GetEnemyTypes(), RuntimeError);
}

TEST(EnemyFactory, ListsEveryTypeOfTheDatabase)
{
    ScratchGameRoot root;
    EnemyFactory factory;
    // Types that cannot be created load all the same; a repeated type counts once.
    EXPECT_EQ("<nothing thrown>", LoadDatabase(root, factory,
                                               "airship003 500 0.2 3 1 0.5\tx000 1 0 1 0 0\n"
                                               "airboss002 504 0 9 0 0 groundboss001 500 0 9 0 0\n" +
                                                   goodRow + goodRow));
    EXPECT_EQ((std::set<std::string>{"airboss002", "airship003", "airship005", "groundboss001", "x000"}),
              factory.GetEnemyTypes());

    // A later failing load leaves the database as it was; an empty file empties it.
    EXPECT_EQ("resources/enemies/factory_database.txt: too few values", LoadDatabase(root, factory, "turret000"));
    EXPECT_EQ(5u, factory.GetEnemyTypes().size());
    EXPECT_EQ("<nothing thrown>", LoadDatabase(root, factory, " \n"));
    EXPECT_TRUE(factory.GetEnemyTypes().empty());
}

TEST(EnemySet, ReadsPairsOfClassAndType)
{
    ScratchGameRoot root;
    const stable_ptr<Registry> registry = Registry::Create();
    auto factory = CreateAndRegister(new EnemyFactory());
    root.WriteFile(database, "airship000 501 0.1 4 1 1 airship001 500 0.4 2 1 1 airship002 500 0.3 1 1 1 "
                             "airship005 503 0.2 6 1 1 turret000 501 0 4 0.2 1.8");
    factory->Load();

    EXPECT_EQ(0u, ToIndex("fly1"));
    EXPECT_EQ(4u, ToIndex("TURRET1"));
    EXPECT_EQ("Fly5 is unknown enemy class", ThrownMessage<UnknownTypeError>([] { ToIndex("Fly5"); }));

    const std::string path = (root.GetPath() / "set.es.txt").string();
    const std::string full = "fly1 airship000 FLY2 airship001 Fly3 airship002 fLy4 airship005 Turret1 turret000";
    EnemySet set;
    const struct
    {
        std::string text;
        std::string message;
    } cases[] = {
        {full.substr(0, full.rfind(' ')), "odd count of values in " + path + " encountered"},
        {"Fly1 airship000 Fly2 airship001 Fly3 airship002 Fly4 airship005", "to few enemies in " + path},
        {full + " Fly1 airship009", "airship009 is unknown enemy variant"},
        {"Fly1 airship000 Fly2 airship001 Fly4 airship002 Fly4 airship005 Turret1 turret000",
         "no enemies specified for class 2"},
        {full + " Fly6 airship000", "Fly6 is unknown enemy class"},
    };
    for (const auto& c : cases)
    {
        root.WriteFile("set.es.txt", c.text);
        // A message that holds the path gets no second one.
        const bool named = c.message.find(path) != std::string::npos;
        EXPECT_EQ((named ? "" : path + ": ") + c.message, ThrownMessage<Exception>([&] { set.Load(path); }))
            << c.text;
    }

    root.WriteFile("set.es.txt", full + "\nFly1 airship002\nfly1 airship000");
    set.Load(path);
    EXPECT_EQ((std::vector<std::string>{"airship000", "airship002", "airship000"}), set.GetVariants(0));
    EXPECT_EQ(std::vector<std::string>{"turret000"}, set.GetVariants(4));
    // A failing load leaves the lists as they were.
    root.WriteFile("set.es.txt", "Fly1");
    EXPECT_THROW(set.Load(path), LoadError);
    EXPECT_EQ(3u, set.GetVariants(0).size());
}
