#include "presentation/SpriteList.hpp"

#include "core/XmlReading.hpp"
#include "presentation/AnimationFixture.hpp"
#include "presentation/ResourceManager.hpp"
#include "support/ThrownMessage.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <algorithm>
#include <cstdlib>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class SpriteListTest : public Testing::AnimationFixture
    {
    protected:
        // Loads a sprite list that resources|test|list.spritelist would hold.
        void Load(SpriteList& list, const std::string& xml)
        {
            const stable_ptr<pugi::xml_document> document = LoadXmlText(xml, "test");
            list.Load("resources|test|list.spritelist", document->first_child());
        }

        template <typename E>
        std::string Failure(const std::string& xml)
        {
            SpriteList list;
            return ThrownMessage<E>([&] { Load(list, xml); });
        }

        // Whether the sprite's rectangle of its texture holds the image's pixels from the corner on.
        static bool Shows(const sf::Sprite& sprite, const sf::Image& image, sf::Vector2u corner)
        {
            const sf::IntRect rect = sprite.getTextureRect();
            const sf::Image texture = sprite.getTexture()->copyToImage();
            for (int y = 0; y < rect.height; ++y)
                for (int x = 0; x < rect.width; ++x)
                    if (texture.getPixel(unsigned(rect.left + x), unsigned(rect.top + y)) !=
                        image.getPixel(corner.x + unsigned(x), corner.y + unsigned(y)))
                        return false;
            return true;
        }

        static std::string Sprite(const std::string& attributes)
        {
            return "<sprite_list definition_source='inline' version='1'><sprite " + attributes + "/></sprite_list>";
        }
    };
}

TEST_F(SpriteListTest, CutsRectanglesOutOfImagesFoundBesideTheDefinition)
{
    SpriteList list;
    Load(list, "<sprite_list definition_source='inline' version='1'>"
               "<note/><sprite x='16' y='0' width='16' height='16' image_path='markers.png'/>"
               "<sprite x='63' y='15' width='10' height='1' image_path='$resources|test|markers.png'/>"
               "</sprite_list>");
    // The first shows its rectangle of the sheet, wherever the sheet lies packed.
    const sf::Image sheet = *GetFromRegistry<ResourceManager>()->GetImage("resources|test|markers.png", true);
    EXPECT_EQ(16, list.GetSprite(0).getTextureRect().width);
    EXPECT_EQ(16, list.GetSprite(0).getTextureRect().height);
    EXPECT_TRUE(Shows(list.GetSprite(0), sheet, sf::Vector2u(16, 0)));
    // The second reaches past the sheet and is cut from the sheet's own texture.
    EXPECT_EQ(sf::IntRect(63, 15, 10, 1), list.GetSprite(1).getTextureRect()) << "only the corner must lie inside";
    EXPECT_EQ(GetFromRegistry<ResourceManager>()->GetTexture("$resources|test|markers.png", true).get(),
              list.GetSprite(1).getTexture());
    EXPECT_TRUE(list.GetSprite(0).getTexture()->isSmooth());
    EXPECT_THROW(list.GetSprite(2), OutOfRangeError);

    const sf::IntRect first = list.GetSprite(0).getTextureRect();
    EXPECT_EQ("redundant loading",
              ThrownMessage<LogicError>([&] { Load(list, Sprite("x='0' y='0' width='1' height='1' image_path='markers.png'")); }));
    EXPECT_EQ(first, list.GetSprite(0).getTextureRect()) << "the first load stays";
    EXPECT_EQ("forgot to call SpriteList::Load()?", ThrownMessage<RuntimeError>([] { SpriteList().GetSprite(0); }));
}

TEST_F(SpriteListTest, RefusesWhatItCannotCut)
{
    const struct
    {
        std::string xml, message;
    } logic[] = {
        {Sprite("x='0' y='0' width='0' height='4' image_path='none.png'"), "Invalid width"},
        {Sprite("x='0' y='0' width='4' height='0' image_path='none.png'"), "Invalid height"},
        {"<sprite_list definition_source='inline' version='1'><image/></sprite_list>", "no sprites in sprite list"},
        {"<sprite_list definition_source='file' version='1'/>", "expected inline, found file"},
        {"<animation definition_source='inline' version='1'/>", "Expected element sprite_list, found animation"},
    };
    for (const auto& c : logic)
        EXPECT_EQ(c.message, Failure<LogicError>(c.xml)) << c.xml;

    EXPECT_EQ("x = 64, width = 64", Failure<OutOfRangeError>(Sprite("x='64' y='0' width='1' height='1' image_path='markers.png'")));
    EXPECT_EQ("y = 16, height = 16", Failure<OutOfRangeError>(Sprite("x='0' y='16' width='1' height='1' image_path='markers.png'")));
    EXPECT_EQ("could not load resources|test|none.png",
              Failure<LoadError>(Sprite("x='0' y='0' width='1' height='1' image_path='none.png'")));
    EXPECT_NE("<nothing thrown>", Failure<NotSupportedError>("<sprite_list definition_source='inline' version='2'/>"));
    EXPECT_NE("<nothing thrown>", Failure<XmlError>(Sprite("x='0' y='0' width='1' image_path='markers.png'")));
}

TEST_F(SpriteListTest, ASpriteOfAPackedSheetLooksAsOneOfTheSheetsOwnTexture)
{
    // Smooth, turned, mirrored and between pixels, so that its edges blend with
    // what lies around it: the same picture, but for rounding in the filtering.
    SpriteList list;
    Load(list, Sprite("x='0' y='0' width='16' height='16' image_path='markers.png'"));
    const stable_ptr<sf::Texture> own = GetFromRegistry<ResourceManager>()->GetTexture("resources|test|markers.png", true);
    ASSERT_NE(own.get(), list.GetSprite(0).getTexture());
    const auto picture = [](sf::Sprite sprite) {
        sf::RenderTexture target;
        target.create(200, 100);
        target.clear(sf::Color::White);
        for (int i = 0; i < 6; ++i)
        {
            sprite.setOrigin(8.f, 8.f);
            sprite.setPosition(20.3f + 31.7f * float(i), 30.6f + float(i % 2) * 37.1f);
            sprite.setRotation(17.f * float(i));
            sprite.setScale(i % 2 ? -1.7f : 2.3f, i % 3 ? 1.4f : -0.9f);
            target.draw(sprite);
        }
        target.display();
        return target.getTexture().copyToImage();
    };
    const sf::Image packed = picture(list.GetSprite(0));
    const sf::Image alone = picture(sf::Sprite(*own, sf::IntRect(0, 0, 16, 16)));
    int largest = 0;
    unsigned red = 0;
    for (unsigned y = 0; y < 100; ++y)
        for (unsigned x = 0; x < 200; ++x)
        {
            const sf::Color a = packed.getPixel(x, y), b = alone.getPixel(x, y);
            largest = std::max({largest, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
            red += a.r > 200 && a.g < 50;
        }
    EXPECT_LE(largest, 3);
    EXPECT_GT(red, 400u);
}
