// The pictures of the equipment: the shots every weapon fires (drawn pointing
// to the right, the way a shot's action is turned along its flight), the two
// icon strips of every weapon, shield and hull (the menu look and the pick-up
// capsule that drifts down in a flight), the hulls' overview plates and top
// views, and the slot socket of the inventory screen.
#include "Canvas.hpp"
#include "Generator.hpp"
#include "SpriteSheet.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace
{
    using Content::Canvas;
    using Content::Clamp01;
    using Content::Hex;
    using Content::Mix;
    using Content::PaintStrip;
    using Content::Pi;
    using Content::Shade;
    using Content::WithAlpha;

    // Brightens the opaque pixels near a line that sweeps across the picture.
    void Shimmer(Canvas& canvas, float phase)
    {
        const float size = float(canvas.Width() + canvas.Height());
        const float band = -0.3f * size + phase * 1.6f * size;
        for (unsigned y = 0; y < canvas.Height(); ++y)
            for (unsigned x = 0; x < canvas.Width(); ++x)
            {
                sf::Color p = canvas.Image().getPixel(x, y);
                if (p.a == 0)
                    continue;
                const float d = std::fabs(float(x + y) - band) / (0.08f * size);
                const float light = 0.45f * Clamp01(1.f - d);
                if (light > 0.f)
                {
                    const sf::Color lit = Mix(p, sf::Color::White, light);
                    canvas.Image().setPixel(x, y, sf::Color(lit.r, lit.g, lit.b, p.a));
                }
            }
    }

    // A point of a box given in fractions of its width and height.
    sf::Vector2f At(const sf::FloatRect& box, float u, float v)
    {
        return sf::Vector2f(box.left + u * box.width, box.top + v * box.height);
    }

    // ---- shots -------------------------------------------------------------------
    // A glowing streak from `tail` to `head` along the middle of the frame.
    void Streak(Canvas& c, float tail, float head, float thickness, const sf::Color& glow, const sf::Color& core)
    {
        const float y = c.Height() / 2.f;
        for (int i = 3; i >= 1; --i)
            c.Line({tail, y}, {head, y}, std::min(thickness * (1.f + 0.55f * float(i)), float(c.Height()) - 1.f),
                   WithAlpha(glow, sf::Uint8(34 + 18 * (3 - i))));
        // Brighter towards the head.
        const int pieces = 6;
        for (int i = 0; i < pieces; ++i)
        {
            const float a = tail + (head - tail) * float(i) / pieces;
            const float b = tail + (head - tail) * float(i + 1) / pieces;
            c.Line({a, y}, {b, y}, thickness, WithAlpha(glow, sf::Uint8(110 + 145 * (i + 1) / pieces)));
        }
        c.Line({tail + (head - tail) * 0.35f, y}, {head - thickness * 0.3f, y}, thickness * 0.45f, core);
    }

    // A round shot: halo, body and a hot core.
    void Orb(Canvas& c, float radius, const sf::Color& glow, const sf::Color& body, const sf::Color& core)
    {
        const sf::Vector2f centre(c.Width() / 2.f, c.Height() / 2.f);
        c.RadialGradient(centre, radius, WithAlpha(glow, 200), WithAlpha(glow, 0));
        c.FillCircle(centre, radius * 0.62f, body);
        c.RadialGradient(centre, radius * 0.42f, core, WithAlpha(core, 120));
    }

    void Shots(const std::filesystem::path& root)
    {
        const std::string folder = "resources|equipment|weapons|shots|";
        {
            // Pulse cannon: a short cyan pulse with a white head.
            PaintStrip(root, folder + "000|shot.png", 28, 14, 2, [&](Canvas& c, int f) {
                Streak(c, 3.f + 2.f * f, 21.f, 6.f, Hex(0x38c8ff), Hex(0xf0fcff));
                c.RadialGradient({21.f, 7.f}, 5.5f - f, Hex(0xffffff), Hex(0x7fe6ff, 60));
            });
        }
        {
            // Twin laser: a long, thin green beam.
            PaintStrip(root, folder + "001|shot.png", 40, 10, 2, [&](Canvas& c, int f) {
                Streak(c, 3.f, 37.f, f == 0 ? 4.f : 3.4f, Hex(0x3cff6a), Hex(0xeaffef));
            });
        }
        {
            // Scatter blaster: a golden plasma ball with turning sparks.
            PaintStrip(root, folder + "002|shot.png", 18, 18, 4, [&](Canvas& c, int f) {
                Orb(c, 8.5f, Hex(0xffd23a), Hex(0xffe27a), Hex(0xffffff));
                for (int s = 0; s < 3; ++s)
                {
                    const float a = (float(f) / 4.f + float(s) / 3.f) * 2.f * Pi;
                    c.FillCircle({9.f + 6.5f * std::cos(a), 9.f + 6.5f * std::sin(a)}, 1.3f, Hex(0xfff6c8));
                }
            });
        }
        {
            // Tank cannon: a red-hot slug.
            PaintStrip(root, folder + "500|shot.png", 20, 20, 2, [&](Canvas& c, int f) {
                Orb(c, f == 0 ? 9.5f : 9.f, Hex(0xff3a1e), Hex(0xff6a3a), Hex(0xfff0c0));
                c.OutlineCircle({10.f, 10.f}, 5.8f, 1.2f, Hex(0x8a0c00, 200));
            });
        }
        {
            // Needle: a magenta dart.
            PaintStrip(root, folder + "501|shot.png", 24, 10, 2, [&](Canvas& c, int f) {
                Streak(c, 3.f, 19.f, 4.5f, Hex(0xff2ad0), Hex(0xffe0f8));
                c.FillPolygon({{15.f, 2.f}, {23.f, 5.f}, {15.f, 8.f}}, Hex(0xffb0f0, sf::Uint8(f == 0 ? 255 : 200)));
            });
        }
        {
            // Fan thrower: a crimson ring round a pale core.
            PaintStrip(root, folder + "502|shot.png", 16, 16, 2, [&](Canvas& c, int f) {
                c.RadialGradient({8.f, 8.f}, 7.8f, Hex(0xff2050, 220), Hex(0xff2050, 0));
                c.OutlineCircle({8.f, 8.f}, 5.f, f == 0 ? 2.6f : 2.f, Hex(0xd0103a));
                c.FillCircle({8.f, 8.f}, 2.6f, Hex(0xffd8e0));
            });
        }
        {
            // Orb launcher: a slow violet orb with turning spokes.
            PaintStrip(root, folder + "504|shot.png", 24, 24, 4, [&](Canvas& c, int f) {
                Orb(c, 11.5f, Hex(0xa040ff), Hex(0x8a3af0), Hex(0xf4e6ff));
                for (int s = 0; s < 3; ++s)
                {
                    const float a = (float(f) / 12.f + float(s) / 3.f) * 2.f * Pi;
                    c.Line({12.f + 3.f * std::cos(a), 12.f + 3.f * std::sin(a)},
                           {12.f + 8.5f * std::cos(a), 12.f + 8.5f * std::sin(a)}, 1.6f, Hex(0xe0c8ff, 220));
                }
            });
        }
    }

    // ---- items -------------------------------------------------------------------
    struct WeaponLook
    {
        std::string number;
        int barrels;      // 1 straight, 2 parallel, 3 fanned
        sf::Color energy; // the colour of its shots
        bool hostile;
    };

    void PaintWeapon(Canvas& c, const sf::FloatRect& box, const WeaponLook& look, float phase)
    {
        const sf::Color metalTop = look.hostile ? Hex(0x8a5a5a) : Hex(0x9aa6bc);
        const sf::Color metalBottom = look.hostile ? Hex(0x3a1c20) : Hex(0x323a4c);
        const sf::Color edge = look.hostile ? Hex(0x1a0608) : Hex(0x0c1018);
        const float unit = box.width;
        // Barrels first, so the housing covers their roots.
        auto barrel = [&](sf::Vector2f from, sf::Vector2f to) {
            c.Line(from, to, unit * 0.16f, edge);
            c.Line(from, to, unit * 0.11f, Shade(metalTop, -0.1f));
            c.Line({from.x - unit * 0.015f, from.y}, {to.x - unit * 0.015f, to.y}, unit * 0.025f, Shade(metalTop, 0.4f));
            c.RadialGradient(to, unit * (0.09f + 0.03f * phase), WithAlpha(look.energy, 255), WithAlpha(look.energy, 0));
        };
        if (look.barrels == 1)
            barrel(At(box, 0.5f, 0.5f), At(box, 0.5f, 0.1f));
        else if (look.barrels == 2)
        {
            barrel(At(box, 0.36f, 0.5f), At(box, 0.36f, 0.14f));
            barrel(At(box, 0.64f, 0.5f), At(box, 0.64f, 0.14f));
        }
        else
        {
            barrel(At(box, 0.5f, 0.5f), At(box, 0.22f, 0.18f));
            barrel(At(box, 0.5f, 0.5f), At(box, 0.78f, 0.18f));
            barrel(At(box, 0.5f, 0.5f), At(box, 0.5f, 0.1f));
        }
        const sf::FloatRect housing(box.left + 0.14f * unit, box.top + 0.42f * box.height, 0.72f * unit,
                                    0.5f * box.height);
        c.FillRoundedRectangle(housing, unit * 0.1f, edge);
        c.GradientRectangle(sf::FloatRect(housing.left + 1.5f, housing.top + 1.5f, housing.width - 3.f,
                                          housing.height - 3.f),
                            metalTop, metalBottom, true, unit * 0.08f);
        // Cooling ribs and the energy cell.
        for (int r = 0; r < 3; ++r)
        {
            const float y = housing.top + housing.height * (0.6f + 0.12f * float(r));
            c.Line({housing.left + housing.width * 0.12f, y}, {housing.left + housing.width * 0.3f, y}, unit * 0.025f,
                   WithAlpha(edge, 200));
            c.Line({housing.left + housing.width * 0.7f, y}, {housing.left + housing.width * 0.88f, y}, unit * 0.025f,
                   WithAlpha(edge, 200));
        }
        const sf::Vector2f cell(housing.left + housing.width / 2.f, housing.top + housing.height * 0.55f);
        c.FillCircle(cell, unit * 0.12f, edge);
        c.RadialGradient(cell, unit * 0.1f, Mix(look.energy, sf::Color::White, 0.3f + 0.5f * phase),
                         Shade(look.energy, -0.35f));
    }

    struct ShieldLook
    {
        std::string number;
        sf::Color colour;
        int rings;
    };

    void PaintShield(Canvas& c, const sf::FloatRect& box, const ShieldLook& look, float phase)
    {
        // A crest: flat top with rounded shoulders, running to a point below.
        std::vector<sf::Vector2f> crest;
        const float u[] = {0.5f, 0.78f, 0.88f, 0.86f, 0.76f, 0.5f, 0.24f, 0.14f, 0.12f, 0.22f};
        const float v[] = {0.08f, 0.12f, 0.22f, 0.5f, 0.74f, 0.94f, 0.74f, 0.5f, 0.22f, 0.12f};
        for (int i = 0; i < 10; ++i)
            crest.push_back(At(box, u[i], v[i]));
        auto scaled = [&](float factor) {
            std::vector<sf::Vector2f> points;
            const sf::Vector2f centre = At(box, 0.5f, 0.48f);
            for (const auto& p : crest)
                points.push_back(centre + (p - centre) * factor);
            return points;
        };
        c.FillPolygon(scaled(1.04f), Hex(0x05080e));
        c.FillPolygon(crest, Shade(look.colour, -0.55f));
        c.FillPolygon(scaled(0.8f), Shade(look.colour, -0.25f));
        c.FillPolygon(scaled(0.56f), Shade(look.colour, -0.45f));
        // Rings of force in the middle, pulsing.
        const sf::Vector2f centre = At(box, 0.5f, 0.46f);
        for (int r = 0; r < look.rings; ++r)
            c.OutlineCircle(centre, box.width * (0.1f + 0.08f * float(r)), box.width * 0.03f,
                            WithAlpha(Mix(look.colour, sf::Color::White, 0.35f), sf::Uint8(150 + 100 * phase)));
        c.RadialGradient(centre, box.width * 0.1f, Mix(look.colour, sf::Color::White, 0.7f), WithAlpha(look.colour, 0));
        // A bright rim.
        for (std::size_t i = 0; i < crest.size(); ++i)
            c.Line(crest[i], crest[(i + 1) % crest.size()], box.width * 0.035f,
                   Mix(look.colour, sf::Color::White, 0.2f + 0.3f * phase));
    }

    struct HullLook
    {
        std::string number;
        // The left half of the outline from the nose to the tail, in fractions of the box.
        std::vector<sf::Vector2f> half;
        sf::Color body;
        sf::Color trim;
        std::vector<sf::Vector2f> engines;
    };

    std::vector<sf::Vector2f> Outline(const HullLook& look, const sf::FloatRect& box, float grow)
    {
        std::vector<sf::Vector2f> points;
        for (const auto& p : look.half)
            points.push_back(At(box, 0.5f + (p.x - 0.5f) * grow, 0.5f + (p.y - 0.5f) * grow));
        for (auto it = look.half.rbegin(); it != look.half.rend(); ++it)
            if (it->x < 0.5f)
                points.push_back(At(box, 0.5f + (0.5f - it->x) * grow, 0.5f + (it->y - 0.5f) * grow));
        return points;
    }

    void PaintHull(Canvas& c, const sf::FloatRect& box, const HullLook& look, float phase)
    {
        const float unit = box.width;
        for (const auto& e : look.engines)
            c.RadialGradient(At(box, e.x, e.y + 0.05f), unit * (0.09f + 0.03f * phase), Hex(0xbfe8ff),
                             Hex(0x3a8cff, 0));
        const std::vector<sf::Vector2f> outline = Outline(look, box, 1.f);
        c.FillPolygon(Outline(look, box, 1.035f), Hex(0x04060a));
        c.FillPolygon(outline, look.body);
        c.FillPolygon(Outline(look, box, 0.7f), Shade(look.body, 0.15f));
        // Panel lines along the wings and the spine.
        for (std::size_t i = 0; i + 1 < outline.size(); ++i)
            c.Line(outline[i], outline[i + 1], std::max(1.f, unit * 0.012f), Shade(look.body, 0.35f));
        c.Line(At(box, 0.5f, 0.16f), At(box, 0.5f, 0.86f), std::max(1.f, unit * 0.012f), Shade(look.body, -0.35f));
        // Trim stripes and the cockpit.
        c.Line(At(box, 0.3f, 0.62f), At(box, 0.44f, 0.5f), unit * 0.03f, look.trim);
        c.Line(At(box, 0.7f, 0.62f), At(box, 0.56f, 0.5f), unit * 0.03f, look.trim);
        std::vector<sf::Vector2f> canopy;
        for (int i = 0; i < 24; ++i)
        {
            const float a = float(i) / 24.f * 2.f * Pi;
            canopy.push_back(At(box, 0.5f + 0.055f * std::cos(a), 0.3f + 0.11f * std::sin(a)));
        }
        c.FillPolygon(canopy, Hex(0x0a1a30));
        c.RadialGradient(At(box, 0.49f, 0.26f), unit * 0.05f, Hex(0x9fe0ff, 230), Hex(0x2a6ab0, 0));
        for (const auto& e : look.engines)
        {
            c.FillCircle(At(box, e.x, e.y), unit * 0.035f, Hex(0x10141c));
            c.FillCircle(At(box, e.x, e.y), unit * 0.022f, Mix(Hex(0x6ac8ff), sf::Color::White, 0.3f + 0.5f * phase));
        }
    }

    enum class Kind
    {
        Weapon,
        Shield,
        Hull
    };

    // The menu look: the picture alone with a light sweeping over it, eight frames.
    template <typename Paint>
    void GuiIcon(const std::filesystem::path& root, const std::string& folder, Paint paint)
    {
        PaintStrip(root, folder + "|icons|gui.png", 64, 64, 8, [&](Canvas& c, int f) {
            const float phase = 0.5f + 0.5f * std::sin(float(f) / 8.f * 2.f * Pi);
            paint(c, sf::FloatRect(4.f, 4.f, 56.f, 56.f), phase);
            Shimmer(c, float(f) / 8.f);
        });
    }

    // The pick-up look: a glowing capsule of the category's colour with turning
    // marks around a small picture of the item, eight frames.
    template <typename Paint>
    void IngameIcon(const std::filesystem::path& root, const std::string& folder, Kind kind, Paint paint)
    {
        const sf::Color colour = kind == Kind::Weapon ? Hex(0xffa530) : kind == Kind::Shield ? Hex(0x3ce0ff) : Hex(0x6aff7a);
        PaintStrip(root, folder + "|icons|ingame.png", 56, 56, 8, [&](Canvas& c, int f) {
            const sf::Vector2f centre(28.f, 28.f);
            const float phase = 0.5f + 0.5f * std::sin(float(f) / 8.f * 2.f * Pi);
            c.RadialGradient(centre, 27.5f, WithAlpha(colour, sf::Uint8(110 + 60 * phase)), WithAlpha(colour, 0));
            c.FillCircle(centre, 21.f, Hex(0x0a0f1c, 235));
            c.OutlineCircle(centre, 21.5f, 2.5f, Mix(colour, sf::Color::White, 0.25f * phase));
            for (int m = 0; m < 3; ++m)
            {
                const float a = (float(f) / 24.f + float(m) / 3.f) * 2.f * Pi;
                for (int s = 0; s < 6; ++s)
                {
                    const float a0 = a + float(s) * 0.09f;
                    const float a1 = a0 + 0.09f;
                    c.Line(centre + sf::Vector2f(24.5f * std::cos(a0), 24.5f * std::sin(a0)),
                           centre + sf::Vector2f(24.5f * std::cos(a1), 24.5f * std::sin(a1)), 2.2f,
                           Mix(colour, sf::Color::White, 0.6f));
                }
            }
            paint(c, sf::FloatRect(13.f, 13.f, 30.f, 30.f), phase);
            // Glass highlight.
            c.RadialGradient({21.f, 18.f}, 9.f, sf::Color(255, 255, 255, 70), sf::Color(255, 255, 255, 0));
        });
    }

    template <typename Paint>
    void Icons(const std::filesystem::path& root, const std::string& folder, Kind kind, Paint paint)
    {
        GuiIcon(root, folder, paint);
        IngameIcon(root, folder, kind, paint);
    }

    void Items(const std::filesystem::path& root)
    {
        const WeaponLook weapons[] = {
            {"000", 1, Hex(0x38c8ff), false}, {"001", 2, Hex(0x3cff6a), false}, {"002", 3, Hex(0xffd23a), false},
            {"500", 1, Hex(0xff3a1e), true},  {"501", 1, Hex(0xff2ad0), true},  {"502", 2, Hex(0xff2ad0), true},
            {"503", 3, Hex(0xff2050), true},  {"504", 1, Hex(0xa040ff), true},
        };
        for (const WeaponLook& look : weapons)
            Icons(root, "resources|equipment|weapons|" + look.number, Kind::Weapon,
                  [&](Canvas& c, const sf::FloatRect& box, float phase) { PaintWeapon(c, box, look, phase); });

        const ShieldLook shields[] = {{"000", Hex(0x3ce0ff), 1}, {"001", Hex(0xffc83a), 2}};
        for (const ShieldLook& look : shields)
            Icons(root, "resources|equipment|shields|" + look.number, Kind::Shield,
                  [&](Canvas& c, const sf::FloatRect& box, float phase) { PaintShield(c, box, look, phase); });

        const HullLook hulls[] = {
            {"000",
             {{0.5f, 0.03f}, {0.45f, 0.16f}, {0.42f, 0.36f}, {0.16f, 0.6f}, {0.1f, 0.74f}, {0.36f, 0.7f},
              {0.37f, 0.84f}, {0.27f, 0.94f}, {0.43f, 0.94f}, {0.5f, 0.9f}},
             Hex(0x5a6f96), Hex(0x3ce0ff), {{0.44f, 0.92f}, {0.56f, 0.92f}}},
            {"001",
             {{0.5f, 0.06f}, {0.43f, 0.18f}, {0.4f, 0.32f}, {0.1f, 0.36f}, {0.04f, 0.5f}, {0.24f, 0.58f},
              {0.3f, 0.74f}, {0.16f, 0.92f}, {0.38f, 0.88f}, {0.44f, 0.95f}, {0.5f, 0.93f}},
             Hex(0x574a7a), Hex(0xffc83a), {{0.41f, 0.9f}, {0.5f, 0.93f}, {0.59f, 0.9f}}},
        };
        for (const HullLook& look : hulls)
        {
            const std::string folder = "resources|equipment|hulls|" + look.number;
            Icons(root, folder, Kind::Hull,
                  [&](Canvas& c, const sf::FloatRect& box, float phase) { PaintHull(c, box, look, phase); });

            Canvas top(96, 96);
            PaintHull(top, sf::FloatRect(4.f, 4.f, 88.f, 88.f), look, 1.f);
            top.Save(root, folder + "|straight.png");

            // The overview plate of the inventory screen: a blueprint with the hull on it.
            Canvas plate(400, 400);
            plate.DropShadow(sf::FloatRect(10.f, 12.f, 380.f, 380.f), 22.f, 6.f, sf::Color(0, 0, 0, 150));
            plate.GradientRectangle(sf::FloatRect(8.f, 8.f, 384.f, 384.f), Hex(0x12305e, 240), Hex(0x081834, 240),
                                    true, 20.f);
            for (float x = 28.f; x < 392.f; x += 20.f)
                plate.FillRectangle(sf::FloatRect(x, 14.f, 1.f, 372.f), Hex(0x6fb8ff, 28));
            for (float y = 28.f; y < 392.f; y += 20.f)
                plate.FillRectangle(sf::FloatRect(14.f, y, 372.f, 1.f), Hex(0x6fb8ff, 28));
            plate.OutlineRoundedRectangle(sf::FloatRect(8.f, 8.f, 384.f, 384.f), 20.f, 2.f, Hex(0x6fb8ff, 200));
            PaintHull(plate, sf::FloatRect(40.f, 30.f, 320.f, 340.f), look, 0.6f);
            plate.Save(root, folder + "|overview.png");
        }
    }

    // The socket of an equipment slot in its four looks (idle, clicked, focused,
    // disabled), two by two.
    void Slot(const std::filesystem::path& root)
    {
        const sf::Color borders[4] = {Hex(0x7f9cc8), Hex(0xffffff), Hex(0x4fe6ff), Hex(0x5a5e68)};
        const sf::Color floors[4] = {Hex(0x0c1530, 230), Hex(0x1c3f80, 240), Hex(0x0f2148, 235), Hex(0x24262c, 215)};
        Canvas picture(144, 144);
        for (int look = 0; look < 4; ++look)
        {
            Canvas socket(72, 72);
            const sf::FloatRect outer(3.f, 3.f, 66.f, 66.f);
            if (look == 2)
                socket.DropShadow(outer, 10.f, 3.f, Hex(0x4fe6ff, 150));
            socket.Panel(outer, 10.f, Hex(0x2a3650, 235), Hex(0x121a2c, 235), borders[look], look == 2 ? 3.f : 2.f);
            const sf::FloatRect inner(10.f, 10.f, 52.f, 52.f);
            socket.FillRoundedRectangle(inner, 7.f, floors[look]);
            socket.OutlineRoundedRectangle(inner, 7.f, 1.f, Hex(0x000000, 160));
            // Corner marks of the mount.
            for (const auto& corner : {sf::Vector2f(14.f, 14.f), sf::Vector2f(58.f, 14.f), sf::Vector2f(14.f, 58.f),
                                       sf::Vector2f(58.f, 58.f)})
                socket.FillCircle(corner, 1.6f, WithAlpha(borders[look], 180));
            picture.Draw(socket, (look % 2) * 72, (look / 2) * 72);
        }
        picture.Save(root, "resources|gui|screens|inventory|slot.png");
    }

    void Generate(const std::filesystem::path& root)
    {
        Shots(root);
        Items(root);
        Slot(root);
    }

    const Content::Registration registration("equipment", &Generate);
}
