#include "presentation/ParticleFactory.hpp"

#include "core/Exception.hpp"
#include "core/RandomizationSystem.hpp"
#include "core/Registry.hpp"
#include "presentation/ParticleLineRenderer.hpp"
#include "presentation/ParticleQuadRenderer.hpp"
#include "presentation/ParticleSimulation.hpp"
#include "presentation/ResourceManager.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace Kestrum;
using Kestrum::Testing::CapturedLog;
using Kestrum::Testing::ScratchGameRoot;
using Kestrum::Testing::ThrownMessage;

namespace
{
    // A definition with a sprite and a line renderer, two models and two groups;
    // the tests replace parts of it.
    const std::string definition = R"(<particle_system>
  <renderers>
    <renderer type="sprite" name="puffs">
      <blend_mode>alpha</blend_mode>
      <texture>puff.png</texture>
      <atlas_dimensions x="2" y="1"/>
      <scaling x="3" y="2"/>
    </renderer>
    <renderer type="line" name="sparks">
      <line_width>2</line_width>
      <line_length>0.05</line_length>
      <blend_mode>add</blend_mode>
    </renderer>
    <renderer type="ribbon" name=""/>
  </renderers>
  <particle_models>
    <particle_model name="fixed">
      <life_time>0.5</life_time>
      <alpha>0.5</alpha>
    </particle_model>
    <particle_model name="changing">
      <life_time><random minimum="1" maximum="2"/></life_time>
      <alpha><mutable><start>1</start><end>0</end></mutable></alpha>
      <size><random minimum="0" maximum="1"/></size>
      <red><mutable><start><random minimum="0.5" maximum="1"/></start><end>0</end></mutable></red>
    </particle_model>
  </particle_models>
  <particle_groups>
    <particle_group model="fixed" renderer="sparks">
      <emitters>
        <emitter type="spheric">
          <specific_parameters><direction x="0" y="0" z="1"/><angle_tuple a="0" b="180"/></specific_parameters>
          <zone type="point"><position x="1" y="2" z="3"/></zone>
          <flow>10</flow>
        </emitter>
      </emitters>
    </particle_group>
    <particle_group model="changing" renderer="puffs">
      <particle_capacity>20</particle_capacity>
      <sort_particles>true</sort_particles>
      <gravity x="0" y="50" z="-10"/>
      <friction>1.5</friction>
      <emitters>
        <first type="spheric">
          <specific_parameters><direction x="1" y="0" z="0"/><angle_tuple a="10" b="30"/></specific_parameters>
          <zone type="point"><position x="0" y="0" z="0"/></zone>
          <name>burst</name>
          <tank>12</tank>
          <flow>100</flow>
          <force><random minimum="20" maximum="40"/></force>
        </first>
        <second type="spheric">
          <specific_parameters><direction x="0" y="1" z="0"/><angle_tuple a="0" b="0"/></specific_parameters>
          <zone type="point"><position x="0" y="0" z="0"/></zone>
          <flow>5</flow>
          <force>7</force>
        </second>
      </emitters>
    </particle_group>
  </particle_groups>
</particle_system>)";

    std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
    {
        EXPECT_NE(std::string::npos, text.find(from)) << from;
        for (std::string::size_type at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
        return text;
    }

    class ParticleFactoryTest : public ::testing::Test
    {
    protected:
        ParticleFactoryTest() : registry(Registry::Create())
        {
            CreateLoadAndRegister(new RandomizationSystem());
            CreateAndRegister(new ResourceManager());
        }

        void WriteDefinition(const std::string& folder, const std::string& text)
        {
            root.WriteFile("resources/particles/" + folder + "/particle_system.xml", text);
            sf::Image image;
            image.create(8, 4, sf::Color::White);
            ASSERT_TRUE(image.saveToFile((root.GetPath() / "resources/particles" / folder / "puff.png").string()));
        }

        ScratchGameRoot root;
        CapturedLog log;
        stable_ptr<Registry> registry;
    };
}

TEST_F(ParticleFactoryTest, PreloadsEveryThreeDigitFolderAndReadsTheFormat)
{
    for (const char* folder : {"007", "7", "0007", "abc"})
        WriteDefinition(folder, definition);
    // Folders with other names are never read, whatever they hold.
    root.WriteFile("resources/particles/abc/particle_system.xml", "not xml");
    ParticleFactory factory;
    EXPECT_EQ("forgot to call Load()?", ThrownMessage<LogicError>([&] { factory.GetPrototype(7); }));
    factory.Load();
    EXPECT_EQ("multiple calls to ParticleFactory::Load()", ThrownMessage<LogicError>([&] { factory.Load(); }));
    EXPECT_EQ("particle system 0 is not installed", ThrownMessage<OutOfRangeError>([&] { factory.GetPrototype(0); }));

    const ParticleSimulation& system = factory.GetPrototype(7);
    ASSERT_EQ(2u, system.GetGroups().size());
    const ParticleGroup& plain = system.GetGroups()[0];
    const ParticleGroup& full = system.GetGroups()[1];

    // Defaults: 1000 particles, no sorting, no gravity or friction, unlimited tank, no force.
    EXPECT_EQ(1000u, plain.GetCapacity());
    EXPECT_FALSE(plain.IsSorting());
    EXPECT_EQ(sf::Vector3f(), plain.GetGravity());
    EXPECT_EQ(0.f, plain.GetFriction());
    const SphericEmitter& simple = plain.GetEmitters()[0];
    EXPECT_EQ(-1, simple.GetTank());
    EXPECT_EQ(10.f, simple.GetFlow());
    EXPECT_EQ(0.f, simple.GetForceMaximum());
    EXPECT_EQ(sf::Vector3f(1.f, 2.f, 3.f), simple.GetZone());
    EXPECT_EQ(180.f, simple.GetOuterAngle());

    EXPECT_EQ(20u, full.GetCapacity());
    EXPECT_TRUE(full.IsSorting());
    EXPECT_EQ(sf::Vector3f(0.f, 50.f, -10.f), full.GetGravity());
    EXPECT_EQ(1.5f, full.GetFriction());
    ASSERT_EQ(2u, full.GetEmitters().size()) << "every child of emitters is an emitter";
    const SphericEmitter& burst = full.GetEmitters()[0];
    EXPECT_EQ("burst", burst.GetName());
    EXPECT_EQ(12, burst.GetTank());
    EXPECT_EQ(20.f, burst.GetForceMinimum());
    EXPECT_EQ(40.f, burst.GetForceMaximum());
    EXPECT_EQ(10.f, burst.GetInnerAngle());
    EXPECT_EQ(7.f, full.GetEmitters()[1].GetForceMinimum());
    EXPECT_EQ(7.f, full.GetEmitters()[1].GetForceMaximum());

    // Renderers, found by name, shared.
    const auto* lines = dynamic_cast<const ParticleLineRenderer*>(plain.GetRenderer().get());
    ASSERT_NE(nullptr, lines);
    EXPECT_EQ(0.05f, lines->GetLength());
    EXPECT_EQ(2.f, lines->GetWidth());
    EXPECT_EQ(sf::BlendAdd, lines->GetBlendMode());
    const auto* quads = dynamic_cast<const ParticleQuadRenderer*>(full.GetRenderer().get());
    ASSERT_NE(nullptr, quads);
    EXPECT_EQ(sf::BlendAlpha, quads->GetBlendMode());
    EXPECT_EQ(sf::Vector2u(2, 1), quads->GetAtlasDimensions());
    EXPECT_EQ(sf::Vector2f(3.f, 2.f), quads->GetScale());

    // Fixed, random, mutable and mutable-random parameters.
    const ParticleModel& fixed = *plain.GetModel();
    EXPECT_EQ(ToParticleFlag(ParticleAlpha), fixed.GetEnabledFlags());
    EXPECT_EQ(0u, fixed.GetMutableFlags() | fixed.GetRandomFlags());
    EXPECT_EQ(0.5f, fixed.GetValues(ParticleAlpha)[0]);
    EXPECT_EQ(0.5f, fixed.GetLifeTimeMinimum());
    EXPECT_EQ(0.5f, fixed.GetLifeTimeMaximum());
    const ParticleModel& changing = *full.GetModel();
    EXPECT_EQ(ToParticleFlag(ParticleAlpha) | ToParticleFlag(ParticleSize) | ToParticleFlag(ParticleRed),
              changing.GetEnabledFlags());
    EXPECT_EQ(ToParticleFlag(ParticleAlpha) | ToParticleFlag(ParticleRed), changing.GetMutableFlags());
    EXPECT_EQ(ToParticleFlag(ParticleSize) | ToParticleFlag(ParticleRed), changing.GetRandomFlags());
    EXPECT_EQ((std::array<float, 4>{1.f, 1.f, 0.f, 0.f}), changing.GetValues(ParticleAlpha));
    EXPECT_EQ((std::array<float, 4>{0.f, 1.f, 0.f, 1.f}), changing.GetValues(ParticleSize));
    EXPECT_EQ((std::array<float, 4>{0.5f, 1.f, 0.f, 0.f}), changing.GetValues(ParticleRed));
    EXPECT_EQ(1.f, changing.GetLifeTimeMinimum());
    EXPECT_EQ(2.f, changing.GetLifeTimeMaximum());
}

// Every mistake in a definition stops the loading with its own message.
TEST_F(ParticleFactoryTest, BadDefinitionsAreRefusedWithTheirMessage)
{
    struct Case
    {
        std::string from;
        std::string to;
        std::string message;
    };
    const std::string sprite = "<renderer type=\"sprite\" name=\"puffs\">";
    const std::string emitter = "<first type=\"spheric\">";
    const Case cases[] = {
        {"type=\"ribbon\"", "type=\"point\"", ": point renderer not implemented yet"},
        {"<renderer type=\"ribbon\" name=\"\"/>", "<renderer type=\"line\" name=\"\"/>", ": names must not be of zero length"},
        {"<renderer type=\"ribbon\" name=\"\"/>", "<painter/>", ":14: Expected element renderer, found painter"},
        {"<blend_mode>alpha</blend_mode>", "<blend_mode>screen</blend_mode>", ": could not map string screen to blend mode"},
        {"name=\"sparks\"", "name=\"puffs\"", ": found multiple instances of puffs"},
        {"<particle_model name=\"changing\">", "<particle_model name=\"fixed\">", ": found multiple instances of fixed"},
        {"<alpha>0.5</alpha>", "<glow>0.5</glow>", ": glow could not be converted to a SPARK flag"},
        {"<random minimum=\"0\" maximum=\"1\"/>", "<random minimum=\"1\" maximum=\"0\"/>", ":24: range has reversed boundaries"},
        {"<particle_group model=\"fixed\"", "<particle_group model=\"unknown\"", ": could find expected model unknown"},
        {"renderer=\"sparks\">", "renderer=\"smoke\">", ": could find expected renderer smoke"},
        {emitter, "<first type=\"linear\">", ": emitter type linear is either not supported or unknown"},
        {"<zone type=\"point\"><position x=\"1\"", "<zone type=\"sphere\"><position x=\"1\"", ": zone type sphere is not supported"},
        {"<atlas_dimensions x=\"2\" y=\"1\"/>", "<atlas_dimensions x=\"2\" y=\"0\"/>", ": atlas dimensions must not be zero"},
        {"<direction x=\"1\" y=\"0\" z=\"0\"/>", "<direction x=\"0\" y=\"0\" z=\"0\"/>", ": emitter direction must not be zero"},
        {"<flow>10</flow>", "", ":31: no flow element defined"},
        {"<tank>12</tank>", "<tank>0x20</tank>", ":48: element tank holds 0x20, which is not a whole number"},
        {"<particle_capacity>20<", "<particle_capacity>4294967295<",
         ": particle_capacity 4294967295 is above the most a group may hold, 100000"},
        {"<line_width>2</line_width>", "", ":9: no line_width element defined"},
        {"<life_time>0.5</life_time>", "", ":17: no life_time element defined"},
        {"particle_models>", "models>", ":1: no particle_models element defined"},
        {"<zone type=\"point\"><position x=\"1\" y=\"2\" z=\"3\"/>", "<zone type=\"point\"><position x=\"1\" y=\"2\"/>",
         ":33: attribute z does not exist in element position"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.message);
        WriteDefinition("042", ReplaceAll(definition, c.from, c.to));
        ParticleFactory factory;
        std::string message = "<nothing thrown>";
        try
        {
            factory.Load();
        }
        catch (const Exception& error)
        {
            message = error.what();
            // The record names the file.
            EXPECT_NE(std::string::npos, GetDiagnosticText(error).find("$resources|particles|042|particle_system.xml"));
        }
        EXPECT_EQ("resources/particles/042/particle_system.xml" + c.message, message);
        // A failed load leaves the factory unloaded: it may try again.
        WriteDefinition("042", definition);
        EXPECT_NO_THROW(factory.Load());
    }
}

TEST_F(ParticleFactoryTest, AMissingParticleFolderIsAnError)
{
    ParticleFactory factory;
    EXPECT_EQ("./resources/particles is not a directory", ThrownMessage<FileError>([&] { factory.Load(); }));
}

// Every effect the game ships loads.
TEST_F(ParticleFactoryTest, EveryShippedEffectLoads)
{
    const std::filesystem::path shipped = std::filesystem::path(KESTRUM_GAME_ROOT) / "resources/particles";
    std::filesystem::create_directories(root.GetPath() / "resources");
    std::filesystem::copy(shipped, root.GetPath() / "resources/particles", std::filesystem::copy_options::recursive);
    ParticleFactory factory;
    factory.Load();
    unsigned effects = 0;
    for (const auto& entry : std::filesystem::directory_iterator(shipped))
        if (std::filesystem::exists(entry.path() / "particle_system.xml"))
        {
            const unsigned long id = std::stoul(entry.path().filename().string());
            EXPECT_FALSE(factory.GetPrototype(id).GetGroups().empty()) << id;
            ++effects;
        }
    EXPECT_GE(effects, 5u);
    EXPECT_TRUE(log.GetLines().empty());
}
