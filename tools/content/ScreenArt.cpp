// The pictures of the title screen and of the options screen: their space
// backgrounds, the buttons with their four looks (idle, clicked, focused,
// disabled, laid out two by two) and the labels of the six option dials.
#include "Generator.hpp"
#include "Typeface.hpp"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
    const char* const regularFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    const char* const boldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

    struct Colour
    {
        float r, g, b;
    };

    Colour Mix(Colour a, Colour b, float t)
    {
        return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
    }

    Colour Hex(std::uint32_t rgb)
    {
        return {float((rgb >> 16) & 0xFF) / 255.f, float((rgb >> 8) & 0xFF) / 255.f, float(rgb & 0xFF) / 255.f};
    }

    float Clamp01(float v) { return std::min(1.f, std::max(0.f, v)); }

    float SmoothStep(float edge0, float edge1, float x)
    {
        const float t = Clamp01((x - edge0) / (edge1 - edge0));
        return t * t * (3.f - 2.f * t);
    }

    // A small deterministic random source, so every build draws the same sky.
    class Dice
    {
    public:
        explicit Dice(std::uint32_t seed) : m_state(seed * 2654435761u + 1u) {}
        float Next()
        {
            m_state ^= m_state << 13;
            m_state ^= m_state >> 17;
            m_state ^= m_state << 5;
            return float(m_state & 0xFFFFFF) / float(0x1000000);
        }
        float Between(float low, float high) { return low + (high - low) * Next(); }

    private:
        std::uint32_t m_state;
    };

    // Smooth value noise with several octaves, values roughly in [0, 1].
    class Clouds
    {
    public:
        explicit Clouds(std::uint32_t seed) : m_seed(seed) {}
        float operator()(float x, float y, int octaves = 5) const
        {
            float sum = 0.f, amplitude = 0.5f, total = 0.f;
            for (int i = 0; i < octaves; ++i)
            {
                sum += amplitude * Value(x, y, std::uint32_t(i));
                total += amplitude;
                x = x * 2.03f + 17.1f;
                y = y * 2.03f + 5.3f;
                amplitude *= 0.5f;
            }
            return sum / total;
        }

    private:
        float Lattice(int x, int y, std::uint32_t octave) const
        {
            std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + (m_seed + octave) * 2246822519u;
            h = (h ^ (h >> 13)) * 1274126177u;
            return float((h ^ (h >> 16)) & 0xFFFF) / 65535.f;
        }
        float Value(float x, float y, std::uint32_t octave) const
        {
            const int ix = int(std::floor(x)), iy = int(std::floor(y));
            const float fx = x - float(ix), fy = y - float(iy);
            const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
            const float top = Lattice(ix, iy, octave) + (Lattice(ix + 1, iy, octave) - Lattice(ix, iy, octave)) * sx;
            const float bottom =
                Lattice(ix, iy + 1, octave) + (Lattice(ix + 1, iy + 1, octave) - Lattice(ix, iy + 1, octave)) * sx;
            return top + (bottom - top) * sy;
        }
        std::uint32_t m_seed;
    };

    // A picture being painted, in floating-point colour with straight alpha.
    class Canvas
    {
    public:
        Canvas(unsigned width, unsigned height) : m_width(width), m_height(height), m_pixels(std::size_t(width) * height * 4, 0.f) {}

        unsigned Width() const { return m_width; }
        unsigned Height() const { return m_height; }

        // Paints colour c with the given opacity over the pixel.
        void Blend(int x, int y, Colour c, float alpha)
        {
            if (x < 0 || y < 0 || x >= int(m_width) || y >= int(m_height) || alpha <= 0.f)
                return;
            alpha = std::min(alpha, 1.f);
            float* p = &m_pixels[(std::size_t(y) * m_width + std::size_t(x)) * 4];
            const float outAlpha = alpha + p[3] * (1.f - alpha);
            const float keep = p[3] * (1.f - alpha);
            p[0] = (c.r * alpha + p[0] * keep) / outAlpha;
            p[1] = (c.g * alpha + p[1] * keep) / outAlpha;
            p[2] = (c.b * alpha + p[2] * keep) / outAlpha;
            p[3] = outAlpha;
        }

        // Adds light to an opaque pixel (stars, glows).
        void Add(int x, int y, Colour c, float amount)
        {
            if (x < 0 || y < 0 || x >= int(m_width) || y >= int(m_height))
                return;
            float* p = &m_pixels[(std::size_t(y) * m_width + std::size_t(x)) * 4];
            p[0] = std::min(1.f, p[0] + c.r * amount);
            p[1] = std::min(1.f, p[1] + c.g * amount);
            p[2] = std::min(1.f, p[2] + c.b * amount);
        }

        void Glow(float cx, float cy, float radius, Colour c, float strength)
        {
            for (int y = int(cy - radius); y <= int(cy + radius); ++y)
                for (int x = int(cx - radius); x <= int(cx + radius); ++x)
                {
                    const float d = std::hypot(float(x) - cx, float(y) - cy) / radius;
                    if (d < 1.f)
                        Add(x, y, c, strength * (1.f - d) * (1.f - d));
                }
        }

        // Paints a mask (text) in one colour, or in a vertical gradient.
        void Stamp(const Content::Mask& mask, int left, int top, Colour topColour, Colour bottomColour, float alpha = 1.f)
        {
            for (unsigned y = 0; y < mask.height; ++y)
            {
                const Colour c = Mix(topColour, bottomColour, float(y) / float(std::max(1u, mask.height - 1)));
                for (unsigned x = 0; x < mask.width; ++x)
                    Blend(left + int(x), top + int(y), c, mask.At(int(x), int(y)) * alpha);
            }
        }

        // A rounded rectangle with anti-aliased edges; shade gives the colour
        // and opacity at a point, from the distance inside the edge.
        template <typename Shade>
        void RoundedRectangle(float left, float top, float width, float height, float radius, Shade shade)
        {
            for (int y = int(top) - 1; y <= int(top + height) + 1; ++y)
                for (int x = int(left) - 1; x <= int(left + width) + 1; ++x)
                {
                    const float px = float(x) + 0.5f, py = float(y) + 0.5f;
                    const float qx = std::max(std::abs(px - (left + width / 2)) - (width / 2 - radius), 0.f);
                    const float qy = std::max(std::abs(py - (top + height / 2)) - (height / 2 - radius), 0.f);
                    const float inside = radius - std::hypot(qx, qy); // distance to the edge, positive inside
                    const float coverage = Clamp01(inside + 0.5f);
                    if (coverage <= 0.f)
                        continue;
                    float opacity = 1.f;
                    const Colour c = shade(px, py, inside, opacity);
                    Blend(x, y, c, coverage * opacity);
                }
        }

        // A filled polygon (non-zero winding), four by four samples per pixel.
        void Polygon(const std::vector<std::array<float, 2>>& points, Colour c, float alpha)
        {
            float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
            for (const auto& p : points)
            {
                minX = std::min(minX, p[0]); maxX = std::max(maxX, p[0]);
                minY = std::min(minY, p[1]); maxY = std::max(maxY, p[1]);
            }
            for (int y = int(minY); y <= int(maxY); ++y)
                for (int x = int(minX); x <= int(maxX); ++x)
                {
                    int hits = 0;
                    for (int s = 0; s < 16; ++s)
                    {
                        const float sx = float(x) + (float(s % 4) + 0.5f) / 4.f;
                        const float sy = float(y) + (float(s / 4) + 0.5f) / 4.f;
                        int winding = 0;
                        for (std::size_t i = 0; i < points.size(); ++i)
                        {
                            const auto& a = points[i];
                            const auto& b = points[(i + 1) % points.size()];
                            if ((a[1] <= sy) != (b[1] <= sy))
                            {
                                const float cross = a[0] + (sy - a[1]) / (b[1] - a[1]) * (b[0] - a[0]);
                                if (cross > sx)
                                    winding += b[1] > a[1] ? 1 : -1;
                            }
                        }
                        hits += winding != 0;
                    }
                    Blend(x, y, c, alpha * float(hits) / 16.f);
                }
        }

        sf::Image ToImage() const
        {
            sf::Image image;
            image.create(m_width, m_height, sf::Color::Transparent);
            for (unsigned y = 0; y < m_height; ++y)
                for (unsigned x = 0; x < m_width; ++x)
                {
                    const float* p = &m_pixels[(std::size_t(y) * m_width + x) * 4];
                    auto byte = [](float v) { return sf::Uint8(std::lround(Clamp01(v) * 255.f)); };
                    image.setPixel(x, y, sf::Color(byte(p[0]), byte(p[1]), byte(p[2]), byte(p[3])));
                }
            return image;
        }

    private:
        unsigned m_width;
        unsigned m_height;
        std::vector<float> m_pixels;
    };

    // A mask blurred three times with a box of the given radius: the glow of a text.
    Content::Mask Blurred(const Content::Mask& mask, int radius, unsigned grow)
    {
        Content::Mask out;
        out.width = mask.width + 2 * grow;
        out.height = mask.height + 2 * grow;
        out.coverage.assign(std::size_t(out.width) * out.height, 0.f);
        for (unsigned y = 0; y < mask.height; ++y)
            for (unsigned x = 0; x < mask.width; ++x)
                out.coverage[(y + grow) * out.width + x + grow] = mask.At(int(x), int(y));
        std::vector<float> line;
        for (int pass = 0; pass < 3; ++pass)
        {
            for (int horizontal = 0; horizontal < 2; ++horizontal)
            {
                const unsigned lines = horizontal ? out.height : out.width;
                const unsigned length = horizontal ? out.width : out.height;
                for (unsigned l = 0; l < lines; ++l)
                {
                    auto at = [&](int i) -> float& {
                        return horizontal ? out.coverage[l * out.width + unsigned(i)] : out.coverage[unsigned(i) * out.width + l];
                    };
                    line.assign(length, 0.f);
                    for (int i = 0; i < int(length); ++i)
                    {
                        float sum = 0.f;
                        for (int k = -radius; k <= radius; ++k)
                            if (i + k >= 0 && i + k < int(length))
                                sum += at(i + k);
                        line[unsigned(i)] = sum / float(2 * radius + 1);
                    }
                    for (int i = 0; i < int(length); ++i)
                        at(i) = line[unsigned(i)];
                }
            }
        }
        return out;
    }

    // The largest size up to `size` at which the text fits into the width.
    float FitSize(const Content::Typeface& face, const std::string& text, float size, float width, float spacing = 0.f)
    {
        while (size > 6.f && face.Measure(text, size, spacing) > width)
            size -= 0.5f;
        return size;
    }

    // Writes text centred on (cx, capsMiddle): the middle of its capital letters.
    void Letter(Canvas& canvas, const Content::Typeface& face, const std::string& text, float size, float cx, float capsMiddle,
                Colour topColour, Colour bottomColour, float spacing = 0.f, float shadow = 0.8f, float alpha = 1.f)
    {
        const unsigned margin = 2;
        const Content::Mask mask = face.Render(text, size, spacing, margin);
        const int left = int(std::lround(cx - float(mask.width) / 2));
        const int top = int(std::lround(capsMiddle - (float(margin) + face.Ascent(size) - face.CapHeight(size) / 2)));
        if (shadow > 0.f)
            canvas.Stamp(mask, left + 1, top + 1, Hex(0x000000), Hex(0x000000), shadow * alpha);
        canvas.Stamp(mask, left, top, topColour, bottomColour, alpha);
    }

    // Deep space: a gradient, nebula clouds and stars.
    void PaintSky(Canvas& canvas, std::uint32_t seed, float nebula)
    {
        const Clouds clouds(seed), wisps(seed + 101);
        const float w = float(canvas.Width()), h = float(canvas.Height());
        for (unsigned y = 0; y < canvas.Height(); ++y)
        {
            const float t = float(y) / h;
            const Colour base = t < 0.55f ? Mix(Hex(0x03050f), Hex(0x0b1033), t / 0.55f)
                                          : Mix(Hex(0x0b1033), Hex(0x281445), (t - 0.55f) / 0.45f);
            for (unsigned x = 0; x < canvas.Width(); ++x)
            {
                const float fx = float(x) / 260.f, fy = float(y) / 260.f;
                const float density = SmoothStep(0.48f, 0.78f, clouds(fx, fy));
                const float tint = wisps(fx * 0.7f + 3.f, fy * 0.7f);
                const Colour gas = Mix(Hex(0x7a2a8c), Hex(0x1d7c9a), SmoothStep(0.35f, 0.65f, tint));
                // The nebula is strongest in a diagonal band across the sky.
                const float band = std::exp(-std::pow((float(y) / h - 0.15f - 0.45f * float(x) / w) / 0.28f, 2.f));
                canvas.Blend(int(x), int(y), base, 1.f);
                canvas.Add(int(x), int(y), gas, density * band * nebula);
            }
        }
        Dice dice(seed);
        const int stars = int(w * h / 700.f);
        for (int i = 0; i < stars; ++i)
        {
            const float x = dice.Between(0, w), y = dice.Between(0, h);
            const float brightness = std::pow(dice.Next(), 3.f);
            const Colour tone = Mix(Hex(0xbcd4ff), Hex(0xfff1d0), dice.Next());
            canvas.Add(int(x), int(y), tone, 0.25f + 0.75f * brightness);
            if (brightness > 0.7f)
            {
                canvas.Glow(x + 0.5f, y + 0.5f, 3.f + 5.f * brightness, tone, 0.35f * brightness);
                for (int k = 1; k < int(2 + 6 * brightness); ++k)
                {
                    const float fade = 0.45f * brightness * (1.f - float(k) / (2 + 6 * brightness));
                    canvas.Add(int(x) + k, int(y), tone, fade);
                    canvas.Add(int(x) - k, int(y), tone, fade);
                    canvas.Add(int(x), int(y) + k, tone, fade);
                    canvas.Add(int(x), int(y) - k, tone, fade);
                }
            }
        }
    }

    // A planet lit from the upper left, with cloud bands and a thin atmosphere.
    void PaintPlanet(Canvas& canvas, float cx, float cy, float radius, Colour dark, Colour light, Colour air, std::uint32_t seed,
                     float bands, float detail = 3.f)
    {
        const Clouds clouds(seed);
        const float lx = -0.55f, ly = -0.65f, lz = 0.52f;
        const int reach = int(radius * 1.08f);
        for (int y = std::max(0, int(cy) - reach); y <= std::min(int(canvas.Height()) - 1, int(cy) + reach); ++y)
            for (int x = std::max(0, int(cx) - reach); x <= std::min(int(canvas.Width()) - 1, int(cx) + reach); ++x)
            {
                const float dx = (float(x) + 0.5f - cx) / radius, dy = (float(y) + 0.5f - cy) / radius;
                const float d = std::sqrt(dx * dx + dy * dy);
                if (d >= 1.f)
                {
                    // The atmosphere's halo fades out beyond the rim on the lit side.
                    const float halo = std::max(0.f, 1.f - (d - 1.f) / 0.06f);
                    const float lit = Clamp01(0.35f - (dx * lx + dy * ly) / d);
                    canvas.Add(x, y, air, 0.5f * halo * halo * lit);
                    continue;
                }
                const float dz = std::sqrt(1.f - d * d);
                const float light0 = Clamp01(dx * lx + dy * ly + dz * lz);
                const float pattern = clouds(dx * detail, dy * bands * detail + clouds(dx * detail * 0.7f, dy * detail * 0.7f, 3) * 2.f);
                Colour surface = Mix(dark, light, SmoothStep(0.3f, 0.75f, pattern));
                const float shade = 0.08f + 0.92f * std::pow(light0, 0.8f);
                surface = {surface.r * shade, surface.g * shade, surface.b * shade};
                const float rim = std::exp(-(1.f - d) * radius / 14.f) * Clamp01(0.3f + light0);
                surface = Mix(surface, air, Clamp01(rim * 1.4f));
                canvas.Blend(x, y, surface, Clamp01((1.f - d) * radius + 0.5f));
            }
    }

    void PaintRing(Canvas& canvas, float cx, float cy, float inner, float outer, float tilt, Colour tone, float alpha, bool front,
                   float planetRadius)
    {
        for (int y = int(cy - outer * tilt) - 2; y <= int(cy + outer * tilt) + 2; ++y)
            for (int x = int(cx - outer) - 2; x <= int(cx + outer) + 2; ++x)
            {
                const float dx = float(x) + 0.5f - cx, dy = (float(y) + 0.5f - cy) / tilt;
                const float r = std::hypot(dx, dy);
                if (r < inner || r > outer)
                    continue;
                const bool inFront = dy > 0.f;
                if (inFront != front)
                    continue;
                if (!front && std::hypot(float(x) + 0.5f - cx, float(y) + 0.5f - cy) < planetRadius)
                    continue;
                const float stripes = 0.6f + 0.4f * std::sin(r * 0.45f) * std::sin(r * 0.13f);
                const float edge = Clamp01((r - inner) * 0.5f) * Clamp01((outer - r) * 0.5f);
                canvas.Blend(x, y, tone, alpha * stripes * edge);
            }
    }

    // A small ship climbing with its engines lit, seen from above.
    void PaintShip(Canvas& canvas, float cx, float cy, float scale)
    {
        auto at = [&](float x, float y) { return std::array<float, 2>{cx + x * scale, cy + y * scale}; };
        canvas.Glow(cx - 7 * scale, cy + 26 * scale, 9 * scale, Hex(0xff9a3c), 0.9f);
        canvas.Glow(cx + 7 * scale, cy + 26 * scale, 9 * scale, Hex(0xff9a3c), 0.9f);
        canvas.Glow(cx, cy + 40 * scale, 22 * scale, Hex(0x3c7dff), 0.25f);
        canvas.Polygon({at(0, -30), at(6, -12), at(26, 10), at(24, 18), at(8, 14), at(6, 24), at(-6, 24), at(-8, 14), at(-24, 18),
                        at(-26, 10), at(-6, -12)},
                       Hex(0x8c9bb8), 1.f);
        canvas.Polygon({at(0, -30), at(6, -12), at(4, 18), at(-4, 18), at(-6, -12)}, Hex(0xc9d6ee), 1.f);
        canvas.Polygon({at(0, -18), at(3, -8), at(0, -2), at(-3, -8)}, Hex(0x2fd6ff), 1.f);
        canvas.Polygon({at(26, 10), at(24, 18), at(14, 15)}, Hex(0xd0483a), 1.f);
        canvas.Polygon({at(-26, 10), at(-24, 18), at(-14, 15)}, Hex(0xd0483a), 1.f);
    }

    void Save(const Canvas& canvas, const std::filesystem::path& root, const std::string& relativePath)
    {
        const std::filesystem::path path = Content::Prepare(root, relativePath);
        if (!canvas.ToImage().saveToFile(path.string()))
            throw std::runtime_error("could not write " + path.string());
    }

    // The four looks of a button, two by two: idle, clicked, focused, disabled.
    // Each look is a rounded panel inset by four pixels, so the focus glow fits.
    void SaveButton(const std::filesystem::path& root, const std::string& folder, const std::string& label)
    {
        const Content::Typeface bold(boldFont);
        const unsigned w = 192, h = 64;
        const float inset = 4.f;
        Canvas canvas(2 * w, 2 * h);

        struct Look
        {
            Colour fillTop, fillBottom, border, textTop, textBottom;
            float borderWidth, glow, fillAlpha, textAlpha, drop;
        };
        const Look looks[4] = {
            // idle
            {Hex(0x1c2f5c), Hex(0x0c1530), Hex(0x7f9cc8), Hex(0xf2f6ff), Hex(0xb9c8e6), 2.f, 0.f, 0.88f, 1.f, 0.f},
            // clicked: pressed in, brighter
            {Hex(0x3a78c8), Hex(0x1c3f80), Hex(0xffffff), Hex(0xffffff), Hex(0xe0ecff), 2.f, 0.f, 0.95f, 1.f, 1.f},
            // focused: cyan rim with a glow, warm text
            {Hex(0x1f4a86), Hex(0x0f2148), Hex(0x4fe6ff), Hex(0xfff6c8), Hex(0xffc757), 3.f, 1.f, 0.92f, 1.f, 0.f},
            // disabled
            {Hex(0x3a3d45), Hex(0x24262c), Hex(0x6a6e78), Hex(0x8d919b), Hex(0x7a7e88), 2.f, 0.f, 0.8f, 0.8f, 0.f},
        };

        for (int index = 0; index < 4; ++index)
        {
            const Look& look = looks[index];
            const float ox = float((index % 2) * int(w)), oy = float((index / 2) * int(h));
            const float left = ox + inset, top = oy + inset, width = float(w) - 2 * inset, height = float(h) - 2 * inset;
            if (look.glow > 0.f)
                canvas.RoundedRectangle(ox + 0.5f, oy + 0.5f, float(w) - 1.f, float(h) - 1.f, 14.f,
                                        [&](float, float, float inside, float& opacity) {
                                            opacity = 0.55f * SmoothStep(0.f, 4.f, inside) * (1.f - SmoothStep(3.5f, 6.f, inside));
                                            return look.border;
                                        });
            canvas.RoundedRectangle(left, top + look.drop, width, height, 11.f, [&](float, float py, float inside, float& opacity) {
                const float t = (py - top) / height;
                Colour fill = Mix(look.fillTop, look.fillBottom, t);
                // A soft sheen on the upper half of the panel.
                fill = Mix(fill, Hex(0xffffff), 0.10f * (1.f - SmoothStep(0.f, 0.5f, t)));
                const float border = 1.f - SmoothStep(look.borderWidth - 0.5f, look.borderWidth + 0.5f, inside);
                opacity = look.fillAlpha + (1.f - look.fillAlpha) * border;
                return Mix(fill, look.border, border);
            });
            const float size = FitSize(bold, label, 24.f, width - 24.f, 3.f);
            const float middle = top + look.drop + height / 2;
            if (index == 2)
            {
                // Pointers either side of the focused label.
                const float half = bold.Measure(label, size, 3.f) / 2 + 16.f;
                for (float side : {-1.f, 1.f})
                {
                    const float x = ox + float(w) / 2 + side * half;
                    canvas.Polygon({{x - side * 5.f, middle - 6.f}, {x + side * 2.f, middle}, {x - side * 5.f, middle + 6.f}},
                                   Hex(0x4fe6ff), 1.f);
                }
            }
            Letter(canvas, bold, label, size, ox + float(w) / 2, middle, look.textTop, look.textBottom, 3.f, 0.9f, look.textAlpha);
        }
        Save(canvas, root, folder + "/graphics.png");
    }

    void StartBackground(const std::filesystem::path& root)
    {
        // Wider than the reference 1024 so that wide windows show sky at the sides;
        // the middle 1024 columns hold everything that matters.
        Canvas canvas(1366, 768);
        const float mid = 683.f;
        PaintSky(canvas, 7, 0.55f);
        // A ringed giant high on the right and a small moon on the left.
        PaintRing(canvas, mid + 330, 400, 96, 146, 0.28f, Hex(0xd9c6a0), 0.55f, false, 70);
        PaintPlanet(canvas, mid + 330, 400, 70, Hex(0x6b4a2e), Hex(0xe3c08a), Hex(0xffd9a0), 11, 4.f);
        PaintRing(canvas, mid + 330, 400, 96, 146, 0.28f, Hex(0xd9c6a0), 0.55f, true, 70);
        PaintPlanet(canvas, mid - 400, 330, 26, Hex(0x3a4a5c), Hex(0x9fb0c2), Hex(0xb8d8ff), 23, 1.f);
        // The home world fills the lower edge; the buttons stand in front of its horizon.
        PaintPlanet(canvas, mid, 768 + 1650, 1900, Hex(0x0b2140), Hex(0x3f7f7a), Hex(0x6fd8ff), 5, 1.6f, 40.f);
        PaintShip(canvas, mid - 250, 450, 1.3f);
        // Night falls towards the lower edge, so the buttons stand out.
        for (unsigned y = 560; y < canvas.Height(); ++y)
            for (unsigned x = 0; x < canvas.Width(); ++x)
                canvas.Blend(int(x), int(y), Hex(0x02040c), 0.55f * SmoothStep(560.f, 768.f, float(y)));

        const Content::Typeface bold(boldFont), regular(regularFont);
        const std::string title = "QUORVALLIS";
        const float size = 112.f, spacing = 10.f;
        const Content::Mask mask = bold.Render(title, size, spacing, 4);
        const int left = int(mid - float(mask.width) / 2);
        const int top = 150 - int(bold.Ascent(size) - bold.CapHeight(size) / 2) - 4;
        const Content::Mask glow = Blurred(mask, 7, 24);
        canvas.Stamp(glow, left - 24, top - 24, Hex(0x38c8ff), Hex(0x9a4dff), 0.9f);
        canvas.Stamp(mask, left + 4, top + 5, Hex(0x000000), Hex(0x000000), 0.7f);
        canvas.Stamp(mask, left, top, Hex(0xffffff), Hex(0x8fe3ff), 1.f);
        Letter(canvas, bold, "DEFEND THE OUTER COLONIES", 22.f, mid, 252.f, Hex(0xffd27a), Hex(0xffa84a), 6.f);
        Save(canvas, root, "resources/gui/screens/start/background.jpg");
    }

    void OptionBackground(const std::filesystem::path& root)
    {
        Canvas canvas(1366, 768);
        const float shift = (1366.f - 1024.f) / 2; // the reference window's left edge in the picture
        PaintSky(canvas, 19, 0.35f);
        PaintPlanet(canvas, shift + 850, 290, 95, Hex(0x2a1a4a), Hex(0x8a5ab8), Hex(0xd7a8ff), 31, 3.f);

        // Six frosted panels behind the dials and their labels (reference layout:
        // columns 236 wide from x = 20, rows 242.67 apart from y = 20).
        for (int i = 0; i < 6; ++i)
        {
            const float x = shift + 20.f + float(i % 2) * 236.f + 10.f;
            const float y = 20.f + float(i / 2) * 242.66667f - 10.f;
            canvas.RoundedRectangle(x, y, 216.f, 226.f, 16.f, [](float, float, float inside, float& opacity) {
                const float border = 1.f - SmoothStep(1.f, 2.f, inside);
                opacity = 0.45f + 0.35f * border;
                return Mix(Hex(0x0a1230), Hex(0x6f8fc8), border);
            });
        }

        const Content::Typeface bold(boldFont), regular(regularFont);
        const float centre = shift + 768.f;
        const Content::Mask mask = bold.Render("OPTIONS", 64.f, 8.f, 4);
        const Content::Mask glow = Blurred(mask, 5, 16);
        const int left = int(centre - float(mask.width) / 2), top = 60;
        canvas.Stamp(glow, left - 16, top - 16, Hex(0x38c8ff), Hex(0x9a4dff), 0.8f);
        canvas.Stamp(mask, left + 3, top + 3, Hex(0x000000), Hex(0x000000), 0.7f);
        canvas.Stamp(mask, left, top, Hex(0xffffff), Hex(0x8fe3ff), 1.f);

        const char* const help[] = {"Click a dial to turn it up,", "right-click to turn it down.", "",
                                    "OK keeps your choices;", "CANCEL or Escape goes back", "without saving them."};
        float y = 440.f;
        for (const char* line : help)
        {
            if (*line)
                Letter(canvas, regular, line, 19.f, centre, y, Hex(0xdfe8ff), Hex(0xb9c8e6));
            y += 26.f;
        }
        Save(canvas, root, "resources/gui/screens/option/background.jpg");
    }

    // Six labels of 200 x 64, one under each dial, in the order of the dials.
    void OptionLabels(const std::filesystem::path& root)
    {
        const Content::Typeface bold(boldFont), regular(regularFont);
        struct Label
        {
            const char* title;
            const char* range;
        };
        const Label labels[6] = {{"MUSIC VOLUME", "0 \xE2\x80\x93 100 %"}, {"SOUND VOLUME", "0 \xE2\x80\x93 100 %"},
                                 {"COLOUR DEPTH", "16 bit \xC2\xB7 32 bit"}, {"FULL SCREEN", "off \xC2\xB7 on"},
                                 {"VERTICAL SYNC", "off \xC2\xB7 on"},        {"SWAP MOUSE BUTTONS", "off \xC2\xB7 on"}};
        Canvas canvas(200, 6 * 64);
        for (int i = 0; i < 6; ++i)
        {
            const float top = float(i * 64);
            const float size = FitSize(bold, labels[i].title, 17.f, 190.f, 1.f);
            Letter(canvas, bold, labels[i].title, size, 100.f, top + 24.f, Hex(0xffffff), Hex(0xd6e2ff), 1.f, 1.f);
            Letter(canvas, regular, labels[i].range, 13.f, 100.f, top + 45.f, Hex(0x8fe3ff), Hex(0x6fc8f0), 0.5f, 1.f);
        }
        Save(canvas, root, "resources/gui/screens/option/option_tags.png");
    }

    void Generate(const std::filesystem::path& root)
    {
        StartBackground(root);
        SaveButton(root, "resources/gui/screens/start/buttons/arcade", "ARCADE");
        SaveButton(root, "resources/gui/screens/start/buttons/options", "OPTIONS");
        SaveButton(root, "resources/gui/screens/start/buttons/exit", "EXIT");
        OptionBackground(root);
        OptionLabels(root);
        SaveButton(root, "resources/gui/screens/option/buttons/ok", "OK");
        SaveButton(root, "resources/gui/screens/option/buttons/exit", "CANCEL");
    }

    const Content::Registration registration("screens", &Generate);
}
