#include "FlightServices.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/GraphFactory.hpp"
#include "core/RandomNumberGenerator.hpp"
#include "core/RandomizationSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "flight/EnemyFactory.hpp"
#include "flight/DefaultShip.hpp"
#include "flight/EquipmentFactory.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/HullFactory.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/ScoreSystem.hpp"
#include "flight/ScrollSystem.hpp"
#include "flight/ShieldFactory.hpp"
#include "flight/ShotManager.hpp"
#include "flight/StatisticSystem.hpp"
#include "flight/WeaponFactory.hpp"
#include "interface/InputSystem.hpp"
#include "levels/TileManager.hpp"
#include "presentation/ParticleFactory.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

using namespace Kestrum;

FlightServices::FlightServices(const std::shared_ptr<sf::RenderWindow>& window, std::int32_t seed)
    : registry(Registry::Create())
{
    CreateLoadAndRegister(new RandomizationSystem())->GetGenerator()->Seed(seed);
    CreateLoadAndRegister(new ConfigurationSystem());
    resources = CreateAndRegister(new ResourceManager());
    time = CreateAndRegister(new TimeSystem());
    registry->Register<sf::RenderWindow>(create_stable_ptr(window));
    CreateLoadAndRegister(new InputSystem());
    graphs = CreateAndRegister(new GraphFactory());
    shots = CreateAndRegister(new ShotManager());
    CreateLoadAndRegister(new WeaponFactory());
    CreateLoadAndRegister(new ShieldFactory());
    CreateLoadAndRegister(new HullFactory());
    CreateLoadAndRegister(new EquipmentFactory());
    objects = CreateLoadAndRegister(new GameObjectManager());
    registry->Register<ObjectSink>(stable_ptr<ObjectSink>(create_stable_ptr(objects)));
    tiles = CreateAndRegister(new TileManager());
    enemies = CreateLoadAndRegister(new EnemyFactory());
    particles = CreateLoadAndRegister(new ParticleFactory());
    scroll = CreateAndRegister(new ScrollSystem());
    CreateAndRegister(new ScoreSystem());
    statistics = CreateLoadAndRegister(new StatisticSystem());

    ship = CreateDefaultShip().get_shared();
    registry->Register<Inventory>(Inventory::Create({ship}, create_stable_ptr(ship)));
}
