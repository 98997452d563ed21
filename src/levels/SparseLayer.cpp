#include "levels/SparseLayer.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/XmlReading.hpp"
#include "levels/Tile.hpp"
#include "presentation/Animation.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/SpriteBatch.hpp"

#include <algorithm>

namespace Kestrum
{
    namespace
    {
        // Beyond this many pixels above or below the screen no placed picture shows.
        const float offScreenMargin = 512.f;

        SparseLayer::SpriteData LoadSpriteData(const pugi::xml_node& element)
        {
            AssertElementName(element, "sprite");
            const unsigned row = GetAttributeValue<unsigned>(element, "y");
            const unsigned column = GetAttributeValue<unsigned>(element, "x");
            sf::Vector2f offset;
            if (const pugi::xml_node child = element.child("offset"))
            {
                offset.y = GetAttributeValue<float>(child, "y");
                offset.x = GetAttributeValue<float>(child, "x");
            }
            const std::string resource = GetAttributeText(element, "resource");
            const stable_ptr<Animation> animation = GetFromRegistry<ResourceManager>()->CreateAnimation(
                "resources|tiles|sprites|" + resource + "|sprite.animation");
            if (element.child("rotation"))
                animation->SetRotation(GetChildValue<float>(element, "rotation"));
            return SparseLayer::SpriteData{animation, sf::Vector2u(column, row), offset};
        }
    }

    SparseLayer::SparseLayer() = default;
    SparseLayer::~SparseLayer() = default;

    void SparseLayer::OnUpdate()
    {
        for (const SpriteData& sprite : GetSprites())
            sprite.animation->OnUpdate();
    }

    void SparseLayer::Draw()
    {
        GetSprites();
        DrawSprites(GetOffset(), 0.f, GetFromRegistry<ConfigurationSystem>()->GetScreenSize().y);
    }

    bool SparseLayer::IsStill() const
    {
        const std::vector<SpriteData>& sprites = GetSprites();
        return std::all_of(sprites.begin(), sprites.end(),
                           [](const SpriteData& sprite) { return sprite.animation->GetFrameCount() == 1; });
    }

    void SparseLayer::DrawStill(sf::RenderTarget& target, float offset, float top, float bottom)
    {
        GetSprites();
        SpriteBatch batch;
        batch.Open(&target);
        DrawSprites(offset, top, bottom);
        batch.Close();
    }

    void SparseLayer::DrawSprites(float offset, float top, float bottom)
    {
        const sf::Vector2f screen = GetFromRegistry<ConfigurationSystem>()->GetScreenSize();
        for (const SpriteData& sprite : *m_sprites)
        {
            const sf::Vector2f corner = TileToWorld(sprite.tile.x, sprite.tile.y, offset, screen);
            const sf::Vector2f position = corner + sprite.offset;
            // Far above or below the rows it would not show.
            if (position.y < top - offScreenMargin || position.y > bottom + offScreenMargin)
                continue;
            sprite.animation->SetPosition(position.x, position.y);
            sprite.animation->Draw();
        }
    }

    void SparseLayer::Load(const pugi::xml_node& element)
    {
        *Log(LogLevel::debug) << "loading SparseLayer";
        AssertElementName(element, "layer");
        AssertAttribute(element, "type", "sparse");
        std::unique_ptr<std::vector<SpriteData>> sprites(new std::vector<SpriteData>());
        for (const pugi::xml_node child : element.children("sprite"))
            sprites->push_back(LoadSpriteData(child));
        Layer::Load(element);
        m_sprites = std::move(sprites);
    }

    const std::vector<SparseLayer::SpriteData>& SparseLayer::GetSprites() const
    {
        if (!m_sprites)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call Load()?"));
        return *m_sprites;
    }
}
