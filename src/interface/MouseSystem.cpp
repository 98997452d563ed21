#include "interface/MouseSystem.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Timer.hpp"
#include "core/XmlReading.hpp"
#include "interface/InputConfiguration.hpp"
#include "interface/KeyboardSystem.hpp"

#include <SFML/Window/Event.hpp>
#include <boost/algorithm/string/case_conv.hpp>
#include <boost/algorithm/string/predicate.hpp>
#include <deque>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <pugixml.hpp>
#include <set>

namespace Kestrum
{
    namespace
    {
        typedef InterfaceInput::MouseButton MouseButton;

        const char* const s_buttonNames[] = {"Primary", "Secondary", "MB3", "MB4", "MB5"};

        MouseButton ToButton(const std::string& text)
        {
            for (std::size_t index = 0; index < std::size(s_buttonNames); ++index)
            {
                if (boost::algorithm::iequals(s_buttonNames[index], text))
                    return static_cast<MouseButton>(index);
            }
            BOOST_THROW_EXCEPTION(UnknownTypeError("received unknown button string " + text));
        }

        std::string ToString(MouseButton button)
        {
            const std::size_t index = static_cast<std::size_t>(button);
            if (index >= std::size(s_buttonNames))
                return "???";
            return boost::algorithm::to_lower_copy(std::string(s_buttonNames[index]));
        }
    }

    struct MouseSystem::Data
    {
        typedef std::function<bool(InterfaceInput&)> Call;

        // A released click that waits to see whether a second one makes it a double click.
        struct PendingClick
        {
            PendingClick(const sf::Vector2f& position, MouseButton button, float time, float distance)
                : position(position), button(button), timer(time), left(position.x - distance),
                  top(position.y - distance), right(position.x + distance), bottom(position.y + distance)
            {
            }

            // The acceptance square includes its edges.
            bool Accepts(const sf::Vector2f& point) const
            {
                return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
            }

            sf::Vector2f position;
            MouseButton button;
            Timer timer;
            float left, top, right, bottom;
        };

        std::optional<PendingClick> m_pendingClick;
        std::optional<MouseButton> m_dragButton;
        std::set<MouseButton> m_heldButtons;
        // Buttons of held actions pressed since the last delivery: each acts in that
        // delivery, also when it was released again before it.
        std::set<MouseButton> m_pressedButtons;
        std::optional<sf::Vector2f> m_lastPosition;
        float m_doubleClickTime = 0.f;
        float m_doubleClickDistance = 0.f;
        float m_dragTriggerThreshold = 0.f;
        bool m_swapMouseButtons = false;
        std::map<MouseButton, InterfaceInput::Action> m_mapping;
        std::deque<Call> m_queue;

        MouseButton ToLogicalButton(sf::Mouse::Button button) const;
        void OnPress(const sf::Vector2f& position, MouseButton button);
        void OnRelease(const sf::Vector2f& position, MouseButton button);
        void OnMove(const sf::Vector2f& position);
        void SendClick(const PendingClick& click);
        void MakePendingClick(const sf::Vector2f& position, MouseButton button);
    };

    MouseButton MouseSystem::Data::ToLogicalButton(sf::Mouse::Button button) const
    {
        switch (button)
        {
        case sf::Mouse::Left:
            return m_swapMouseButtons ? InterfaceInput::Secondary : InterfaceInput::Primary;
        case sf::Mouse::Right:
            return m_swapMouseButtons ? InterfaceInput::Primary : InterfaceInput::Secondary;
        case sf::Mouse::Middle:
            return InterfaceInput::MB3;
        case sf::Mouse::XButton1:
            return InterfaceInput::MB4;
        default:
            return InterfaceInput::MB5;
        }
    }

    void MouseSystem::Data::OnPress(const sf::Vector2f& position, MouseButton button)
    {
        m_dragButton.reset();
        m_lastPosition = position;
        const auto binding = m_mapping.find(button);
        if (binding == m_mapping.end())
            return;
        const InterfaceInput::Action action = binding->second;
        if (IsContinuousAction(action))
        {
            if (m_heldButtons.insert(button).second)
                m_pressedButtons.insert(button);
        }
        else
            m_queue.push_back([action](InterfaceInput& receiver) { return receiver.HandleAction(action); });
    }

    void MouseSystem::Data::OnRelease(const sf::Vector2f& position, MouseButton button)
    {
        if (m_dragButton && *m_dragButton == button)
        {
            m_queue.push_back([position](InterfaceInput& receiver) { return receiver.HandleDrop(position); });
            m_pendingClick.reset();
            m_dragButton.reset();
        }
        else if (m_pendingClick)
        {
            if (m_pendingClick->button == button && m_pendingClick->Accepts(position) &&
                !m_pendingClick->timer.IsElapsed())
            {
                m_queue.push_back([position, button](InterfaceInput& receiver) {
                    return receiver.HandleDoubleClick(position, button);
                });
                m_pendingClick.reset();
            }
            else
            {
                SendClick(*m_pendingClick);
                MakePendingClick(position, button);
            }
        }
        else
        {
            MakePendingClick(position, button);
        }
        m_lastPosition = position;
        m_heldButtons.erase(button);
    }

    void MouseSystem::Data::OnMove(const sf::Vector2f& position)
    {
        const sf::Vector2f previous = m_lastPosition ? *m_lastPosition : position;
        if (m_dragButton)
        {
            m_queue.push_back([position, previous](InterfaceInput& receiver) {
                return receiver.HandleDrag(position, previous);
            });
        }
        else
        {
            const float dx = position.x - previous.x;
            const float dy = position.y - previous.y;
            const float squaredDistance = dx * dx + dy * dy;
            if (m_heldButtons.count(InterfaceInput::Primary) != 0 &&
                squaredDistance > m_dragTriggerThreshold * m_dragTriggerThreshold)
            {
                m_dragButton = InterfaceInput::Primary;
                m_queue.push_back([position](InterfaceInput& receiver) { return receiver.HandleDragStart(position); });
                if (m_pendingClick && m_pendingClick->button == InterfaceInput::Primary)
                    m_pendingClick.reset();
            }
            else
            {
                m_queue.push_back([position, previous](InterfaceInput& receiver) {
                    return receiver.HandleMouseMove(position, previous);
                });
            }
        }
        m_lastPosition = position;
    }

    void MouseSystem::Data::SendClick(const PendingClick& click)
    {
        const sf::Vector2f position = click.position;
        const MouseButton button = click.button;
        m_queue.push_back([position, button](InterfaceInput& receiver) { return receiver.HandleClick(position, button); });
        // A one-shot action went out with the press already; only a held action follows
        // its click once more.
        const auto binding = m_mapping.find(button);
        if (binding != m_mapping.end() && IsContinuousAction(binding->second))
        {
            const InterfaceInput::Action action = binding->second;
            m_queue.push_back([action](InterfaceInput& receiver) { return receiver.HandleAction(action); });
        }
    }

    void MouseSystem::Data::MakePendingClick(const sf::Vector2f& position, MouseButton button)
    {
        m_pendingClick.emplace(position, button, m_doubleClickTime, m_doubleClickDistance);
    }

    MouseSystem::MouseSystem() = default;
    MouseSystem::~MouseSystem() = default;

    MouseSystem::Data& MouseSystem::GetData() const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call Load()?"));
        return *m_data;
    }

    void MouseSystem::Load(const pugi::xml_document& document)
    {
        if (m_data)
            BOOST_THROW_EXCEPTION(LogicError(std::string(BOOST_CURRENT_FUNCTION) + " must not be called twice"));
        const pugi::xml_node root = GetInputConfigurationRoot(document);
        std::unique_ptr<Data> data(new Data());
        // A button listed under two actions belongs to the later one.
        ReadBindings(root, "mouse_button", [&data](InterfaceInput::Action action, const std::string& name) {
            data->m_mapping[ToButton(name)] = action;
        });
        const pugi::xml_node general = GetChildElement(root, "general");
        data->m_doubleClickTime = GetChildValue<float>(general, "double_click_time");
        data->m_doubleClickDistance = GetChildValue<float>(general, "double_click_distance");
        data->m_dragTriggerThreshold = GetChildValue<float>(general, "drag_trigger_threshold");
        data->m_swapMouseButtons = GetChildValue<bool>(general, "swap_mouse_buttons");
        m_data = std::move(data);
    }

    void MouseSystem::Save(pugi::xml_document& document) const
    {
        const Data& data = GetData();
        const pugi::xml_node root = GetInputConfigurationRoot(document);
        for (const auto& binding : data.m_mapping)
            WriteBinding(root, binding.second, "mouse_button", ToString(binding.first));
        pugi::xml_node general = GetOrCreateChildElement(root, "general");
        AddUniqueChildElement(general, "double_click_time", data.m_doubleClickTime);
        AddUniqueChildElement(general, "double_click_distance", data.m_doubleClickDistance);
        AddUniqueChildElement(general, "swap_mouse_buttons", data.m_swapMouseButtons);
        AddUniqueChildElement(general, "drag_trigger_threshold", data.m_dragTriggerThreshold);
    }

    bool MouseSystem::HandleEvent(const sf::Event& event)
    {
        Data& data = GetData();
        switch (event.type)
        {
        case sf::Event::MouseWheelMoved:
        {
            const int delta = event.mouseWheel.delta;
            data.m_queue.push_back([delta](InterfaceInput& receiver) { return receiver.HandleMouseWheel(delta); });
            return true;
        }
        case sf::Event::MouseButtonPressed:
            data.OnPress(sf::Vector2f(float(event.mouseButton.x), float(event.mouseButton.y)),
                         data.ToLogicalButton(event.mouseButton.button));
            return true;
        case sf::Event::MouseButtonReleased:
            data.OnRelease(sf::Vector2f(float(event.mouseButton.x), float(event.mouseButton.y)),
                           data.ToLogicalButton(event.mouseButton.button));
            return true;
        case sf::Event::MouseMoved:
            data.OnMove(sf::Vector2f(float(event.mouseMove.x), float(event.mouseMove.y)));
            return true;
        default:
            return false;
        }
    }

    void MouseSystem::HandleInput(const std::shared_ptr<InterfaceInput>& receiver)
    {
        Data& data = GetData();
        if (!receiver)
        {
            data.m_queue.clear();
            data.m_pressedButtons.clear();
            return;
        }
        if (data.m_pendingClick && data.m_pendingClick->timer.IsElapsed())
        {
            data.SendClick(*data.m_pendingClick);
            data.m_pendingClick.reset();
        }
        while (!data.m_queue.empty())
        {
            const Data::Call call = std::move(data.m_queue.front());
            data.m_queue.pop_front();
            call(*receiver);
        }
        for (const auto& binding : data.m_mapping)
        {
            if (data.m_heldButtons.count(binding.first) != 0 || data.m_pressedButtons.count(binding.first) != 0)
                receiver->HandleAction(binding.second);
        }
        data.m_pressedButtons.clear();
    }

    void MouseSystem::Reset(const std::shared_ptr<InterfaceInput>& receiver)
    {
        Data& data = GetData();
        if (data.m_dragButton)
        {
            if (!data.m_lastPosition)
                *Log(LogLevel::error) << "no last position available while dragging - could not drop!";
            else if (receiver)
                receiver->HandleDrop(*data.m_lastPosition);
        }
        data.m_dragButton.reset();
        data.m_pendingClick.reset();
        data.m_heldButtons.clear();
        data.m_pressedButtons.clear();
        data.m_lastPosition.reset();
        if (!data.m_queue.empty())
        {
            *Log(LogLevel::warning) << data.m_queue.size() << " events are left in event queue - it should be empty";
            if (receiver)
            {
                for (const Data::Call& call : data.m_queue)
                    call(*receiver);
            }
            data.m_queue.clear();
        }
    }

    void MouseSystem::SetSwapMouseButtons(bool swap)
    {
        GetData().m_swapMouseButtons = swap;
    }

    bool MouseSystem::MouseButtonsAreSwapped() const
    {
        return GetData().m_swapMouseButtons;
    }
}
