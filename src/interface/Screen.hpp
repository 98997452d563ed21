// A widget that fills the window, with an optional background drawn under
// everything else.
#pragma once

#include "interface/Widget.hpp"

#include <memory>

namespace sf
{
    class Sprite;
}

namespace Kestrum
{
    class Screen : public Widget
    {
    public:
        Screen();
        ~Screen() override;

        void OnEnter() override = 0;
        void OnExit() override = 0;
        // The background, when there is one, then the buttons and the children.
        void Draw() override;
        // Whether Draw paints every pixel of the window opaque, so that the
        // window needs no clearing before it; no screen does unless it says so.
        virtual bool CoversWindow() const;

        // Scales the sprite to the height of the video mode, centres it and makes it
        // the background; an empty pointer removes the background.
        void FitBackground(const std::shared_ptr<sf::Sprite>& sprite);
        const std::shared_ptr<sf::Sprite>& GetBackground() const { return m_background; }

    private:
        std::shared_ptr<sf::Sprite> m_background;
    };
}
