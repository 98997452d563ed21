#include "levels/Tile.hpp"
#include "levels/TileManager.hpp"

#include "levels/LevelFixture.hpp"
#include "support/ThrownMessage.hpp"

#include <boost/lexical_cast.hpp>
#include <gtest/gtest.h>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

TEST(TileTest, ValuesFromFlagsAndText)
{
    EXPECT_EQ(65520u, Tile().GetValue());
    EXPECT_TRUE(boost::lexical_cast<Tile>("65520").IsEmpty());
    const Tile full(true, true, true, true, 1);
    EXPECT_EQ(65551u, full.GetValue());
    EXPECT_EQ(14u, full.GetSpriteIndex());
    EXPECT_EQ(1u, full.GetTileSet());
    EXPECT_EQ(0x20004u, Tile(false, false, true, false, 2).GetValue());
    EXPECT_EQ("65551", boost::lexical_cast<std::string>(full));
    EXPECT_EQ("tileSet = 0x10000", ThrownMessage<LogicError>([] { Tile(true, true, true, true, 65536); }));

    EXPECT_EQ(0xFFFFFFFFu, boost::lexical_cast<Tile>("-1").GetValue());
    EXPECT_EQ(0xFFFFFFFFu, boost::lexical_cast<Tile>("4294967295").GetValue());
    for (const char* text : {"", " 15", "15 ", "1.5", "x", "4294967296", "99999999999999999999"})
        EXPECT_THROW(boost::lexical_cast<Tile>(text), boost::bad_lexical_cast) << '"' << text << '"';
}

TEST(TileTest, ATileWithoutFlagsShowsTheFirstImageAndSaysSo)
{
    Testing::CapturedLog log;
    EXPECT_EQ(0u, boost::lexical_cast<Tile>("65536").GetSpriteIndex());
    EXPECT_TRUE(log.Contains("logic error: Tile.m_value = 0x10000"));
}

TEST(TileTest, TileCornersOnTheScreen)
{
    const struct
    {
        unsigned column, row;
        float offset, width;
        sf::Vector2f corner;
    } cases[] = {
        {0, 0, 0.f, 1024.f, {198.f, 736.f}},   {25, 23, 0.f, 1024.f, {998.f, 0.f}},
        {0, 0, 0.f, 1280.f, {326.f, 736.f}},   {25, 23, 0.f, 1280.f, {1126.f, 0.f}},
        {0, 0, 40.7f, 1024.f, {198.f, 776.f}}, {0, 30, 96.f, 1024.f, {198.f, -128.f}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.corner, TileToWorld(c.column, c.row, c.offset, {c.width, 768.f}))
            << c.column << ", " << c.row << " at " << c.offset << " in " << c.width;
}

namespace
{
    using TileManagerTest = Kestrum::Testing::LevelFixture;
}

TEST_F(TileManagerTest, ConvertsBetweenTilesAndTheConfiguredScreen)
{
    ASSERT_EQ(sf::Vector2f(1024.f, 768.f), configuration->GetScreenSize());
    EXPECT_EQ(sf::Vector2f(198.f, 736.f), TileToWorld(0, 0, 0.f));
    EXPECT_EQ(sf::Vector2f(998.f, 0.f), TileToWorld(25, 23, 0.f));

    TileManager tiles;
    EXPECT_EQ(sf::Vector2u(13, 0), tiles.CalculateTileCoordinates({0.5f, 1.f}, 0.f));
    EXPECT_EQ(sf::Vector2u(0, 24), tiles.CalculateTileCoordinates({0.f, 0.f}, 0.f));
    EXPECT_EQ(sf::Vector2u(25, 27), tiles.CalculateTileCoordinates({1.f, 0.f}, 100.f));
    EXPECT_EQ("negative coordinate y not allowed",
              ThrownMessage<NotSupportedError>([&] { tiles.CalculateTileCoordinates({0.5f, 1.5f}, 0.f); }));
}

TEST_F(TileManagerTest, IsEnteredOnceWhileAWindowIsHeld)
{
    TileManager tiles;
    EXPECT_THROW(tiles.OnExit(), LogicError);
    EXPECT_THROW(tiles.OnEnter(), NotAvailableError);
    sf::RenderWindow& window = OpenWindow();
    tiles.OnEnter();
    EXPECT_THROW(tiles.OnEnter(), LogicError);
    EXPECT_EQ(25u, tiles.GetRevealedRowCount(0.f));
    EXPECT_EQ(28u, tiles.GetRevealedRowCount(100.f));
    tiles.OnExit();
    EXPECT_THROW(tiles.OnExit(), LogicError);
    window.close();
}
