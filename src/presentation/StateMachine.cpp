#include "presentation/StateMachine.hpp"

#include "core/DefaultFont.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "core/VectorText.hpp"
#include "core/XmlReading.hpp"
#include "presentation/CircleList.hpp"
#include "presentation/ResourceDefinition.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/Shadow.hpp"
#include "presentation/SpriteBatch.hpp"
#include "presentation/State.hpp"
#include "presentation/StateMachinePath.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <boost/format.hpp>

#include <map>

namespace Kestrum
{
    namespace
    {
        // The shadows of all states of a machine, of which the active state's is
        // drawn.
        class StateShadowGroup : public Shadow
        {
        public:
            void Add(const std::string& state, const stable_ptr<InterfaceShadow>& shadow)
            {
                m_shadows.emplace(state, shadow);
                if (!m_active)
                    m_active = shadow.get_shared();
            }

            void SetActiveShadow(const std::string& state)
            {
                const auto found = m_shadows.find(state);
                if (found == m_shadows.end())
                    BOOST_THROW_EXCEPTION(LogicError("state shadow " + state + " not found"));
                m_active = found->second.get_shared();
            }

            void Draw() override
            {
                if (!m_active)
                    BOOST_THROW_EXCEPTION(RuntimeError("no shadow set active"));
                if (IsRemoved())
                    return;
                m_active->Draw();
            }

        private:
            std::map<std::string, stable_ptr<InterfaceShadow>> m_shadows;
            std::shared_ptr<InterfaceShadow> m_active;
        };
    }

    struct StateMachine::Data
    {
        std::shared_ptr<StateShadowGroup> shadow;
        std::map<std::string, std::shared_ptr<State>> states;
        float rotation = 0.f;
        std::string active;
        std::string initial;
        // Made on the first debug drawing.
        std::shared_ptr<sf::Font> debugFont;

        State& GetState(const std::string& name) const
        {
            const auto found = states.find(name);
            if (found == states.end())
                BOOST_THROW_EXCEPTION(RuntimeError("state " + name + " not found"));
            return *found->second;
        }
        State& GetActiveState() const { return GetState(active); }

        // Restarts the state and places it; false when there is no such state.
        bool SetActiveState(const std::string& name, const sf::Vector2f& position)
        {
            const auto found = states.find(name);
            if (found == states.end())
                return false;
            State& state = *found->second;
            state.Reset();
            state.SetPosition(position.x, position.y);
            state.SetRotation(rotation);
            if (shadow)
                shadow->SetActiveShadow(name);
            active = name;
            return true;
        }
    };

    StateMachine::StateMachine() = default;
    StateMachine::~StateMachine() = default;

    StateMachine::Data& StateMachine::GetData() const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call Load()?"));
        return *m_data;
    }

    void StateMachine::Load(const std::string& name, const pugi::xml_node& element)
    {
        if (m_data)
            BOOST_THROW_EXCEPTION(LogicError("reloading is not allowed"));
        auto data = std::make_unique<Data>();
        CheckInlineDefinition(element, "state_machine", 1);

        const stable_ptr<ResourceManager> resources = GetFromRegistry<ResourceManager>();
        std::map<std::string, std::shared_ptr<State>> states;
        for (const pugi::xml_node& child : GetChildElement(element, "states").children("state"))
        {
            const stable_ptr<State> state = resources->CreateState(name, child);
            if (!states.emplace(state->GetName(), state.get_shared()).second)
                BOOST_THROW_EXCEPTION(LogicError("state '" + state->GetName() + "' is redundant"));
        }
        if (states.empty())
            BOOST_THROW_EXCEPTION(LogicError("empty state machine is not allowed"));
        for (const auto& state : states)
            for (const auto& transition : state.second->GetTransitions())
                if (!states.count(transition.second))
                    BOOST_THROW_EXCEPTION(LogicError("state " + transition.second + " missing for transition " +
                                                     transition.first));

        const std::string initial = GetChildValue<std::string>(element, "initial_state");
        if (!states.count(initial))
            BOOST_THROW_EXCEPTION(InvalidArgumentError("initial state " + initial + " not available"));
        data->states = states;
        data->initial = initial;
        data->SetActiveState(initial, GetPosition());
        m_data = std::move(data);
    }

    bool StateMachine::Execute(const std::string& path)
    {
        Data& data = GetData();
        std::string remainder = path;
        const std::string head = SplitPath(remainder);
        if (head.empty())
            BOOST_THROW_EXCEPTION(InvalidArgumentError("transition name is empty"));
        if (!remainder.empty())
            BOOST_THROW_EXCEPTION(InvalidArgumentError("invalid transition path: " + path));
        const std::map<std::string, std::string>& transitions = data.GetActiveState().GetTransitions();
        const auto found = transitions.find(head);
        if (found == transitions.end())
            return false;
        return data.SetActiveState(found->second, GetPosition());
    }

    std::set<std::string> StateMachine::GetAllTransitions() const
    {
        std::set<std::string> names;
        for (const auto& state : GetData().states)
            for (const auto& transition : state.second->GetTransitions())
                names.insert(transition.first);
        return names;
    }

    bool StateMachine::GetSocket(const std::string& path, Socket& socket) const
    {
        const Data& data = GetData();
        std::string remainder = path;
        const std::string head = SplitPath(remainder);
        if (head.empty())
            BOOST_THROW_EXCEPTION(InvalidArgumentError("socket name is empty"));
        if (!remainder.empty())
            BOOST_THROW_EXCEPTION(InvalidArgumentError("invalid socket path: " + path));
        for (const Socket& placed : data.GetActiveState().GetSockets())
            if (placed.name == head)
            {
                socket = placed;
                return true;
            }
        return false;
    }

    bool StateMachine::RotatePart(const std::string&, float, float)
    {
        GetData();
        BOOST_THROW_EXCEPTION(LogicError("StateMachine can not have parts"));
    }

    bool StateMachine::RotatePart(const std::string&, const sf::Vector2f&, float)
    {
        GetData();
        BOOST_THROW_EXCEPTION(LogicError("StateMachine can not have parts"));
    }

    float StateMachine::GetPartRotation(const std::string&) const
    {
        GetData();
        BOOST_THROW_EXCEPTION(LogicError("StateMachine can not have parts"));
    }

    bool StateMachine::HasSocket(const std::string& path) const
    {
        const Data& data = GetData();
        std::string remainder = path;
        const std::string head = SplitPath(remainder);
        for (const auto& state : data.states)
            for (const Socket& socket : state.second->GetSockets())
                if (socket.name == head)
                    return true;
        return false;
    }

    bool StateMachine::HasTransition(const std::string& path) const
    {
        const Data& data = GetData();
        std::string remainder = path;
        const std::string head = SplitPath(remainder);
        for (const auto& state : data.states)
            if (state.second->GetTransitions().count(head))
                return true;
        return false;
    }

    bool StateMachine::HasPart(const std::string&) const
    {
        GetData();
        return false;
    }

    void StateMachine::OnUpdate()
    {
        Data& data = GetData();
        State& state = data.GetActiveState();
        if (state.ReachedEnd())
            if (const std::optional<std::string> next = state.GetTransitionAtExit())
                data.SetActiveState(*next, GetPosition());
        data.GetActiveState().OnUpdate();
    }

    void StateMachine::Draw(bool showBoundary, const sf::Color& colour)
    {
        GetData().GetActiveState().Draw(showBoundary, colour);
    }

    void StateMachine::DrawDebugInformation()
    {
        Data& data = GetData();
        FlushSprites();
        sf::RenderWindow& window = *GetFromRegistry<sf::RenderWindow>();
        sf::CircleShape dot(2.f);
        dot.setOrigin(2.f, 2.f);
        dot.setPosition(GetPosition());
        dot.setFillColor(sf::Color(255, 0, 255, 255));
        window.draw(dot);

        if (!data.debugFont)
            data.debugFont = ShareDefaultFont().get_shared();
        sf::Text text((boost::format("pos=%1%, rot=%2%") % ToString(GetPosition()) % GetRotation()).str(),
                      *data.debugFont, 12);
        text.setFillColor(sf::Color(255, 0, 0, 255));
        text.setPosition(GetPosition());
        window.draw(text);
    }

    stable_ptr<const CircleList> StateMachine::GetBoundary() const
    {
        return GetData().GetActiveState().GetBoundary();
    }

    void StateMachine::SetSignalHandler(const SignalHandler&)
    {
        GetData();
    }

    void StateMachine::Reset()
    {
        Data& data = GetData();
        for (const auto& state : data.states)
            state.second->Reset();
        DisableShadow();
        data.active = data.initial;
        SetPosition(0.f, 0.f);
        SetRotation(0.f);
    }

    stable_ptr<Shadow> StateMachine::EnableShadow()
    {
        Data& data = GetData();
        if (!data.shadow)
        {
            const auto shadow = std::make_shared<StateShadowGroup>();
            for (const auto& state : data.states)
                shadow->Add(state.first, state.second->EnableShadow());
            shadow->SetActiveShadow(data.active);
            data.shadow = shadow;
        }
        return create_stable_ptr<Shadow>(data.shadow);
    }

    void StateMachine::DisableShadow()
    {
        Data& data = GetData();
        if (!data.shadow)
            return;
        data.shadow->Remove();
        data.shadow.reset();
    }

    void StateMachine::SetPositionX(const float& x)
    {
        Data& data = GetData();
        StateMachineBase::SetPositionX(x);
        data.GetActiveState().SetPosition(GetPositionX(), GetPositionY());
    }

    void StateMachine::SetPositionY(const float& y)
    {
        Data& data = GetData();
        StateMachineBase::SetPositionY(y);
        data.GetActiveState().SetPosition(GetPositionX(), GetPositionY());
    }

    void StateMachine::MovePositionX(const float& dx)
    {
        Data& data = GetData();
        StateMachineBase::MovePositionX(dx);
        data.GetActiveState().SetPosition(GetPositionX(), GetPositionY());
    }

    void StateMachine::MovePositionY(const float& dy)
    {
        Data& data = GetData();
        StateMachineBase::MovePositionY(dy);
        data.GetActiveState().SetPosition(GetPositionX(), GetPositionY());
    }

    float StateMachine::GetRotation() const
    {
        return GetData().rotation;
    }

    void StateMachine::SetRotation(float angle)
    {
        Data& data = GetData();
        const float rotation = NormalizeRotation(angle);
        data.GetActiveState().SetRotation(rotation);
        data.rotation = rotation;
    }
}
