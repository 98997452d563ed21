#include "presentation/StateMachineGroup.hpp"

#include "core/XmlReading.hpp"
#include "presentation/MachineFixture.hpp"
#include "presentation/ResourceDefinition.hpp"
#include "presentation/State.hpp"
#include "presentation/StateMachine.hpp"
#include "support/ThrownMessage.hpp"

#include <boost/core/demangle.hpp>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    const std::string action = "<action definition_source='inline' version='1'><loop>true</loop><animations/>"
                               "<particle_effects/><sounds/></action>";

    std::string StateXml(const std::string& name, const std::string& body = "<transitions/>",
                      const std::string& version = "1")
    {
        return "<state definition_source='inline' version='" + version + "' name='" + name + "'>" + action + body +
               "</state>";
    }

    std::string MachineXml(const std::string& states, const std::string& rest = "<initial_state>idle</initial_state>",
                        const std::string& root = "definition_source='inline' version='1'")
    {
        return "<state_machine " + root + "><states>" + states + "</states>" + rest + "</state_machine>";
    }

    std::string PartXml(const std::string& name, const std::string& extra = "", const std::string& version = "1")
    {
        return "<part version='" + version + "' name='" + name +
               "'><state_machine definition_source='file'>ok.statemachine</state_machine>" + extra + "</part>";
    }

    std::string GroupXml(const std::string& parts, const std::string& transitions = "<transitions/>",
                      const std::string& root = "definition_source='inline' version='2'")
    {
        return "<state_machine_group " + root + "><parts>" + parts + "</parts>" + transitions +
               "</state_machine_group>";
    }

    std::string KeyframeXml(const std::string& time, const std::string& parts, const std::string& calls = "",
                         const std::string& signals = "<signals/>")
    {
        return "<keyframe time_point='" + time + "'><parts>" + parts + "</parts><transition_calls>" + calls +
               "</transition_calls>" + signals + "</keyframe>";
    }

    std::string TransitionXml(const std::string& name, const std::string& keyframes)
    {
        return "<transition version='1' name='" + name + "'><keyframes>" + keyframes + "</keyframes></transition>";
    }

    // "Kestrum::LogicError: message" of what loading throws.
    std::string Failure(const std::function<void()>& load)
    {
        try
        {
            load();
        }
        catch (const Exception& error)
        {
            // Thrown as boost::wrapexcept<Kestrum::...>.
            std::string type = boost::core::demangle(typeid(error).name());
            const std::string::size_type open = type.find('<');
            if (open != std::string::npos)
                type = type.substr(open + 1, type.rfind('>') - open - 1);
            return type + ": " + error.what();
        }
        return "<nothing thrown>";
    }

    class StateMachineFileTest : public Testing::MachineFixture
    {
    };
}

TEST_F(StateMachineFileTest, BadFilesAreRefusedWithTheirReason)
{
    root.WriteFile("resources/bad/ok.statemachine", MachineXml(StateXml("idle")));
    const std::string key = "<part version='1' name='p'><position x='1' y='1'/></part>";
    const std::string okPart = PartXml("p");
    const std::string at = "resources/bad/case.statemachine";
    const struct
    {
        std::string file;
        std::string failure;  // an XmlError is checked by its type alone
    } cases[] = {
        {"<nothing definition_source='inline' version='1'/>",
         "Kestrum::NotSupportedError: no supported state machine found in file resources|bad|case.statemachine"},
        {MachineXml(StateXml("idle"), "<initial_state>idle</initial_state>", "definition_source='file' version='1'"),
         "Kestrum::LogicError: " + at + ": expected inline, found file"},
        {MachineXml(StateXml("idle"), "<initial_state>idle</initial_state>", "definition_source='inline' version='2'"),
         "Kestrum::NotSupportedError: " + at +
             ":1: highest supported version of state_machine is 1, encountered version 2"},
        {"<state_machine definition_source='inline' version='1'><initial_state>idle</initial_state></state_machine>",
         "Kestrum::XmlError"},
        {MachineXml("<other/>"), "Kestrum::LogicError: " + at + ": empty state machine is not allowed"},
        {MachineXml(StateXml("idle") + StateXml("idle")), "Kestrum::LogicError: " + at + ": state 'idle' is redundant"},
        {MachineXml(StateXml("idle", "<transitions><transition version='1' name='explode' destination='boom'/>"
                               "</transitions>")),
         "Kestrum::LogicError: " + at + ": state boom missing for transition explode"},
        {MachineXml(StateXml("idle"), ""), "Kestrum::XmlError: " + at + ":1: no initial_state element defined"},
        {MachineXml(StateXml("idle"), "<initial_state>ghost</initial_state>"),
         "Kestrum::InvalidArgumentError: " + at + ": initial state ghost not available"},
        {MachineXml(StateXml("idle", "<transitions/>", "3")),
         "Kestrum::NotSupportedError: " + at + ":1: highest supported version of state is 2, encountered version 3"},
        {MachineXml(StateXml("idle", "")), "Kestrum::XmlError: " + at + ":1: no transitions element defined"},
        {MachineXml("<state definition_source='inline' version='1' name='idle'><transitions/></state>"),
         "Kestrum::XmlError: " + at + ":1: no action element defined"},
        {MachineXml(StateXml("idle", "<transitions><transition version='1' name='explode' destination='idle'/>"
                               "<transition version='1' name='explode' destination='idle'/></transitions>")),
         "Kestrum::LogicError: " + at + ": transition explode is redundant"},
        {MachineXml(StateXml("idle", "<transitions><transition version='2' name='a' destination='idle'/></transitions>")),
         "Kestrum::NotSupportedError: " + at +
             ":1: highest supported version of transition is 1, encountered version 2"},
        {MachineXml(StateXml("idle", "<transitions><transition_on_end version='1'/></transitions>")), "Kestrum::XmlError"},
        {MachineXml(StateXml("idle", "<transitions/>", "2")),
         "Kestrum::XmlError: " + at + ":1: no sockets element defined"},
        {MachineXml(StateXml("idle", "<transitions/><sockets><socket version='1' name='s' x='1' y='2'/></sockets>", "2")),
         "Kestrum::XmlError"},
        {MachineXml(StateXml("idle", "<transitions/><sockets><socket version='1' name='s' x='one' y='2' "
                               "orientation='0'/></sockets>",
                       "2")),
         "Kestrum::XmlError"},
        {MachineXml(StateXml("idle", "<transitions/><sockets><socket version='2' name='s' x='1' y='2' "
                               "orientation='0'/></sockets>",
                       "2")),
         "Kestrum::NotSupportedError: " + at + ":1: highest supported version of socket is 1, encountered version 2"},
        {MachineXml("<state definition_source='file'>missing.state</state>"),
         "Kestrum::LoadError: " + at + ": loading resources|bad|missing.state failed"},
        {MachineXml("<state definition_source='Inline' version='1' name='idle'/>"),
         "Kestrum::UnknownTypeError: " + at + ": unknown type of definition_source: Inline"},

        {GroupXml(okPart, "", "definition_source='inline' version='3'"),
         "Kestrum::NotSupportedError: " + at +
             ":1: highest supported version of state_machine_group is 2, encountered version 3"},
        {GroupXml(okPart, "", "definition_source='file' version='2'"),
         "Kestrum::LogicError: " + at + ": expected inline, found file"},
        {"<state_machine_group definition_source='inline' version='1'>" + okPart + "<thing/></state_machine_group>",
         "Kestrum::LogicError: " + at + ":1: Expected element part, found thing"},
        {"<state_machine_group definition_source='inline' version='2'><transitions/></state_machine_group>",
         "Kestrum::XmlError: " + at + ":1: no parts element defined"},
        {GroupXml(okPart + okPart), "Kestrum::LogicError: " + at + ": part name 'p' is redundant"},
        {GroupXml(PartXml("")), "Kestrum::NotAvailableError: " + at + ": part name is empty"},
        {GroupXml(PartXml("p", "", "2")),
         "Kestrum::NotSupportedError: " + at + ":1: highest supported version of part is 1, encountered version 2"},
        {GroupXml("<part version='1' name='p'/>"), "Kestrum::XmlError: " + at + ":1: no state_machine element defined"},
        {GroupXml("<part version='1' name='p'><state_machine definition_source='file'>no.statemachine</state_machine>"
               "</part>"),
         "Kestrum::XmlError"},
        {GroupXml(PartXml("p", "<render_priority>high</render_priority>")), "Kestrum::XmlError"},
        {GroupXml(okPart, ""), "Kestrum::XmlError: " + at + ":1: no transitions element defined"},
        {GroupXml(okPart, "<transitions><move version='1' name='a'><keyframes/></move></transitions>"),
         "Kestrum::LogicError: " + at + ":1: Expected element transition, found move"},
        {GroupXml(okPart, "<transitions>" + TransitionXml("open", "") + TransitionXml("open", "") + "</transitions>"),
         "Kestrum::LogicError: " + at + ": transition 'open' is redundant"},
        {GroupXml(okPart, "<transitions>" + TransitionXml("open", KeyframeXml("-1", key)) + "</transitions>"),
         "Kestrum::InvalidArgumentError: " + at + ": time point must not be negative"},
        {GroupXml(okPart, "<transitions>" + TransitionXml("open", KeyframeXml("soon", "")) + "</transitions>"),
         "Kestrum::XmlError"},
        {GroupXml(okPart, "<transitions>" + TransitionXml("open", KeyframeXml("nan", key)) + "</transitions>"),
         "Kestrum::ParseError: " + at +
             ":1: attribute time_point of element keyframe holds nan, which is not a finite number"},
        {GroupXml(okPart, "<transitions>" + TransitionXml("open", KeyframeXml("1", "", "", "")) + "</transitions>"),
         "Kestrum::XmlError: " + at + ":1: no signals element defined"},
        {GroupXml(okPart, "<transitions>" + TransitionXml("open", KeyframeXml("1", "", "<call version='2'>p|x</call>")) +
                           "</transitions>"),
         "Kestrum::NotSupportedError: " + at + ":1: highest supported version of call is 1, encountered version 2"},
        {GroupXml(okPart, "<transitions>" + TransitionXml("open", KeyframeXml("1", "", "<call version='1'/>")) +
                           "</transitions>"),
         "Kestrum::XmlError"},
        {GroupXml(okPart, "<transitions>" +
                           TransitionXml("open", KeyframeXml("1", "<part version='2' name='p'><rotation>1</rotation></part>")) +
                           "</transitions>"),
         "Kestrum::NotSupportedError: " + at + ":1: highest supported version of part is 1, encountered version 2"},
    };
    const stable_ptr<ResourceManager> resources = GetFromRegistry<ResourceManager>();
    for (const auto& each : cases)
    {
        root.WriteFile("resources/bad/case.statemachine", each.file);
        const std::string failure = Failure([&] { resources->CreateStateMachine("resources|bad|case.statemachine"); });
        EXPECT_EQ(each.failure, failure.substr(0, each.failure.size())) << each.file;
        if (each.failure == "Kestrum::XmlError")
        {
            EXPECT_EQ(": ", failure.substr(each.failure.size(), 2)) << each.file;
        }
    }

    // Loading once only; a looping state is left only by commands.
    root.WriteFile("resources/bad/looping.statemachine",
                   MachineXml(StateXml("idle", "<transitions><transition_on_end version='1' destination='idle'/>"
                                         "</transitions>")));
    const stable_ptr<pugi::xml_document> document = LoadResourceDocument("resources|bad|looping.statemachine");
    const pugi::xml_node machine = document->child("state_machine");
    StateMachine twice;
    twice.Load("resources|bad|looping.statemachine", machine);
    EXPECT_TRUE(log.Contains("superfluous implicit exit transition, state will only be left explicitely"));
    EXPECT_EQ("reloading is not allowed", ThrownMessage<LogicError>([&] { twice.Load("x", machine); }));
    Kestrum::State state;
    state.Load("x", machine.child("states").child("state"));
    EXPECT_EQ("redundant loading", ThrownMessage<LogicError>([&] { state.Load("x", machine); }));
    EXPECT_EQ("Expected element state_machine, found state",
              ThrownMessage<LogicError>([&] { resources->CreateStateMachine("x", machine.child("states").child("state")); }));
    StateMachineGroup group;
    EXPECT_EQ("Expected element state_machine_group, found state_machine",
              ThrownMessage<LogicError>([&] { group.Load("x", machine); }));
    root.WriteFile("resources/bad/group.statemachine", GroupXml(okPart));
    const stable_ptr<StateMachineBase> loaded = resources->CreateStateMachine("resources|bad|group.statemachine");
    const stable_ptr<pugi::xml_document> groupDocument = LoadResourceDocument("resources|bad|group.statemachine");
    EXPECT_EQ("reloading is not allowed", ThrownMessage<LogicError>([&] {
                  dynamic_cast<StateMachineGroup&>(*loaded).Load("x", groupDocument->first_child());
              }));
}

// A group that names itself, or two that name each other, is refused with the
// chain of files instead of loading for ever.
TEST_F(StateMachineFileTest, GroupsNamingThemselvesAreRefusedWithTheChain)
{
    const auto group = [](const std::string& part) {
        return GroupXml("<part version='1' name='p'><state_machine definition_source='file'>" + part +
                        "</state_machine></part>");
    };
    root.WriteFile("resources/loop/a.statemachine", group("b.statemachine"));
    root.WriteFile("resources/loop/b.statemachine", group("$resources|loop|a.statemachine"));
    root.WriteFile("resources/loop/self.statemachine", group("self.statemachine"));
    const auto load = [](const std::string& file) {
        return Failure([&] { GetFromRegistry<ResourceManager>()->CreateStateMachine("resources|loop|" + file); });
    };
    // The chain holds the path of the file being read, which is named no second time.
    EXPECT_EQ("Kestrum::LoadError: resources|loop|a.statemachine -> "
              "resources|loop|b.statemachine -> "
              "resources|loop|$resources|loop|a.statemachine",
              load("a.statemachine"));
    EXPECT_EQ("Kestrum::LoadError: resources|loop|self.statemachine -> "
              "resources|loop|self.statemachine",
              load("self.statemachine"));
}

// Every state machine the game ships loads.
TEST(ShippedStateMachines, EveryFileLoads)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(KESTRUM_GAME_ROOT);
    {
        Testing::CapturedLog log;
        const stable_ptr<Registry> registry = Registry::Create();
        CreateAndRegister(new TimeSystem());
        const stable_ptr<ResourceManager> resources = CreateAndRegister(new ResourceManager());
        for (const auto& entry : std::filesystem::recursive_directory_iterator("resources"))
        {
            if (entry.path().extension() != ".statemachine")
                continue;
            std::string path = entry.path().generic_string();
            std::replace(path.begin(), path.end(), '/', '|');
            EXPECT_NO_THROW(resources->CreateStateMachine(path)) << path;
        }
        EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();
    }
    std::filesystem::current_path(previous);
}
