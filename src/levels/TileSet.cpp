#include "levels/TileSet.hpp"

#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/SpriteList.hpp"

#include <boost/format.hpp>

namespace Kestrum
{
    TileSet::TileSet(const stable_ptr<SpriteList>& sprites, unsigned long id) : m_sprites(sprites), m_id(id)
    {
        if (id > 0xFFFF)
            *Log(LogLevel::error) << "invalid tile set ID, only 2 least significant bytes usable: " << id;
        if (sprites->GetSpriteCount() != 15)
            *Log(LogLevel::error) << "invalid size of sprite list: " << sprites->GetSpriteCount();
    }

    stable_ptr<TileSet> CreateTileSet(unsigned long id)
    {
        const std::string path = (boost::format("resources|tiles|%010d.spl") % id).str();
        return stable_ptr<TileSet>(new TileSet(GetFromRegistry<ResourceManager>()->GetSpriteList(path), id));
    }
}
