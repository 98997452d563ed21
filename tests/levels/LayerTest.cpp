// The layers of a level: the tile layer's grammar and its errors, the offsets
// of the scroll factor, and placed animations.
#include "flight/ScrollSystem.hpp"
#include "levels/LevelFixture.hpp"
#include "levels/ProceduralLayer.hpp"
#include "levels/SparseLayer.hpp"
#include "levels/TangibleLayer.hpp"

#include "core/FlatLineGraph.hpp"
#include "core/FrameClock.hpp"
#include "core/XmlReading.hpp"
#include "presentation/Animation.hpp"
#include "support/ThrownMessage.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class LayerTest : public Kestrum::Testing::LevelFixture
    {
    protected:
        LayerTest() { scroll = CreateAndRegister(new ScrollSystem()); }
        ~LayerTest() override { FrameClock::Reset(); }

        // Loads the element of the text into the layer.
        template <typename L>
        void Load(L& layer, const std::string& text)
        {
            const auto document = LoadXmlText(text, "layer test");
            layer.Load(document->document_element());
        }

        std::shared_ptr<ScrollSystem> scroll;
    };

    std::string Row(const std::string& repeat, const std::string& tiles)
    {
        return "<tile_row repeat='" + repeat + "'>" + tiles + "</tile_row>";
    }

    std::string Tangible(const std::string& grids, const std::string& factor = "1")
    {
        return "<layer type='tangible' scroll_factor='" + factor + "'>" + grids + "</layer>";
    }

    const std::string fullRow = "<tile_sequence repeat='26'>15</tile_sequence>";
}

TEST_F(LayerTest, TileLayerAppendsGridsAndRowsAsOftenAsTheyRepeat)
{
    TangibleLayer layer;
    EXPECT_THROW(layer.GetGrid(), LogicError);
    EXPECT_THROW(layer.Draw(), LogicError);
    Load(layer, Tangible("<tile_grid repeat='3'>" + Row("2", fullRow) + "<note/></tile_grid>"
                         "<tile_grid repeat='0'>" + Row("1", fullRow) + "</tile_grid>"
                         "<decoration/>"
                         "<tile_grid repeat='1'>" +
                         Row("0", fullRow) +
                         Row("1", "<tile>65551</tile><tile_sequence repeat='24'>65520</tile_sequence>"
                                  "<tile_sequence repeat='0'>1</tile_sequence><tile>7</tile>") +
                         Row("1", "<tile_sequence repeat='26'>65520</tile_sequence>") + "</tile_grid>",
                         "0.5"));
    const TileGrid& grid = layer.GetGrid();
    ASSERT_EQ(8u, grid.size());
    for (unsigned row = 0; row < 6; ++row)
        EXPECT_EQ(TileRow(26, Tile(true, true, true, true, 0)), grid[row]) << row;
    EXPECT_EQ(65551u, GetTile(grid, 6, 0).GetValue());
    EXPECT_TRUE(GetTile(grid, 6, 24).IsEmpty());
    EXPECT_EQ(7u, GetTile(grid, 6, 25).GetValue());
    EXPECT_EQ(TileRow(26, Tile()), grid[7]);
    EXPECT_EQ(0.5f, layer.GetScrollFactor());
    EXPECT_EQ(0u, layer.GetEnemyCount());
}

TEST_F(LayerTest, TileLayerRefusesMalformedElementsAndKeepsItsGrid)
{
    TangibleLayer layer;
    Load(layer, Tangible("<tile_grid repeat='1'>" + Row("1", fullRow) + "</tile_grid>"));
    // The faulty row stands on line 3 of its file.
    const std::string shortRow = "<layer type='tangible' scroll_factor='1'>\n<tile_grid repeat='1'>\n" +
                                 Row("1", "<tile>1</tile><tile_sequence repeat='24'>15</tile_sequence>") +
                                 "</tile_grid></layer>";
    EXPECT_EQ("row = 3", ThrownMessage<RuntimeError>([&] { Load(layer, shortRow); }));
    EXPECT_EQ("row = 1", ThrownMessage<RuntimeError>([&] {
                  Load(layer, Tangible("<tile_grid repeat='1'>" +
                                       Row("1", fullRow + "<tile_sequence repeat='4000000000'>15</tile_sequence>") +
                                       "</tile_grid>"));
              }));
    EXPECT_EQ("unknown tile type found: tiles", ThrownMessage<ParseError>([&] {
                  Load(layer, Tangible("<tile_grid repeat='1'>" + Row("1", "<tiles>15</tiles>") + "</tile_grid>"));
              }));
    EXPECT_EQ("Expected attribute type to be tangible but found sparse",
              ThrownMessage<LogicError>([&] { Load(layer, "<layer type='sparse' scroll_factor='1'/>"); }));
    EXPECT_EQ("Expected element layer, found stage",
              ThrownMessage<LogicError>([&] { Load(layer, "<stage type='tangible' scroll_factor='1'/>"); }));
    EXPECT_EQ("attribute repeat does not exist in element tile_row", ThrownMessage<XmlError>([&] {
                  Load(layer, Tangible("<tile_grid repeat='1'><tile_row>" + fullRow + "</tile_row></tile_grid>"));
              }));
    EXPECT_EQ("attribute repeat of element tile_grid holds x, which is not an unsigned number",
              ThrownMessage<XmlError>([&] { Load(layer, Tangible("<tile_grid repeat='x'/>")); }));
    EXPECT_EQ("attribute scroll_factor does not exist in element layer",
              ThrownMessage<XmlError>([&] { Load(layer, "<layer type='tangible'/>"); }));
    EXPECT_EQ("element tile has no text", ThrownMessage<XmlError>([&] {
                  Load(layer, Tangible("<tile_grid repeat='1'>" + Row("1", "<tile/>") + "</tile_grid>"));
              }));
    EXPECT_EQ("element tile_sequence holds grass, which is not an unsigned number", ThrownMessage<XmlError>([&] {
                  Load(layer, Tangible("<tile_grid repeat='1'>" +
                                       Row("1", "<tile_sequence repeat='26'>grass</tile_sequence>") + "</tile_grid>"));
              }));
    EXPECT_EQ("a tile layer holds at most 65536 rows", ThrownMessage<RuntimeError>([&] {
                  Load(layer, Tangible("<tile_grid repeat='4000000000'>" + Row("2", fullRow) + "</tile_grid>"));
              }));
    EXPECT_EQ(1u, layer.GetGrid().size());
    EXPECT_EQ(1.f, layer.GetScrollFactor());
}

TEST_F(LayerTest, OffsetFollowsTheScrollTimesTheFactorAndTheWindowHeight)
{
    OpenWindow();
    TangibleLayer ground, clouds;
    ProceduralLayer procedural;
    Load(ground, Tangible(""));
    Load(clouds, Tangible("", "0.5"));
    Load(procedural, "<layer type='procedural' scroll_factor='3'/>");
    scroll->Reset(stable_ptr<Graph>(new FlatLineGraph(0.25f)));
    FrameClock::SetFrameTime(0.1f);
    for (int i = 0; i < 10; ++i)
        scroll->Update();
    EXPECT_FLOAT_EQ(192.f, ground.GetOffset());
    EXPECT_FLOAT_EQ(96.f, clouds.GetOffset());
    EXPECT_FLOAT_EQ(192.f, procedural.GetOffset());
}

TEST_F(LayerTest, SparseLayerPlacesItsAnimationsOnTheirTiles)
{
    OpenWindow();
    const std::filesystem::path folder = root.GetPath() / "resources/tiles/sprites/marker";
    const std::filesystem::path data = std::filesystem::path(KESTRUM_SOURCE_DIR) / "tests/data/animation";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(data / "markers.animation", folder / "sprite.animation");
    std::filesystem::copy_file(data / "markers.spritelist", folder / "markers.spritelist");
    sf::Image markers;
    markers.create(64, 16, sf::Color::Red);
    ASSERT_TRUE(markers.saveToFile((folder / "markers.png").string()));

    SparseLayer layer;
    EXPECT_EQ("forgot to call Load()?", ThrownMessage<LogicError>([&] { layer.OnUpdate(); }));
    EXPECT_EQ("forgot to call Load()?", ThrownMessage<LogicError>([&] { layer.Draw(); }));
    Load(layer, "<layer type='sparse' scroll_factor='1'><sprite x='0' y='0' resource='marker'/>"
                "<tile_grid/><sprite x='25' y='2' resource='marker'><offset x='4' y='-8'/>"
                "<rotation>450</rotation></sprite></layer>");
    ASSERT_EQ(2u, layer.GetSprites().size());
    scroll->Reset(stable_ptr<Graph>(new FlatLineGraph(0.f)));
    layer.OnUpdate();
    layer.Draw();
    const auto& sprites = layer.GetSprites();
    EXPECT_EQ(sf::Vector2f(198.f, 736.f), sprites[0].animation->GetPosition());
    EXPECT_EQ(sf::Vector2f(998.f + 4.f, 672.f - 8.f), sprites[1].animation->GetPosition());
    EXPECT_FLOAT_EQ(90.f, sprites[1].animation->GetRotation());
    EXPECT_FALSE(sprites[0].animation == sprites[1].animation);

    EXPECT_EQ("attribute resource does not exist in element sprite", ThrownMessage<XmlError>([&] {
                  Load(layer, "<layer type='sparse' scroll_factor='1'><sprite x='1' y='1'/></layer>");
              }));
    EXPECT_EQ(2u, layer.GetSprites().size());
}
