#include "core/Exception.hpp"
#include "flight/Categories.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

using namespace Kestrum;
using Kestrum::Testing::CapturedLog;
using Kestrum::Testing::ThrownMessage;

TEST(Categories, NamesAndCodesBothWays)
{
    const char* codes[] = {"wpn", "shd", "bmb", "ngn", "hll", "gdg"};
    const char* names[] = {"Weapon", "Shield", "Bomb", "Engine", "Hull", "Gadget"};
    for (int value = 0; value < 6; ++value)
    {
        const auto category = static_cast<Categories::Equipment>(value);
        EXPECT_EQ(codes[value], Categories::EquipmentToShortString(category));
        EXPECT_EQ(names[value], Categories::EquipmentToString(category));
        EXPECT_EQ(category, Categories::EquipmentFromShortString(codes[value]));
    }
    EXPECT_EQ("HLL is unknown equipment type",
              ThrownMessage<UnknownTypeError>([] { Categories::EquipmentFromShortString("HLL"); }));
    EXPECT_EQ("hll000", MakeEquipmentID(Categories::Hull, "000"));

    CapturedLog log;
    EXPECT_EQ("xxx", Categories::EquipmentToShortString(static_cast<Categories::Equipment>(6)));
    EXPECT_EQ("???", Categories::EquipmentToString(static_cast<Categories::Equipment>(-1)));
    EXPECT_TRUE(log.Contains("unknown equipment category found (6) - returning xxx"));
    EXPECT_TRUE(log.Contains("unknown equipment category found (-1) - returning ???"));
}

TEST(Categories, IdentifiersAreCheckedAndSplit)
{
    const auto parsed = Categories::ParseEquipmentID("wpn7");
    EXPECT_EQ(Categories::Weapon, parsed.first);
    EXPECT_EQ("7", parsed.second);
    EXPECT_EQ(Categories::Hull, Categories::ParseEquipmentID("hll000").first);
    EXPECT_NO_THROW(Categories::AssertEquipmentID("wpn"));
    EXPECT_NO_THROW(Categories::AssertEquipmentID("shd012", Categories::Shield));

    struct Case
    {
        std::string id;
        std::string message;
        void (*check)(const std::string&);
    };
    const Case failures[] = {
        {"wpn", "length is too small: wpn", [](const std::string& id) { Categories::ParseEquipmentID(id); }},
        {"wpn07x", "wpn07x is no equipment ID (second part contains non-digits)",
         [](const std::string& id) { Categories::ParseEquipmentID(id); }},
        {"wpn07x", "wpn07x is no equipment ID (second part contains non-digits)",
         [](const std::string& id) { Categories::AssertEquipmentID(id); }},
        {"wpn", "wpn is not of type shd",
         [](const std::string& id) { Categories::AssertEquipmentID(id, Categories::Shield); }},
        {"shd007", "shd007 is not of type wpn",
         [](const std::string& id) { Categories::AssertEquipmentID(id, Categories::Weapon); }},
    };
    for (const Case& failure : failures)
        EXPECT_EQ(failure.message, ThrownMessage<ParseError>([&] { failure.check(failure.id); })) << failure.id;
    EXPECT_EQ("xyz is unknown equipment type",
              ThrownMessage<UnknownTypeError>([] { Categories::ParseEquipmentID("xyz001"); }));
    EXPECT_EQ("Wpn is unknown equipment type",
              ThrownMessage<UnknownTypeError>([] { Categories::AssertEquipmentID("Wpn001"); }));
}
