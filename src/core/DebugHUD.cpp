#include "core/DebugHUD.hpp"

#include "core/DefaultFont.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <boost/format.hpp>
#include <climits>
#include <cmath>

namespace Kestrum
{
    namespace
    {
        const std::size_t s_slotCount = 16;
        const unsigned int s_characterSize = 15;
    }

    DebugHUD::DebugHUD() : m_visible(false), m_lines(s_slotCount), m_font(ShareDefaultFont().get_shared())
    {
        m_text.reset(new sf::Text(sf::String(), *m_font, s_characterSize));
    }

    DebugHUD::~DebugHUD() = default;

    void DebugHUD::SetLine(std::size_t index, const LineFunction& line)
    {
        m_lines.at(index) = line;
    }

    void DebugHUD::Toggle()
    {
        m_visible = !m_visible;
    }

    void DebugHUD::Draw()
    {
        if (!m_visible)
            return;
        const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
        for (std::size_t slot = 0; slot < m_lines.size(); ++slot)
        {
            if (!m_lines[slot])
                continue;
            // Empty slots keep their place: slot i always stands at the same height.
            const float y = 5.f + 20.f * slot;
            m_text->setPosition(6.f, y + 1.f);
            m_text->setString(m_lines[slot]());
            DrawWithShadow(*m_text);
        }
    }

    std::string FormatFramesPerSecond(float frameTime, const std::string& previous)
    {
        const float tenths = 10.f / frameTime;
        if (!(frameTime > 0.f) || !std::isfinite(tenths) || tenths >= static_cast<float>(INT_MAX))
            return previous;
        const int value = static_cast<int>(tenths);
        return (boost::format("FPS: % 4d,%d") % (value / 10) % (value % 10)).str();
    }
}
