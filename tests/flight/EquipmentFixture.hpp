// The flight services with the equipment: the game's equipment folders, the
// inventory slot and the particle effects copied from the built game root into
// the scratch root, a 1024 x 768 window, the shot manager and the loaded
// weapon, shield, hull and equipment factories. EnterFlight makes a flight
// screen current, as shots need to stay in the level.
#pragma once

#include "campaign/AdventureScreen.hpp"
#include "core/RandomizationSystem.hpp"
#include "flight/EquipmentFactory.hpp"
#include "flight/FlightFixture.hpp"
#include "flight/HullFactory.hpp"
#include "flight/ShieldFactory.hpp"
#include "flight/ShotManager.hpp"
#include "flight/WeaponFactory.hpp"
#include "interface/ScreenManager.hpp"
#include "levels/ArcadeScreen.hpp"
#include "presentation/ParticleFactory.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <filesystem>
#include <optional>
#include <string>

namespace Kestrum::Testing
{
    // The arcade screen without its own entry: only its identity matters here.
    class QuietArcadeScreen : public ArcadeScreen
    {
    public:
        void OnEnter() override {}
        void OnExit() override {}
    };

    class QuietScreen : public Screen
    {
    public:
        void OnEnter() override {}
        void OnExit() override {}
    };

    class EquipmentFixture : public FlightFixture
    {
    protected:
        EquipmentFixture()
        {
            for (const char* folder : {"resources/equipment", "resources/gui/screens/inventory", "resources/particles"})
            {
                std::filesystem::create_directories((root.GetPath() / folder).parent_path());
                std::filesystem::copy(std::filesystem::path(KESTRUM_GAME_ROOT) / folder, root.GetPath() / folder,
                                      std::filesystem::copy_options::recursive);
            }
            window = std::make_shared<sf::RenderWindow>(sf::VideoMode(1024, 768), "equipment test",
                                                        sf::Style::Titlebar | sf::Style::Close);
            registry->Register<sf::RenderWindow>(create_stable_ptr(window));
            CreateLoadAndRegister(new RandomizationSystem());
            CreateLoadAndRegister(new ParticleFactory());
            shots = CreateAndRegister(new ShotManager());
            weapons = CreateLoadAndRegister(new WeaponFactory());
            shields = CreateLoadAndRegister(new ShieldFactory());
            hulls = CreateLoadAndRegister(new HullFactory());
            equipment = CreateLoadAndRegister(new EquipmentFactory());
        }

        // Makes the arcade screen current.
        void EnterFlight()
        {
            arcade = CreateAndRegister<ArcadeScreen>(new QuietArcadeScreen());
            CreateAndRegister(new AdventureScreen());
            screens = CreateAndRegister(new ScreenManager(stable_ptr<Screen>(*arcade)));
        }

        // Makes another screen current, as leaving a flight does.
        void LeaveFlight()
        {
            screens->SetNextScreen(stable_ptr<Screen>(new QuietScreen()));
            screens->Update();
        }

        // Writes a weapon definition of the given increments (XML text).
        void WriteWeapon(const std::string& number, const std::string& increments, const std::string& extra = "")
        {
            root.WriteFile("resources/equipment/weapons/" + number + "/details.xml",
                           "<weapon version='1' name='Test Gun'>" + extra + "<increments>" + increments +
                               "</increments></weapon>");
            std::filesystem::copy(root.GetPath() / "resources/equipment/weapons/000/icons",
                                  root.GetPath() / "resources/equipment/weapons" / number / "icons",
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::skip_existing);
        }

        std::shared_ptr<sf::RenderWindow> window;
        std::shared_ptr<ShotManager> shots;
        std::shared_ptr<WeaponFactory> weapons;
        std::shared_ptr<ShieldFactory> shields;
        std::shared_ptr<HullFactory> hulls;
        std::shared_ptr<EquipmentFactory> equipment;
        std::optional<stable_ptr<ArcadeScreen>> arcade;
        std::shared_ptr<ScreenManager> screens;
    };

    // A muzzle element.
    inline std::string MuzzleXml(float orientation, float x, float y, unsigned ammunition, unsigned damage, float speed)
    {
        return "<muzzle><orientation>" + std::to_string(orientation) + "</orientation><position x='" +
               std::to_string(x) + "' y='" + std::to_string(y) + "'/><ammunition>" + std::to_string(ammunition) +
               "</ammunition><damage>" + std::to_string(damage) + "</damage><speed>" + std::to_string(speed) +
               "</speed></muzzle>";
    }

    inline std::string IncrementXml(const std::string& frequency, unsigned level, const std::string& muzzles,
                                 unsigned price = 100)
    {
        return "<increment version='1' frequency='" + frequency + "' price='" + std::to_string(price) +
               "' level='" + std::to_string(level) + "'>" + muzzles + "</increment>";
    }
}
