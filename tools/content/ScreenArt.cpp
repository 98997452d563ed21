// The pictures of the title screen and of the options screen: their space
// backgrounds, the buttons with their four looks (idle, clicked, focused,
// disabled, laid out two by two) and the labels of the six option dials.
#include "Canvas.hpp"
#include "Generator.hpp"
#include "Noise.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace
{
    using Content::Canvas;
    using Content::Clamp01;
    using Content::Hex;
    using Content::SmoothStep;
    using Content::Style;
    using Content::TextStyle;

    sf::Color Scaled(const sf::Color& c, float factor)
    {
        return sf::Color(sf::Uint8(Clamp01(c.r * factor / 255.f) * 255.f), sf::Uint8(Clamp01(c.g * factor / 255.f) * 255.f),
                         sf::Uint8(Clamp01(c.b * factor / 255.f) * 255.f), c.a);
    }

    // Adds light to a pixel: stars, glows, the gas of nebulae.
    void AddLight(Canvas& canvas, int x, int y, const sf::Color& tone, float amount)
    {
        if (x < 0 || y < 0 || x >= int(canvas.Width()) || y >= int(canvas.Height()) || amount <= 0.f)
            return;
        sf::Color p = canvas.Image().getPixel(unsigned(x), unsigned(y));
        auto add = [amount](sf::Uint8 base, sf::Uint8 light) {
            return sf::Uint8(std::min(255.f, float(base) + float(light) * amount));
        };
        p = sf::Color(add(p.r, tone.r), add(p.g, tone.g), add(p.b, tone.b), p.a);
        canvas.Image().setPixel(unsigned(x), unsigned(y), p);
    }

    void Glow(Canvas& canvas, float cx, float cy, float radius, const sf::Color& tone, float strength)
    {
        for (int y = int(cy - radius); y <= int(cy + radius); ++y)
            for (int x = int(cx - radius); x <= int(cx + radius); ++x)
            {
                const float d = std::hypot(float(x) + 0.5f - cx, float(y) + 0.5f - cy) / radius;
                if (d < 1.f)
                    AddLight(canvas, x, y, tone, strength * (1.f - d) * (1.f - d));
            }
    }

    // Smooth value noise with several octaves, values roughly in [0, 1].
    Content::ValueNoise Clouds(std::uint32_t seed)
    {
        return Content::ValueNoise(seed, 2.03f, 17.1f, 5.3f);
    }

    // Text with extra room between the letters, its capitals centred on
    // (centreX, capsMiddle).
    void SpacedText(Canvas& canvas, const std::string& text, float centreX, float capsMiddle, const TextStyle& style,
                    float spacing)
    {
        std::vector<std::string> letters;
        for (std::size_t i = 0; i < text.size();)
        {
            std::size_t length = 1;
            while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80)
                ++length;
            letters.push_back(text.substr(i, length));
            i += length;
        }
        float width = -spacing;
        for (const std::string& letter : letters)
            width += Canvas::MeasureText(letter, style).x + spacing;
        float x = centreX - width / 2.f;
        for (const std::string& letter : letters)
        {
            const float advance = Canvas::MeasureText(letter, style).x;
            canvas.TextCentered(letter, sf::FloatRect(x, capsMiddle - 100.f, advance, 200.f), style);
            x += advance + spacing;
        }
    }

    // A title: light letters running from `top` to `bottom` colour, a coloured
    // haze around them and a dark drop shadow.
    void GlowingTitle(Canvas& canvas, const std::string& text, unsigned size, float spacing, float centreX, float capsMiddle,
                      const sf::Color& top, const sf::Color& bottom, const sf::Color& haze, int blur)
    {
        TextStyle style = Style(size, sf::Color::White, Content::Font::Bold);
        Canvas letters(canvas.Width(), canvas.Height());
        SpacedText(letters, text, centreX, capsMiddle, style, spacing);

        // The haze: the letters' coverage blurred three times with a box.
        const unsigned w = canvas.Width(), h = canvas.Height();
        std::vector<float> haze0(std::size_t(w) * h), line;
        for (unsigned y = 0; y < h; ++y)
            for (unsigned x = 0; x < w; ++x)
                haze0[std::size_t(y) * w + x] = letters.Image().getPixel(x, y).a / 255.f;
        for (int pass = 0; pass < 3; ++pass)
            for (int horizontal = 0; horizontal < 2; ++horizontal)
            {
                const unsigned lines = horizontal ? h : w, length = horizontal ? w : h;
                for (unsigned l = 0; l < lines; ++l)
                {
                    auto at = [&](unsigned i) -> float& {
                        return horizontal ? haze0[std::size_t(l) * w + i] : haze0[std::size_t(i) * w + l];
                    };
                    line.assign(length, 0.f);
                    float sum = 0.f;
                    for (int i = -blur; i < int(length) + blur; ++i)
                    {
                        if (i + blur < int(length))
                            sum += at(unsigned(i + blur));
                        if (i - blur - 1 >= 0)
                            sum -= at(unsigned(i - blur - 1));
                        if (i >= 0 && i < int(length))
                            line[unsigned(i)] = sum / float(2 * blur + 1);
                    }
                    for (unsigned i = 0; i < length; ++i)
                        at(i) = line[i];
                }
            }
        for (unsigned y = 0; y < h; ++y)
            for (unsigned x = 0; x < w; ++x)
                AddLight(canvas, int(x), int(y), haze, 1.6f * haze0[std::size_t(y) * w + x]);

        const float first = capsMiddle - float(size) * 0.4f, last = capsMiddle + float(size) * 0.4f;
        for (unsigned y = 0; y < h; ++y)
            for (unsigned x = 0; x < w; ++x)
            {
                const float coverage = letters.Image().getPixel(x, y).a / 255.f;
                if (coverage <= 0.f)
                    continue;
                canvas.BlendPixel(int(x) + 4, int(y) + 5, sf::Color(0, 0, 0, 170), coverage);
            }
        for (unsigned y = 0; y < h; ++y)
            for (unsigned x = 0; x < w; ++x)
            {
                const float coverage = letters.Image().getPixel(x, y).a / 255.f;
                if (coverage > 0.f)
                    canvas.BlendPixel(int(x), int(y), Content::Mix(top, bottom, Clamp01((float(y) - first) / (last - first))),
                                      coverage);
            }
    }

    // Deep space: a gradient, nebula clouds and stars.
    void PaintSky(Canvas& canvas, std::uint32_t seed, float nebula)
    {
        const Content::ValueNoise clouds = Clouds(seed), wisps = Clouds(seed + 101);
        const float w = float(canvas.Width()), h = float(canvas.Height());
        for (unsigned y = 0; y < canvas.Height(); ++y)
        {
            const float t = float(y) / h;
            const sf::Color base = t < 0.55f ? Content::Mix(Hex(0x03050f), Hex(0x0b1033), t / 0.55f)
                                             : Content::Mix(Hex(0x0b1033), Hex(0x281445), (t - 0.55f) / 0.45f);
            for (unsigned x = 0; x < canvas.Width(); ++x)
            {
                const float fx = float(x) / 260.f, fy = float(y) / 260.f;
                const float density = SmoothStep(0.48f, 0.78f, clouds(fx, fy, 5));
                const float tint = wisps(fx * 0.7f + 3.f, fy * 0.7f, 5);
                const sf::Color gas = Content::Mix(Hex(0x7a2a8c), Hex(0x1d7c9a), SmoothStep(0.35f, 0.65f, tint));
                // The nebula is strongest in a diagonal band across the sky.
                const float band = std::exp(-std::pow((float(y) / h - 0.15f - 0.45f * float(x) / w) / 0.28f, 2.f));
                canvas.SetPixel(int(x), int(y), base);
                AddLight(canvas, int(x), int(y), gas, density * band * nebula);
            }
        }
        Content::Random dice(seed);
        const int stars = int(w * h / 700.f);
        for (int i = 0; i < stars; ++i)
        {
            const float x = dice.Between(0, w), y = dice.Between(0, h);
            const float brightness = std::pow(dice.Fraction(), 3.f);
            const sf::Color tone = Content::Mix(Hex(0xbcd4ff), Hex(0xfff1d0), dice.Fraction());
            AddLight(canvas, int(x), int(y), tone, 0.25f + 0.75f * brightness);
            if (brightness > 0.7f)
            {
                Glow(canvas, x + 0.5f, y + 0.5f, 3.f + 5.f * brightness, tone, 0.35f * brightness);
                const int reach = int(2 + 6 * brightness);
                for (int k = 1; k < reach; ++k)
                {
                    const float fade = 0.45f * brightness * (1.f - float(k) / float(reach));
                    AddLight(canvas, int(x) + k, int(y), tone, fade);
                    AddLight(canvas, int(x) - k, int(y), tone, fade);
                    AddLight(canvas, int(x), int(y) + k, tone, fade);
                    AddLight(canvas, int(x), int(y) - k, tone, fade);
                }
            }
        }
    }

    struct Planet
    {
        float cx, cy, radius;
        sf::Color dark, light, air;
        std::uint32_t seed;
        float bands;
        float detail;
    };

    // A planet lit from the upper left, with cloud bands and a thin atmosphere.
    void PaintPlanet(Canvas& canvas, const Planet& planet)
    {
        const Content::ValueNoise clouds = Clouds(planet.seed);
        const float lx = -0.55f, ly = -0.65f, lz = 0.52f;
        const float radius = planet.radius, detail = planet.detail;
        const int reach = int(radius * 1.08f);
        for (int y = std::max(0, int(planet.cy) - reach); y <= std::min(int(canvas.Height()) - 1, int(planet.cy) + reach); ++y)
            for (int x = std::max(0, int(planet.cx) - reach); x <= std::min(int(canvas.Width()) - 1, int(planet.cx) + reach); ++x)
            {
                const float dx = (float(x) + 0.5f - planet.cx) / radius, dy = (float(y) + 0.5f - planet.cy) / radius;
                const float d = std::sqrt(dx * dx + dy * dy);
                if (d >= 1.f)
                {
                    // The atmosphere's halo fades out beyond the rim on the lit side.
                    const float halo = std::max(0.f, 1.f - (d - 1.f) / 0.06f);
                    const float lit = Clamp01(0.35f - (dx * lx + dy * ly) / d);
                    AddLight(canvas, x, y, planet.air, 0.5f * halo * halo * lit);
                    continue;
                }
                const float dz = std::sqrt(1.f - d * d);
                const float light = Clamp01(dx * lx + dy * ly + dz * lz);
                const float pattern =
                    clouds(dx * detail, dy * planet.bands * detail + clouds(dx * detail * 0.7f, dy * detail * 0.7f, 3) * 2.f, 5);
                sf::Color surface = Content::Mix(planet.dark, planet.light, SmoothStep(0.3f, 0.75f, pattern));
                surface = Scaled(surface, 0.08f + 0.92f * std::pow(light, 0.8f));
                const float rim = std::exp(-(1.f - d) * radius / 14.f) * Clamp01(0.3f + light);
                surface = Content::Mix(surface, planet.air, Clamp01(rim * 1.4f));
                canvas.BlendPixel(x, y, surface, Clamp01((1.f - d) * radius + 0.5f));
            }
    }

    // The half of a tilted ring behind the planet, or the half in front of it.
    void PaintRing(Canvas& canvas, const Planet& planet, float inner, float outer, float tilt, const sf::Color& tone,
                   bool front)
    {
        for (int y = int(planet.cy - outer * tilt) - 2; y <= int(planet.cy + outer * tilt) + 2; ++y)
            for (int x = int(planet.cx - outer) - 2; x <= int(planet.cx + outer) + 2; ++x)
            {
                const float dx = float(x) + 0.5f - planet.cx, dy = (float(y) + 0.5f - planet.cy) / tilt;
                const float r = std::hypot(dx, dy);
                if (r < inner || r > outer || (dy > 0.f) != front)
                    continue;
                if (!front && std::hypot(dx, float(y) + 0.5f - planet.cy) < planet.radius)
                    continue;
                const float stripes = 0.6f + 0.4f * std::sin(r * 0.45f) * std::sin(r * 0.13f);
                const float edge = Clamp01((r - inner) * 0.5f) * Clamp01((outer - r) * 0.5f);
                canvas.BlendPixel(x, y, tone, stripes * edge);
            }
    }

    void PaintRingedPlanet(Canvas& canvas, const Planet& planet, float inner, float outer, float tilt, const sf::Color& tone)
    {
        PaintRing(canvas, planet, inner, outer, tilt, tone, false);
        PaintPlanet(canvas, planet);
        PaintRing(canvas, planet, inner, outer, tilt, tone, true);
    }

    // A small ship climbing with its engines lit, seen from above.
    void PaintShip(Canvas& canvas, float cx, float cy, float scale)
    {
        auto at = [&](float x, float y) { return sf::Vector2f(cx + x * scale, cy + y * scale); };
        Glow(canvas, cx - 7 * scale, cy + 26 * scale, 9 * scale, Hex(0xff9a3c), 0.9f);
        Glow(canvas, cx + 7 * scale, cy + 26 * scale, 9 * scale, Hex(0xff9a3c), 0.9f);
        Glow(canvas, cx, cy + 40 * scale, 22 * scale, Hex(0x3c7dff), 0.25f);
        canvas.FillPolygon({at(0, -30), at(6, -12), at(26, 10), at(24, 18), at(8, 14), at(6, 24), at(-6, 24), at(-8, 14),
                            at(-24, 18), at(-26, 10), at(-6, -12)},
                           Hex(0x8c9bb8));
        canvas.FillPolygon({at(0, -30), at(6, -12), at(4, 18), at(-4, 18), at(-6, -12)}, Hex(0xc9d6ee));
        canvas.FillPolygon({at(0, -18), at(3, -8), at(0, -2), at(-3, -8)}, Hex(0x2fd6ff));
        canvas.FillPolygon({at(26, 10), at(24, 18), at(14, 15)}, Hex(0xd0483a));
        canvas.FillPolygon({at(-26, 10), at(-24, 18), at(-14, 15)}, Hex(0xd0483a));
    }

    // The four looks of a button, two by two: idle, clicked, focused, disabled.
    // Each look is a rounded panel inset by four pixels, so the focus glow fits;
    // the click area file names that panel (4 4 184 56).
    void SaveButton(const std::filesystem::path& root, const std::string& folder, const std::string& label)
    {
        const float w = 192.f, h = 64.f, inset = 4.f;
        Canvas canvas(2 * unsigned(w), 2 * unsigned(h));

        struct Look
        {
            sf::Color top, bottom, border, text;
            float borderWidth, drop;
        };
        const Look looks[4] = {
            {Hex(0x1c2f5c, 230), Hex(0x0c1530, 230), Hex(0x7f9cc8), Hex(0xe8eeff), 2.f, 0.f}, // idle
            {Hex(0x3a78c8, 245), Hex(0x1c3f80, 245), Hex(0xffffff), Hex(0xffffff), 2.f, 1.f}, // clicked: pressed in
            {Hex(0x1f4a86, 240), Hex(0x0f2148, 240), Hex(0x4fe6ff), Hex(0xffe08a), 3.f, 0.f}, // focused
            {Hex(0x3a3d45, 210), Hex(0x24262c, 210), Hex(0x6a6e78), Hex(0x8d919b), 2.f, 0.f}, // disabled
        };
        for (int index = 0; index < 4; ++index)
        {
            const Look& look = looks[index];
            const float ox = float(index % 2) * w, oy = float(index / 2) * h;
            const sf::FloatRect panel(ox + inset, oy + inset + look.drop, w - 2 * inset, h - 2 * inset);
            if (index == 2)
                canvas.DropShadow(panel, 12.f, 4.f, Hex(0x4fe6ff, 150));
            canvas.Panel(panel, 11.f, look.top, look.bottom, look.border, look.borderWidth);

            TextStyle style = Style(24, look.text, Content::Font::Bold);
            style = style.WithShadow(sf::Color(0, 0, 0, 200), {1.f, 1.f});
            while (style.size > 12 && Canvas::MeasureText(label, style).x + 3.f * float(label.size()) > panel.width - 40.f)
                --style.size;
            const float middle = panel.top + panel.height / 2.f;
            SpacedText(canvas, label, ox + w / 2.f, middle, style, 3.f);
            if (index == 2)
            {
                // Pointers either side of the focused label.
                const float half = (Canvas::MeasureText(label, style).x + 3.f * float(label.size() - 1)) / 2.f + 14.f;
                for (float side : {-1.f, 1.f})
                {
                    const float x = ox + w / 2.f + side * half;
                    canvas.FillPolygon({{x - side * 5.f, middle - 6.f}, {x + side * 2.f, middle}, {x - side * 5.f, middle + 6.f}},
                                       Hex(0x4fe6ff));
                }
            }
        }
        canvas.Save(root, folder + "/graphics.png");
    }

    void StartBackground(const std::filesystem::path& root)
    {
        // Wider than the reference 1024 so that wide windows show sky at the sides;
        // the middle 1024 columns hold everything that matters.
        Canvas canvas(1366, 768);
        const float mid = 683.f;
        PaintSky(canvas, 7, 0.55f);
        PaintRingedPlanet(canvas, {mid + 330, 400, 70, Hex(0x6b4a2e), Hex(0xe3c08a), Hex(0xffd9a0), 11, 4.f, 3.f}, 96, 146,
                          0.28f, Hex(0xd9c6a0, 140));
        PaintPlanet(canvas, {mid - 400, 330, 26, Hex(0x3a4a5c), Hex(0x9fb0c2), Hex(0xb8d8ff), 23, 1.f, 3.f});
        // The home world fills the lower edge; the buttons stand in front of its horizon.
        PaintPlanet(canvas, {mid, 768 + 1650, 1900, Hex(0x0b2140), Hex(0x3f7f7a), Hex(0x6fd8ff), 5, 1.6f, 40.f});
        PaintShip(canvas, mid - 250, 450, 1.3f);
        // Night falls towards the lower edge, so the buttons stand out.
        for (unsigned y = 560; y < canvas.Height(); ++y)
            for (unsigned x = 0; x < canvas.Width(); ++x)
                canvas.BlendPixel(int(x), int(y), Hex(0x02040c), 0.55f * SmoothStep(560.f, 768.f, float(y)));

        GlowingTitle(canvas, "QUORVALLIS", 112, 10.f, mid, 150.f, Hex(0xffffff), Hex(0x8fe3ff), Hex(0x2a8fd0), 9);
        SpacedText(canvas, "DEFEND THE OUTER COLONIES", mid, 252.f,
                   Style(22, Hex(0xffc45e), Content::Font::Bold).WithShadow(sf::Color(0, 0, 0, 200), {1.f, 1.f}), 6.f);
        canvas.Save(root, "resources/gui/screens/start/background.jpg");
    }

    void OptionBackground(const std::filesystem::path& root)
    {
        Canvas canvas(1366, 768);
        const float shift = (1366.f - 1024.f) / 2; // the reference window's left edge in the picture
        PaintSky(canvas, 19, 0.35f);
        PaintPlanet(canvas, {shift + 850, 290, 95, Hex(0x2a1a4a), Hex(0x8a5ab8), Hex(0xd7a8ff), 31, 3.f, 3.f});

        // One frosted pane behind the dials and their labels, docked to the left
        // edge. The dials fill the left half of the window from x = 20 to 20 short
        // of its middle, however wide the window is, and the picture's middle is
        // the window's: so the pane ends just right of that, and its left edge lies
        // outside every window. The rows stand 242.67 apart from y = 20 in any window.
        const float middle = 1366.f / 2.f;
        const sf::FloatRect pane(-40.f, 10.f, middle - 14.f + 40.f, 714.f);
        canvas.FillRoundedRectangle(pane, 18.f, Hex(0x0a1230, 115));
        canvas.OutlineRoundedRectangle(pane, 18.f, 1.5f, Hex(0x6f8fc8, 200));
        for (int row = 1; row < 3; ++row)
            canvas.FillRectangle(sf::FloatRect(0.f, 243.f + float(row - 1) * 242.66667f, middle - 34.f, 1.f),
                                 Hex(0x6f8fc8, 110));

        // The title and the help stand over the ok and cancel buttons, whose pair
        // is centred 252 pixels right of the window's middle in any window.
        const float centre = middle + 252.f;
        GlowingTitle(canvas, "OPTIONS", 64, 8.f, centre, 100.f, Hex(0xffffff), Hex(0x8fe3ff), Hex(0x2a8fd0), 6);
        const TextStyle help = Style(19, Hex(0xdfe8ff)).WithShadow(sf::Color(0, 0, 0, 200), {1.f, 1.f});
        canvas.TextCentered("Click a dial to turn it up,\nright-click to turn it down.", {centre - 250.f, 420.f, 500.f, 60.f}, help);
        canvas.TextCentered("OK keeps your choices;\nCANCEL or Escape goes back\nwithout saving them.",
                            {centre - 250.f, 490.f, 500.f, 100.f}, help);
        canvas.Save(root, "resources/gui/screens/option/background.jpg");
    }

    // Six labels of 200 x 64, one under each dial, in the order of the dials.
    void OptionLabels(const std::filesystem::path& root)
    {
        const char* const labels[6][2] = {{"MUSIC VOLUME", "0 \xE2\x80\x93 100 %"}, {"SOUND VOLUME", "0 \xE2\x80\x93 100 %"},
                                          {"COLOUR DEPTH", "16 bit \xC2\xB7 32 bit"}, {"FULL SCREEN", "off \xC2\xB7 on"},
                                          {"VERTICAL SYNC", "off \xC2\xB7 on"},        {"SWAP MOUSE BUTTONS", "off \xC2\xB7 on"}};
        Canvas canvas(200, 6 * 64);
        for (int i = 0; i < 6; ++i)
        {
            const float top = float(i * 64);
            TextStyle title = Style(17, Hex(0xffffff), Content::Font::Bold).WithShadow(sf::Color(0, 0, 0, 230), {1.f, 1.f});
            while (title.size > 10 && Canvas::MeasureText(labels[i][0], title).x > 190.f)
                --title.size;
            canvas.TextCentered(labels[i][0], {0.f, top + 14.f, 200.f, 20.f}, title);
            canvas.TextCentered(labels[i][1], {0.f, top + 36.f, 200.f, 18.f},
                                Style(13, Hex(0x8fe3ff)).WithShadow(sf::Color(0, 0, 0, 230), {1.f, 1.f}));
        }
        canvas.Save(root, "resources/gui/screens/option/option_tags.png");
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
