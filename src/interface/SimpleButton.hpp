// A button of two pictures, idle and clicked, whose click area is by default
// the clicked picture's rectangle.
#pragma once

#include "core/StablePtr.hpp"
#include "core/Timer.hpp"
#include "interface/Button.hpp"

#include <SFML/System/Vector2.hpp>

#include <memory>
#include <optional>
#include <string>

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
        // A button of the two pictures of these resource paths, both with their
        // top-left corner at the position; its area is the clicked picture's.
        static stable_ptr<Button> Create(const std::string& idlePath, const std::string& clickedPath,
                                         const sf::Vector2f& position, bool smooth);
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
