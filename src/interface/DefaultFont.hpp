// The font of the interface's plain texts (version line, notices).
#pragma once

#include "core/StablePtr.hpp"

namespace sf
{
    class Font;
}

namespace Kestrum
{
    // Loads the default font anew; LoadError "could not load " and its path when
    // it cannot be read.
    stable_ptr<sf::Font> LoadDefaultFont();
}
