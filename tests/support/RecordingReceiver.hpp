// An input receiver for tests: writes down every call it gets, in order.
#pragma once

#include "interface/InterfaceInput.hpp"

#include <pugixml.hpp>
#include <SFML/Window/Event.hpp>
#include <string>
#include <vector>

namespace Kestrum::Testing
{
    class RecordingReceiver : public Kestrum::InterfaceInput
    {
    public:
        virtual ~RecordingReceiver() = default;

        // The calls since the last Take.
        std::vector<std::string> Take()
        {
            std::vector<std::string> taken;
            taken.swap(m_calls);
            return taken;
        }

        bool HandleAction(Action action) override { return Record("action " + Kestrum::ToString(action)); }
        bool HandleMouseMove(const sf::Vector2f& position, const sf::Vector2f& previous) override
        {
            return Record("move " + Text(position) + " from " + Text(previous));
        }
        bool HandleMouseWheel(int delta) override { return Record("wheel " + std::to_string(delta)); }
        bool HandleClick(const sf::Vector2f& position, MouseButton button) override
        {
            return Record("click " + Text(position) + " " + Name(button));
        }
        bool HandleDoubleClick(const sf::Vector2f& position, MouseButton button) override
        {
            return Record("double click " + Text(position) + " " + Name(button));
        }
        bool HandleDragStart(const sf::Vector2f& position) override { return Record("drag start " + Text(position)); }
        bool HandleDrag(const sf::Vector2f& position, const sf::Vector2f& previous) override
        {
            return Record("drag " + Text(position) + " from " + Text(previous));
        }
        bool HandleDrop(const sf::Vector2f& position) override { return Record("drop " + Text(position)); }

    private:
        bool Record(const std::string& call)
        {
            m_calls.push_back(call);
            return true;
        }
        static std::string Text(const sf::Vector2f& position)
        {
            return std::to_string(int(position.x)) + "," + std::to_string(int(position.y));
        }
        static std::string Name(MouseButton button)
        {
            static const char* const names[] = {"primary", "secondary", "mb3", "mb4", "mb5"};
            return names[button];
        }

        std::vector<std::string> m_calls;
    };

    inline sf::Event KeyEvent(sf::Event::EventType type, sf::Keyboard::Key key)
    {
        sf::Event event{};
        event.type = type;
        event.key.code = key;
        return event;
    }

    inline sf::Event ButtonEvent(sf::Event::EventType type, sf::Mouse::Button button, int x, int y)
    {
        sf::Event event{};
        event.type = type;
        event.mouseButton.button = button;
        event.mouseButton.x = x;
        event.mouseButton.y = y;
        return event;
    }

    inline sf::Event MoveEvent(int x, int y)
    {
        sf::Event event{};
        event.type = sf::Event::MouseMoved;
        event.mouseMove.x = x;
        event.mouseMove.y = y;
        return event;
    }

    // A parsed document, for feeding configuration text to the input devices.
    inline void Parse(pugi::xml_document& document, const std::string& text)
    {
        document.load_string(text.c_str(), pugi::parse_default | pugi::parse_trim_pcdata);
    }
}
