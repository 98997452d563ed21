// tile-bench: how long the tile manager takes to draw a screen of ground, two
// layers of 26 by 26 tiles (a full layer and one of patches over it), and how
// long the same tiles take drawn one sprite at a time. Run it with the game root
// as the current directory and a display (Xvfb will do); it prints the medians
// of 300 frames, timed up to glFinish:
//     tiles: ...
//     draw_ms: ...
//     sprite_by_sprite_ms: ...
#include "core/ConfigurationSystem.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "levels/TileManager.hpp"
#include "levels/TileSet.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/SpriteList.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <vector>

using namespace Kestrum;

namespace
{
    const unsigned measuredFrames = 300;

    double Median(std::vector<double> values)
    {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    }

    double TimeFrames(sf::RenderWindow& window, const std::function<void(unsigned)>& draw)
    {
        std::vector<double> times;
        for (unsigned frame = 0; frame < measuredFrames + 30; ++frame)
        {
            window.clear();
            glFinish();
            const auto start = std::chrono::steady_clock::now();
            draw(frame);
            glFinish();
            const auto end = std::chrono::steady_clock::now();
            window.display();
            if (frame >= 30)
                times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
        return Median(times);
    }
}

int main()
{
    try
    {
        LogSystem log;
        const stable_ptr<Registry> registry = Registry::Create();
        CreateLoadAndRegister(new ConfigurationSystem());
        CreateAndRegister(new ResourceManager());
        auto window = create_stable_ptr(std::make_shared<sf::RenderWindow>(sf::VideoMode(1024, 768), "tile-bench"));
        registry->Register<sf::RenderWindow>(window);

        const TileGrid ground(40, TileRow(26, Tile(true, true, true, true, 0)));
        TileGrid patches(40, TileRow(26, Tile()));
        unsigned tiles = 26 * 26;
        for (unsigned r = 0; r < 40; ++r)
            for (unsigned c = 0; c < 26; ++c)
                if (std::sin(float(c) * 0.45f) * std::cos(float(r) * 0.37f) > 0.f)
                {
                    patches[r][c] = Tile(true, true, true, true, 1);
                    tiles += r < 26;
                }

        TileManager manager;
        manager.OnEnter();
        const double batched = TimeFrames(*window, [&](unsigned frame) {
            manager.DrawGrid(ground, float(frame % 64));
            manager.DrawGrid(patches, float(frame % 64));
        });
        const double single = TimeFrames(*window, [&](unsigned frame) {
            for (const TileGrid* grid : {&ground, static_cast<const TileGrid*>(&patches)})
                for (unsigned r = 0; r < 26; ++r)
                    for (unsigned c = 0; c < 26; ++c)
                    {
                        const Tile tile = (*grid)[r][c];
                        if (tile.IsEmpty())
                            continue;
                        sf::Sprite sprite = manager.GetTileSet(tile.GetTileSet())->GetSprites().GetSprite(tile.GetSpriteIndex());
                        sprite.setPosition(TileToWorld(c, r, float(frame % 64)));
                        window->draw(sprite);
                    }
        });
        manager.OnExit();
        std::printf("tiles: %u\ndraw_ms: %.3f\nsprite_by_sprite_ms: %.3f\n", tiles, batched, single);
        window->close();
        return 0;
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "tile-bench failed: %s\n", e.what());
        return 1;
    }
}
