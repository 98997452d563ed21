#include "presentation/SpriteList.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/XmlReading.hpp"
#include "presentation/ResourceDefinition.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <boost/format.hpp>

#include <algorithm>
#include <vector>

namespace Kestrum
{
    struct SpriteList::Data
    {
        std::vector<sf::Sprite> sprites;
        // The sprites draw from these; held as long as the list lives.
        std::vector<stable_ptr<sf::Texture>> textures;
    };

    namespace
    {
        sf::Sprite LoadSprite(const std::string& folder, const pugi::xml_node& element,
                              std::vector<stable_ptr<sf::Texture>>& textures)
        {
            AssertElementName(element, "sprite");
            const int x = GetAttributeValue<int>(element, "x");
            const int y = GetAttributeValue<int>(element, "y");
            const int width = GetAttributeValue<int>(element, "width");
            const int height = GetAttributeValue<int>(element, "height");
            if (width < 1)
                BOOST_THROW_EXCEPTION(LogicError("Invalid width"));
            if (height < 1)
                BOOST_THROW_EXCEPTION(LogicError("Invalid height"));

            const std::string path = JoinResourcePath(folder, GetAttributeText(element, "image_path"));
            const stable_ptr<ResourceManager> resources = GetFromRegistry<ResourceManager>();
            const ResourceManager::PackedImage packed = resources->GetPackedImage(path);
            const sf::Vector2u size = packed.size;
            // Only the corner must lie in the image; the rectangle may reach past it.
            if (x >= 0 && static_cast<unsigned>(x) >= size.x)
                BOOST_THROW_EXCEPTION(OutOfRangeError((boost::format("x = %1%, width = %2%") % x % size.x).str()));
            if (y >= 0 && static_cast<unsigned>(y) >= size.y)
                BOOST_THROW_EXCEPTION(OutOfRangeError((boost::format("y = %1%, height = %2%") % y % size.y).str()));

            // Sprites are cut from the image where it lies packed with others;
            // one whose rectangle reaches past the image comes from the image's
            // own texture, whose edges stretch beyond it.
            const bool inside = x >= 0 && y >= 0 && unsigned(x + width) <= size.x && unsigned(y + height) <= size.y;
            const stable_ptr<sf::Texture> texture = inside ? packed.texture : resources->GetTexture(path, true);
            const sf::Vector2i offset = inside ? packed.offset : sf::Vector2i(0, 0);
            if (std::find(textures.begin(), textures.end(), texture) == textures.end())
                textures.push_back(texture);
            return sf::Sprite(*texture, sf::IntRect(x + offset.x, y + offset.y, width, height));
        }
    }

    SpriteList::SpriteList() = default;
    SpriteList::~SpriteList() = default;

    void SpriteList::Load(const std::string& name, const pugi::xml_node& element)
    {
        if (m_data)
            BOOST_THROW_EXCEPTION(LogicError("redundant loading"));
        CheckInlineDefinition(element, "sprite_list", 1);

        auto data = std::make_unique<Data>();
        const std::string folder = GetParentResourcePath(name);
        for (const pugi::xml_node& sprite : element.children("sprite"))
            data->sprites.push_back(LoadSprite(folder, sprite, data->textures));
        if (data->sprites.empty())
            BOOST_THROW_EXCEPTION(LogicError("no sprites in sprite list"));
        m_data = std::move(data);
    }

    const sf::Sprite& SpriteList::GetSprite(std::size_t index) const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(RuntimeError("forgot to call SpriteList::Load()?"));
        if (index >= m_data->sprites.size())
            BOOST_THROW_EXCEPTION(OutOfRangeError(
                (boost::format("sprite %1% of a list of %2%") % index % m_data->sprites.size()).str()));
        return m_data->sprites[index];
    }

    std::size_t SpriteList::GetSpriteCount() const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(RuntimeError("forgot to call SpriteList::Load()?"));
        return m_data->sprites.size();
    }
}
