#include "interface/Widget.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "interface/Button.hpp"
#include "presentation/RectangleList.hpp"

#include <cmath>

namespace Kestrum
{
    namespace
    {
        // How long a held direction waits before the focus moves on again.
        const float focusDelay = 0.2f;

        float Length(const sf::Vector2f& v)
        {
            return std::sqrt(v.x * v.x + v.y * v.y);
        }

        // No test for a zero length: the zero vector becomes (nan, nan), which no
        // direction test accepts.
        sf::Vector2f Normalize(const sf::Vector2f& v)
        {
            const float length = Length(v);
            return sf::Vector2f(v.x / length, v.y / length);
        }

        float Sign(float value)
        {
            if (value > 0.f)
                return 1.f;
            if (value < 0.f)
                return -1.f;
            return 0.f;
        }

        // Offers an input to the children, the one added last first; true when one took it.
        template <typename Handler>
        bool OfferToChildren(const std::list<stable_ptr<Widget>>& children, Handler handler)
        {
            // Work on a copy: a handler may add or remove children.
            const std::list<stable_ptr<Widget>> snapshot(children);
            for (auto child = snapshot.rbegin(); child != snapshot.rend(); ++child)
                if (handler(**child))
                    return true;
            return false;
        }
    }

    Widget::Widget() : m_active(true), m_focusTimer(focusDelay) {}

    Widget::~Widget() = default;

    bool Widget::HandleAction(Action action)
    {
        if (!m_active)
            return false;
        if (OfferToChildren(m_children, [action](Widget& child) { return child.HandleAction(action); }))
            return true;
        switch (action)
        {
        case move_left:
            MoveButtonFocus(-1.f, 0.f);
            return true;
        case move_right:
            MoveButtonFocus(1.f, 0.f);
            return true;
        case move_up:
            MoveButtonFocus(0.f, -1.f);
            return true;
        case move_down:
            MoveButtonFocus(0.f, 1.f);
            return true;
        case accept:
            if (m_focused && m_focused->IsEnabled())
            {
                // Hold the button while its slots run: one of them may remove it.
                const std::shared_ptr<Button> focused = m_focused;
                focused->GetClickSignal()(Primary);
            }
            return true;
        default:
            return false;
        }
    }

    bool Widget::HandleMouseMove(const sf::Vector2f& position, const sf::Vector2f& previous)
    {
        if (OfferToChildren(m_children, [&](Widget& child) { return child.HandleMouseMove(position, previous); }))
            return true;
        const std::shared_ptr<Button> found = FindButtonAt(position);
        if (found && found != m_focused)
        {
            if (m_focused)
                m_focused->SetFocus(false);
            m_focused = found;
            m_focused->SetFocus(true);
        }
        return static_cast<bool>(m_focused);
    }

    bool Widget::HandleMouseWheel(int)
    {
        return false;
    }

    bool Widget::HandleClick(const sf::Vector2f& position, MouseButton button)
    {
        if (OfferToChildren(m_children, [&](Widget& child) { return child.HandleClick(position, button); }))
            return true;
        const std::shared_ptr<Button> found = FindButtonAt(position);
        if (!found)
            return false;
        if (found->IsEnabled())
            found->GetClickSignal()(button);
        return true;
    }

    bool Widget::HandleDoubleClick(const sf::Vector2f&, MouseButton)
    {
        return false;
    }

    bool Widget::HandleDragStart(const sf::Vector2f&)
    {
        return false;
    }

    bool Widget::HandleDrag(const sf::Vector2f&, const sf::Vector2f&)
    {
        return false;
    }

    bool Widget::HandleDrop(const sf::Vector2f&)
    {
        return false;
    }

    void Widget::OnUpdate()
    {
        const std::list<stable_ptr<Widget>> snapshot(m_children);
        for (const auto& child : snapshot)
            child->OnUpdate();
    }

    void Widget::Draw()
    {
        DrawButtons([](const stable_ptr<Button>& button) { button->DrawIfVisible(); });
        const std::list<stable_ptr<Widget>> snapshot(m_children);
        for (const auto& child : snapshot)
            child->Draw();
    }

    void Widget::AddButton(const stable_ptr<Button>& button, unsigned int key)
    {
        // A multimap puts an equal key after the existing ones.
        m_buttons.insert(ButtonMap::value_type(key, button));
    }

    void Widget::AddChild(const stable_ptr<Widget>& child)
    {
        m_children.push_back(child);
    }

    void Widget::RemoveChild(const std::shared_ptr<Widget>& child)
    {
        m_children.remove_if([&child](const stable_ptr<Widget>& entry) { return entry.get_shared() == child; });
    }

    void Widget::ClearChildren()
    {
        m_children.clear();
    }

    void Widget::RemoveButton(const std::shared_ptr<Button>& button)
    {
        for (auto entry = m_buttons.begin(); entry != m_buttons.end();)
        {
            if (entry->second.get_shared() == button)
                entry = m_buttons.erase(entry);
            else
                ++entry;
        }
        DropFocusIfGone();
    }

    void Widget::ClearButtons()
    {
        m_buttons.clear();
        DropFocusIfGone();
    }

    std::list<stable_ptr<Button>> Widget::GetButtons(bool topFirst) const
    {
        std::list<stable_ptr<Button>> buttons;
        for (const auto& entry : m_buttons)
        {
            if (topFirst)
                buttons.push_front(entry.second);
            else
                buttons.push_back(entry.second);
        }
        return buttons;
    }

    std::shared_ptr<Button> Widget::FindButtonAt(const sf::Vector2f& position) const
    {
        for (const auto& button : GetButtons(true))
            if (button->IsVisible() && button->GetArea().Contains(position))
                return button;
        return std::shared_ptr<Button>();
    }

    void Widget::DrawButtons(const ButtonOperation& operation)
    {
        for (const auto& button : GetButtons(false))
            operation(button);
    }

    void Widget::MoveButtonFocus(float dx, float dy)
    {
        if (!m_focusTimer.IsElapsed())
            return;
        // Restarted before anything else: an attempt that moves nothing also
        // holds back the next one.
        m_focusTimer.Restart();

        if (m_buttons.empty())
            return;
        if (m_buttons.size() == 1)
        {
            m_focused = m_buttons.begin()->second;
            m_focused->SetFocus(true);
            return;
        }

        sf::Vector2f origin;
        if (m_focused)
            origin = GetCenter(*m_focused);
        else
            origin = GetFromRegistry<ConfigurationSystem>()->GetScreenSize() * 0.5f;
        const sf::Vector2f direction(Sign(dx), Sign(dy));

        std::shared_ptr<Button> best;
        float bestScore = 0.f;
        for (const auto& entry : m_buttons)
        {
            const std::shared_ptr<Button>& button = entry.second.get_shared();
            if (!button)
                BOOST_THROW_EXCEPTION(LogicError());
            if (button == m_focused)
                continue;
            const sf::Vector2f v = GetCenter(*button) - origin;
            const sf::Vector2f n = Normalize(v);
            const float c = n.x * direction.x + n.y * direction.y;
            if (!(c > 0.f))
                continue;
            const float score = Length(v) / c;
            if (!best || score < bestScore)
            {
                best = button;
                bestScore = score;
            }
        }

        if (best)
        {
            if (m_focused)
                m_focused->SetFocus(false);
            m_focused = best;
            m_focused->SetFocus(true);
        }
    }

    void Widget::SetFocusedButton(const std::shared_ptr<Button>& button)
    {
        if (button == m_focused)
            return;
        if (m_focused)
            m_focused->SetFocus(false);
        m_focused.reset();
        if (!IsInMap(button))
            BOOST_THROW_EXCEPTION(LogicError("could not focus button because it is not part of widget"));
        m_focused = button;
        m_focused->SetFocus(true);
    }

    bool Widget::IsInMap(const std::shared_ptr<Button>& button) const
    {
        if (!button)
            return false;
        for (const auto& entry : m_buttons)
            if (entry.second.get_shared() == button)
                return true;
        return false;
    }

    // A button that has left the widget can no longer be fired by accept nor
    // steer the next focus move.
    void Widget::DropFocusIfGone()
    {
        if (m_focused && !IsInMap(m_focused))
        {
            m_focused->SetFocus(false);
            m_focused.reset();
        }
    }
}
