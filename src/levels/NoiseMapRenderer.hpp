// Colours a noise map into a picture: each value takes its colour from a
// gradient (straight blends between the points around it; below the first
// point or above the last, that point's colour), blended over a white
// background by the colour's alpha, then lit by a white light from 45 degrees
// azimuth and 45 degrees elevation, whose intensity follows the slope between
// the point's left and right and lower and upper neighbours (the edge points
// are their own missing neighbours) scaled by the contrast, times the
// brightness. Row y of the picture is row y of the map.
#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>

#include <utility>
#include <vector>

namespace Kestrum
{
    class NoiseMap;

    class NoiseMapRenderer
    {
    public:
        // No gradient points, light on with brightness 1 and contrast 1.
        NoiseMapRenderer();

        void ClearGradient();
        // Adds a point, kept in the order of positions; a position that is
        // there already: InvalidArgumentError.
        void AddGradientPoint(double position, const sf::Color& color);
        void SetLightBrightness(double brightness);
        void SetLightContrast(double contrast);

        // The colour of a noise value before lighting. Fewer than two gradient
        // points: LogicError.
        sf::Color GetGradientColor(double value) const;
        // The picture of the map, every pixel opaque.
        sf::Image Render(const NoiseMap& map) const;

    private:
        std::vector<std::pair<double, sf::Color>> m_gradient;
        double m_brightness;
        double m_contrast;
    };
}
