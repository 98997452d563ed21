#include "flight/Scaling.hpp"

#include "core/Registry.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <gtest/gtest.h>

#include <cmath>

using namespace Kestrum;

TEST(Scaling, ScalesByTheWindowHeight)
{
    const stable_ptr<Registry> registry = Registry::Create();
    EXPECT_THROW(ScaleByWindowHeight(0.5f), NotAvailableError);
    auto window = create_stable_ptr(std::make_shared<sf::RenderWindow>(sf::VideoMode(1024, 768), "scaling"));
    registry->Register<sf::RenderWindow>(window);
    ASSERT_EQ(768u, window->getSize().y);
    EXPECT_EQ(384.f, ScaleByWindowHeight(0.5f));
    window->close();
}

TEST(Scaling, ScalesVectorsToALength)
{
    EXPECT_EQ(sf::Vector2f(0.6f, 0.8f), ScaleToLength({3, 4}, 1));
    const sf::Vector2f diagonal = ScaleToLength({1, 1}, 1);
    EXPECT_FLOAT_EQ(1.f, std::hypot(diagonal.x, diagonal.y));
}
