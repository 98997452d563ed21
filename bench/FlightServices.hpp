// The services of a flight for the benchmark programs: a registry of their
// own holding, in the order in which the game makes them, the generator (from
// the seed), the configuration, resources, time, the given window, input,
// curves, shots, equipment, objects, tiles, enemies, particles, scroll, score
// and statistics; and the player's default ship (hull 000 with the pulse
// cannon 000), initialised, in a registered inventory.
#pragma once

#include "core/StablePtr.hpp"

#include <cstdint>
#include <memory>

namespace sf
{
    class RenderWindow;
}

namespace Kestrum
{
    class EnemyFactory;
    class GameObjectManager;
    class GraphFactory;
    class ParticleFactory;
    class PlayerShip;
    class Registry;
    class ResourceManager;
    class ScrollSystem;
    class ShotManager;
    class StatisticSystem;
    class TileManager;
    class TimeSystem;
}

struct FlightServices
{
    FlightServices(const std::shared_ptr<sf::RenderWindow>& window, std::int32_t seed);

    stable_ptr<Kestrum::Registry> registry;
    std::shared_ptr<Kestrum::ResourceManager> resources;
    std::shared_ptr<Kestrum::TimeSystem> time;
    std::shared_ptr<Kestrum::GraphFactory> graphs;
    std::shared_ptr<Kestrum::ShotManager> shots;
    std::shared_ptr<Kestrum::GameObjectManager> objects;
    std::shared_ptr<Kestrum::TileManager> tiles;
    std::shared_ptr<Kestrum::EnemyFactory> enemies;
    std::shared_ptr<Kestrum::ParticleFactory> particles;
    std::shared_ptr<Kestrum::ScrollSystem> scroll;
    std::shared_ptr<Kestrum::StatisticSystem> statistics;
    std::shared_ptr<Kestrum::PlayerShip> ship;
};
