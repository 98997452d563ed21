// The picture of scrolling ground, painted into a texture a band at a time as
// the scroll brings the bands onto the screen, and shown from there: a frame
// costs one opaque quad, and a band's painting now and then, instead of
// every tile and picture of the ground.
//
// The texture is a ring of bands one tile (32 pixels) high, as many as the
// screen shows at once and two more. Band k holds the ground's pixel rows
// 32 k to 32 k + 31, counted up from the level's bottom edge; a new band takes
// the place of the one that left the screen longest ago. The ground is
// painted on opaque black, so the quad covers the area whatever the ground
// leaves empty.
//
// The picture must depend on the scroll offset alone and move with it: at an
// offset of o + d pixels the screen shows what it shows at o, d rows lower
// (the offset's fraction dropped). The painter draws the ground as the screen
// would show it at an offset; the cache asks for the screen's bottom band at
// offsets of whole tiles, and keeps only that band.
#pragma once

#include <SFML/Graphics/RenderTexture.hpp>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace Kestrum
{
    class ScrollCache
    {
    public:
        static const int BandHeight = 32;

        // Draws the ground at the pixel offset into the target as the screen
        // would show it, at least the screen's rows from top to bottom (the
        // rest is cut off).
        typedef std::function<void(sf::RenderTarget& target, float offset, float top, float bottom)> Painter;

        // The ground covers the columns from `left` on, `width` of them, of a
        // screen `height` rows high.
        ScrollCache(float left, unsigned width, unsigned height, const Painter& painter);
        ~ScrollCache();
        ScrollCache(const ScrollCache&) = delete;
        ScrollCache& operator=(const ScrollCache&) = delete;

        // Paints the bands that the offset shows and the ring lacks, then draws
        // the ground's area of the screen from the ring as one quad, without
        // blending. Makes its texture at the first call.
        void Draw(sf::RenderTarget& target, float offset);

        // The bands painted so far.
        std::size_t GetPaintedBands() const { return m_painted; }

    private:
        void Paint(long long band, long long slot);

        float m_left;
        unsigned m_width;
        unsigned m_height;
        Painter m_painter;
        std::unique_ptr<sf::RenderTexture> m_ring;
        // The band each slot of the ring holds, top slot first.
        std::vector<long long> m_bands;
        std::size_t m_painted;
    };
}
