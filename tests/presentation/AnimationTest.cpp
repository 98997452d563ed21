#include "presentation/Animation.hpp"

#include "core/XmlReading.hpp"
#include "presentation/AnimationFixture.hpp"
#include "presentation/Shadow.hpp"
#include "support/ThrownMessage.hpp"

#include <cstdlib>

using namespace Kestrum;
using Kestrum::Testing::MarkerColours;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class AnimationTest : public Testing::AnimationFixture
    {
    protected:
        // An animation of the marker sprites, defined inline.
        stable_ptr<Animation> Inline(unsigned frames, const std::string& rate, bool loop)
        {
            std::string xml = "<animation definition_source='inline' version='1'>"
                              "<sprite_list definition_source='file'>markers.spritelist</sprite_list><frames>";
            for (unsigned i = 0; i < frames; ++i)
                xml += "<frame index='" + std::to_string(i % 4) + "' center_x='8' center_y='8'/>";
            xml += "</frames><loop>" + std::string(loop ? "true" : "false") + "</loop><frame_rate>" + rate +
                   "</frame_rate></animation>";
            const stable_ptr<pugi::xml_document> document = LoadXmlText(xml, "test");
            return GetFromRegistry<ResourceManager>()->CreateAnimation("resources|test|inline.action",
                                                                       document->first_child());
        }
    };

    // The pixel is the colour within a small tolerance (blending rounds).
    ::testing::AssertionResult Near(const sf::Color& expected, const sf::Color& actual)
    {
        if (std::abs(expected.r - actual.r) <= 2 && std::abs(expected.g - actual.g) <= 2 &&
            std::abs(expected.b - actual.b) <= 2)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "expected (" << int(expected.r) << "," << int(expected.g) << ","
                                             << int(expected.b) << "), found (" << int(actual.r) << ","
                                             << int(actual.g) << "," << int(actual.b) << ")";
    }
}

TEST_F(AnimationTest, ProgressCountsTenThousandthsOfAPass)
{
    // Four frames at eight a second: two eighths of a second are half the pass.
    const stable_ptr<Animation> animation = GetFromRegistry<ResourceManager>()->CreateAnimation(markers);
    Step(*animation, 0.125f);
    Step(*animation, 0.125f);
    EXPECT_EQ(5000u, animation->GetProgress());
    EXPECT_EQ(2u, animation->GetFrameNumber());

    // From 9900, 300 more ticks: a loop wraps, anything else stops on its last tick.
    for (const bool loop : {true, false})
    {
        SCOPED_TRACE(loop);
        const stable_ptr<Animation> pass = Inline(1, "2", loop);  // half a second
        Step(*pass, 0.495f);
        EXPECT_EQ(9900u, pass->GetProgress());
        EXPECT_FALSE(pass->ReachedEnd());
        Step(*pass, 0.015f);
        EXPECT_EQ(loop ? 200u : 9999u, pass->GetProgress());
        EXPECT_EQ(!loop, pass->ReachedEnd());
        Step(*pass, 0.f);
        EXPECT_EQ(loop ? 200u : 9999u, pass->GetProgress());
    }

    // Ticks are truncated every frame: a ten-second pass stands still at 2000 frames a second.
    const stable_ptr<Animation> slow = Inline(4, "0.4", true);
    Step(*slow, 0.0005f);
    EXPECT_EQ(0u, slow->GetProgress());
    // Nothing moves while the game is paused.
    time->paused = true;
    Step(*animation, 0.125f);
    EXPECT_EQ(5000u, animation->GetProgress());
    time->paused = false;

    // A clone plays on from where it was made, on its own.
    const stable_ptr<Animation> clone = animation->Clone();
    Step(*clone, 0.125f);
    EXPECT_EQ(7500u, clone->GetProgress());
    EXPECT_EQ(5000u, animation->GetProgress());
    animation->Reset();
    EXPECT_EQ(0u, animation->GetProgress());
}

TEST_F(AnimationTest, FaultsAreReportedWhenTheyMatter)
{
    // A frame rate that would stop the flight at its first update is refused at load.
    for (const std::string rate : {"0", "-8"})
        EXPECT_EQ("frame_rate must be greater than zero", ThrownMessage<LogicError>([&] { Inline(4, rate, true); }))
            << rate;
    EXPECT_EQ("duration must be greater than zero",
              ThrownMessage<LogicError>([&] { Step(*Inline(0, "8", true), 0.1f); }));

    Animation unloaded;
    for (const auto& use : std::vector<std::function<void()>>{
             [&] { unloaded.OnUpdate(); }, [&] { unloaded.Draw(); }, [&] { unloaded.Clone(); },
             [&] { unloaded.SetColorFilter(sf::Color::Red); }, [&] { unloaded.EnableShadow(); }})
        EXPECT_EQ("forgot to call Animation::Load()?", ThrownMessage<RuntimeError>(use));
}

TEST_F(AnimationTest, TheManagerKeepsOnePrototypePerFileAndHandsOutClones)
{
    const stable_ptr<ResourceManager> resources = GetFromRegistry<ResourceManager>();
    const stable_ptr<Animation> first = resources->CreateAnimation(markers);
    Step(*first, 0.125f);
    const stable_ptr<Animation> second = resources->CreateAnimation(markers);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(0u, second->GetProgress()) << "the prototype is never handed out";
    const std::string list = "resources|test|markers.spritelist";
    EXPECT_EQ(resources->GetSpriteList(list).get(), resources->GetSpriteList(list).get());

    // A broken file is reported as not loaded, with the reason in the log, and tried again later.
    root.WriteFile("resources/test/broken.spritelist", "<sprite_list definition_source='inline' version='1'/>");
    EXPECT_EQ("could not load resources|test|broken.spritelist",
              ThrownMessage<LoadError>([&] { resources->GetSpriteList("resources|test|broken.spritelist"); }));
    EXPECT_TRUE(log.Contains("no sprites in sprite list"));
    root.WriteFile("resources/test/broken.spritelist",
                   "<sprite_list definition_source='inline' version='1'>"
                   "<sprite x='0' y='0' width='4' height='4' image_path='markers.png'/></sprite_list>");
    EXPECT_NO_THROW(resources->GetSpriteList("resources|test|broken.spritelist"));
    EXPECT_EQ("could not load resources|test|none.animation",
              ThrownMessage<LoadError>([&] { resources->CreateAnimation("resources|test|none.animation"); }));
}

TEST_F(AnimationTest, AShadowLivesAsLongAsItsAnimation)
{
    auto animation = GetFromRegistry<ResourceManager>()->CreateAnimation(markers).get_shared();
    const stable_ptr<Shadow> shadow = animation->EnableShadow();
    EXPECT_EQ(shadow.get(), animation->EnableShadow().get());
    EXPECT_EQ(LayerShadow, shadow->GetLayer());
    EXPECT_NE(shadow.get(), animation->Clone()->EnableShadow().get()) << "a clone casts a shadow of its own";
    EXPECT_FALSE(shadow->IsExpired());
    animation.reset();
    EXPECT_TRUE(shadow->IsExpired());
    EXPECT_NO_THROW(shadow->Draw()) << "draws nothing once its animation is gone";
}

// Draws animated markers and their shadows into a real window and checks the
// picture, which stays in the build folder for a look.
TEST_F(AnimationTest, FramesAndShadowsAreDrawnWhereTheyBelong)
{
    sf::RenderWindow& window = OpenWindow(320, 200);
    const stable_ptr<ResourceManager> resources = GetFromRegistry<ResourceManager>();
    // Frame 0 (red, left half) at (60, 60), tinted and then reset to white.
    const stable_ptr<Animation> plain = resources->CreateAnimation(markers);
    plain->SetPosition(60.f, 60.f);
    plain->SetColorFilter(sf::Color(0, 0, 0, 128));
    plain->Reset();
    // Frame 1 (green) turned by 90 degrees: its translation (10, 0) now points
    // down and its coloured half up; the shadow's offset does not turn.
    const stable_ptr<Animation> turned = resources->CreateAnimation(markers);
    Step(*turned, 0.125f);
    turned->SetPosition(160.f, 60.f);
    turned->SetRotation(90.f);
    // Frame 2 (blue) mirrored about its pivot: the colour lies right of it.
    const stable_ptr<Animation> mirrored = resources->CreateAnimation(markers);
    Step(*mirrored, 0.25f);
    mirrored->SetPosition(60.f, 150.f);
    for (const auto& animation : {plain, turned, mirrored})
    {
        animation->EnableShadow()->Draw();
        animation->Draw();
    }
    const sf::Image picture = Capture();
    window.display();
    picture.saveToFile((std::filesystem::path(KESTRUM_GAME_ROOT).parent_path() / "animation-test-shadows.png").string());

    const sf::Color white = sf::Color::White;
    const sf::Color shade(127, 127, 127);
    const struct
    {
        unsigned x, y;
        sf::Color colour;
    } pixels[] = {
        {55, 60, MarkerColours[0]}, {64, 60, white},      // left of the pivot, right of it
        {105, 80, shade},           {114, 80, white},     // its shadow, 50 right and 20 down
        {160, 66, MarkerColours[1]}, {160, 74, white},    // pivot at (160, 70): colour above it
        {210, 86, shade},           {210, 94, white},     // shadow pivot at (210, 90)
        {64, 150, MarkerColours[2]}, {55, 150, white},    // mirrored
        {114, 170, shade},          {105, 170, white},
    };
    for (const auto& p : pixels)
        EXPECT_TRUE(Near(p.colour, picture.getPixel(p.x, p.y))) << "at (" << p.x << ", " << p.y << ")";
}

// Every animation and sprite-list file the game ships loads and draws.
TEST(ShippedAnimations, EveryFileLoadsAndDraws)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(KESTRUM_GAME_ROOT);
    {
        Testing::CapturedLog log;
        const stable_ptr<Registry> registry = Registry::Create();
        CreateAndRegister(new TimeSystem());
        const stable_ptr<ResourceManager> resources = CreateAndRegister(new ResourceManager());
        registry->Register<sf::RenderWindow>(create_stable_ptr(
            std::make_shared<sf::RenderWindow>(sf::VideoMode(64, 64), "shipped animations", sf::Style::Titlebar)));
        unsigned count = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator("resources"))
        {
            std::string path = entry.path().generic_string();
            std::replace(path.begin(), path.end(), '/', '|');
            if (entry.path().extension() == ".animation")
            {
                ++count;
                EXPECT_NO_THROW(resources->CreateAnimation(path)->Draw()) << path;
            }
            else if (entry.path().extension() == ".spritelist")
            {
                EXPECT_NO_THROW(resources->GetSpriteList(path)) << path;
            }
        }
        EXPECT_LT(0u, count);
        EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();
    }
    std::filesystem::current_path(previous);
}
