#include "presentation/StateMachineGroup.hpp"

#include "core/DefaultFont.hpp"
#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "core/XmlReading.hpp"
#include "presentation/Angles.hpp"
#include "presentation/CircleList.hpp"
#include "presentation/PositionSequence.hpp"
#include "presentation/ResourceDefinition.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/RotationSequence.hpp"
#include "presentation/Shadow.hpp"
#include "presentation/SpriteBatch.hpp"
#include "presentation/StateMachinePath.hpp"
#include "presentation/TriggerSequence.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>


#include <algorithm>
#include <map>
#include <vector>

namespace Kestrum
{
    namespace
    {
        struct GroupPart
        {
            std::string name;
            stable_ptr<StateMachineBase> machine;
            int renderPriority;
            // The offset from the group's position and the rotation relative to
            // the group, as read.
            sf::Vector2f position;
            float rotation;
        };

        typedef std::vector<stable_ptr<GroupPart>> Parts;
        typedef std::vector<stable_ptr<TransitionSequence>> Sequences;
        typedef std::function<void(const std::string&)> StringHandler;

        struct Transition
        {
            Sequences sequences;
        };

        // A started transition: fresh clones of its sequences and the game time
        // since the start.
        struct RunningTransition
        {
            explicit RunningTransition(const Transition& transition)
            {
                for (const stable_ptr<TransitionSequence>& sequence : transition.sequences)
                    sequences.push_back(sequence->Clone());
            }

            Sequences sequences;
            float elapsed = 0.f;
        };

        // The shadows of all parts.
        class ShadowGroup : public Shadow
        {
        public:
            void Add(const stable_ptr<Shadow>& shadow) { m_shadows.push_back(shadow); }

            void Draw() override
            {
                if (IsRemoved())
                    return;
                for (const stable_ptr<Shadow>& shadow : m_shadows)
                    shadow->Draw();
            }

        private:
            std::vector<stable_ptr<Shadow>> m_shadows;
        };

        std::string JoinPath(const std::string& first, const std::string& second)
        {
            return first + "|" + second;
        }

        std::string GetRequiredText(const pugi::xml_node& element)
        {
            const std::string text = element.text().get();
            if (text.empty())
                BOOST_THROW_EXCEPTION(XmlError(std::string("element ") + element.name() + " has no text"));
            return text;
        }

        stable_ptr<GroupPart> LoadGroupPart(const std::string& name, const pugi::xml_node& element)
        {
            AssertElementName(element, "part");
            CheckAndReturnVersion(element, 1);
            const stable_ptr<StateMachineBase> machine =
                GetFromRegistry<ResourceManager>()->CreateStateMachine(name, GetChildElement(element, "state_machine"));
            const sf::Vector2f position = GetOptionalChildValue(element, "position", sf::Vector2f(0.f, 0.f));
            machine->SetPosition(position.x, position.y);
            const float rotation = GetOptionalChildValue(element, "rotation", 0.f);
            machine->SetRotation(rotation);
            const std::string partName = GetAttributeText(element, "name");
            if (partName.empty())
                BOOST_THROW_EXCEPTION(NotAvailableError("part name is empty"));
            const int priority = GetOptionalChildValue(element, "render_priority", 0);
            return create_stable_ptr(
                std::make_shared<GroupPart>(GroupPart{partName, machine, priority, position, rotation}));
        }

        // The key-frame element of one part, if the key frame has one.
        pugi::xml_node FindKeyframePart(const pugi::xml_node& keyframe, const std::string& part)
        {
            for (const pugi::xml_node& child : GetChildElement(keyframe, "parts").children("part"))
            {
                CheckAndReturnVersion(child, 1);
                if (GetAttributeText(child, "name") == part)
                    return child;
            }
            return pugi::xml_node();
        }

        // The texts of the children, each once.
        std::set<std::string> ReadStringSet(const pugi::xml_node& element)
        {
            std::set<std::string> strings;
            for (const pugi::xml_node& child : element.children())
            {
                if (child.type() != pugi::node_element)
                    continue;
                CheckAndReturnVersion(child, 1);
                const std::string text = GetRequiredText(child);
                if (!strings.insert(text).second)
                    *Log(LogLevel::warning) << "string " << text << " (type = " << child.name()
                                            << ") is redundant and was ignored";
            }
            return strings;
        }

        void AddTriggers(TriggerSequence::Triggers& triggers, float timePoint, const pugi::xml_node& element,
                         const StringHandler& handler)
        {
            for (const std::string& text : ReadStringSet(element))
                triggers.emplace(timePoint, [handler, text] { handler(text); });
        }

        Transition LoadTransition(const pugi::xml_node& element, const Parts& parts, const StringHandler& callHandler,
                                  const StringHandler& signalHandler)
        {
            AssertElementName(element, "transition");
            CheckAndReturnVersion(element, 1);
            std::vector<stable_ptr<PositionSequence>> positions;
            std::vector<stable_ptr<RotationSequence>> rotations;
            for (const stable_ptr<GroupPart>& part : parts)
            {
                positions.push_back(create_stable_ptr(std::make_shared<PositionSequence>(part->machine)));
                rotations.push_back(create_stable_ptr(std::make_shared<RotationSequence>(part->machine)));
            }
            TriggerSequence::Triggers calls;
            TriggerSequence::Triggers signals;

            for (const pugi::xml_node& keyframe : GetChildElement(element, "keyframes").children("keyframe"))
            {
                const float timePoint = GetAttributeValue<float>(keyframe, "time_point");
                for (std::size_t index = 0; index < parts.size(); ++index)
                {
                    const pugi::xml_node key = FindKeyframePart(keyframe, parts[index]->name);
                    if (!key)
                        continue;
                    if (key.child("position"))
                        positions[index]->Add(timePoint, GetChildValue<sf::Vector2f>(key, "position"));
                    if (key.child("rotation"))
                        rotations[index]->Add(timePoint, GetChildValue<float>(key, "rotation"));
                }
                AddTriggers(calls, timePoint, GetChildElement(keyframe, "transition_calls"), callHandler);
                AddTriggers(signals, timePoint, GetChildElement(keyframe, "signals"), signalHandler);
            }

            Transition transition;
            for (std::size_t index = 0; index < parts.size(); ++index)
            {
                transition.sequences.push_back(positions[index]);
                transition.sequences.push_back(rotations[index]);
            }
            transition.sequences.push_back(create_stable_ptr(std::make_shared<TriggerSequence>(calls)));
            transition.sequences.push_back(create_stable_ptr(std::make_shared<TriggerSequence>(signals)));
            // Only what changes something is played.
            transition.sequences.erase(std::remove_if(transition.sequences.begin(), transition.sequences.end(),
                                                      [](const stable_ptr<TransitionSequence>& sequence) {
                                                          return sequence->IsEmpty();
                                                      }),
                                       transition.sequences.end());
            return transition;
        }

        std::map<std::string, Transition> LoadTransitions(const pugi::xml_node& element, const Parts& parts,
                                                          const StringHandler& callHandler,
                                                          const StringHandler& signalHandler)
        {
            AssertElementName(element, "transitions");
            std::map<std::string, Transition> transitions;
            for (const pugi::xml_node& child : element.children())
            {
                if (child.type() != pugi::node_element)
                    continue;
                const std::string name = GetAttributeText(child, "name");
                if (transitions.count(name))
                    BOOST_THROW_EXCEPTION(LogicError("transition '" + name + "' is redundant"));
                const Transition& transition = transitions[name] =
                    LoadTransition(child, parts, callHandler, signalHandler);
                if (transition.sequences.empty())
                    *Log(LogLevel::warning) << "transition " << name << " does not change anything";
            }
            return transitions;
        }
    }

    struct StateMachineGroup::Data
    {
        // By render priority; equal priorities in the order they were read.
        Parts parts;
        std::map<std::string, Transition> transitions;
        SignalHandler signalHandler;
        // Shared so that a walk through its key frames keeps it alive when a
        // command or a handler starts another transition meanwhile.
        std::shared_ptr<RunningTransition> running;
        float rotation = 0.f;
        std::shared_ptr<ShadowGroup> shadow;
        // The boundary of the present frame; dropped whenever a part may move.
        mutable std::shared_ptr<const CircleList> boundary;
        // The last one built, filled anew for the next once nobody holds it.
        mutable std::shared_ptr<CircleList> spareBoundary;
        std::shared_ptr<sf::Font> debugFont;

        const GroupPart* FindPart(const std::string& name) const
        {
            for (const stable_ptr<GroupPart>& part : parts)
                if (part->name == name)
                    return part.get();
            return nullptr;
        }

        bool StartTransition(const std::string& name)
        {
            const auto found = transitions.find(name);
            if (found == transitions.end())
            {
                *Log(LogLevel::warning) << "transition " << name << " could not be started because it's not available";
                return false;
            }
            running = std::make_shared<RunningTransition>(found->second);
            return true;
        }

        void EmitSignal(const std::string& signal) const
        {
            if (!signalHandler)
            {
                *Log(LogLevel::debug) << "signal " << signal << " ignored: no signal handler installed";
                return;
            }
            signalHandler(signal);
        }

        void SetRotation(const sf::Vector2f& position, float newRotation)
        {
            const float delta = newRotation - rotation;
            for (const stable_ptr<GroupPart>& part : parts)
            {
                StateMachineBase& machine = *part->machine;
                sf::Vector2f offset = machine.GetPosition() - position;
                Kestrum::Rotate(offset, delta);
                machine.SetPosition(position.x + offset.x, position.y + offset.y);
                machine.SetRotation(machine.GetRotation() + delta);
            }
            rotation = newRotation;
        }
    };

    StateMachineGroup::StateMachineGroup() : m_data(std::make_unique<Data>()) {}
    StateMachineGroup::~StateMachineGroup() = default;

    void StateMachineGroup::Load(const std::string& name, const pugi::xml_node& element)
    {
        if (!m_data->parts.empty())
            BOOST_THROW_EXCEPTION(LogicError("reloading is not allowed"));
        const unsigned long version = CheckInlineDefinition(element, "state_machine_group", 2);

        const pugi::xml_node container = version == 1 ? element : GetChildElement(element, "parts");
        Parts parts;
        std::set<std::string> names;
        for (const pugi::xml_node& child : container.children())
        {
            if (child.type() != pugi::node_element)
                continue;
            const stable_ptr<GroupPart> part = LoadGroupPart(name, child);
            if (!names.insert(part->name).second)
                BOOST_THROW_EXCEPTION(LogicError("part name '" + part->name + "' is redundant"));
            parts.push_back(part);
        }
        std::stable_sort(parts.begin(), parts.end(),
                         [](const stable_ptr<GroupPart>& first, const stable_ptr<GroupPart>& second) {
                             return first->renderPriority < second->renderPriority;
                         });

        std::map<std::string, Transition> transitions;
        if (version >= 2)
            transitions = LoadTransitions(
                GetChildElement(element, "transitions"), parts, [this](const std::string& path) { Execute(path); },
                [this](const std::string& signal) { m_data->EmitSignal(signal); });
        m_data->parts = parts;
        m_data->transitions = transitions;
        m_data->boundary.reset();
    }

    bool StateMachineGroup::Execute(const std::string& path)
    {
        m_data->boundary.reset();
        std::string remainder = path;
        const std::string head = SplitPath(remainder);
        if (remainder.empty())
            return m_data->StartTransition(head);
        const GroupPart* part = m_data->FindPart(head);
        return part && part->machine->Execute(remainder);
    }

    std::set<std::string> StateMachineGroup::GetAllTransitions() const
    {
        std::set<std::string> names;
        for (const stable_ptr<GroupPart>& part : m_data->parts)
            for (const std::string& transition : part->machine->GetAllTransitions())
                names.insert(JoinPath(part->name, transition));
        return names;
    }

    bool StateMachineGroup::GetSocket(const std::string& path, Socket& socket) const
    {
        std::string remainder = path;
        const GroupPart* part = m_data->FindPart(SplitPath(remainder));
        return part && part->machine->GetSocket(remainder, socket);
    }

    bool StateMachineGroup::RotatePart(const std::string& path, float localAimOrientation, float speed)
    {
        m_data->boundary.reset();
        std::string remainder = path;
        const GroupPart* part = m_data->FindPart(SplitPath(remainder));
        if (!part)
            BOOST_THROW_EXCEPTION(NotAvailableError("could not find " + path));
        if (remainder.empty())
            return part->machine->Rotate(localAimOrientation, speed);
        return part->machine->RotatePart(remainder, localAimOrientation, speed);
    }

    bool StateMachineGroup::RotatePart(const std::string& path, const sf::Vector2f& point, float speed)
    {
        return RotatePart(path, GetAngle(point - GetPosition()), speed);
    }

    float StateMachineGroup::GetPartRotation(const std::string& path) const
    {
        std::string remainder = path;
        const GroupPart* part = m_data->FindPart(SplitPath(remainder));
        if (!part)
            BOOST_THROW_EXCEPTION(NotAvailableError("could not find " + path));
        if (remainder.empty())
            return part->machine->GetRotation();
        return part->machine->GetPartRotation(remainder);
    }

    bool StateMachineGroup::HasSocket(const std::string& path) const
    {
        std::string remainder = path;
        const GroupPart* part = m_data->FindPart(SplitPath(remainder));
        return part && part->machine->HasSocket(remainder);
    }

    bool StateMachineGroup::HasTransition(const std::string& path) const
    {
        std::string remainder = path;
        const std::string head = SplitPath(remainder);
        if (remainder.empty())
            return m_data->transitions.count(head) != 0;
        const GroupPart* part = m_data->FindPart(head);
        return part && part->machine->HasTransition(remainder);
    }

    bool StateMachineGroup::HasPart(const std::string& path) const
    {
        std::string remainder = path;
        const GroupPart* part = m_data->FindPart(SplitPath(remainder));
        if (!part)
            return false;
        return remainder.empty() || part->machine->HasPart(remainder);
    }

    void StateMachineGroup::OnUpdate()
    {
        Data& data = *m_data;
        data.boundary.reset();
        if (const std::shared_ptr<RunningTransition> running = data.running)
        {
            running->elapsed += GetFromRegistry<TimeSystem>()->GetFrameTime();
            bool finished = true;
            for (const stable_ptr<TransitionSequence>& sequence : running->sequences)
            {
                if (!sequence->Execute(running->elapsed, *this))
                    finished = false;
                // A command or a handler started another transition, or reset
                // the group: what is left of this one is dropped.
                if (data.running != running)
                    break;
            }
            if (finished && data.running == running)
                data.running.reset();
        }
        for (const stable_ptr<GroupPart>& part : data.parts)
            part->machine->OnUpdate();
    }

    void StateMachineGroup::Draw(bool showBoundary, const sf::Color& colour)
    {
        for (const stable_ptr<GroupPart>& part : m_data->parts)
            part->machine->Draw(showBoundary, colour);
    }

    void StateMachineGroup::DrawDebugInformation()
    {
        Data& data = *m_data;
        FlushSprites();
        sf::RenderWindow& window = *GetFromRegistry<sf::RenderWindow>();
        if (!data.debugFont)
            data.debugFont = ShareDefaultFont().get_shared();
        sf::Text text("", *data.debugFont, 12);
        text.setFillColor(sf::Color(255, 0, 0, 255));
        for (const stable_ptr<GroupPart>& part : data.parts)
        {
            const sf::Vector2f& position = part->machine->GetPosition();
            text.setString("name=" + part->name);
            text.setPosition(position.x, position.y - 15.f);
            window.draw(text);
            part->machine->DrawDebugInformation();
        }
    }

    stable_ptr<const CircleList> StateMachineGroup::GetBoundary() const
    {
        Data& data = *m_data;
        if (!data.boundary)
        {
            if (!data.spareBoundary || data.spareBoundary.use_count() != 1)
                data.spareBoundary = std::make_shared<CircleList>();
            CircleList& boundary = *data.spareBoundary;
            boundary.Clear();
            boundary.SetPosition(GetPosition());
            for (const stable_ptr<GroupPart>& part : data.parts)
                boundary.Add(*part->machine->GetBoundary());
            data.boundary = data.spareBoundary;
        }
        return create_stable_ptr(data.boundary);
    }

    void StateMachineGroup::SetSignalHandler(const SignalHandler& handler)
    {
        Data& data = *m_data;
        data.signalHandler = handler;
        for (const stable_ptr<GroupPart>& part : data.parts)
        {
            const std::string name = part->name;
            part->machine->SetSignalHandler(
                [this, name](const std::string& signal) { m_data->EmitSignal(JoinPath(name, signal)); });
        }
    }

    void StateMachineGroup::Reset()
    {
        SetPosition(0.f, 0.f);
        SetRotation(0.f);
        Data& data = *m_data;
        for (const stable_ptr<GroupPart>& part : data.parts)
        {
            StateMachineBase& machine = *part->machine;
            machine.Reset();
            machine.SetPosition(GetPositionX() + part->position.x, GetPositionY() + part->position.y);
            machine.SetRotation(data.rotation + part->rotation);
        }
        data.running.reset();
        data.boundary.reset();
    }

    stable_ptr<Shadow> StateMachineGroup::EnableShadow()
    {
        Data& data = *m_data;
        if (!data.shadow)
        {
            if (data.parts.empty())
                BOOST_THROW_EXCEPTION(LogicError("no parts in state machine group"));
            const auto shadow = std::make_shared<ShadowGroup>();
            for (const stable_ptr<GroupPart>& part : data.parts)
                shadow->Add(part->machine->EnableShadow());
            data.shadow = shadow;
        }
        return create_stable_ptr<Shadow>(data.shadow);
    }

    void StateMachineGroup::DisableShadow()
    {
        Data& data = *m_data;
        if (!data.shadow)
            return;
        data.shadow->Remove();
        data.shadow.reset();
    }

    void StateMachineGroup::SetPositionX(const float& x)
    {
        const float difference = x - GetPositionX();
        for (const stable_ptr<GroupPart>& part : m_data->parts)
            part->machine->SetPositionX(part->machine->GetPositionX() + difference);
        StateMachineBase::SetPositionX(x);
        m_data->boundary.reset();
    }

    void StateMachineGroup::SetPositionY(const float& y)
    {
        const float difference = y - GetPositionY();
        for (const stable_ptr<GroupPart>& part : m_data->parts)
            part->machine->SetPositionY(part->machine->GetPositionY() + difference);
        StateMachineBase::SetPositionY(y);
        m_data->boundary.reset();
    }

    void StateMachineGroup::MovePositionX(const float& dx)
    {
        for (const stable_ptr<GroupPart>& part : m_data->parts)
            part->machine->MovePositionX(dx);
        StateMachineBase::MovePositionX(dx);
        m_data->boundary.reset();
    }

    void StateMachineGroup::MovePositionY(const float& dy)
    {
        for (const stable_ptr<GroupPart>& part : m_data->parts)
            part->machine->MovePositionY(dy);
        StateMachineBase::MovePositionY(dy);
        m_data->boundary.reset();
    }

    float StateMachineGroup::GetRotation() const
    {
        return m_data->rotation;
    }

    void StateMachineGroup::SetRotation(float angle)
    {
        m_data->SetRotation(GetPosition(), NormalizeRotation(angle));
        m_data->boundary.reset();
    }
}
