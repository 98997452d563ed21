// A button for the widget tests: a square click area around a chosen centre,
// and a record of what the widget did to it.
#pragma once

#include "interface/Button.hpp"
#include "interface/Widget.hpp"
#include "presentation/RectangleList.hpp"

#include <string>
#include <vector>

namespace Kestrum::Testing
{
    class FakeButton : public Button
    {
    public:
        FakeButton(const std::string& name, float centreX, float centreY, float half = 10.f,
                   std::vector<std::string>* drawn = nullptr)
            : name(name), m_position(centreX - half, centreY - half), m_drawn(drawn)
        {
            m_area.Load({centreX - half, centreY - half, 2.f * half, 2.f * half});
            GetClickSignal().connect([this](InterfaceInput::MouseButton button) { clicks.push_back(button); });
        }

        bool HasFocus() const override { return focus; }
        void SetFocus(bool value) override
        {
            focus = value;
            focusCalls.push_back(value);
        }
        sf::Vector2f GetPosition() const override { return m_position; }
        void SetPosition(const sf::Vector2f& position) override
        {
            m_area.Move(position - m_position);
            m_position = position;
        }
        RectangleList& GetArea() override { return m_area; }
        void Draw() override
        {
            if (m_drawn)
                m_drawn->push_back(name);
        }

        std::string name;
        bool focus = false;
        std::vector<bool> focusCalls;
        std::vector<InterfaceInput::MouseButton> clicks;

    private:
        sf::Vector2f m_position;
        RectangleList m_area;
        std::vector<std::string>* m_drawn;
    };

    inline stable_ptr<FakeButton> MakeButton(const std::string& name, float x, float y, float half = 10.f,
                                             std::vector<std::string>* drawn = nullptr)
    {
        return stable_ptr<FakeButton>(new FakeButton(name, x, y, half, drawn));
    }

    // A widget that does nothing on entry and exit.
    class PlainWidget : public Widget
    {
    public:
        void OnEnter() override {}
        void OnExit() override {}
        using Widget::SetActive;
    };
}
