#include "presentation/Action.hpp"

#include "core/RandomizationSystem.hpp"
#include "core/XmlReading.hpp"
#include "presentation/Animation.hpp"
#include "presentation/AnimationFixture.hpp"
#include "presentation/CircleList.hpp"
#include "presentation/ParticleFactory.hpp"
#include "presentation/ParticleSystem.hpp"
#include "presentation/Shadow.hpp"
#include "presentation/SoundEmitter.hpp"
#include "support/ThrownMessage.hpp"

#include <SFML/Audio/OutputSoundFile.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    // The markers animation (looping) and a non-looping one-frame animation of a
    // quarter of a second; two particle effects, one of them late; a sound
    // named relative to the action's folder.
    const std::string fly = R"(<action definition_source="inline" version="1">
    <loop>false</loop>
    <animations>
        <animation definition_source="file">markers.animation</animation>
        <animation definition_source="inline" version="1">
            <sprite_list definition_source="file">markers.spritelist</sprite_list>
            <frames><frame index="1" center_x="8" center_y="8"/></frames>
            <loop>false</loop>
            <frame_rate>4</frame_rate>
        </animation>
        <note>not an animation</note>
    </animations>
    <boundary>
        <center x="32" y="32"/>
        <circle x="32" y="16" radius="8"/>
    </boundary>
    <particle_effects>
        <at_once version="1" type="5"><position x="0" y="-20"/></at_once>
        <late version="1" type="5"><delay>0.5</delay></late>
    </particle_effects>
    <sounds>
        <boom version="1" file="beep.wav"/>
    </sounds>
</action>)";

    const std::string effect = R"(<particle_system>
  <renderers><renderer type="line" name="r"><line_width>1</line_width><line_length>1</line_length><blend_mode>add</blend_mode></renderer></renderers>
  <particle_models><particle_model name="m"><life_time>1</life_time></particle_model></particle_models>
  <particle_groups><particle_group model="m" renderer="r"><emitters><emitter type="spheric">
    <specific_parameters><direction x="0" y="0" z="1"/><angle_tuple a="0" b="0"/></specific_parameters>
    <zone type="point"><position x="0" y="0" z="0"/></zone><tank>1</tank><flow>100</flow>
  </emitter></emitters></particle_group></particle_groups>
</particle_system>)";

    class ActionTest : public Testing::AnimationFixture
    {
    protected:
        ActionTest()
        {
            OpenWindow(32, 32);
            root.WriteFile("resources/test/fly.action", fly);
            root.WriteFile("resources/particles/005/particle_system.xml", effect);
            std::vector<sf::Int16> samples(2205, 0);
            sf::OutputSoundFile output;
            EXPECT_TRUE(output.openFromFile((root.GetPath() / "resources/test/beep.wav").string(), 22050, 1));
            output.write(samples.data(), samples.size());
            CreateLoadAndRegister(new RandomizationSystem());
            auto factory = create_stable_ptr(std::make_shared<ParticleFactory>());
            registry->Register<ParticleFactory>(factory);
            factory->Load();
        }

        std::vector<sf::Vector2f> EffectPositions() const
        {
            std::vector<sf::Vector2f> positions;
            for (const auto& system : objects->GetObjects<ParticleSystem>())
                positions.push_back(system->GetPosition());
            return positions;
        }

        std::size_t SoundCount() const { return objects->GetObjects<SoundEmitter>().size(); }
    };
}

TEST_F(ActionTest, EmissionsFireOnceAfterTheirDelayAtTheirTurnedOffset)
{
    const stable_ptr<Action> action = GetFromRegistry<ResourceManager>()->CreateAction("resources|test|fly.action");
    const EdgeRect field = GetFlightArea();
    // Left of the play field: the effect fires, the sound is dropped for this run.
    ASSERT_GT(field.left, 100.f);
    action->SetPosition(100.f, 100.f);
    action->SetRotation(90.f);
    Step(*action, 0.25f);
    ASSERT_EQ(1u, EffectPositions().size());
    EXPECT_NEAR(120.f, EffectPositions()[0].x, 1e-3f) << "(0, -20) turned by 90 is (20, 0)";
    EXPECT_NEAR(100.f, EffectPositions()[0].y, 1e-3f);
    EXPECT_EQ(0u, SoundCount());
    action->SetPosition(field.left + 1.f, 100.f);
    Step(*action, 0.25f);
    EXPECT_EQ(2u, EffectPositions().size()) << "the late one, half a second in";
    EXPECT_EQ(0u, SoundCount()) << "a dropped sound does not come back";
    Step(*action, 1.f);
    EXPECT_EQ(2u, EffectPositions().size());

    // A new run: back at (0, 0) unturned, everything armed again. While paused,
    // only what is due at once fires.
    objects->Clear();
    action->Reset();
    EXPECT_EQ(sf::Vector2f(0.f, 0.f), action->GetPosition());
    EXPECT_EQ(0.f, action->GetRotation());
    action->SetPosition(field.left, 300.f);  // on the border: inside
    time->paused = true;
    Step(*action, 0.25f);
    Step(*action, 0.25f);
    EXPECT_EQ(1u, EffectPositions().size());
    EXPECT_EQ(1u, SoundCount()) << "the sound file lies beside the action";
    time->paused = false;
    Step(*action, 0.25f);
    EXPECT_EQ(1u, EffectPositions().size());
    Step(*action, 0.25f);
    EXPECT_EQ(2u, EffectPositions().size());
}

TEST_F(ActionTest, BodyAnimationsAndEndFollowTheAction)
{
    const stable_ptr<Action> action = GetFromRegistry<ResourceManager>()->CreateAction("resources|test|fly.action");
    const stable_ptr<const CircleList> body = action->GetBody();
    ASSERT_EQ(1u, body->GetCircles().size());
    EXPECT_EQ(sf::Vector2f(32.f, 16.f), body->GetCircles()[0].GetCenter()) << "before any move: the body at its centre";
    action->SetPosition(100.f, 100.f);
    EXPECT_EQ(sf::Vector2f(100.f, 84.f), body->GetCircles()[0].GetCenter());
    action->MovePosition(5.f, -5.f);
    EXPECT_EQ(sf::Vector2f(105.f, 79.f), body->GetCircles()[0].GetCenter());

    // Turns are relative for the body: 30 then 50 is 50 in all.
    action->SetRotation(30.f);
    action->SetRotation(50.f);
    EXPECT_EQ(50.f, action->GetRotation());
    const float radians = 50.f * 0.0174532924f;
    EXPECT_NEAR(105.f + 16.f * std::sin(radians), body->GetCircles()[0].GetCenter().x, 1e-3f);
    EXPECT_NEAR(95.f - 16.f * std::cos(radians), body->GetCircles()[0].GetCenter().y, 1e-3f);
    action->SetRotation(400.f);
    EXPECT_EQ(400.f, action->GetRotation()) << "kept as set";

    // The looping animation does not hold the end back; the quarter-second one does.
    EXPECT_FALSE(action->ReachedEnd());
    Step(*action, 0.3f);
    EXPECT_TRUE(action->ReachedEnd());
    action->Reset();
    EXPECT_FALSE(action->ReachedEnd());

    const stable_ptr<Shadow> shadow = action->EnableShadow();
    EXPECT_EQ(shadow.get(), action->EnableShadow().get());
    EXPECT_FALSE(shadow->IsExpired());
}

TEST_F(ActionTest, LoadingFailuresAndUseBeforeLoading)
{
    Action unloaded;
    EXPECT_EQ("forgot to call Load()?", ThrownMessage<LogicError>([&] { unloaded.OnUpdate(); }));
    EXPECT_EQ("forgot to call Load()?", ThrownMessage<LogicError>([&] { unloaded.SetPosition(1.f, 2.f); }));
    EXPECT_EQ(sf::Vector2f(), unloaded.GetPosition());

    struct Case
    {
        std::string from;
        std::string to;
        std::string message;
    };
    const Case cases[] = {
        {"definition_source=\"inline\" version=\"1\">\n    <loop>", "definition_source=\"file\" version=\"1\">\n    <loop>",
         "expected inline, found file"},
        {"<loop>false</loop>", "", "no loop element defined"},
        {"<center x=\"32\" y=\"32\"/>", "", "no center element defined"},
        {"<at_once version=\"1\"", "<at_once version=\"2\"", "highest supported version of at_once is 1, encountered version 2"},
        {"<loop>false</loop>", "<loop>sometimes</loop>", "string sometimes can not be cast to boolean value"},
    };
    for (const Case& c : cases)
    {
        std::string text = fly;
        text.replace(text.find(c.from), c.from.size(), c.to);
        const stable_ptr<pugi::xml_document> document = LoadXmlText(text, "test");
        Action action;
        std::string message = "<nothing thrown>";
        try
        {
            action.Load("resources|test|fly.action", document->first_child());
        }
        catch (const Exception& error)
        {
            message = error.what();
        }
        EXPECT_EQ(c.message, message);
        EXPECT_EQ("forgot to call Load()?", ThrownMessage<LogicError>([&] { action.Reset(); })) << c.message;
    }

    const stable_ptr<pugi::xml_document> document = LoadXmlText(fly, "test");
    Action action;
    action.Load("resources|test|fly.action", document->first_child());
    EXPECT_EQ("redundant loading",
              ThrownMessage<LogicError>([&] { action.Load("resources|test|fly.action", document->first_child()); }));
    EXPECT_EQ("Expected element action, found animations",
              ThrownMessage<LogicError>([&] { Action().Load("x", document->first_child().child("animations")); }));
    // A missing action file is the XML reader's error, as it comes.
    EXPECT_THROW(GetFromRegistry<ResourceManager>()->CreateAction("resources|test|missing.action"), XmlError);
}

// Every action the game ships loads, and every particle effect it fires is one
// the game ships.
TEST_F(ActionTest, EveryShippedActionLoadsAndFiresShippedEffects)
{
    const std::filesystem::path shipped = std::filesystem::path(KESTRUM_GAME_ROOT) / "resources";
    std::filesystem::copy(shipped, root.GetPath() / "resources",
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    ParticleFactory effects;
    effects.Load();
    unsigned actions = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(shipped))
    {
        if (entry.path().extension() != ".action")
            continue;
        std::string path = std::filesystem::relative(entry.path(), KESTRUM_GAME_ROOT).generic_string();
        std::replace(path.begin(), path.end(), '/', '|');
        SCOPED_TRACE(path);
        EXPECT_NO_THROW(GetFromRegistry<ResourceManager>()->CreateAction(path));
        const stable_ptr<pugi::xml_document> document = LoadXmlFile(entry.path());
        for (const pugi::xml_node& effect : document->child("action").child("particle_effects").children())
            EXPECT_NO_THROW(effects.GetPrototype(effect.attribute("type").as_uint()));
        ++actions;
    }
    EXPECT_GT(actions, 0u);
}
