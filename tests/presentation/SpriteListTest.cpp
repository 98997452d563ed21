#include "presentation/SpriteList.hpp"

#include "core/XmlReading.hpp"
#include "presentation/AnimationFixture.hpp"
#include "support/ThrownMessage.hpp"

#include <SFML/Graphics/Sprite.hpp>

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
    EXPECT_EQ(sf::IntRect(16, 0, 16, 16), list.GetSprite(0).getTextureRect());
    EXPECT_EQ(sf::IntRect(63, 15, 10, 1), list.GetSprite(1).getTextureRect()) << "only the corner must lie inside";
    EXPECT_TRUE(list.GetSprite(0).getTexture()->isSmooth());
    EXPECT_THROW(list.GetSprite(2), OutOfRangeError);

    EXPECT_EQ("redundant loading",
              ThrownMessage<LogicError>([&] { Load(list, Sprite("x='0' y='0' width='1' height='1' image_path='markers.png'")); }));
    EXPECT_EQ(sf::IntRect(16, 0, 16, 16), list.GetSprite(0).getTextureRect()) << "the first load stays";
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
