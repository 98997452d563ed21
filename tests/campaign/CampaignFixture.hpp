// A campaign in play for the equipment screens: the equipment fixture's
// factories and 1024 x 768 window, the screens' pictures from the built game
// root, a saving that offers a given shop list, an inventory of real ships on
// hull "000", the campaign screens registered and a screen manager to go
// between them.
#pragma once

#include "campaign/EquipmentScreen.hpp"
#include "campaign/HangarScreen.hpp"
#include "campaign/InventoryScreen.hpp"
#include "campaign/MissionsScreen.hpp"
#include "campaign/Saving.hpp"
#include "campaign/ShopScreen.hpp"
#include "flight/EquipmentFixture.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/Sellable.hpp"
#include "interface/Button.hpp"
#include "support/WindowCapture.hpp"

#include <iostream>

namespace Kestrum::Testing
{
    // Offers the shop list it was given; nothing else of a campaign is there.
    class FakeSaving : public Saving
    {
    public:
        explicit FakeSaving(const std::vector<std::string>& shop) : shop(shop) {}
        long GetSeed() const override { return 0; }
        stable_ptr<WorldMap> GetMap() const override { BOOST_THROW_EXCEPTION(LogicError()); }
        stable_ptr<TechnologyTree> GetTechnologyTree() const override { BOOST_THROW_EXCEPTION(LogicError()); }
        std::set<stable_ptr<MissionBlueprint>> GetMissions() const override { return {}; }
        std::vector<std::string> GetShop() const override { return shop; }
        bool AddToShop(const std::string& id) override { shop.push_back(id); return true; }
        std::vector<std::string> GetInventoryItems() const override { return {}; }
        bool HasRoomForLooseItem(const std::string&) const override { return true; }
        unsigned long GetMoney() const override { return 0; }
        boost::posix_time::ptime GetTime() const override { return {}; }
        stable_ptr<Inventory> LoadInventory() const override { BOOST_THROW_EXCEPTION(LogicError()); }

        std::vector<std::string> shop;
    };

    class CampaignFixture : public EquipmentFixture
    {
    protected:
        CampaignFixture()
        {
            root.CopyFromGameRoot("resources/gui/screens");
            CreateAndRegister(new MissionsScreen());
            shop = CreateAndRegister(new ShopScreen());
            hangar = CreateAndRegister(new HangarScreen());
            inventoryScreen = CreateAndRegister(new InventoryScreen());
            equipmentScreen = CreateAndRegister(new EquipmentScreen());
            screens = CreateAndRegister(new ScreenManager(stable_ptr<Screen>(new QuietScreen())));
        }

        // Registers a saving offering the shop list and an inventory of that many
        // ships, the first selected, holding the money.
        stable_ptr<Inventory> StartCampaign(const std::vector<std::string>& offers, unsigned ships, sf::Uint32 money)
        {
            RegisterSaving(stable_ptr<Saving>(new FakeSaving(offers)));
            std::vector<std::shared_ptr<PlayerShip>> fleet;
            for (unsigned i = 0; i < ships; ++i)
                fleet.push_back(std::make_shared<PlayerShip>(hulls->Create("000").get_shared()));
            const stable_ptr<Inventory> inventory = Inventory::Create(fleet, create_stable_ptr(fleet.front()));
            inventory->money = money;
            registry->Register<Inventory>(inventory);
            return inventory;
        }

        // Makes the screen current.
        void Show(const std::shared_ptr<Screen>& screen)
        {
            screens->SetNextScreen(create_stable_ptr(screen));
            screens->Update();
        }

        // Clicks the middle of the button on the current screen, then carries out
        // the change of screen the click asked for.
        void Click(Button& button)
        {
            screens->GetCurrentScreen()->HandleClick(GetCenter(button), InterfaceInput::Primary);
            screens->Update();
        }

        // One frame of the current screen: its update, then its picture.
        sf::Image Frame()
        {
            const stable_ptr<Screen> screen = screens->GetCurrentScreen();
            screen->OnUpdate();
            window->clear(sf::Color::Black);
            screen->Draw();
            return CaptureWindow(*window);
        }

        // The widget's buttons of the type, in drawing order.
        template <typename T>
        static std::vector<std::shared_ptr<T>> ButtonsOf(const Widget& widget)
        {
            std::vector<std::shared_ptr<T>> found;
            for (const stable_ptr<Button>& button : widget.GetButtons(false))
                if (const auto cast = std::dynamic_pointer_cast<T>(button.get_shared()))
                    found.push_back(cast);
            return found;
        }

        // Keeps the picture beside the built game root for a look.
        void Keep(const sf::Image& picture, const std::string& name)
        {
            const std::filesystem::path file = std::filesystem::path(KESTRUM_GAME_ROOT).parent_path() / name;
            picture.saveToFile(file.string());
            std::cout << "screenshot: " << file.string() << "\n";
        }

        std::shared_ptr<ShopScreen> shop;
        std::shared_ptr<HangarScreen> hangar;
        std::shared_ptr<InventoryScreen> inventoryScreen;
        std::shared_ptr<EquipmentScreen> equipmentScreen;
    };
}
