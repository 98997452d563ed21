#include "levels/NoiseMapRenderer.hpp"

#include "core/Exception.hpp"
#include "levels/NoiseMap.hpp"

#include <boost/format.hpp>
#include <libnoise/interp.h>
#include <libnoise/mathconsts.h>

#include <algorithm>
#include <cmath>

namespace Kestrum
{
    namespace
    {
        const double lightAzimuth = 45.0;
        const double lightElevation = 45.0;

        // A channel between two, in single precision, cut towards 0.
        sf::Uint8 BlendChannel(sf::Uint8 channel0, sf::Uint8 channel1, float alpha)
        {
            const float c0 = static_cast<float>(channel0 / 255.0);
            const float c1 = static_cast<float>(channel1 / 255.0);
            return static_cast<sf::Uint8>(((c1 * alpha) + (c0 * (1.0f - alpha))) * 255.0f);
        }

        // A channel of 0 to 1 as a byte: clamped, scaled and cut towards 0.
        sf::Uint8 ToByte(double value)
        {
            value = std::min(1.0, std::max(0.0, value));
            return static_cast<sf::Uint8>(static_cast<unsigned>(value * 255.0) & 0xff);
        }
    }

    NoiseMapRenderer::NoiseMapRenderer() : m_brightness(1.0), m_contrast(1.0) {}

    void NoiseMapRenderer::ClearGradient()
    {
        m_gradient.clear();
    }

    void NoiseMapRenderer::AddGradientPoint(double position, const sf::Color& color)
    {
        const auto place = std::lower_bound(m_gradient.begin(), m_gradient.end(), position,
                                            [](const auto& point, double value) { return point.first < value; });
        if (place != m_gradient.end() && place->first == position)
            BOOST_THROW_EXCEPTION(
                InvalidArgumentError((boost::format("gradient point %1% is there already") % position).str()));
        m_gradient.insert(place, std::make_pair(position, color));
    }

    void NoiseMapRenderer::SetLightBrightness(double brightness)
    {
        m_brightness = brightness;
    }

    void NoiseMapRenderer::SetLightContrast(double contrast)
    {
        m_contrast = contrast;
    }

    sf::Color NoiseMapRenderer::GetGradientColor(double value) const
    {
        if (m_gradient.size() < 2)
            BOOST_THROW_EXCEPTION(LogicError("a gradient needs two points at least"));
        const int count = static_cast<int>(m_gradient.size());
        int above = 0;
        while (above < count && !(value < m_gradient[above].first))
            ++above;
        const auto& lower = m_gradient[std::clamp(above - 1, 0, count - 1)];
        const auto& upper = m_gradient[std::clamp(above, 0, count - 1)];
        if (&lower == &upper)
            return upper.second;
        const float alpha = static_cast<float>((value - lower.first) / (upper.first - lower.first));
        const sf::Color& c0 = lower.second;
        const sf::Color& c1 = upper.second;
        return sf::Color(BlendChannel(c0.r, c1.r, alpha), BlendChannel(c0.g, c1.g, alpha),
                         BlendChannel(c0.b, c1.b, alpha), BlendChannel(c0.a, c1.a, alpha));
    }

    sf::Image NoiseMapRenderer::Render(const NoiseMap& map) const
    {
        const unsigned width = map.GetWidth();
        const unsigned height = map.GetHeight();
        // The light's share along x and y, and the share of a flat point.
        const double azimuth = lightAzimuth * noise::DEG_TO_RAD;
        const double elevation = lightElevation * noise::DEG_TO_RAD;
        const double io = noise::SQRT_2 * std::sin(elevation) / 2.0;
        const double ix = (1.0 - io) * m_contrast * noise::SQRT_2 * std::cos(elevation) * std::cos(azimuth);
        const double iy = (1.0 - io) * m_contrast * noise::SQRT_2 * std::cos(elevation) * std::sin(azimuth);
        sf::Image image;
        image.create(width, height, sf::Color::Black);
        for (unsigned y = 0; y < height; ++y)
            for (unsigned x = 0; x < width; ++x)
            {
                const sf::Color color = GetGradientColor(map.GetValue(x, y));
                const double left = map.GetValue(x == 0 ? x : x - 1, y);
                const double right = map.GetValue(x + 1 == width ? x : x + 1, y);
                const double down = map.GetValue(x, y == 0 ? y : y - 1);
                const double up = map.GetValue(x, y + 1 == height ? y : y + 1);
                const double light = std::max(0.0, ix * (left - right) + iy * (down - up) + io) * m_brightness;
                // Over a white background, then under a white light.
                const double alpha = color.a / 255.0;
                image.setPixel(x, y,
                               sf::Color(ToByte(noise::LinearInterp(1.0, color.r / 255.0, alpha) * light),
                                         ToByte(noise::LinearInterp(1.0, color.g / 255.0, alpha) * light),
                                         ToByte(noise::LinearInterp(1.0, color.b / 255.0, alpha) * light), 255));
            }
        return image;
    }
}
