// Positions laid out row by row on a regular grid.
#pragma once

#include <SFML/System/Vector2.hpp>
#include <vector>

namespace Kestrum
{
    // columns x rows positions; element i lies at
    // origin + ((i mod columns) * spacing.x, (i div columns) * spacing.y).
    std::vector<sf::Vector2<float>> CreateGrid(const sf::Vector2<float>& origin, const sf::Vector2<float>& spacing,
                                               unsigned columns, unsigned rows);
}
