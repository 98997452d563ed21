#include "campaign/HangarScreen.hpp"

#include "campaign/InventoryScreen.hpp"
#include "campaign/MissionsScreen.hpp"
#include "campaign/ShipButton.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "interface/CreateGrid.hpp"
#include "interface/ScreenManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <boost/format.hpp>

#include <algorithm>

namespace Kestrum
{
    namespace
    {
        const float gap = 20.f;

        void OnShipSelected(const stable_ptr<PlayerShip>& ship)
        {
            const stable_ptr<InventoryScreen> screen = GetFromRegistry<InventoryScreen>();
            screen->SetShip(ship);
            GetFromRegistry<ScreenManager>()->SetNextScreen(screen);
        }
    }

    HangarScreen::HangarScreen() : ExitableScreen(true) {}

    HangarScreen::~HangarScreen() = default;

    void HangarScreen::OnEnter()
    {
        ExitableScreen::OnEnter();
        SetExitDestination(GetFromRegistry<MissionsScreen>());

        std::vector<std::shared_ptr<PlayerShip>> ships = GetFromRegistry<Inventory>()->GetShips();
        if (std::find(ships.begin(), ships.end(), nullptr) != ships.end())
            BOOST_THROW_EXCEPTION(RuntimeError("ships has at least one default element"));
        if (ships.size() > maximumShips)
            BOOST_THROW_EXCEPTION(LogicError("too many player ships"));
        ships.resize(maximumShips);

        std::vector<stable_ptr<ShipButton>> buttons;
        for (const std::shared_ptr<PlayerShip>& ship : ships)
        {
            const stable_ptr<ShipButton> button = ShipButton::Create(ship, sf::Vector2f(0.f, 0.f));
            if (ship)
            {
                const stable_ptr<PlayerShip> chosen = create_stable_ptr(ship);
                button->GetClickSignal().connect([chosen](MouseButton) { OnShipSelected(chosen); });
            }
            buttons.push_back(button);
            AddButton(button, 0);
        }
        if (buttons.empty())
            BOOST_THROW_EXCEPTION(LogicError());

        const sf::Vector2f frame = buttons.front()->GetSize();
        const sf::Vector2f extent(3.f * frame.x + 2.f * gap, 3.f * frame.y + 2.f * gap);
        const sf::Vector2u window = GetFromRegistry<sf::RenderWindow>()->getSize();
        const sf::Vector2f origin((static_cast<float>(window.x) - extent.x) * 0.5f,
                                  (static_cast<float>(window.y) - extent.y) * 0.5f);
        const std::vector<sf::Vector2f> positions =
            CreateGrid(origin, sf::Vector2f(frame.x + gap, frame.y + gap), 3, 3);
        if (buttons.size() != positions.size())
            BOOST_THROW_EXCEPTION(LogicError((boost::format("buttons.size (%1%) != positions.size (%2%)") %
                                              buttons.size() % positions.size())
                                                 .str()));
        for (std::size_t i = 0; i < buttons.size(); ++i)
            buttons[i]->SetPosition(positions[i]);
    }

    void HangarScreen::OnExit()
    {
        ExitableScreen::OnExit();
    }
}
