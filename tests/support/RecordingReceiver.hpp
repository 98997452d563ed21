// An input receiver for tests that writes down every call it gets, in order, and
// synthetic window events to feed the input devices.
#pragma once

#include "interface/InterfaceInput.hpp"

#include <SFML/Window/Event.hpp>
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace Kestrum::Testing
{
    class RecordingReceiver : public InterfaceInput
    {
    public:
        virtual ~RecordingReceiver() = default;

        // The calls since the last Take, as "action fire", "click 10,20 primary" and so on.
        std::vector<std::string> Take() { return std::move(m_calls); }

        bool HandleAction(Action a) override { return Record("action " + ToString(a)); }
        bool HandleMouseMove(const sf::Vector2f& p, const sf::Vector2f& q) override { return Record("move " + T(p) + " from " + T(q)); }
        bool HandleMouseWheel(int delta) override { return Record("wheel " + std::to_string(delta)); }
        bool HandleClick(const sf::Vector2f& p, MouseButton b) override { return Record("click " + T(p) + " " + N(b)); }
        bool HandleDoubleClick(const sf::Vector2f& p, MouseButton b) override { return Record("double click " + T(p) + " " + N(b)); }
        bool HandleDragStart(const sf::Vector2f& p) override { return Record("drag start " + T(p)); }
        bool HandleDrag(const sf::Vector2f& p, const sf::Vector2f& q) override { return Record("drag " + T(p) + " from " + T(q)); }
        bool HandleDrop(const sf::Vector2f& p) override { return Record("drop " + T(p)); }

    private:
        bool Record(const std::string& call)
        {
            m_calls.push_back(call);
            return true;
        }
        static std::string T(const sf::Vector2f& p) { return std::to_string(int(p.x)) + "," + std::to_string(int(p.y)); }
        static std::string N(MouseButton b) { return std::vector<std::string>{"primary", "secondary", "mb3", "mb4", "mb5"}.at(b); }

        std::vector<std::string> m_calls;
    };

    inline sf::Event KeyEvent(sf::Event::EventType type, sf::Keyboard::Key key)
    {
        sf::Event event{};
        event.type = type;
        event.key.code = key;
        return event;
    }

    inline sf::Event MouseEvent(sf::Event::EventType type, int x, int y, sf::Mouse::Button button = sf::Mouse::Left)
    {
        sf::Event event{};
        event.type = type;
        if (type == sf::Event::MouseMoved)
            event.mouseMove = {x, y};
        else
            event.mouseButton = {button, x, y};
        return event;
    }

    inline void Parse(pugi::xml_document& document, const std::string& text)
    {
        document.load_string(text.c_str(), pugi::parse_default | pugi::parse_trim_pcdata);
    }
}
