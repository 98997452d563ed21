#include "campaign/EquipmentScreen.hpp"

#include "campaign/EquipButton.hpp"
#include "campaign/InventoryScreen.hpp"
#include "campaign/Saving.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Inventory.hpp"
#include "flight/Sellable.hpp"
#include "interface/CreateGrid.hpp"
#include "interface/ScreenManager.hpp"
#include "interface/ScrollBar.hpp"
#include "interface/ScrollableLayout.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

namespace Kestrum
{
    namespace
    {
        const unsigned int pageSize = 9;
        // The comparison lines reach 160 pixels at the item texts' size (a muzzle
        // speed with its difference), so the columns stand wider apart than the
        // rows' 100 pixels would suggest: 280 pixels, for choices 270 wide.
        const sf::Vector2f choiceSpacing(280.f, 100.f);
    }

    EquipmentScreen::EquipmentScreen() : ExitableScreen(true) {}

    EquipmentScreen::~EquipmentScreen() = default;

    void EquipmentScreen::SetSlot(const stable_ptr<EquipmentSlot>& slot)
    {
        m_slot = slot.get_shared();
    }

    void EquipmentScreen::OnEnter()
    {
        if (!m_slot)
            BOOST_THROW_EXCEPTION(LogicError("empty slot is not allowed"));
        ExitableScreen::OnEnter();
        SetExitDestination(GetFromRegistry<InventoryScreen>());

        const std::shared_ptr<Sellable> current = m_slot->GetEquipment();
        std::vector<std::shared_ptr<Button>> buttons;
        const auto add = [this, &buttons](const stable_ptr<EquipButton>& button, const std::shared_ptr<Sellable>& item) {
            button->GetClickSignal().connect([this, item](MouseButton) { Equip(item); });
            buttons.push_back(button.get_shared());
        };
        for (const stable_ptr<Sellable>& item : GetFromRegistry<Inventory>()->GetItems())
            if (item->GetCategory() == m_slot->GetCategory())
                add(EquipButton::Create(item.get_shared(), current), item.get_shared());
        add(EquipButton::CreateEmpty(), std::shared_ptr<Sellable>());

        const std::vector<sf::Vector2f> slots = CreateGrid(sf::Vector2f(56.f, 28.f), choiceSpacing, 3, 3);
        const stable_ptr<ScrollableLayout> layout(new ScrollableLayout(buttons, slots, pageSize));
        layout->OnEnter();
        AddChild(layout);
        m_layout = layout.get_shared();

        const float width = static_cast<float>(GetFromRegistry<sf::RenderWindow>()->getSize().x);
        const stable_ptr<ScrollBar> bar(new ScrollBar(sf::Vector2f(width - 100.f, 100.f), 150.f));
        bar->OnEnter();
        AddChild(bar);
        bar->ConnectLayout(m_layout);
    }

    void EquipmentScreen::OnExit()
    {
        m_slot.reset();
        m_layout.reset();
        ClearChildren();
        ExitableScreen::OnExit();
    }

    void EquipmentScreen::Equip(const std::shared_ptr<Sellable>& item)
    {
        if (!m_slot)
            BOOST_THROW_EXCEPTION(LogicError());
        const std::shared_ptr<Sellable> current = m_slot->GetEquipment();
        // Emptying the slot adds a loose item, for which the save file may have no room.
        if (current && !item && !GetFromRegistry<Saving>()->HasRoomForLooseItem(current->GetID()))
            return;
        if (item != current)
        {
            const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
            if (current)
                inventory->AddItem(create_stable_ptr(current));
            if (item)
                inventory->RemoveItem(create_stable_ptr(item));
        }
        m_slot->SetEquipment(item);
        GetFromRegistry<ScreenManager>()->SetNextScreen(GetFromRegistry<InventoryScreen>());
    }
}
