#include "levels/WorldMapFactory.hpp"

#include "core/LogSystem.hpp"
#include "core/RandomNumberGenerator.hpp"
#include "levels/NoiseMapBuilderPlane.hpp"
#include "levels/NoiseMapRenderer.hpp"

#include <SFML/Graphics/Image.hpp>
#include <libnoise/module/perlin.h>

namespace Kestrum
{
    namespace
    {
        // The extent of a map on the noise, along x and along z.
        const double extent = 3.0;

        struct GradientPoint
        {
            double position;
            sf::Color color;
        };

        // Deep sea, shallow sea, shore, sand, grass, dry land, rock, snow.
        const GradientPoint gradient[] = {
            {-1.0, sf::Color(0, 0, 128, 255)},     {-0.25, sf::Color(0, 0, 255, 255)},
            {0.0, sf::Color(0, 128, 255, 255)},    {0.0625, sf::Color(240, 240, 64, 255)},
            {0.125, sf::Color(32, 160, 0, 255)},   {0.375, sf::Color(224, 224, 0, 255)},
            {0.75, sf::Color(128, 128, 128, 255)}, {1.0, sf::Color(255, 255, 255, 255)},
        };
    }

    WorldMapFactory::WorldMapFactory() = default;
    WorldMapFactory::~WorldMapFactory() = default;

    stable_ptr<sf::Image> WorldMapFactory::CreateImage(std::int32_t seed) const
    {
        LogIndent indent;
        *Log(LogLevel::debug) << "creating map...";

        const noise::module::Perlin perlin;
        RandomNumberGenerator generator;
        generator.Seed(seed);
        const double x0 = generator.Next();
        const double z0 = generator.Next();
        NoiseMapBuilderPlane builder(perlin, width, height);
        builder.SetBounds(x0, x0 + extent, z0, z0 + extent);
        const NoiseMap map = builder.Build();

        NoiseMapRenderer renderer;
        renderer.ClearGradient();
        for (const GradientPoint& point : gradient)
            renderer.AddGradientPoint(point.position, point.color);
        renderer.SetLightBrightness(2.0);
        renderer.SetLightContrast(3.0);
        // The map's first row is the picture's bottom row, as maps have always
        // been shown.
        const stable_ptr<sf::Image> image(new sf::Image(renderer.Render(map)));
        image->flipVertically();

        LogIndent doneIndent;
        *Log(LogLevel::debug) << "done";
        return image;
    }
}
