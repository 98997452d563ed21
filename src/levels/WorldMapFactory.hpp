// Makes the pictures of campaign world maps: terrain from Perlin noise,
// coloured by height from deep blue sea over beaches, grass and rock to snow.
// The same seed always gives the same picture.
#pragma once

#include "core/StablePtr.hpp"

#include <cstdint>

namespace sf
{
    class Image;
}

namespace Kestrum
{
    class WorldMapFactory
    {
    public:
        // The size of every map picture in pixels.
        static const unsigned width = 500;
        static const unsigned height = 420;

        WorldMapFactory();
        virtual ~WorldMapFactory();
        WorldMapFactory(const WorldMapFactory&) = delete;
        WorldMapFactory& operator=(const WorldMapFactory&) = delete;

        // The picture of the seed, every pixel opaque. The seed chooses where on
        // the noise the map lies; a negative seed: LogicError "seed <seed> is
        // too small".
        stable_ptr<sf::Image> CreateImage(std::int32_t seed) const;
    };
}
