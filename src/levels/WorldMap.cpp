#include "levels/WorldMap.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "levels/WorldMapFactory.hpp"

#include <SFML/Graphics/Image.hpp>

namespace Kestrum
{
    WorldMap::WorldMap() : m_seed(0) {}

    WorldMap::~WorldMap() = default;

    void WorldMap::Regenerate()
    {
        const stable_ptr<sf::Image> image = GetFromRegistry<WorldMapFactory>()->CreateImage(m_seed);
        if (!m_texture.loadFromImage(*image))
            BOOST_THROW_EXCEPTION(RuntimeError("could not make the texture of the world map"));
        m_image = image.get_shared();
        setTexture(m_texture, true);
    }
}
