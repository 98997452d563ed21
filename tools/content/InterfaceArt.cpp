// The shared pieces of the menus: the backdrop of the campaign screens, their
// exit button, the scroll arrows, the dials (faces, frames and needle) and the
// score counter with its digit strip.
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
    using Content::Pi;
    using Content::Style;
    using Content::TextStyle;

    // The four looks of a menu button, in the order of the picture's quarters.
    struct Look
    {
        sf::Color top, bottom, border, symbol;
        float borderWidth;
        float pressed; // how far the symbol sinks in
        bool glow;
    };

    const Look looks[4] = {
        {Hex(0x1c2f5c, 235), Hex(0x0c1530, 235), Hex(0x7f9cc8), Hex(0xe8eeff), 2.f, 0.f, false}, // idle
        {Hex(0x3a78c8, 245), Hex(0x1c3f80, 245), Hex(0xffffff), Hex(0xffffff), 2.f, 1.f, false}, // clicked
        {Hex(0x1f4a86, 240), Hex(0x0f2148, 240), Hex(0x4fe6ff), Hex(0xffe08a), 3.f, 0.f, true},  // focused
        {Hex(0x3a3d45, 215), Hex(0x24262c, 215), Hex(0x6a6e78), Hex(0x8d919b), 2.f, 0.f, false}, // disabled
    };

    // A button picture of four looks, each `size` square, with a symbol painted
    // by `symbol` into the rectangle it is given.
    template <typename Symbol>
    void SaveSquareButton(const std::filesystem::path& root, const std::string& file, unsigned size, Symbol symbol)
    {
        Canvas picture(size * 2, size * 2);
        for (unsigned index = 0; index < 4; ++index)
        {
            const Look& look = looks[index];
            Canvas quarter(size, size);
            const float inset = 3.f;
            const sf::FloatRect panel(inset, inset, float(size) - 2.f * inset, float(size) - 2.f * inset);
            if (look.glow)
                quarter.DropShadow(panel, 9.f, 3.f, Hex(0x4fe6ff, 160));
            else
                quarter.DropShadow(sf::FloatRect(panel.left + 1.f, panel.top + 2.f, panel.width, panel.height), 9.f,
                                   2.f, sf::Color(0, 0, 0, 140));
            quarter.Panel(panel, 8.f, look.top, look.bottom, look.border, look.borderWidth);
            const sf::FloatRect inner(panel.left + look.pressed, panel.top + look.pressed, panel.width, panel.height);
            symbol(quarter, inner, look.symbol);
            picture.Draw(quarter, int(index % 2) * int(size), int(index / 2) * int(size));
        }
        picture.Save(root, file);
    }

    void CrossSymbol(Canvas& canvas, const sf::FloatRect& box, const sf::Color& colour)
    {
        const float cx = box.left + box.width / 2.f;
        const float cy = box.top + box.height / 2.f;
        const float arm = box.width * 0.22f;
        const sf::Color shadow(0, 0, 0, 150);
        canvas.Line({cx - arm + 1.f, cy - arm + 2.f}, {cx + arm + 1.f, cy + arm + 2.f}, 5.f, shadow);
        canvas.Line({cx + arm + 1.f, cy - arm + 2.f}, {cx - arm + 1.f, cy + arm + 2.f}, 5.f, shadow);
        canvas.Line({cx - arm, cy - arm}, {cx + arm, cy + arm}, 5.f, colour);
        canvas.Line({cx + arm, cy - arm}, {cx - arm, cy + arm}, 5.f, colour);
    }

    void ArrowSymbol(Canvas& canvas, const sf::FloatRect& box, const sf::Color& colour, bool up)
    {
        const float cx = box.left + box.width / 2.f;
        const float cy = box.top + box.height / 2.f;
        const float w = box.width * 0.26f;
        const float h = box.height * 0.22f;
        const float dir = up ? -1.f : 1.f;
        auto triangle = [&](float dx, float dy) {
            return std::vector<sf::Vector2f>{{cx + dx, cy + dir * h + dy}, {cx + w + dx, cy - dir * h + dy},
                                             {cx - w + dx, cy - dir * h + dy}};
        };
        canvas.FillPolygon(triangle(1.f, 2.f), sf::Color(0, 0, 0, 150));
        canvas.FillPolygon(triangle(0.f, 0.f), colour);
    }

    // ---- dials ------------------------------------------------------------
    // A dial face is 128 pixels square; the needle turns about the middle of its
    // lower edge and sweeps from 120 degrees (value 0) to 60 degrees (value 1).
    const sf::Vector2f pivot(64.f, 128.f);
    const sf::Vector2f centre(64.f, 64.f);

    float AngleOf(float value)
    {
        return (120.f - 60.f * value) * Pi / 180.f;
    }

    sf::Vector2f OnArc(float value, float radius)
    {
        const float angle = AngleOf(value);
        return sf::Vector2f(pivot.x + radius * std::cos(angle), pivot.y - radius * std::sin(angle));
    }

    // The coloured band along the scale, from value `from` to `to`.
    template <typename Tone>
    void Band(Canvas& face, float from, float to, float inner, float outer, Tone tone)
    {
        const int steps = 48;
        for (int i = 0; i < steps; ++i)
        {
            const float a = from + (to - from) * float(i) / steps;
            const float b = from + (to - from) * float(i + 1) / steps;
            face.FillPolygon({OnArc(a, inner), OnArc(a, outer), OnArc(b, outer), OnArc(b, inner)},
                             tone((a + b) / 2.f));
        }
    }

    void Ticks(Canvas& face, int intervals, int minorPerInterval, const sf::Color& colour)
    {
        const int total = intervals * minorPerInterval;
        for (int i = 0; i <= total; ++i)
        {
            const float value = float(i) / float(total);
            const bool major = i % minorPerInterval == 0;
            face.Line(OnArc(value, major ? 80.f : 84.f), OnArc(value, 95.f), major ? 2.f : 1.f, colour);
        }
    }

    void Caption(Canvas& face, const std::string& text, float value, float radius, unsigned size,
                 const sf::Color& colour)
    {
        const sf::Vector2f at = OnArc(value, radius);
        face.TextCentered(text, sf::FloatRect(at.x - 20.f, at.y - 9.f, 40.f, 18.f),
                          Style(size, colour, Content::Font::Bold).WithShadow(sf::Color(0, 0, 0, 200), {1.f, 1.f}));
    }

    Canvas BlankFace(const sf::Color& inner, const sf::Color& outer)
    {
        Canvas face(128, 128);
        face.RadialGradient(centre, 60.f, inner, outer);
        face.OutlineCircle(centre, 52.f, 1.f, Hex(0x4f6a9a, 90));
        face.Grain(face.Bounds(), 0.03f, 7);
        return face;
    }

    Canvas Face(int variant)
    {
        Canvas face = BlankFace(Hex(0x1e2d55), Hex(0x070c1c));
        const sf::Color tick = Hex(0xdfe8ff);
        const sf::Color label = Hex(0xdfe8ff);
        switch (variant)
        {
        case 0: // off and on
            Band(face, 0.f, 0.48f, 86.f, 94.f, [](float) { return Hex(0xc8412f); });
            Band(face, 0.52f, 1.f, 86.f, 94.f, [](float) { return Hex(0x3fc85a); });
            Ticks(face, 1, 1, tick);
            Caption(face, "OFF", 0.05f, 68.f, 11, Hex(0xff8a78));
            Caption(face, "ON", 0.95f, 68.f, 11, Hex(0x8affa0));
            break;
        case 1: // a volume scale
            Band(face, 0.f, 1.f, 88.f, 94.f, [](float v) { return Content::Mix(Hex(0x1d4f7a), Hex(0x4fe6ff), v); });
            Ticks(face, 4, 2, tick);
            Caption(face, "0", 0.02f, 68.f, 11, label);
            Caption(face, "100", 0.98f, 68.f, 11, label);
            face.TextCentered("VOL", sf::FloatRect(44.f, 84.f, 40.f, 14.f), Style(10, Hex(0x8fe3ff), Content::Font::Bold));
            break;
        case 2: // health, red to green
            Band(face, 0.f, 1.f, 86.f, 94.f, [](float v) {
                return v < 0.5f ? Content::Mix(Hex(0xd8302a), Hex(0xf2c23a), v * 2.f)
                                : Content::Mix(Hex(0xf2c23a), Hex(0x3fd05a), (v - 0.5f) * 2.f);
            });
            Ticks(face, 4, 1, tick);
            Caption(face, "E", 0.02f, 68.f, 11, Hex(0xff8a78));
            Caption(face, "F", 0.98f, 68.f, 11, Hex(0x8affa0));
            face.TextCentered("BOSS", sf::FloatRect(40.f, 84.f, 48.f, 14.f), Style(10, Hex(0xffc45e), Content::Font::Bold));
            break;
        default: // two settings
            Band(face, 0.f, 0.3f, 86.f, 94.f, [](float) { return Hex(0xffc45e); });
            Band(face, 0.7f, 1.f, 86.f, 94.f, [](float) { return Hex(0x4fe6ff); });
            Ticks(face, 1, 1, tick);
            Caption(face, "16", 0.04f, 68.f, 12, Hex(0xffd98a));
            Caption(face, "32", 0.96f, 68.f, 12, Hex(0x9ff0ff));
            face.TextCentered("BIT", sf::FloatRect(44.f, 84.f, 40.f, 14.f), Style(10, Hex(0x8fe3ff), Content::Font::Bold));
            break;
        }
        return face;
    }

    Canvas DisabledFace()
    {
        Canvas face = BlankFace(Hex(0x3a3d45), Hex(0x17181c));
        Band(face, 0.f, 1.f, 88.f, 94.f, [](float) { return Hex(0x55585f); });
        Ticks(face, 4, 1, Hex(0x7a7e88));
        face.TextCentered("- -", sf::FloatRect(44.f, 84.f, 40.f, 14.f), Style(10, Hex(0x7a7e88), Content::Font::Bold));
        return face;
    }

    // The bezel around a face, with the hub that covers the needle's foot and a
    // glassy sheen; drawn over face and needle.
    Canvas Frame(unsigned size, const sf::Color& light, const sf::Color& dark, const sf::Color& hub, bool glass,
                 bool glow)
    {
        Canvas frame(size, size);
        // The shadow the dial casts to the lower right.
        for (int i = 6; i >= 1; --i)
            frame.OutlineCircle({centre.x + 5.f, centre.y + 5.f}, 64.f + float(i), 2.f,
                                sf::Color(0, 0, 0, sf::Uint8(22 * (7 - i) / 2)));
        if (glow)
        {
            // The light of the focus falls inwards over the face: the dial's top
            // and left edges are the picture's, so nothing may reach past them.
            for (int i = 0; i < 10; ++i)
                frame.OutlineCircle(centre, 57.5f - float(i), 1.2f, Content::WithAlpha(Hex(0x4fe6ff), sf::Uint8(120 - 12 * i)));
            frame.OutlineCircle(centre, 65.5f, 2.f, Hex(0x4fe6ff, 230));
        }
        // The bezel: light from the upper left.
        for (int ring = 0; ring < 7; ++ring)
        {
            const float r = 58.f + float(ring);
            const float t = float(ring) / 6.f;
            frame.OutlineCircle(centre, r, 1.5f, Content::Mix(dark, light, 0.35f + 0.65f * std::sin(t * Pi)));
        }
        frame.OutlineCircle(centre, 58.f, 1.f, Content::Shade(dark, -0.5f));
        frame.OutlineCircle(centre, 64.5f, 1.f, Content::Shade(light, 0.3f));
        for (int i = 0; i < 40; ++i)
        {
            // The sheen on the upper left of the bezel.
            const float a = (150.f + float(i) * 2.f) * Pi / 180.f;
            frame.BlendPixel(int(centre.x + 61.f * std::cos(a)), int(centre.y - 61.f * std::sin(a)), sf::Color::White,
                             0.45f);
        }
        if (glass)
        {
            for (int y = 8; y < 50; ++y)
                for (int x = 12; x < 100; ++x)
                {
                    const float dx = (float(x) - 52.f) / 46.f;
                    const float dy = (float(y) - 40.f) / 30.f;
                    const float inside = std::hypot(float(x) - centre.x, float(y) - centre.y);
                    if (dx * dx + dy * dy < 1.f && inside < 56.f)
                        frame.BlendPixel(x, y, sf::Color::White, 0.07f * (1.f - (float(y) - 8.f) / 42.f));
                }
        }
        // The hub over the needle's foot.
        frame.FillCircle({pivot.x + 1.f, pivot.y - 3.f}, 10.f, sf::Color(0, 0, 0, 120));
        frame.RadialGradient({pivot.x, pivot.y - 4.f}, 9.f, Content::Shade(hub, 0.5f), hub);
        frame.OutlineCircle({pivot.x, pivot.y - 4.f}, 9.f, 1.f, Content::Shade(hub, -0.5f));
        return frame;
    }

    void GaugeParts(const std::filesystem::path& root)
    {
        Canvas parts(416, 480);
        parts.Draw(Frame(144, Hex(0xc9d6ee), Hex(0x39445c), Hex(0x8c9bb8), true, false), 0, 0);
        parts.Draw(Frame(160, Hex(0xbff6ff), Hex(0x1f5a86), Hex(0xffc45e), true, true), 0, 160);
        parts.Draw(Frame(160, Hex(0x8d919b), Hex(0x3a3d45), Hex(0x6a6e78), false, false), 0, 320);
        parts.Draw(Face(1), 160, 0);
        parts.Draw(Face(0), 288, 0);
        parts.Draw(Face(3), 160, 128);
        parts.Draw(Face(2), 288, 128);
        parts.Draw(DisabledFace(), 160, 256);
        parts.Save(root, "resources|gui|screens|shared|gauge|parts.png");

        // The needle points to the right from its pivot at (0, 16).
        Canvas needle(96, 32);
        needle.FillPolygon({{0.f, 12.5f}, {14.f, 13.f}, {90.f, 15.5f}, {90.f, 16.5f}, {14.f, 19.f}, {0.f, 19.5f}},
                           Hex(0xff5a36));
        needle.FillPolygon({{0.f, 13.f}, {14.f, 13.5f}, {88.f, 15.8f}, {14.f, 15.6f}, {0.f, 15.6f}}, Hex(0xffb08a));
        needle.Save(root, "resources|gui|screens|shared|gauge|pointer.png");
    }

    // ---- score counter ------------------------------------------------------
    // Glyph d of the digit strip stands at (19 + 12 d, 9), 11 by 14 pixels: the
    // counter cuts its wheels from these cells and lays them over the same spots.
    void ScoreCounter(const std::filesystem::path& root)
    {
        Canvas counter(160, 32);
        counter.DropShadow(sf::FloatRect(2.f, 3.f, 156.f, 28.f), 7.f, 2.f, sf::Color(0, 0, 0, 150));
        counter.Panel(sf::FloatRect(1.f, 1.f, 158.f, 29.f), 7.f, Hex(0x34405a), Hex(0x161c2c), Hex(0x8c9bb8), 1.5f);
        counter.FillRoundedRectangle(sf::FloatRect(16.f, 6.f, 127.f, 20.f), 3.f, Hex(0x020805));
        counter.OutlineRoundedRectangle(sf::FloatRect(15.f, 5.f, 129.f, 22.f), 4.f, 1.f, Hex(0x0a0f1a));
        // Rivets at both ends.
        for (float x : {8.f, 151.f})
        {
            counter.FillCircle({x, 16.f}, 3.f, Hex(0x5d6a86));
            counter.FillCircle({x - 0.7f, 15.3f}, 1.2f, Hex(0xc9d6ee));
        }
        TextStyle digit = Style(14, Hex(0x7dff9a), Content::Font::Mono);
        for (int d = 0; d < 10; ++d)
        {
            const sf::FloatRect cell(float(19 + 12 * d), 9.f, 11.f, 14.f);
            counter.FillRectangle(cell, Hex(0x06140c));
            counter.FillRectangle(sf::FloatRect(cell.left, cell.top, cell.width, 1.f), Hex(0x0f2a18));
            counter.TextCentered(std::to_string(d), cell, digit);
        }
        counter.Save(root, "resources|gui|screens|shared|score_counter.png");
    }

    // ---- backdrop -------------------------------------------------------------
    void Backdrop(const std::filesystem::path& root)
    {
        const unsigned width = 1024;
        const unsigned height = 768;
        Canvas canvas(width, height);
        canvas.GradientRectangle(canvas.Bounds(), Hex(0x0a1330), Hex(0x03060f));
        canvas.Stars(canvas.Bounds(), 260, 41, Hex(0xbcd4ff));
        // A faint grid of the ship's console.
        for (unsigned x = 32; x < width; x += 64)
            canvas.FillRectangle(sf::FloatRect(float(x), 0.f, 1.f, float(height)), Hex(0x4f6a9a, 22));
        for (unsigned y = 32; y < height; y += 64)
            canvas.FillRectangle(sf::FloatRect(0.f, float(y), float(width), 1.f), Hex(0x4f6a9a, 22));
        // Darker towards the edges.
        for (unsigned y = 0; y < height; ++y)
            for (unsigned x = 0; x < width; ++x)
            {
                const float dx = (float(x) - width / 2.f) / (width / 2.f);
                const float dy = (float(y) - height / 2.f) / (height / 2.f);
                const float edge = std::min(1.f, std::max(0.f, (dx * dx + dy * dy - 0.45f) * 0.8f));
                canvas.BlendPixel(int(x), int(y), Hex(0x010208), edge);
            }
        // The header strip that carries the cash line, and the working area below.
        canvas.GradientRectangle(sf::FloatRect(0.f, 0.f, float(width), 52.f), Hex(0x1c2f5c, 230), Hex(0x0c1530, 230));
        canvas.FillRectangle(sf::FloatRect(0.f, 52.f, float(width), 2.f), Hex(0x4fe6ff, 170));
        canvas.FillRectangle(sf::FloatRect(0.f, 54.f, float(width), 3.f), Hex(0x000000, 110));
        const sf::FloatRect area(24.f, 76.f, float(width) - 48.f, float(height) - 104.f);
        canvas.FillRoundedRectangle(area, 18.f, Hex(0x0a1230, 120));
        canvas.OutlineRoundedRectangle(area, 18.f, 1.5f, Hex(0x6f8fc8, 170));
        // Corner brackets.
        const sf::Color bracket = Hex(0x4fe6ff, 200);
        const float l = area.left - 6.f, t = area.top - 6.f, r = area.left + area.width + 6.f,
                    b = area.top + area.height + 6.f;
        for (const auto& corner : {sf::Vector2f(l, t), sf::Vector2f(r, t), sf::Vector2f(l, b), sf::Vector2f(r, b)})
        {
            const float sx = corner.x < width / 2.f ? 1.f : -1.f;
            const float sy = corner.y < height / 2.f ? 1.f : -1.f;
            canvas.Line(corner, {corner.x + sx * 36.f, corner.y}, 3.f, bracket);
            canvas.Line(corner, {corner.x, corner.y + sy * 36.f}, 3.f, bracket);
        }
        canvas.Text("QUORVALLIS  FLEET  COMMAND", {area.left + 20.f, area.top + area.height - 30.f},
                    Style(14, Hex(0x6f8fc8, 200), Content::Font::Bold), Content::Align::Left);
        canvas.Save(root, "resources|gui|screens|common_backdrop.jpg");
    }

    void Generate(const std::filesystem::path& root)
    {
        SaveSquareButton(root, "resources|gui|screens|buttons|exit.png", 48, &CrossSymbol);
        SaveSquareButton(root, "resources|gui|screens|buttons|scroll_up.png", 40,
                         [](Canvas& c, const sf::FloatRect& box, const sf::Color& colour) {
                             ArrowSymbol(c, box, colour, true);
                         });
        SaveSquareButton(root, "resources|gui|screens|buttons|scroll_down.png", 40,
                         [](Canvas& c, const sf::FloatRect& box, const sf::Color& colour) {
                             ArrowSymbol(c, box, colour, false);
                         });
        GaugeParts(root);
        ScoreCounter(root);
        Backdrop(root);
    }

    const Content::Registration registration("interface", &Generate);
}
