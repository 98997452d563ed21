#include "campaign/InventoryScreen.hpp"

#include "campaign/EquipmentScreen.hpp"
#include "campaign/HangarScreen.hpp"
#include "campaign/SpriteAsButtonAdapter.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Hull.hpp"
#include "flight/PlayerShip.hpp"
#include "interface/ScreenManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <boost/signals2/connection.hpp>

#include <vector>

namespace Kestrum
{
    namespace
    {
        // Button keys: the slots are drawn over the picture, the picture over the exit button's key.
        const unsigned int pictureKey = 1;
        const unsigned int slotKey = 2;

        // Centres the slot on its point of the hull's picture, which stands at `picture`.
        void PlaceSlot(EquipmentSlot& slot, const sf::Vector2f& picture)
        {
            const sf::Vector2f size = slot.GetSize();
            const sf::Vector2f offset = slot.GetOffset();
            slot.SetPosition(sf::Vector2f(picture.x + offset.x - size.x * 0.5f, picture.y + offset.y - size.y * 0.5f));
        }

        void OnSlotSelected(const stable_ptr<EquipmentSlot>& slot)
        {
            const stable_ptr<EquipmentScreen> screen = GetFromRegistry<EquipmentScreen>();
            screen->SetSlot(slot);
            GetFromRegistry<ScreenManager>()->SetNextScreen(screen);
        }
    }

    // The slots' click connections of one visit; they end with the list.
    struct InventoryScreen::Connections
    {
        std::vector<boost::signals2::scoped_connection> list;
    };

    InventoryScreen::InventoryScreen() : ExitableScreen(true), m_connections(new Connections()) {}

    InventoryScreen::~InventoryScreen() = default;

    void InventoryScreen::SetShip(const stable_ptr<PlayerShip>& ship)
    {
        m_ship = ship.get_shared();
    }

    void InventoryScreen::OnEnter()
    {
        ExitableScreen::OnEnter();
        SetExitDestination(GetFromRegistry<HangarScreen>());
        if (!m_ship)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call InventoryScreen::SetShip()?"));

        sf::Sprite picture = m_ship->GetHull()->GetOverviewIcon();
        const sf::Vector2u window = GetFromRegistry<sf::RenderWindow>()->getSize();
        const sf::FloatRect bounds = picture.getLocalBounds();
        picture.setPosition((static_cast<float>(window.x) - bounds.width) * 0.5f,
                            (static_cast<float>(window.y) - bounds.height) * 0.5f);
        AddButton(stable_ptr<Button>(new SpriteAsButtonAdapter(picture)), pictureKey);

        for (const std::shared_ptr<EquipmentSlot>& entry : m_ship->GetHull()->GetAllSlots())
        {
            if (!entry)
                BOOST_THROW_EXCEPTION(LogicError());
            const stable_ptr<EquipmentSlot> slot = create_stable_ptr(entry);
            slot->SetVisible(true);
            PlaceSlot(*slot, picture.getPosition());
            // The slot holds the handler: a strong hold would keep the slot alive for good.
            const std::weak_ptr<EquipmentSlot> chosen = entry;
            m_connections->list.emplace_back(slot->GetClickSignal().connect([chosen](MouseButton) {
                if (const std::shared_ptr<EquipmentSlot> held = chosen.lock())
                    OnSlotSelected(create_stable_ptr(held));
            }));
            AddButton(slot, slotKey);
        }
    }

    void InventoryScreen::OnExit()
    {
        m_connections.reset(new Connections());
        ExitableScreen::OnExit();
    }
}
