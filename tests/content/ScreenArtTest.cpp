// The pictures and click areas of the title and options screens, as the build
// puts them into the game root.
#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace
{
    const std::string screens = std::string(KESTRUM_GAME_ROOT) + "/resources/gui/screens/";

    sf::Image Load(const std::string& path)
    {
        sf::Image image;
        EXPECT_TRUE(image.loadFromFile(path)) << path;
        return image;
    }

    std::vector<float> ReadNumbers(const std::string& path)
    {
        std::ifstream file(path);
        EXPECT_TRUE(file.good()) << path;
        std::vector<float> numbers;
        float value;
        while (file >> value)
            numbers.push_back(value);
        return numbers;
    }

    // Number of pixels in the rectangle that are at least half opaque and not dark.
    unsigned InkedPixels(const sf::Image& image, unsigned left, unsigned top, unsigned width, unsigned height)
    {
        unsigned count = 0;
        for (unsigned y = top; y < top + height; ++y)
            for (unsigned x = left; x < left + width; ++x)
            {
                const sf::Color c = image.getPixel(x, y);
                count += c.a >= 128 && c.r + c.g + c.b > 300;
            }
        return count;
    }

    bool SameQuarter(const sf::Image& image, unsigned a, unsigned b)
    {
        const unsigned w = image.getSize().x / 2, h = image.getSize().y / 2;
        for (unsigned y = 0; y < h; ++y)
            for (unsigned x = 0; x < w; ++x)
                if (image.getPixel((a % 2) * w + x, (a / 2) * h + y) != image.getPixel((b % 2) * w + x, (b / 2) * h + y))
                    return false;
        return true;
    }
}

TEST(ScreenArtTest, ButtonsHaveFourDistinctLooksAndAClickAreaInsideOneLook)
{
    const char* const buttons[] = {"start/buttons/arcade/", "start/buttons/options/", "start/buttons/exit/",
                                   "option/buttons/ok/",    "option/buttons/exit/",    "saving/buttons/slot/",
                                   "saving/buttons/delete/"};
    for (const char* button : buttons)
    {
        SCOPED_TRACE(button);
        const sf::Image image = Load(screens + button + "graphics.png");
        const unsigned w = image.getSize().x, h = image.getSize().y;
        ASSERT_EQ(w % 2, 0u);
        ASSERT_EQ(h % 2, 0u);
        for (unsigned a = 0; a < 4; ++a)
            for (unsigned b = a + 1; b < 4; ++b)
                EXPECT_FALSE(SameQuarter(image, a, b)) << "looks " << a << " and " << b;

        const std::vector<float> area = ReadNumbers(screens + button + "click_area.txt");
        ASSERT_EQ(area.size(), 4u);
        EXPECT_GE(area[0], 0.f);
        EXPECT_GE(area[1], 0.f);
        EXPECT_LE(area[0] + area[2], float(w / 2));
        EXPECT_LE(area[1] + area[3], float(h / 2));
        // The idle look carries a readable label: light pixels inside the click area.
        EXPECT_GT(InkedPixels(image, unsigned(area[0]), unsigned(area[1]), unsigned(area[2]), unsigned(area[3])), 100u);
    }
}

TEST(ScreenArtTest, TitleButtonsFitTheirRowInTheReferenceWindow)
{
    // Arcade at x 312, options at 522, exit at 809, all at y 637, in a window 1024 x 768.
    const sf::Image arcade = Load(screens + "start/buttons/arcade/graphics.png");
    const sf::Image options = Load(screens + "start/buttons/options/graphics.png");
    const sf::Image exit = Load(screens + "start/buttons/exit/graphics.png");
    EXPECT_LE(312 + arcade.getSize().x / 2, 522u);
    EXPECT_LE(522 + options.getSize().x / 2, 809u);
    EXPECT_LE(809 + exit.getSize().x / 2, 1024u);
    EXPECT_LE(637 + arcade.getSize().y / 2, 768u);
    // Level click areas, so that up and down find no other button in the row.
    EXPECT_EQ(ReadNumbers(screens + "start/buttons/arcade/click_area.txt"),
              ReadNumbers(screens + "start/buttons/exit/click_area.txt"));
}

TEST(ScreenArtTest, OptionLabelsAreSixInkedBandsOf200By64)
{
    const sf::Image labels = Load(screens + "option/option_tags.png");
    ASSERT_EQ(labels.getSize(), sf::Vector2u(200, 384));
    for (unsigned i = 0; i < 6; ++i)
        EXPECT_GT(InkedPixels(labels, 0, 64 * i, 200, 64), 150u) << "label " << i;
    // Transparent around the text, so the background shows through.
    EXPECT_EQ(labels.getPixel(0, 0).a, 0);
    EXPECT_EQ(labels.getPixel(199, 383).a, 0);
}

TEST(ScreenArtTest, BackgroundsCoverTheReferenceWindow)
{
    for (const char* background : {"start/background.jpg", "option/background.jpg"})
    {
        const sf::Image image = Load(screens + background);
        EXPECT_EQ(image.getSize().y, 768u) << background;
        EXPECT_GE(image.getSize().x, 1024u) << background;
    }
}
