// An ordered set of sprites cut out of images: each entry names an image file
// and a rectangle of it. Animations draw their frames by index into a sprite
// list. Read from XML, from a file of its own (ResourceManager::GetSpriteList,
// cached and shared) or inline in another definition:
//
//     <sprite_list definition_source="inline" version="1">
//         <sprite x="0" y="0" width="64" height="64" image_path="ship.png"/>
//         <sprite x="64" y="0" width="64" height="64" image_path="ship.png"/>
//     </sprite_list>
//
// image_path is relative to the folder of the resource that holds the
// definition ('$' starts again from the game root). Images are loaded smooth.
#pragma once

#include "core/StablePtr.hpp"

#include <cstddef>
#include <memory>
#include <string>

namespace pugi
{
    class xml_node;
}

namespace sf
{
    class Sprite;
}

namespace Kestrum
{
    class SpriteList
    {
    public:
        SpriteList();
        virtual ~SpriteList();
        SpriteList(const SpriteList&) = delete;
        SpriteList& operator=(const SpriteList&) = delete;

        // Reads the definition; `name` is the resource path of the file that
        // holds it. Failures: LogicError "redundant loading", "expected inline,
        // found " + value, "Invalid width", "Invalid height", "no sprites in
        // sprite list"; OutOfRangeError "x = X, width = W" (or y and height)
        // when a rectangle's corner lies outside its image; the XML and
        // resource errors of what it reads. A failed load leaves it unloaded.
        void Load(const std::string& name, const pugi::xml_node& element);

        // The sprite of the index-th sprite element, at (0, 0), not turned,
        // white. Callers copy it before changing it. Before Load: RuntimeError
        // "forgot to call SpriteList::Load()?"; an index beyond the list:
        // OutOfRangeError.
        const sf::Sprite& GetSprite(std::size_t index) const;
        // The number of sprites. Before Load: the same RuntimeError.
        std::size_t GetSpriteCount() const;

    private:
        struct Data;
        std::unique_ptr<const Data> m_data;
    };
}
