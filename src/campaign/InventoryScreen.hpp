// One ship's equipment: the overview picture of its hull in the middle of the
// window with a button over it for each of the hull's slots. Choosing a slot
// opens the equipment screen for it; the exit button leads back to the hangar.
#pragma once

#include "campaign/ExitableScreen.hpp"
#include "core/StablePtr.hpp"

#include <memory>

namespace Kestrum
{
    class PlayerShip;

    class InventoryScreen : public ExitableScreen
    {
    public:
        InventoryScreen();
        ~InventoryScreen() override;

        // The ship to show; it stays chosen when the screen is left.
        void SetShip(const stable_ptr<PlayerShip>& ship);
        const std::shared_ptr<PlayerShip>& GetShip() const { return m_ship; }

        // Shows the ship's hull and slots. Without a ship: LogicError "forgot to
        // call InventoryScreen::SetShip()?".
        void OnEnter() override;
        // Lets go of the slots' clicks and of the buttons.
        void OnExit() override;

    private:
        struct Connections;

        std::shared_ptr<PlayerShip> m_ship;
        std::unique_ptr<Connections> m_connections;
    };
}
