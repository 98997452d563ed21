// Flights on the arcade screen in a real window, for the end-to-end flight
// tests: the screen as a mission runs it, and a fixture that flies the
// player's ship there through the game's own input system.
#pragma once

#include "core/DebugHUD.hpp"
#include "flight/EquipmentFixture.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Hull.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/ScrollSystem.hpp"
#include "flight/Weapon.hpp"
#include "interface/InputSystem.hpp"
#include "levels/TileManager.hpp"
#include "support/HeldClock.hpp"
#include "support/WindowCapture.hpp"

#include <memory>
#include <vector>

namespace Kestrum::Testing
{
    // The arcade screen as a mission runs it: the ground, the level's objects
    // and, over them, the flight interface.
    class FlyingScreen : public ArcadeScreen
    {
    public:
        void OnEnter() override
        {
            FlightScreen::OnEnter();
            GetFromRegistry<TileManager>()->OnEnter();
        }
        void OnUpdate() override
        {
            FlightScreen::OnUpdate();
            GetFromRegistry<GameObjectManager>()->Update();
        }
        void OnExit() override
        {
            GetFromRegistry<TileManager>()->OnExit();
            FlightScreen::OnExit();
        }
        void Draw() override
        {
            for (const TileGrid& layer : ground)
                GetFromRegistry<TileManager>()->DrawGrid(layer, 0.f);
            GetFromRegistry<GameObjectManager>()->Draw();
            DrawGUI();
        }

        // Grassland, unless a test lays other layers (or none).
        std::vector<TileGrid> ground{TileGrid(26, TileRow(26, Tile(true, true, true, true, 0)))};
    };

    // The flying screen current, the player's ship made (hull 000 with the
    // pulse cannon 000, in a registered inventory) but not yet in the level,
    // and the input system loaded. The timers' clock is held: it moves on with
    // the frames only, so that reloads, volleys and boss timers run with the
    // frames however slowly the machine runs them.
    class FlyingScreenFixture : public EquipmentFixture
    {
    protected:
        explicit FlyingScreenFixture(std::unique_ptr<FlyingScreen> screen = std::make_unique<FlyingScreen>())
        {
            for (const char* folder : {"resources/gui", "resources/tiles", "configuration"})
                root.CopyFromGameRoot(folder);
            CreateAndRegister(new DebugHUD());
            CreateAndRegister(new ScrollSystem());
            CreateAndRegister(new TileManager());
            input = CreateLoadAndRegister(new InputSystem());
            const stable_ptr<Hull> hull = hulls->Create("000");
            hull->GetSlots(Categories::Weapon).front()->SetEquipment(weapons->CreatePlayerWeapon("000").get_shared());
            ship = std::make_shared<PlayerShip>(hull.get_shared());
            ship->Initialize();
            registry->Register<Inventory>(Inventory::Create({ship}, create_stable_ptr(ship)));
            flying = screen.get();
            arcade = CreateAndRegister<ArcadeScreen>(screen.release());
            CreateAndRegister(new AdventureScreen());
            screens = CreateAndRegister(new ScreenManager(stable_ptr<Screen>(*arcade)));
        }

        // Puts the ship at the position, unhurt, into the level.
        void PlaceShip(const sf::Vector2f& position)
        {
            ship->Reset(position);
            objects->Add(stable_ptr<GameObject>(create_stable_ptr(std::shared_ptr<GameObject>(ship))));
        }

        // One pass of the main loop taking `seconds` of game time and of the
        // timers' clock, the ship firing when told; the picture it drew goes
        // into `picture` when one is given, then the window shows it.
        void Pass(float seconds, bool fire, sf::Image* picture = nullptr)
        {
            FrameClock::SetFrameTime(seconds);
            clock.Advance(seconds);
            objects->RemoveDead();
            screens->Update();
            const stable_ptr<Screen> screen = screens->GetCurrentScreen();
            input->SetReceiver(stable_ptr<InterfaceInput>(screen));
            input->OnUpdate();
            // The window may have lost the focus, which pauses the game.
            time->paused = false;
            if (fire)
                screen->HandleAction(InterfaceInput::fire);
            screen->OnUpdate();
            window->clear(sf::Color::Black);
            screen->Draw();
            if (picture)
                *picture = Capture();
            window->display();
        }

        // What the window holds now (drawn but not yet shown).
        sf::Image Capture() { return CaptureWindow(*window); }

        FlyingScreen* flying = nullptr;
        const HeldClock clock;
        std::shared_ptr<InputSystem> input;
        std::shared_ptr<PlayerShip> ship;
    };
}
