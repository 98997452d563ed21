#include "core/VectorText.hpp"

#include <sstream>

namespace Kestrum
{
    std::string ToString(const sf::Vector2f& vector)
    {
        std::ostringstream text;
        text << "vector(" << vector.x << "|" << vector.y << ")";
        return text.str();
    }
}
