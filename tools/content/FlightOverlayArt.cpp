// The cockpit frame of the flight screens, "resources|gui|screens|flight|gui.png":
// 1024 x 768, drawn centred over the level. The play field to the right of the
// console stays clear; the console on the left (204 pixels wide) carries the
// bays in which the screen places its instruments:
//   - the score counter (160 x 32) at (22, 35), under the label "SCORE";
//   - the boss dial (its face 128 x 128, its bezel 144 across) at (38, 588),
//     under the label "BOSS".
// Between them a radar scope, the fleet emblem and a cooling grille; a thin
// frame with corner brackets runs round the play field.
#include "Canvas.hpp"
#include "Generator.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace
{
    using Content::Canvas;
    using Content::Hex;
    using Content::Mix;
    using Content::Pi;
    using Content::Shade;
    using Content::Style;
    using Content::WithAlpha;

    const float width = 1024.f;
    const float height = 768.f;
    const float console = 204.f;
    // The instruments' places (top left corners) and the dial's centre.
    const sf::Vector2f counterAt(22.f, 35.f);
    const sf::Vector2f counterSize(160.f, 32.f);
    const sf::Vector2f dialCentre(38.f + 64.f, 588.f + 64.f);

    const sf::Color steelTop = Hex(0x263247);
    const sf::Color steelBottom = Hex(0x121926);
    const sf::Color edgeLight = Hex(0x8fa3c4);
    const sf::Color cyan = Hex(0x4fe6ff);

    void Rivet(Canvas& c, const sf::Vector2f& at)
    {
        c.FillCircle(at + sf::Vector2f(0.8f, 1.f), 3.f, sf::Color(0, 0, 0, 140));
        c.RadialGradient(at, 2.8f, Hex(0xb8c6dc), Hex(0x3c475a));
        c.FillCircle(at - sf::Vector2f(0.8f, 0.8f), 0.9f, Hex(0xeef4ff));
    }

    // A recess in the console: dark, with the shadow of its upper edge inside
    // and a lit lower lip.
    void Recess(Canvas& c, const sf::FloatRect& box, float radius)
    {
        c.FillRoundedRectangle(sf::FloatRect(box.left - 2.f, box.top - 2.f, box.width + 4.f, box.height + 4.f),
                               radius + 2.f, Hex(0x070a10));
        c.GradientRectangle(box, Hex(0x05070b), Hex(0x141b28), true, radius);
        c.FillRectangle(sf::FloatRect(box.left + radius, box.top + box.height - 1.f, box.width - 2.f * radius, 1.f),
                        WithAlpha(edgeLight, 120));
    }

    // Capitals with room between them, centred on x.
    void Label(Canvas& c, const std::string& text, float centreX, float top, const sf::Color& colour, unsigned size)
    {
        const Content::TextStyle style = Style(size, colour, Content::Font::Bold).WithShadow(sf::Color(0, 0, 0, 200), {1.f, 1.f});
        std::string spaced;
        for (std::size_t i = 0; i < text.size(); ++i)
        {
            spaced += text[i];
            if (i + 1 < text.size())
                spaced += ' ';
        }
        c.Text(spaced, {centreX, top}, style, Content::Align::Center);
    }

    // A framed label plate: a small dark plate with a coloured lamp strip on each side.
    void LabelPlate(Canvas& c, const std::string& text, float top, const sf::Color& colour)
    {
        const sf::FloatRect plate(console / 2.f - 58.f, top, 116.f, 20.f);
        c.FillRoundedRectangle(plate, 5.f, Hex(0x0a0e16, 230));
        c.OutlineRoundedRectangle(plate, 5.f, 1.f, WithAlpha(colour, 140));
        for (float x : {plate.left + 8.f, plate.left + plate.width - 8.f})
        {
            c.RadialGradient({x, top + 10.f}, 6.f, WithAlpha(colour, 150), WithAlpha(colour, 0));
            c.FillCircle({x, top + 10.f}, 2.2f, Mix(colour, sf::Color::White, 0.4f));
        }
        Label(c, text, console / 2.f, top + 3.f, colour, 12);
    }

    void Seam(Canvas& c, float y)
    {
        c.FillRectangle(sf::FloatRect(6.f, y, console - 20.f, 1.f), Hex(0x05070c));
        c.FillRectangle(sf::FloatRect(6.f, y + 1.f, console - 20.f, 1.f), WithAlpha(edgeLight, 70));
        Rivet(c, {14.f, y - 6.f});
        Rivet(c, {console - 14.f, y - 6.f});
        Rivet(c, {14.f, y + 8.f});
        Rivet(c, {console - 14.f, y + 8.f});
    }

    void Radar(Canvas& c, const sf::Vector2f& centre, float radius)
    {
        // Bezel.
        c.FillCircle(centre + sf::Vector2f(2.f, 3.f), radius + 9.f, sf::Color(0, 0, 0, 120));
        c.RadialGradient(centre, radius + 8.f, Hex(0x6d7c96), Hex(0x262e3e));
        c.OutlineCircle(centre, radius + 8.f, 1.f, Hex(0x0a0d14));
        c.OutlineCircle(centre, radius + 1.f, 2.f, Hex(0x05070b));
        // Glass.
        c.RadialGradient(centre, radius, Hex(0x0e3a26), Hex(0x03110b));
        const sf::Color line = Hex(0x3cff8a, 70);
        for (float r : {radius * 0.33f, radius * 0.66f})
            c.OutlineCircle(centre, r, 1.f, line);
        c.Line(centre - sf::Vector2f(radius - 4.f, 0.f), centre + sf::Vector2f(radius - 4.f, 0.f), 1.f, line);
        c.Line(centre - sf::Vector2f(0.f, radius - 4.f), centre + sf::Vector2f(0.f, radius - 4.f), 1.f, line);
        for (int i = 0; i < 36; ++i)
        {
            const float a = float(i) / 36.f * 2.f * Pi;
            const float inner = i % 3 == 0 ? radius - 8.f : radius - 4.f;
            c.Line(centre + sf::Vector2f(inner * std::cos(a), inner * std::sin(a)),
                   centre + sf::Vector2f((radius - 1.f) * std::cos(a), (radius - 1.f) * std::sin(a)), 1.f,
                   Hex(0x3cff8a, 110));
        }
        // The sweep: a bright edge with its afterglow trailing behind it.
        const float edge = -0.35f * Pi;
        for (int i = 0; i < 60; ++i)
        {
            const float a = edge - float(i) * 0.012f;
            c.Line(centre, centre + sf::Vector2f((radius - 2.f) * std::cos(a), (radius - 2.f) * std::sin(a)), 2.f,
                   Hex(0x3cff8a, std::uint8_t(70.f * (1.f - float(i) / 60.f))));
        }
        c.Line(centre, centre + sf::Vector2f((radius - 2.f) * std::cos(edge), (radius - 2.f) * std::sin(edge)), 1.6f,
               Hex(0xb8ffd4, 220));
        c.FillCircle(centre, 3.f, Hex(0xb8ffd4));
        // A glint on the glass.
        c.RadialGradient(centre + sf::Vector2f(-radius * 0.4f, -radius * 0.45f), radius * 0.45f,
                         sf::Color(255, 255, 255, 40), sf::Color(255, 255, 255, 0));
    }

    // The fleet's emblem: a pair of swept wings round a star, and the name below.
    void Emblem(Canvas& c, const sf::Vector2f& centre)
    {
        for (float side : {-1.f, 1.f})
        {
            std::vector<sf::Vector2f> wing;
            const float xs[] = {6.f, 58.f, 52.f, 44.f, 36.f, 8.f};
            const float ys[] = {-6.f, -20.f, -10.f, -4.f, 4.f, 8.f};
            for (int i = 0; i < 6; ++i)
                wing.push_back(centre + sf::Vector2f(side * xs[i], ys[i]));
            c.FillPolygon(wing, Hex(0x9fb4d6));
            for (int f = 0; f < 3; ++f)
                c.Line(centre + sf::Vector2f(side * (20.f + 10.f * float(f)), -6.f - 3.f * float(f)),
                       centre + sf::Vector2f(side * (16.f + 9.f * float(f)), 5.f - 1.f * float(f)), 1.2f,
                       Hex(0x3a4a66));
        }
        std::vector<sf::Vector2f> star;
        for (int i = 0; i < 10; ++i)
        {
            const float a = -Pi / 2.f + float(i) * Pi / 5.f;
            const float r = i % 2 == 0 ? 13.f : 5.5f;
            star.push_back(centre + sf::Vector2f(r * std::cos(a), r * std::sin(a)));
        }
        c.RadialGradient(centre, 20.f, WithAlpha(cyan, 110), WithAlpha(cyan, 0));
        c.FillPolygon(star, Hex(0xffd45a));
        c.Text("QUORVALLIS", {centre.x, centre.y + 22.f},
               Style(15, Hex(0xc9d6ee), Content::Font::Serif).WithShadow(sf::Color(0, 0, 0, 200), {1.f, 1.f}),
               Content::Align::Center);
        c.Text("FLEET  INTERCEPTOR", {centre.x, centre.y + 42.f}, Style(9, Hex(0x6f8fc8), Content::Font::Bold),
               Content::Align::Center);
    }

    void Grille(Canvas& c, float top, unsigned rows)
    {
        for (unsigned r = 0; r < rows; ++r)
        {
            const float y = top + float(r) * 11.f;
            const sf::FloatRect slot(30.f, y, console - 60.f, 5.f);
            c.FillRoundedRectangle(slot, 2.5f, Hex(0x04060a));
            c.FillRectangle(sf::FloatRect(slot.left + 2.f, y + 5.f, slot.width - 4.f, 1.f), WithAlpha(edgeLight, 90));
        }
    }

    void Hazard(Canvas& c, float top, float bandHeight)
    {
        const sf::FloatRect band(10.f, top, console - 20.f, bandHeight);
        c.FillRectangle(band, Hex(0x1a1a10));
        for (float x = band.left - bandHeight; x < band.left + band.width; x += 16.f)
        {
            std::vector<sf::Vector2f> stripe{{x, top + bandHeight}, {x + bandHeight, top}, {x + bandHeight + 8.f, top},
                                             {x + 8.f, top + bandHeight}};
            for (auto& p : stripe)
                p.x = std::min(std::max(p.x, band.left), band.left + band.width);
            c.FillPolygon(stripe, Hex(0xe0b030, 200));
        }
        c.OutlineRectangle(band, 1.f, Hex(0x05070b));
    }

    void Console(Canvas& c)
    {
        const sf::FloatRect panel(0.f, 0.f, console, height);
        c.GradientRectangle(panel, steelTop, steelBottom);
        // Brushed metal: fine horizontal streaks and grain.
        Content::Random random(9);
        for (int i = 0; i < 260; ++i)
        {
            const float y = random.Between(0.f, height);
            const float x = random.Between(0.f, console - 30.f);
            c.FillRectangle(sf::FloatRect(x, y, random.Between(10.f, 40.f), 1.f),
                            sf::Color(255, 255, 255, std::uint8_t(random.Between(4.f, 12.f))));
        }
        c.Grain(panel, 0.04f, 17);
        // The bevelled edge towards the play field and the shadow the console
        // throws onto it.
        for (int i = 0; i < 14; ++i)
            c.FillRectangle(sf::FloatRect(console + float(i), 0.f, 1.f, height),
                            sf::Color(0, 0, 0, std::uint8_t(110.f * (1.f - float(i) / 14.f))));
        c.GradientRectangle(sf::FloatRect(console - 8.f, 0.f, 8.f, height), Hex(0x3a4862), Hex(0x1c2434), false);
        c.FillRectangle(sf::FloatRect(console - 8.f, 0.f, 1.f, height), WithAlpha(edgeLight, 160));
        c.FillRectangle(sf::FloatRect(console - 1.f, 0.f, 1.f, height), Hex(0x06080c));
        // A cyan light strip along the edge, strongest at both instruments.
        for (int y = 0; y < int(height); ++y)
        {
            const float near = std::max(std::exp(-std::pow((float(y) - 51.f) / 90.f, 2.f)),
                                        std::exp(-std::pow((float(y) - 652.f) / 110.f, 2.f)));
            c.BlendPixel(int(console) - 4, y, cyan, 0.35f + 0.55f * near);
            c.BlendPixel(int(console) - 5, y, cyan, 0.15f + 0.3f * near);
        }
        c.OutlineRectangle(sf::FloatRect(0.f, 0.f, console - 8.f, height), 2.f, Hex(0x06080c));
        c.OutlineRectangle(sf::FloatRect(2.f, 2.f, console - 12.f, height - 4.f), 1.f, WithAlpha(edgeLight, 60));

        // The score: label, and the bay the counter sits in.
        LabelPlate(c, "SCORE", 9.f, cyan);
        Recess(c, sf::FloatRect(counterAt.x - 8.f, counterAt.y - 6.f, counterSize.x + 16.f, counterSize.y + 12.f), 9.f);
        Seam(c, 92.f);

        Radar(c, {console / 2.f - 4.f, 196.f}, 70.f);
        Emblem(c, {console / 2.f - 4.f, 318.f});
        Grille(c, 392.f, 10);
        Hazard(c, 518.f, 12.f);
        Seam(c, 540.f);

        // The boss dial: its label and a round bay with a lit rim.
        LabelPlate(c, "BOSS", 553.f, Hex(0xff7a4a));
        c.FillCircle(dialCentre + sf::Vector2f(1.f, 2.f), 80.f, sf::Color(0, 0, 0, 140));
        c.RadialGradient(dialCentre, 79.f, Hex(0x2c3548), Hex(0x4a5874));
        c.OutlineCircle(dialCentre, 79.f, 1.f, Hex(0x06080c));
        c.RadialGradient(dialCentre, 73.f, Hex(0x0c1018), Hex(0x05070b));
        c.OutlineCircle(dialCentre, 73.5f, 1.f, WithAlpha(edgeLight, 110));
        // While no boss is about the bay shows an idle screen; the dial covers it.
        for (float r : {22.f, 44.f})
            c.OutlineCircle(dialCentre, r, 1.f, Hex(0xff7a4a, 40));
        c.Text("STANDBY", {dialCentre.x, dialCentre.y - 7.f}, Style(11, Hex(0xff7a4a, 120), Content::Font::Bold),
               Content::Align::Center);
        for (int i = 0; i < 4; ++i)
        {
            const float a = Pi / 4.f + float(i) * Pi / 2.f;
            Rivet(c, dialCentre + sf::Vector2f(77.f * std::cos(a), 77.f * std::sin(a)));
        }
        c.Text("QV-000", {console / 2.f - 4.f, height - 24.f}, Style(10, Hex(0x6f8fc8, 200), Content::Font::Mono),
               Content::Align::Center);
        for (float x : {14.f, console - 22.f})
            Rivet(c, {x, height - 16.f});
    }

    // A thin frame round the play field and brackets in its corners.
    void FieldFrame(Canvas& c)
    {
        const sf::FloatRect field(console, 0.f, width - console, height);
        c.FillRectangle(sf::FloatRect(field.left, 0.f, field.width, 3.f), Hex(0x1c2434));
        c.FillRectangle(sf::FloatRect(field.left, height - 3.f, field.width, 3.f), Hex(0x1c2434));
        c.FillRectangle(sf::FloatRect(width - 3.f, 0.f, 3.f, height), Hex(0x1c2434));
        c.FillRectangle(sf::FloatRect(field.left, 3.f, field.width - 3.f, 1.f), WithAlpha(cyan, 110));
        c.FillRectangle(sf::FloatRect(field.left, height - 4.f, field.width - 3.f, 1.f), WithAlpha(cyan, 110));
        c.FillRectangle(sf::FloatRect(width - 4.f, 3.f, 1.f, height - 6.f), WithAlpha(cyan, 110));
        const float inset = 10.f;
        const float arm = 30.f;
        const sf::Color bracket = WithAlpha(cyan, 190);
        const float l = field.left + inset + 6.f, r = width - inset, t = inset, b = height - inset;
        for (const sf::Vector2f corner : {sf::Vector2f(l, t), sf::Vector2f(r, t), sf::Vector2f(l, b), sf::Vector2f(r, b)})
        {
            const float sx = corner.x < width / 2.f ? 1.f : -1.f;
            const float sy = corner.y < height / 2.f ? 1.f : -1.f;
            c.Line(corner, corner + sf::Vector2f(sx * arm, 0.f), 2.5f, bracket);
            c.Line(corner, corner + sf::Vector2f(0.f, sy * arm), 2.5f, bracket);
        }
    }

    void Generate(const std::filesystem::path& root)
    {
        Canvas canvas{unsigned(width), unsigned(height)};
        FieldFrame(canvas);
        Console(canvas);
        canvas.Save(root, "resources|gui|screens|flight|gui.png");
    }

    const Content::Registration registration("flight-overlay", &Generate);
}
