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
        return button;
    }

    ShipButton::ShipButton(const std::shared_ptr<PlayerShip>& ship) : m_ship(ship) {}

    ShipButton::~ShipButton() = default;

    void ShipButton::Draw()
    {
        ComplexButton::Draw();
        if (!m_ship)
            return;
        sf::Sprite picture = m_ship->GetHull()->GetOverviewIcon();
        const sf::Vector2f frame = GetSize();
        const sf::FloatRect bounds = picture.getLocalBounds();
        const float scale = std::max((frame.x - margin) / bounds.width, (frame.y - margin) / bounds.height);
        picture.setScale(scale, scale);
        picture.setPosition(GetPosition() +
                            sf::Vector2f((frame.x - bounds.width * scale) * 0.5f, (frame.y - bounds.height * scale) * 0.5f));
        GetFromRegistry<sf::RenderWindow>()->draw(picture);
    }
}
