// A button of two pictures, idle and clicked, whose click area is by default
// the clicked picture's rectangle.
#pragma once

#include "core/StablePtr.hpp"
#include "core/Timer.hpp"
#include "interface/Button.hpp"

#include <memory>
#include <optional>

namespace sf
{
    class Sprite;
}

namespace Kestrum
{
    class SimpleButton : public Button
    {
    public:
        // The sprites are shared with the caller, not copied. Without a click area
        // the clicked picture's current rectangle becomes the area.
        SimpleButton(const std::shared_ptr<RectangleList>& area, const std::shared_ptr<sf::Sprite>& idle,
                     const std::shared_ptr<sf::Sprite>& clicked);
        ~SimpleButton() override;

        bool HasFocus() const override;
        void SetFocus(bool focus) override;
        sf::Vector2f GetPosition() const override;
        void SetPosition(const sf::Vector2f& position) override;
        RectangleList& GetArea() override;
        void Draw() override;

        // Seconds the clicked picture stays after a click.
        virtual float GetClickedTime() const;

    private:
        stable_ptr<RectangleList> m_area;
        std::shared_ptr<sf::Sprite> m_idle;
        std::shared_ptr<sf::Sprite> m_clicked;
        std::optional<Timer> m_clickTimer;
    };
}
