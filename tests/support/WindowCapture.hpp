// What has been drawn into a window since its last clear, as an image.
#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

namespace Kestrum::Testing
{
    inline sf::Image CaptureWindow(const sf::RenderWindow& window)
    {
        sf::Texture texture;
        texture.create(window.getSize().x, window.getSize().y);
        texture.update(window);
        return texture.copyToImage();
    }
}
