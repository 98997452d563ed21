// The font of the plain texts (debug overlay, version line, notices), and the way
// they are drawn.
#pragma once

#include "core/StablePtr.hpp"

namespace sf
{
    class Font;
    class Text;
}

namespace Kestrum
{
    // The default font shared by everyone who holds it: loaded again only when
    // nobody holds it any more. LoadError "could not load " and its path when it
    // cannot be read.
    stable_ptr<sf::Font> ShareDefaultFont();

    // Draws the text into the window in black, moves it by (-1, -1) and draws it
    // again in white: white letters with a one-pixel shadow to their lower right.
    void DrawWithShadow(sf::Text& text);
}
