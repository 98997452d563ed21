// Draws the tile grids of a running mission and converts between screen
// positions and tile rows. A mission enters the manager when it starts and
// leaves it when it ends; while entered it holds the render window.
#pragma once

#include <SFML/System/Vector2.hpp>

#include <memory>

namespace sf
{
    class RenderWindow;
}

namespace Kestrum
{
    class TileManager
    {
    public:
        TileManager();
        virtual ~TileManager();
        TileManager(const TileManager&) = delete;
        TileManager& operator=(const TileManager&) = delete;

        // Takes the registered render window; entering twice throws LogicError.
        void OnEnter();
        // Lets the window go; leaving without entering throws LogicError.
        void OnExit();

        // The number of the highest row that is on the screen or just above it at
        // the pixel offset: (window height >> 5) + trunc(offset / 32) + 1.
        unsigned GetRevealedRowCount(float offset) const;
        // The column and row under a position given as fractions of the play
        // field's width (x) and of the screen's height (y, 0 at the top) at the
        // pixel offset. The column stays within 0 to 25, so the right edge (x = 1)
        // is the last column. A position below the level's bottom edge throws
        // NotSupportedError "negative coordinate y not allowed".
        sf::Vector2u CalculateTileCoordinates(const sf::Vector2f& position, float offset) const;

    private:
        std::shared_ptr<sf::RenderWindow> m_window;
    };
}
