// The picture of a campaign's world map, drawn like any sprite, and the seed it
// is made from. Maps come only from save files: the reader sets the seed and
// regenerates the picture at once.
#pragma once

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <cstdint>
#include <memory>

namespace sf
{
    class Image;
}

namespace boost
{
    namespace serialization
    {
        class access;
    }
}

namespace Kestrum
{
    class WorldMap : public sf::Sprite
    {
    public:
        // Seed 0, no picture yet.
        WorldMap();
        ~WorldMap() override;
        WorldMap(const WorldMap&) = delete;
        WorldMap& operator=(const WorldMap&) = delete;

        std::int32_t GetSeed() const { return m_seed; }
        // The picture, which the map keeps as long as it lives; empty before
        // the first Regenerate.
        std::shared_ptr<const sf::Image> GetImage() const { return m_image; }

        // Makes the picture of the seed with the registered WorldMapFactory and
        // shows it. Needs a display for the texture.
        void Regenerate();

    private:
        friend class boost::serialization::access;
        // The save file's part of the map; defined where save files are read
        // and written.
        template <typename Archive>
        void serialize(Archive& archive, unsigned version);

        std::int32_t m_seed;
        std::shared_ptr<sf::Image> m_image;
        sf::Texture m_texture;
    };
}
