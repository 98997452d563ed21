// What the player owns while a game is in progress. For now only the money,
// which the campaign screens show on their cash line.
#pragma once

#include <SFML/Config.hpp>

namespace Kestrum
{
    class Inventory
    {
    public:
        Inventory();
        virtual ~Inventory();
        Inventory(const Inventory&) = delete;
        Inventory& operator=(const Inventory&) = delete;

        // The player's money; its users change it directly.
        sf::Uint32 money;
    };
}
