#include "levels/TileManager.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <cmath>

namespace Kestrum
{
    TileManager::TileManager() = default;
    TileManager::~TileManager() = default;

    void TileManager::OnEnter()
    {
        if (m_window)
            BOOST_THROW_EXCEPTION(LogicError());
        m_window = GetFromRegistry<sf::RenderWindow>();
    }

    void TileManager::OnExit()
    {
        if (!m_window)
            BOOST_THROW_EXCEPTION(LogicError());
        m_window.reset();
    }

    unsigned TileManager::GetRevealedRowCount(float offset) const
    {
        const unsigned height = GetFromRegistry<sf::RenderWindow>()->getSize().y;
        return (height >> 5) + unsigned(int(offset * 0.03125f)) + 1;
    }

    sf::Vector2u TileManager::CalculateTileCoordinates(const sf::Vector2f& position, float offset) const
    {
        const float height = GetFromRegistry<ConfigurationSystem>()->GetScreenSize().y;
        const float v = height + offset - position.y * height;
        if (v < 0.f)
            BOOST_THROW_EXCEPTION(NotSupportedError("negative coordinate y not allowed"));
        const float column = std::floor(position.x * 832.f * 0.03125f);
        return sf::Vector2u(unsigned(std::min(25.f, std::max(0.f, column))), unsigned(v * 0.03125f));
    }
}
