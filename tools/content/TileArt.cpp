// The ground of the levels: two tile sets of 15 tiles of 32 by 32 pixels each,
// set 0 grassland and set 1 dry earth with rocks.
//
// A tile's four corner flags (bit 0 top left, bit 1 top right, bit 2 bottom
// left, bit 3 bottom right) say which of its corners the set's ground covers;
// sprite i of a set is the tile whose flags are i + 1, so sprite 14 is the full
// tile. Where a corner is not covered the tile is transparent and the layer
// below shows through, so one set laid over the other in its own layer gives
// patches with a natural edge. The edge runs through the same points on both
// sides of a tile border whenever the neighbours agree on their shared corners:
// every pattern repeats with the tile size.
//
// Each set is one image, resources/tiles/%010d.png: five tiles a row, three
// rows, every tile framed by a one-pixel copy of its own border so that smoothed
// drawing never picks up a neighbour. The committed sprite list
// resources/tiles/%010d.spl cuts the tiles out of it in sprite order.
#include "Canvas.hpp"
#include "Generator.hpp"
#include "Noise.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

namespace
{
    using Content::Canvas;
    using Content::Clamp01;
    using Content::Pi;
    using Content::SmoothStep;

    const int Size = 32;     // tile side in pixels
    const int Pitch = 34;    // tile and its frame in the sheet
    const int Columns = 5;   // tiles a row in the sheet

    int Wrap(int v) { return ((v % Size) + Size) % Size; }

    float Hash(int x, int y, std::uint32_t seed)
    {
        return float(Content::LatticeBits(std::uint32_t(x), std::uint32_t(y), seed)) / 65536.f;
    }

    // Smooth value noise on a lattice of `cells` by `cells` per tile that wraps
    // around the tile, so it repeats every 32 pixels.
    float TileNoise(float x, float y, int cells, std::uint32_t seed)
    {
        const float cell = float(Size) / float(cells);
        const float gx = x / cell, gy = y / cell;
        const int ix = int(std::floor(gx)), iy = int(std::floor(gy));
        const float fx = gx - float(ix), fy = gy - float(iy);
        const float sx = fx * fx * (3.f - 2.f * fx), sy = fy * fy * (3.f - 2.f * fy);
        auto at = [&](int i, int j) { return Hash(((i % cells) + cells) % cells, ((j % cells) + cells) % cells, seed); };
        const float top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * sx;
        const float bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * sx;
        return top + (bottom - top) * sy;
    }

    // Octaves from `cells` upward, each twice as fine and half as strong; about 0..1.
    float TileClouds(float x, float y, int cells, int octaves, std::uint32_t seed)
    {
        float sum = 0.f, amplitude = 1.f, total = 0.f;
        for (int i = 0; i < octaves && cells <= Size; ++i, cells *= 2, amplitude *= 0.5f)
        {
            sum += amplitude * TileNoise(x, y, cells, seed + std::uint32_t(i) * 7919u);
            total += amplitude;
        }
        return sum / total;
    }

    struct Colour
    {
        float r, g, b;
    };

    Colour FromHex(std::uint32_t rgb)
    {
        return {float((rgb >> 16) & 255), float((rgb >> 8) & 255), float(rgb & 255)};
    }
    Colour Mix(const Colour& a, const Colour& b, float t)
    {
        return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
    }
    Colour Times(const Colour& c, float factor) { return {c.r * factor, c.g * factor, c.b * factor}; }
    // Brighter (amount > 0) towards white or darker (amount < 0) towards black.
    Colour Light(const Colour& c, float amount)
    {
        return amount >= 0.f ? Mix(c, {255.f, 255.f, 255.f}, amount) : Times(c, 1.f + amount);
    }

    // The full tile of a set, pixel by pixel, wrapping at the tile's edges.
    struct Ground
    {
        std::array<Colour, Size * Size> pixels;
        Colour& At(int x, int y) { return pixels[std::size_t(Wrap(y) * Size + Wrap(x))]; }
    };

    // Lightens (amount > 0) or darkens one pixel of the ground, wrapping.
    void Touch(Ground& ground, int x, int y, float amount)
    {
        ground.At(x, y) = Light(ground.At(x, y), amount);
    }

    // A small round stone: shadow to the lower right, body, light from the upper left.
    void Stone(Ground& ground, float cx, float cy, float radius, const Colour& body)
    {
        const int reach = int(std::ceil(radius)) + 2;
        for (int y = int(cy) - reach; y <= int(cy) + reach; ++y)
            for (int x = int(cx) - reach; x <= int(cx) + reach; ++x)
            {
                const float px = float(x) + 0.5f, py = float(y) + 0.5f;
                const float shadow = Clamp01(radius + 0.5f - std::hypot(px - cx - 1.2f, py - cy - 1.2f));
                if (shadow > 0.f)
                    ground.At(x, y) = Mix(ground.At(x, y), Times(ground.At(x, y), 0.62f), shadow);
                const float d = std::hypot(px - cx, py - cy);
                const float inside = Clamp01(radius + 0.5f - d);
                if (inside <= 0.f)
                    continue;
                // Lit from the upper left: brighter where the surface faces it.
                const float facing = -((px - cx) + (py - cy)) / (radius * 1.414f);
                const Colour lit = Light(body, 0.22f * facing - 0.05f * (d / radius));
                ground.At(x, y) = Mix(ground.At(x, y), lit, inside);
            }
    }

    // The full tiles repeat every 32 pixels, so they carry little that is large
    // and much that is small: a field of grass or sand rather than a picture.
    Ground Grassland(std::uint32_t seed)
    {
        Ground ground;
        const Colour dark = FromHex(0x3f7a27), light = FromHex(0x55922f), dry = FromHex(0x6f9236);
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x)
            {
                const float px = float(x) + 0.5f, py = float(y) + 0.5f;
                Colour c = Mix(dark, light, SmoothStep(0.25f, 0.75f, TileClouds(px, py, 4, 3, seed)));
                c = Mix(c, dry, 0.3f * SmoothStep(0.6f, 0.85f, TileNoise(px, py, 8, seed + 3)));
                c = Light(c, 0.14f * (TileNoise(px, py, 16, seed + 5) - 0.5f));
                ground.At(x, y) = c;
            }
        // Blades of grass: short strokes leaning a little, light or dark.
        Content::Random random(seed);
        for (int i = 0; i < 220; ++i)
        {
            const float x0 = random.Between(0.f, float(Size)), y0 = random.Between(0.f, float(Size));
            const float lean = random.Between(-0.6f, 0.6f);
            const int length = 2 + int(random.Fraction() * 3.f);
            const float amount = random.Fraction() < 0.5f ? 0.16f : -0.22f;
            for (int t = 0; t < length; ++t)
                Touch(ground, int(std::floor(x0 + lean * float(t))), int(std::floor(y0)) - t,
                      amount * (1.f - 0.4f * float(t) / float(length)));
        }
        return ground;
    }

    Ground DryEarth(std::uint32_t seed)
    {
        Ground ground;
        const Colour deep = FromHex(0xb08550), pale = FromHex(0xcca768), grey = FromHex(0xa09078);
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x)
            {
                const float px = float(x) + 0.5f, py = float(y) + 0.5f;
                Colour c = Mix(deep, pale, SmoothStep(0.2f, 0.8f, TileClouds(px, py, 4, 3, seed)));
                // Patches of bare grey rock.
                c = Mix(c, grey, 0.45f * SmoothStep(0.6f, 0.8f, TileNoise(px, py, 8, seed + 11)));
                // Wind ripples across the sand, bent by the noise; (3, 2) whole
                // waves per tile keep them seamless.
                const float phase = 2.f * Pi * ((3.f * px + 2.f * py) / float(Size) + 0.9f * TileNoise(px, py, 4, seed + 13));
                c = Light(c, 0.05f * std::sin(phase));
                c = Light(c, 0.16f * (TileNoise(px, py, 16, seed + 17) - 0.5f));
                ground.At(x, y) = c;
            }
        // Stones and pebbles.
        Content::Random random(seed);
        const Colour stone = FromHex(0x8c8070), brown = FromHex(0x6e5a44);
        Stone(ground, 9.f, 11.f, 2.1f, stone);
        for (int i = 0; i < 16; ++i)
            Stone(ground, random.Between(0.f, float(Size)), random.Between(0.f, float(Size)), random.Between(0.5f, 1.3f),
                  Mix(stone, brown, random.Fraction()));
        return ground;
    }

    // How a set's ground ends where it does not cover a corner.
    struct Edge
    {
        float wiggle;        // strength of the edge's irregularity
        float fineWiggle;    // strength of its finest (two-pixel) detail
        float rimWidth;      // inner band, in units of the corner field
        float rimAmount;     // its lightening (> 0) or darkening (< 0)
        float lipWidth;      // narrow band right at the edge
        float lipAmount;
        float shadowWidth;   // shadow cast just outside the edge
        float shadowAlpha;
    };

    // The corner field: 1 at covered corners, 0 at the others, blended across
    // the tile and made irregular by tile-periodic noise. The ground covers the
    // pixels where it exceeds one half.
    float CornerField(int flags, int x, int y, const Edge& edge, std::uint32_t seed)
    {
        const float px = float(x) + 0.5f, py = float(y) + 0.5f;
        const float u = px / float(Size), v = py / float(Size);
        const float tl = (flags & 1) ? 1.f : 0.f, tr = (flags & 2) ? 1.f : 0.f;
        const float bl = (flags & 4) ? 1.f : 0.f, br = (flags & 8) ? 1.f : 0.f;
        const float blend = tl * (1 - u) * (1 - v) + tr * u * (1 - v) + bl * (1 - u) * v + br * u * v;
        const float coarse = TileClouds(px, py, 2, 3, seed + 101) - 0.5f;
        const float fine = TileNoise(px, py, 16, seed + 103) - 0.5f;
        return blend + edge.wiggle * coarse + edge.fineWiggle * fine;
    }

    // One tile of the set: its ground where the corners cover it, the edge
    // bands, and the shadow over whatever lies below.
    sf::Color TilePixel(const Ground& ground, int flags, int x, int y, const Edge& edge, std::uint32_t seed)
    {
        const float f = CornerField(flags, x, y, edge, seed);
        const float cover = SmoothStep(0.47f, 0.53f, f);
        Colour c = ground.pixels[std::size_t(y * Size + x)];
        c = Light(c, edge.rimAmount * (1.f - SmoothStep(0.5f, 0.5f + edge.rimWidth, f)));
        c = Light(c, edge.lipAmount * (1.f - SmoothStep(0.5f, 0.5f + edge.lipWidth, f)));
        const float shadow = edge.shadowAlpha * SmoothStep(0.5f - edge.shadowWidth, 0.5f, f) * (1.f - cover);
        const float alpha = cover + shadow;
        if (alpha <= 0.f)
            return sf::Color(0, 0, 0, 0);
        // The ground over a black shadow, as one colour with the summed coverage.
        const float k = cover / alpha;
        auto byte = [](float v) { return sf::Uint8(std::lround(std::min(255.f, std::max(0.f, v)))); };
        return sf::Color(byte(c.r * k), byte(c.g * k), byte(c.b * k), byte(alpha * 255.f));
    }

    void TileSheet(const std::filesystem::path& root, unsigned id, const Ground& ground, const Edge& edge,
                   std::uint32_t seed)
    {
        Canvas sheet(Columns * Pitch, 3 * Pitch);
        for (int index = 0; index < 15; ++index)
        {
            const int flags = index + 1;
            std::array<sf::Color, Size * Size> tile;
            for (int y = 0; y < Size; ++y)
                for (int x = 0; x < Size; ++x)
                    tile[std::size_t(y * Size + x)] = TilePixel(ground, flags, x, y, edge, seed);
            const int left = (index % Columns) * Pitch, top = (index / Columns) * Pitch;
            // The tile and its frame: the frame repeats the tile's outer pixels.
            for (int y = -1; y <= Size; ++y)
                for (int x = -1; x <= Size; ++x)
                {
                    const int sx = std::min(Size - 1, std::max(0, x)), sy = std::min(Size - 1, std::max(0, y));
                    sheet.SetPixel(left + 1 + x, top + 1 + y, tile[std::size_t(sy * Size + sx)]);
                }
        }
        char name[32];
        std::snprintf(name, sizeof(name), "%010u.png", id);
        sheet.Save(root, std::string("resources/tiles/") + name);
    }

    const Content::Registration grassland("tiles 0 grassland", [](const std::filesystem::path& root) {
        const Edge edge{0.42f, 0.16f, 0.12f, -0.22f, 0.03f, -0.12f, 0.08f, 0.35f};
        TileSheet(root, 0, Grassland(7), edge, 7);
    });

    const Content::Registration dryEarth("tiles 1 dry earth", [](const std::filesystem::path& root) {
        const Edge edge{0.40f, 0.08f, 0.14f, 0.14f, 0.04f, -0.40f, 0.12f, 0.5f};
        TileSheet(root, 1, DryEarth(23), edge, 23);
    });
}
