// A picture that lives among a screen's buttons, drawn in their order, but can
// never be clicked: its click area is empty.
#pragma once

#include "interface/Button.hpp"

#include <SFML/Graphics/Sprite.hpp>

namespace Kestrum
{
    class SpriteAsButtonAdapter : public Button
    {
    public:
        // Keeps a copy of the sprite, where it stands.
        explicit SpriteAsButtonAdapter(const sf::Sprite& sprite);
        ~SpriteAsButtonAdapter() override;

        bool HasFocus() const override { return m_focus; }
        void SetFocus(bool focus) override { m_focus = focus; }
        sf::Vector2f GetPosition() const override;
        void SetPosition(const sf::Vector2f& position) override;
        RectangleList& GetArea() override { return m_area; }
        void Draw() override;

    private:
        bool m_focus;
        sf::Sprite m_sprite;
        RectangleList m_area;
    };
}
