// Fills one equipment slot of a ship: a page of buttons, one for every loose
// item of the inventory that fits the slot, each compared with what the slot
// holds, and a last one for no item. A choice exchanges the slot's item with
// the chosen one through the inventory and returns to the inventory screen;
// the exit button returns without a change.
#pragma once

#include "campaign/ExitableScreen.hpp"
#include "core/StablePtr.hpp"

#include <memory>

namespace Kestrum
{
    class EquipmentSlot;
    class ScrollableLayout;
    class Sellable;

    class EquipmentScreen : public ExitableScreen
    {
    public:
        EquipmentScreen();
        ~EquipmentScreen() override;

        // The slot to fill at the next entry.
        void SetSlot(const stable_ptr<EquipmentSlot>& slot);

        // Builds the choices; without a slot: LogicError "empty slot is not allowed".
        void OnEnter() override;
        // Forgets the slot and drops the choices.
        void OnExit() override;

        // Fits the item (none for an empty pointer) into the slot, files what the
        // slot held in the inventory and takes the item out of it, then returns
        // to the inventory screen. Without a slot: LogicError. Emptying the slot
        // while the save file has no room for another loose item changes
        // nothing (a warning says so).
        void Equip(const std::shared_ptr<Sellable>& item);

        // The page of choices; empty while the screen is not shown.
        const std::shared_ptr<ScrollableLayout>& GetLayout() const { return m_layout; }

    private:
        std::shared_ptr<EquipmentSlot> m_slot;
        std::shared_ptr<ScrollableLayout> m_layout;
    };
}
