#include "interface/ScrollableLayout.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "interface/Button.hpp"

#include <algorithm>

namespace Kestrum
{
    namespace
    {
        std::vector<std::shared_ptr<Button>> RemoveEmptyButtons(const std::vector<std::shared_ptr<Button>>& buttons)
        {
            std::vector<std::shared_ptr<Button>> result;
            result.reserve(buttons.size());
            for (const auto& button : buttons)
            {
                if (!button)
                    *Log(LogLevel::error) << "detected empty button pointer for ScrollableLayout: "
                                          << "it's now removed, but that's a logic error!";
                else
                    result.push_back(button);
            }
            return result;
        }
    }

    ScrollableLayout::ScrollableLayout(const std::vector<std::shared_ptr<Button>>& buttons,
                                       const std::vector<sf::Vector2f>& slots, unsigned int step)
        : m_buttons(RemoveEmptyButtons(buttons)), m_step(step), m_slots(slots), m_first(0)
    {
    }

    ScrollableLayout::~ScrollableLayout() = default;

    void ScrollableLayout::OnEnter()
    {
        for (const auto& button : m_buttons)
            AddButton(create_stable_ptr(button), 0);
        m_first = 0;
        Scroll(0);
    }

    void ScrollableLayout::OnExit()
    {
        ClearButtons();
    }

    void ScrollableLayout::Scroll(int units)
    {
        const sf::Uint32 count = static_cast<sf::Uint32>(m_buttons.size());
        if (units >= 0)
        {
            const sf::Uint32 candidate = m_first + m_step * static_cast<sf::Uint32>(units);
            if (candidate < count)
                m_first = candidate;
        }
        else
        {
            const sf::Uint32 distance = m_step * static_cast<sf::Uint32>(-static_cast<sf::Int64>(units));
            m_first = m_first > distance ? m_first - distance : 0;
        }

        for (const auto& button : m_buttons)
            button->SetVisible(false);
        if (count == 0)
            return;
        if (m_first >= count)
            BOOST_THROW_EXCEPTION(LogicError());
        const sf::Uint32 shown = std::min<sf::Uint32>(count - m_first, static_cast<sf::Uint32>(m_slots.size()));
        for (sf::Uint32 i = 0; i < shown; ++i)
        {
            const std::shared_ptr<Button>& button = m_buttons[m_first + i];
            button->SetPosition(m_slots[i]);
            button->SetVisible(true);
        }
    }
}
