// Tile sets and the drawing of tile grids, under the test display.
#include "levels/TileManager.hpp"
#include "levels/TileSet.hpp"

#include "levels/LevelFixture.hpp"
#include "presentation/SpriteList.hpp"
#include "support/ThrownMessage.hpp"
#include "support/WindowCapture.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class TileSetTest : public Kestrum::Testing::LevelFixture
    {
    protected:
        TileSetTest() : window(OpenWindow()) { CopyFromGameRoot("resources/tiles"); }
        ~TileSetTest() override { window.close(); }

        sf::Image Capture()
        {
            return Kestrum::Testing::CaptureWindow(window);
        }

        // The average colour of 32 columns and `height` rows from the top-left corner.
        static sf::Color Average(const sf::Image& image, unsigned left, unsigned top, unsigned height = 32)
        {
            unsigned r = 0, g = 0, b = 0;
            for (unsigned y = top; y < top + height; ++y)
                for (unsigned x = left; x < left + 32; ++x)
                {
                    const sf::Color c = image.getPixel(x, y);
                    r += c.r, g += c.g, b += c.b;
                }
            const unsigned n = 32 * height;
            return sf::Color(sf::Uint8(r / n), sf::Uint8(g / n), sf::Uint8(b / n));
        }
        static bool IsGrass(const sf::Color& c) { return c.g > c.r + 20 && c.g > c.b + 20; }
        static bool IsEarth(const sf::Color& c) { return c.r > c.g + 10 && c.g > c.b + 20; }

        sf::RenderWindow& window;
    };

    TileRow Row(const Tile& tile) { return TileRow(26, tile); }
}

TEST_F(TileSetTest, EveryShippedTileSetLoadsWithFifteenTiles)
{
    TileManager tiles;
    tiles.OnEnter();
    unsigned count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(KESTRUM_GAME_ROOT) / "resources/tiles"))
    {
        if (entry.path().extension() != ".spl")
            continue;
        const unsigned long id = std::stoul(entry.path().stem().string());
        const stable_ptr<TileSet> set = tiles.GetTileSet(id);
        EXPECT_EQ(id, set->GetID());
        EXPECT_EQ(15u, set->GetSprites().GetSpriteCount()) << entry.path();
        EXPECT_TRUE(set == tiles.GetTileSet(id));
        ++count;
    }
    EXPECT_GE(count, 2u);
    EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();

    EXPECT_EQ("could not load resources|tiles|0000000012.spl",
              ThrownMessage<LoadError>([&] { tiles.GetTileSet(12); }));
    tiles.OnExit();
}

TEST_F(TileSetTest, OddTileSetsAreReportedAndKept)
{
    root.WriteFile("resources/tiles/three.spl",
                   "<sprite_list definition_source='inline' version='1'>"
                   "<sprite x='1' y='1' width='32' height='32' image_path='0000000000.png'/>"
                   "<sprite x='35' y='1' width='32' height='32' image_path='0000000000.png'/>"
                   "<sprite x='69' y='1' width='32' height='32' image_path='0000000000.png'/></sprite_list>");
    const stable_ptr<SpriteList> three = GetFromRegistry<ResourceManager>()->GetSpriteList("resources|tiles|three.spl");
    TileSet set(three, 65536);
    EXPECT_EQ(65536u, set.GetID());
    EXPECT_TRUE(log.Contains("invalid tile set ID, only 2 least significant bytes usable: 65536"));
    EXPECT_TRUE(log.Contains("invalid size of sprite list: 3"));
}

// One picture holds several checks: rows from the bottom up, the last row
// repeating above the grid's end, gaps where tiles are empty, and the edge of
// the play field.
TEST_F(TileSetTest, DrawsTheRowsOnTheScreen)
{
    TileManager tiles;
    EXPECT_THROW(tiles.DrawGrid(TileGrid(1, Row(Tile())), 0.f), LogicError);
    tiles.OnEnter();
    TileGrid grid(9, Row(Tile(true, true, true, true, 0)));  // grassland, rows 0 to 8
    grid.push_back(Row(Tile(true, true, true, true, 1)));   // dry earth, row 9 and above
    grid[2][5] = Tile();                                     // a hole
    window.clear(sf::Color::Black);
    tiles.DrawGrid(grid, 0.f);
    sf::Image picture = Capture();
    EXPECT_TRUE(IsGrass(Average(picture, 198, 736))) << "row 0";
    EXPECT_TRUE(IsGrass(Average(picture, 998, 480))) << "row 8";
    EXPECT_TRUE(IsEarth(Average(picture, 198, 448))) << "row 9";
    EXPECT_TRUE(IsEarth(Average(picture, 998, 0))) << "row 23 repeats row 9";
    EXPECT_EQ(sf::Color::Black, Average(picture, 198 + 5 * 32, 672)) << "the hole";
    EXPECT_EQ(sf::Color::Black, Average(picture, 150, 400)) << "left of the play field";

    // Far up the level only the last row shows.
    window.clear(sf::Color::Black);
    tiles.DrawGrid(grid, 1000.f);
    picture = Capture();
    for (unsigned y = 0; y + 32 <= 768; y += 64)
        EXPECT_TRUE(IsEarth(Average(picture, 500, y))) << y;

    // Half a tile scrolled: the bottom row moved down by 16 pixels.
    window.clear(sf::Color::Black);
    grid[0] = Row(Tile());
    tiles.DrawGrid(grid, 16.f);
    picture = Capture();
    EXPECT_EQ(sf::Color::Black, Average(picture, 500, 752, 16)) << "row 0, now empty";
    EXPECT_TRUE(IsGrass(Average(picture, 500, 720))) << "row 1";
    tiles.OnExit();
}
