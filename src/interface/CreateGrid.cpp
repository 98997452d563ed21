#include "interface/CreateGrid.hpp"

namespace Kestrum
{
    std::vector<sf::Vector2<float>> CreateGrid(const sf::Vector2<float>& origin, const sf::Vector2<float>& spacing,
                                               unsigned columns, unsigned rows)
    {
        std::vector<sf::Vector2<float>> grid;
        grid.reserve(std::size_t(rows) * columns);
        for (unsigned i = 0; i < rows * columns; ++i)
            grid.push_back(origin + sf::Vector2<float>(float(i % columns) * spacing.x, float(i / columns) * spacing.y));
        return grid;
    }
}
