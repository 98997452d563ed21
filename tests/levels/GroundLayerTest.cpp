// The ground kept painted shows what the layers draw themselves: flight frames
// of arcade mission 2's own ground layers under the cockpit frame, scrolled
// band by band and in jumps, compared pixel for pixel with the layers and the
// whole interface image drawn on a cleared window.
#include "levels/GroundLayer.hpp"

#include "core/FlatLineGraph.hpp"
#include "core/FrameClock.hpp"
#include "core/XmlReading.hpp"
#include "flight/FlightScreen.hpp"
#include "flight/ScrollSystem.hpp"
#include "levels/LevelFixture.hpp"
#include "levels/SparseLayer.hpp"
#include "levels/TangibleLayer.hpp"
#include "levels/TileManager.hpp"
#include "support/WindowCapture.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <gtest/gtest.h>

using namespace Kestrum;

namespace
{
    class Frame : public FlightScreen
    {
    public:
        using FlightScreen::OverlayCoversAllButFlightArea;
    };

    // A layer that moves on its own.
    class Moving : public Layer
    {
    public:
        void OnUpdate() override {}
        void Draw() override {}
    };

    class GroundLayerTest : public Kestrum::Testing::LevelFixture
    {
    protected:
        GroundLayerTest() : window(OpenWindow()), scroll(CreateAndRegister(new ScrollSystem()))
        {
            for (const char* folder : {"resources/tiles", "resources/gui", "missions"})
                CopyFromGameRoot(folder);
            CreateAndRegister(new TileManager())->OnEnter();
            scroll->Reset(stable_ptr<Graph>(new FlatLineGraph(1.f / 768.f)));
        }
        ~GroundLayerTest() override
        {
            FrameClock::Reset();
            window.close();
        }

        // Scrolls on by the pixels.
        void Scroll(float pixels)
        {
            FrameClock::SetFrameTime(pixels);
            scroll->Update();
        }

        sf::RenderWindow& window;
        stable_ptr<ScrollSystem> scroll;
    };
}

TEST_F(GroundLayerTest, TheKeptGroundUnderTheSplitFrameIsTheFrameTheLayersDrawOnAClearedWindow)
{
    // The level's layers before its stage: three tile layers and the placed pictures.
    const stable_ptr<pugi::xml_document> level = LoadXmlFile(root.GetPath() / "missions/arcade/0000000002/structure.xml");
    std::vector<std::shared_ptr<Layer>> layers;
    for (const pugi::xml_node element : level->child("mission").child("layers").children("layer"))
    {
        layers.push_back(std::string(element.attribute("type").value()) == "sparse"
                             ? std::shared_ptr<Layer>(new SparseLayer())
                             : std::shared_ptr<Layer>(new TangibleLayer()));
        layers.back()->Load(element);
    }
    ASSERT_EQ(4u, layers.size());
    const std::vector<std::shared_ptr<Layer>> gathered = GroundLayer::Gather(layers);
    ASSERT_EQ(1u, gathered.size());
    GroundLayer& ground = dynamic_cast<GroundLayer&>(*gathered.front());
    EXPECT_EQ(layers, ground.GetLayers());

    Frame frame;
    frame.OnEnter();
    EXPECT_TRUE(frame.OverlayCoversAllButFlightArea());
    const std::shared_ptr<sf::Sprite> interface =
        GetFromRegistry<ResourceManager>()->CreateSprite("resources|gui|screens|flight|gui.png", false).get_shared();

    // Band by band, within a band, across the ring's end, in jumps, and past
    // the top of the shortest layer, where its last row repeats.
    float offset = 0.f;
    for (const float step : {0.f, 7.f, 7.f, 7.f, 7.f, 7.f, 32.f, 1.5f, 30.5f, 400.f, 13.f, 1000.f, 3333.f, 32.f, 5000.f, 2.f})
    {
        Scroll(step);
        offset += step;
        window.clear();
        for (const std::shared_ptr<Layer>& layer : layers)
            layer->Draw();
        window.draw(*interface);
        const sf::Image drawn = Kestrum::Testing::CaptureWindow(window);
        // The kept frame needs no clear: it paints over anything.
        window.clear(sf::Color::Magenta);
        ground.Draw();
        frame.DrawOverlay();
        const sf::Image kept = Kestrum::Testing::CaptureWindow(window);

        unsigned differing = 0;
        for (unsigned y = 0; y < drawn.getSize().y; ++y)
            for (unsigned x = 0; x < drawn.getSize().x; ++x)
                differing += drawn.getPixel(x, y) != kept.getPixel(x, y);
        EXPECT_EQ(0u, differing) << "at offset " << offset;
        window.display();
    }
    frame.OnExit();
}

TEST_F(GroundLayerTest, GathersTheLeadingStillLayersThatScrollAlike)
{
    const auto tiles = [](const char* factor) {
        pugi::xml_document document;
        pugi::xml_node element = document.append_child("layer");
        element.append_attribute("type") = "tangible";
        element.append_attribute("scroll_factor") = factor;
        const std::shared_ptr<Layer> layer(new TangibleLayer());
        layer->Load(element);
        return layer;
    };
    const std::shared_ptr<Layer> near = tiles("1"), far = tiles("0.5"), near2 = tiles("1"), moving(new Moving());
    const struct
    {
        std::vector<std::shared_ptr<Layer>> layers;
        std::size_t gathered;
    } cases[] = {
        {{}, 0}, {{near, near2, moving}, 2}, {{near, far, near2}, 1}, {{moving, near}, 0}, {{far, moving, near}, 1}};
    for (const auto& c : cases)
    {
        const std::vector<std::shared_ptr<Layer>> result = GroundLayer::Gather(c.layers);
        ASSERT_EQ(c.layers.size() - c.gathered + 1, result.size());
        const auto& ground = dynamic_cast<const GroundLayer&>(*result.front());
        EXPECT_EQ(std::vector<std::shared_ptr<Layer>>(c.layers.begin(), c.layers.begin() + long(c.gathered)),
                  ground.GetLayers());
        EXPECT_EQ(std::vector<std::shared_ptr<Layer>>(c.layers.begin() + long(c.gathered), c.layers.end()),
                  std::vector<std::shared_ptr<Layer>>(result.begin() + 1, result.end()));
    }
}
