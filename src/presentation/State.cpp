#include "presentation/State.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/XmlReading.hpp"
#include "presentation/Action.hpp"
#include "presentation/Angles.hpp"
#include "presentation/ResourceDefinition.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/Shadow.hpp"


namespace Kestrum
{
    struct State::Data
    {
        explicit Data(const stable_ptr<Action>& action) : action(action) {}

        stable_ptr<Action> action;
        std::string name;
        std::map<std::string, std::string> transitions;
        std::optional<std::string> transitionAtExit;
        // Where the sockets are now, and as they were read (placed anew from
        // these when the state turns).
        std::vector<Socket> placed;
        std::vector<Socket> defined;
    };

    State::State() = default;
    State::~State() = default;

    State::Data& State::GetData() const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call Load()?"));
        return *m_data;
    }

    void State::Load(const std::string& name, const pugi::xml_node& element)
    {
        if (m_data)
            BOOST_THROW_EXCEPTION(LogicError("redundant loading"));
        const unsigned long version = CheckInlineDefinition(element, "state", 2);

        const stable_ptr<Action> action =
            GetFromRegistry<ResourceManager>()->CreateAction(name, GetChildElement(element, "action"));
        auto data = std::make_unique<Data>(action);
        data->name = GetAttributeText(element, "name");

        const pugi::xml_node transitions = GetChildElement(element, "transitions");
        for (const pugi::xml_node& transition : transitions.children("transition"))
        {
            CheckAndReturnVersion(transition, 1);
            const std::string transitionName = GetAttributeText(transition, "name");
            if (data->transitions.count(transitionName))
                BOOST_THROW_EXCEPTION(LogicError("transition " + transitionName + " is redundant"));
            data->transitions[transitionName] = GetAttributeText(transition, "destination");
        }
        if (const pugi::xml_node atExit = transitions.child("transition_on_end"))
        {
            CheckAndReturnVersion(atExit, 1);
            data->transitionAtExit = GetAttributeText(atExit, "destination");
            if (action->IsLooping())
                *Log(LogLevel::warning) << "superfluous implicit exit transition, state will only be left explicitely";
        }

        if (version == 2)
        {
            const pugi::xml_node sockets = GetChildElement(element, "sockets");
            const sf::Vector2f center = GetOptionalChildValue(sockets, "center", sf::Vector2f(0.f, 0.f));
            for (const pugi::xml_node& definition : sockets.children("socket"))
            {
                CheckAndReturnVersion(definition, 1);
                Socket socket;
                socket.name = GetAttributeText(definition, "name");
                socket.position = GetCoordinatesFromAttributes<float>(definition) - center;
                socket.orientation = GetAttributeValue<float>(definition, "orientation");
                data->placed.push_back(socket);
                data->defined.push_back(socket);
            }
        }
        m_data = std::move(data);
    }

    void State::OnUpdate()
    {
        GetData().action->OnUpdate();
    }

    void State::Draw(bool showBoundary, const sf::Color& colour)
    {
        Action& action = *GetData().action;
        action.showBoundary = showBoundary;
        action.SetColorFilter(colour);
        action.Draw();
    }

    std::optional<std::string> State::GetTransitionAtExit() const
    {
        return GetData().transitionAtExit;
    }

    bool State::ReachedEnd() const
    {
        return GetData().action->ReachedEnd();
    }

    const std::string& State::GetName() const
    {
        return GetData().name;
    }

    const std::map<std::string, std::string>& State::GetTransitions() const
    {
        return GetData().transitions;
    }

    stable_ptr<const CircleList> State::GetBoundary() const
    {
        return GetData().action->GetBody();
    }

    const std::vector<Socket>& State::GetSockets() const
    {
        return GetData().placed;
    }

    void State::SetPositionX(const float& x)
    {
        Data& data = GetData();
        const float difference = x - GetPositionX();
        Positionable<float>::SetPositionX(x);
        data.action->SetPositionX(x);
        for (Socket& socket : data.placed)
            socket.position.x += difference;
    }

    void State::SetPositionY(const float& y)
    {
        Data& data = GetData();
        const float difference = y - GetPositionY();
        Positionable<float>::SetPositionY(y);
        data.action->SetPositionY(y);
        for (Socket& socket : data.placed)
            socket.position.y += difference;
    }

    void State::MovePositionX(const float& dx)
    {
        Data& data = GetData();
        Positionable<float>::MovePositionX(dx);
        data.action->MovePositionX(dx);
        for (Socket& socket : data.placed)
            socket.position.x += dx;
    }

    void State::MovePositionY(const float& dy)
    {
        Data& data = GetData();
        Positionable<float>::MovePositionY(dy);
        data.action->MovePositionY(dy);
        for (Socket& socket : data.placed)
            socket.position.y += dy;
    }

    float State::GetRotation() const
    {
        return GetData().action->GetRotation();
    }

    void State::SetRotation(float angle)
    {
        Data& data = GetData();
        data.action->SetRotation(angle);
        for (std::size_t index = 0; index < data.placed.size(); ++index)
        {
            Socket& socket = data.placed[index];
            socket = data.defined[index];
            Rotate(socket.position, angle);
            socket.position += GetPosition();
            socket.orientation += angle;
        }
    }

    void State::Reset()
    {
        GetData().action->Reset();
        SetPosition(0.f, 0.f);
        SetRotation(0.f);
    }

    stable_ptr<InterfaceShadow> State::EnableShadow()
    {
        return GetData().action->EnableShadow();
    }
}
