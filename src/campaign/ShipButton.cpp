#include "campaign/ShipButton.hpp"

#include "core/Registry.hpp"
#include "flight/Hull.hpp"
#include "flight/PlayerShip.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>

namespace Kestrum
{
    namespace
    {
        const std::string folder = "resources|gui|screens|hangar|";
        // How much shorter than the frame the picture is, in its tighter direction.
        const float margin = 10.f;
    }

    stable_ptr<ShipButton> ShipButton::Create(const std::shared_ptr<PlayerShip>& ship, const sf::Vector2f& position)
    {
        stable_ptr<ShipButton> button(new ShipButton(ship));
        button->Initialize(folder + "frame.png", folder + "frame_click_area.txt", position);
        button->SetEnabled(static_cast<bool>(ship));
        if (ship)
        {
            button->m_picture = ship->GetHull()->GetOverviewIcon();
            const sf::Vector2f frame = button->GetSize();
            const sf::FloatRect bounds = button->m_picture.getLocalBounds();
            const float scale = std::max((frame.x - margin) / bounds.width, (frame.y - margin) / bounds.height);
            button->m_picture.setScale(scale, scale);
            button->m_pictureOffset =
                sf::Vector2f((frame.x - bounds.width * scale) * 0.5f, (frame.y - bounds.height * scale) * 0.5f);
        }
        return button;
    }

    ShipButton::ShipButton(const std::shared_ptr<PlayerShip>& ship) : m_ship(ship) {}

    ShipButton::~ShipButton() = default;

    void ShipButton::Draw()
    {
        ComplexButton::Draw();
        if (!m_ship)
            return;
        m_picture.setPosition(GetPosition() + m_pictureOffset);
        GetFromRegistry<sf::RenderWindow>()->draw(m_picture);
    }
}
