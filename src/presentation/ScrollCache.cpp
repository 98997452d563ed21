#include "presentation/ScrollCache.hpp"

#include "core/Exception.hpp"

#include <SFML/Graphics/Vertex.hpp>
#include <SFML/Graphics/View.hpp>

#include <climits>
#include <cmath>

namespace Kestrum
{
    namespace
    {
        const long long none = LLONG_MIN;

        // The remainder of a division towards minus infinity: 0 to divisor - 1.
        long long Modulo(long long value, long long divisor)
        {
            const long long remainder = value % divisor;
            return remainder < 0 ? remainder + divisor : remainder;
        }

        long long FloorDivide(long long value, long long divisor)
        {
            return (value - Modulo(value, divisor)) / divisor;
        }
    }

    ScrollCache::ScrollCache(float left, unsigned width, unsigned height, const Painter& painter)
        : m_left(left), m_width(width), m_height(height), m_painter(painter), m_painted(0)
    {
    }

    ScrollCache::~ScrollCache() = default;

    void ScrollCache::Draw(sf::RenderTarget& target, float offset)
    {
        const long long slots = m_height / BandHeight + 2;
        const long long ringHeight = slots * BandHeight;
        if (!m_ring)
        {
            std::unique_ptr<sf::RenderTexture> ring(new sf::RenderTexture());
            if (!ring->create(m_width, unsigned(ringHeight)))
                BOOST_THROW_EXCEPTION(RuntimeError("the ground's texture cannot be made"));
            // The quad reads the ring across its end and back from its start.
            ring->setRepeated(true);
            ring->setSmooth(false);
            m_ring = std::move(ring);
            m_bands.assign(std::size_t(slots), none);
        }

        // The screen's row y shows the ground's row f + height - 1 - y, kept in
        // the ring's row (y - f - height) modulo its height.
        const long long f = static_cast<long long>(std::floor(offset));
        const long long height = m_height;
        bool painted = false;
        for (long long band = FloorDivide(f, BandHeight); band <= FloorDivide(f + height - 1, BandHeight); ++band)
        {
            const long long slot = Modulo(-(band + 1), slots);
            if (m_bands[std::size_t(slot)] != band)
            {
                Paint(band, slot);
                painted = true;
            }
        }
        if (painted)
            m_ring->display();

        const float top = float(Modulo(-f - height, ringHeight));
        const float width = float(m_width), bottom = float(m_height);
        const sf::Vertex quad[4] = {
            sf::Vertex(sf::Vector2f(m_left, 0.f), sf::Color::White, sf::Vector2f(0.f, top)),
            sf::Vertex(sf::Vector2f(m_left, bottom), sf::Color::White, sf::Vector2f(0.f, top + bottom)),
            sf::Vertex(sf::Vector2f(m_left + width, 0.f), sf::Color::White, sf::Vector2f(width, top)),
            sf::Vertex(sf::Vector2f(m_left + width, bottom), sf::Color::White, sf::Vector2f(width, top + bottom))};
        target.draw(quad, 4, sf::TriangleStrip,
                    sf::RenderStates(sf::BlendNone, sf::Transform(), &m_ring->getTexture(), nullptr));
    }

    void ScrollCache::Paint(long long band, long long slot)
    {
        // At an offset of 32 band pixels the band is the screen's bottom one;
        // the view maps those rows onto the slot.
        const float ringHeight = float(m_bands.size() * BandHeight);
        const float top = float(m_height) - float(BandHeight), bottom = float(m_height);
        sf::View view(sf::FloatRect(m_left, top, float(m_width), float(BandHeight)));
        view.setViewport(sf::FloatRect(0.f, float(slot * BandHeight) / ringHeight, 1.f, float(BandHeight) / ringHeight));
        m_ring->setView(view);
        const float right = m_left + float(m_width);
        const sf::Vertex black[4] = {sf::Vertex(sf::Vector2f(m_left, top), sf::Color::Black),
                                     sf::Vertex(sf::Vector2f(m_left, bottom), sf::Color::Black),
                                     sf::Vertex(sf::Vector2f(right, top), sf::Color::Black),
                                     sf::Vertex(sf::Vector2f(right, bottom), sf::Color::Black)};
        m_ring->draw(black, 4, sf::TriangleStrip, sf::RenderStates(sf::BlendNone));
        // Marked first: a painter that fails leaves the slot to be painted again.
        m_bands[std::size_t(slot)] = none;
        m_painter(*m_ring, float(band * BandHeight), top, bottom);
        m_bands[std::size_t(slot)] = band;
        ++m_painted;
    }
}
