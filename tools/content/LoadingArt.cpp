// The picture shown while a flight is being prepared,
// resources/gui/screens/flight/loading.jpg (1024 by 768): the land seen from high
// above through drifting clouds, a fighter climbing over it, and the word
// "Loading" across the middle.
#include "Canvas.hpp"
#include "Generator.hpp"
#include "Noise.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace
{
    using Content::Canvas;
    using Content::Clamp01;
    using Content::Hex;
    using Content::Mix;
    using Content::SmoothStep;

    // Smooth value noise in several octaves, about 0..1.
    Content::ValueNoise Field(std::uint32_t seed)
    {
        return Content::ValueNoise(seed, 2.01f, 13.7f, 7.1f);
    }

    // Fields, forests, dry earth and a river, as a pilot sees them from high up.
    void PaintLand(Canvas& canvas)
    {
        const Content::ValueNoise relief = Field(31), woods = Field(37), dry = Field(41), river = Field(43), grain = Field(47);
        for (unsigned y = 0; y < canvas.Height(); ++y)
            for (unsigned x = 0; x < canvas.Width(); ++x)
            {
                const float fx = float(x), fy = float(y);
                sf::Color c = Mix(Hex(0x3d7426), Hex(0x5d9634), SmoothStep(0.3f, 0.7f, relief(fx / 180.f, fy / 180.f, 5)));
                c = Mix(c, Hex(0xb8935a), SmoothStep(0.6f, 0.64f, dry(fx / 260.f, fy / 260.f, 5)));
                c = Mix(c, Hex(0x23491a), 0.9f * SmoothStep(0.6f, 0.63f, woods(fx / 140.f, fy / 140.f, 5)));
                // The river winds down the picture; its banks are sandy.
                const float bend = 120.f * (river(fy / 300.f, 0.5f, 3) - 0.5f) + 60.f * std::sin(fy / 97.f);
                const float distance = std::fabs(fx - 300.f - bend);
                c = Mix(c, Hex(0xc9b07a), 1.f - SmoothStep(15.f, 19.f, distance));
                c = Mix(c, Mix(Hex(0x1f5f8f), Hex(0x3c86b8), Clamp01(distance / 14.f)), 1.f - SmoothStep(11.f, 13.f, distance));
                c = Content::Shade(c, 0.18f * (grain(fx / 3.f, fy / 3.f, 2) - 0.5f));
                canvas.SetPixel(int(x), int(y), c);
            }
    }

    // Clouds below the aircraft with their shadows on the land.
    void PaintClouds(Canvas& canvas)
    {
        const Content::ValueNoise cloud = Field(53);
        const int w = int(canvas.Width()), h = int(canvas.Height());
        std::vector<float> density(std::size_t(w) * std::size_t(h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                density[std::size_t(y * w + x)] =
                    SmoothStep(0.55f, 0.75f, cloud(float(x) / 230.f, float(y) / 160.f, 6));
        const int shadowX = 40, shadowY = 55;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
            {
                const int sx = x - shadowX, sy = y - shadowY;
                if (sx >= 0 && sy >= 0)
                    canvas.BlendPixel(x, y, sf::Color(10, 20, 30), 0.35f * density[std::size_t(sy * w + sx)]);
            }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
            {
                const float d = density[std::size_t(y * w + x)];
                if (d > 0.f)
                    canvas.BlendPixel(x, y, Mix(Hex(0xc8d2dc), Hex(0xffffff), d), 0.85f * d);
            }
    }

    // A fighter seen from above, nose up, its exhaust glowing.
    void PaintFighter(Canvas& canvas, float cx, float cy, float scale)
    {
        auto at = [&](float x, float y) { return sf::Vector2f(cx + x * scale, cy + y * scale); };
        std::vector<sf::Vector2f> body = {at(0, -60), at(9, -30),  at(11, -8), at(52, 18), at(54, 30), at(12, 24),
                                          at(16, 44), at(6, 48),   at(0, 42),  at(-6, 48), at(-16, 44), at(-12, 24),
                                          at(-54, 30), at(-52, 18), at(-11, -8), at(-9, -30)};
        for (float x : {-6.f, 6.f})
            canvas.RadialGradient(at(x, 52), 14.f * scale, sf::Color(255, 210, 120, 230), sf::Color(255, 90, 20, 0));
        canvas.FillPolygon(body, Hex(0x55606e));
        canvas.FillPolygon({at(0, -60), at(9, -30), at(11, -8), at(50, 19), at(50, 22), at(0, 12)}, Hex(0x7d8a9a));
        canvas.FillPolygon({at(-52, 18), at(-54, 30), at(-12, 24), at(-11, 20)}, Hex(0x404a56));
        canvas.FillPolygon({at(0, -44), at(5, -28), at(0, -14), at(-5, -28)}, Hex(0x9fd8ff));
        canvas.Line(at(-40, 22), at(-30, 21), 2.f * scale, Hex(0xd04030));
        canvas.Line(at(40, 22), at(30, 21), 2.f * scale, Hex(0xd04030));
    }

    void Render(const std::filesystem::path& root)
    {
        Canvas canvas(1024, 768, sf::Color::Black);
        PaintLand(canvas);
        PaintClouds(canvas);
        PaintFighter(canvas, 700.f, 560.f, 1.6f);

        // Dusk over the edges, so the words stand out in the middle.
        for (unsigned y = 0; y < canvas.Height(); ++y)
            for (unsigned x = 0; x < canvas.Width(); ++x)
            {
                const float dx = (float(x) - 512.f) / 620.f, dy = (float(y) - 384.f) / 470.f;
                canvas.BlendPixel(int(x), int(y), Hex(0x050a18), Clamp01(0.15f + 0.75f * (dx * dx + dy * dy)));
            }
        const sf::FloatRect band(0.f, 290.f, 1024.f, 170.f);
        canvas.GradientRectangle(band, sf::Color(4, 10, 26, 150), sf::Color(4, 10, 26, 200));
        canvas.FillRectangle({0.f, 290.f, 1024.f, 2.f}, sf::Color(140, 200, 255, 160));
        canvas.FillRectangle({0.f, 458.f, 1024.f, 2.f}, sf::Color(140, 200, 255, 160));

        const Content::TextStyle title =
            Content::Style(104, Hex(0xf4f8ff), Content::Font::Bold).WithShadow(sf::Color(0, 0, 0, 200), {4.f, 5.f});
        canvas.TextCentered("LOADING", {0.f, 292.f, 1024.f, 120.f}, title.WithOutline(Hex(0x1b3a66)));
        const Content::TextStyle line = Content::Style(26, Hex(0xa9d4ff), Content::Font::Oblique)
                                            .WithShadow(sf::Color(0, 0, 0, 200), {2.f, 2.f});
        canvas.TextCentered("Prepare for take-off", {0.f, 405.f, 1024.f, 40.f}, line);
        canvas.Save(root, "resources/gui/screens/flight/loading.jpg");
    }

    const Content::Registration loading("flight loading screen", &Render);
}
