// The pictures of the two bosses, drawn seen from above with their front to
// the right (+x), the way their state machines turn them.
//
// The disk boss (resources/enemies/airbosss/001): a great armoured disk with a
// red eye at its centre and four gun slots on its rim.
//   disk.png    the disk, 256 x 256, four frames: the lights on the rim chase
//               round, the eye pulses
//   slot.png    one slot gun, 80 x 48 a frame, pivot (24, 24) on the rim:
//               frames 0 to 5 push the barrel out of its armoured hatch,
//               frame 6 is the open gun with a glowing muzzle
//
// The tank boss (resources/enemies/groundbosss/000): a heavy tank with a
// five-barrelled turret that splits open into a wide machine with two
// eight-barrelled side turrets.
//   hull.png        the tank's hull, 176 x 112, two frames (exhaust glow)
//   core.png        the same hull opened, its reactor glowing where the
//                   turret sat, 176 x 112, two frames
//   track.png       a track, 176 x 32, four frames of running links
//   turret.png      the five-barrelled turret, 136 x 112, pivot (48, 56), two frames
//   pod.png         the armoured pod of a side part, 160 x 104, two frames
//   gun_ring.png    a side turret, 112 x 112, eight barrels round about, two frames
#include "Canvas.hpp"
#include "Generator.hpp"
#include "SpriteSheet.hpp"

#include <cmath>
#include <string>
#include <vector>

namespace
{
    using Content::Canvas;
    using Content::Hex;
    using Content::Mix;
    using Content::PaintStrip;
    using Content::Pi;
    using Content::Polar;
    using Content::Shade;
    using Content::WithAlpha;

    // The points turned by `angle` about the origin, then moved to `centre`.
    std::vector<sf::Vector2f> Turned(const std::vector<sf::Vector2f>& points, const sf::Vector2f& centre, float angle)
    {
        std::vector<sf::Vector2f> turned;
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        for (const sf::Vector2f& p : points)
            turned.push_back(centre + sf::Vector2f(p.x * c - p.y * s, p.x * s + p.y * c));
        return turned;
    }

    void Rivets(Canvas& c, const sf::Vector2f& from, const sf::Vector2f& to, int count, const sf::Color& colour)
    {
        for (int i = 0; i < count; ++i)
        {
            const float t = count == 1 ? 0.5f : float(i) / float(count - 1);
            const sf::Vector2f p = from + (to - from) * t;
            c.FillCircle(p, 1.6f, Shade(colour, -0.5f));
            c.FillCircle(p - sf::Vector2f(0.4f, 0.4f), 1.f, Shade(colour, 0.4f));
        }
    }

    // A grille of slats in the rectangle, glowing from beneath by `glow`.
    void Grille(Canvas& c, const sf::FloatRect& r, int slats, const sf::Color& glow)
    {
        c.FillRoundedRectangle(r, 2.f, Hex(0x0c0d0a));
        for (int i = 0; i < slats; ++i)
        {
            const float x = r.left + 3.f + (r.width - 6.f) * (float(i) + 0.5f) / float(slats);
            c.Line({x, r.top + 3.f}, {x, r.top + r.height - 3.f}, 1.6f, glow);
        }
    }

    // ------------------------------------------------------------------ disk

    const std::string disk = "resources|enemies|airbosss|001|";

    void Disk(const std::filesystem::path& root)
    {
        PaintStrip(root, disk + "disk.png", 256, 256, 4, [&](Canvas& c, int f) {
            const sf::Vector2f centre(128.f, 128.f);
            // Rim and plate.
            c.FillCircle(centre, 120.f, Hex(0x07070c));
            c.RadialGradient(centre, 116.f, Hex(0x8a8ea0), Hex(0x3c3f52));
            c.OutlineCircle(centre, 116.f, 5.f, Hex(0x22242f));
            c.OutlineCircle(centre, 98.f, 3.f, Hex(0x1b1c26));
            c.OutlineCircle(centre, 66.f, 3.f, Hex(0x1b1c26));
            // Armour plates between the bands: alternate shades.
            for (int i = 0; i < 12; ++i)
            {
                const float a0 = (float(i) + 0.08f) / 12.f * 2.f * Pi;
                const float a1 = (float(i) + 0.92f) / 12.f * 2.f * Pi;
                std::vector<sf::Vector2f> plate;
                for (int k = 0; k <= 6; ++k)
                    plate.push_back(Polar(centre, 95.f, a0 + (a1 - a0) * float(k) / 6.f));
                for (int k = 6; k >= 0; --k)
                    plate.push_back(Polar(centre, 70.f, a0 + (a1 - a0) * float(k) / 6.f));
                c.FillPolygon(plate, i % 2 == 0 ? Hex(0x5d6174) : Hex(0x4c5063));
                Rivets(c, Polar(centre, 90.f, a0 + 0.05f), Polar(centre, 90.f, a1 - 0.05f), 4, Hex(0x8a8ea0));
            }
            // Slot bays at the four quarters (the guns sit on them) and vents
            // between them that glow with the machine's heat.
            for (int i = 0; i < 4; ++i)
            {
                const float a = float(i) * Pi / 2.f;
                c.FillPolygon(Turned({{84.f, -20.f}, {118.f, -16.f}, {118.f, 16.f}, {84.f, 20.f}}, centre, a),
                              Hex(0x101118));
                c.FillPolygon(Turned({{88.f, -15.f}, {114.f, -12.f}, {114.f, 12.f}, {88.f, 15.f}}, centre, a),
                              Hex(0x26140e));
                const float v = a + Pi / 4.f;
                const sf::Color heat = Mix(Hex(0xff5a1a), Hex(0xffd060), 0.5f + 0.5f * std::sin(float(f + i) * Pi / 2.f));
                for (int k = -2; k <= 2; ++k)
                {
                    const float w = v + float(k) * 0.06f;
                    c.Line(Polar(centre, 74.f, w), Polar(centre, 92.f, w), 3.f, Hex(0x120808));
                    c.Line(Polar(centre, 76.f, w), Polar(centre, 90.f, w), 1.5f, heat);
                }
            }
            // Running lights on the rim: one of every four lit, chasing round.
            for (int i = 0; i < 24; ++i)
            {
                const float a = (float(i) + 0.5f) / 24.f * 2.f * Pi;
                if (i % 6 == 0 || i % 6 == 5)
                    continue;  // the slot bays
                const bool lit = i % 4 == f;
                c.FillCircle(Polar(centre, 107.f, a), 3.2f, Hex(0x0a0a0a));
                c.FillCircle(Polar(centre, 107.f, a), 2.3f, lit ? Hex(0xfff0a0) : Hex(0x6a5a20));
                if (lit)
                    c.RadialGradient(Polar(centre, 107.f, a), 7.f, Hex(0xffe070, 150), Hex(0xffa000, 0));
            }
            // The inner ring with its spokes, then the eye.
            c.RadialGradient(centre, 64.f, Hex(0x50546a), Hex(0x2a2c3a));
            for (int i = 0; i < 8; ++i)
            {
                const float a = float(i) / 8.f * 2.f * Pi + Pi / 8.f;
                c.Line(Polar(centre, 36.f, a), Polar(centre, 62.f, a), 5.f, Hex(0x1a1b24));
                c.Line(Polar(centre, 37.f, a), Polar(centre, 60.f, a), 2.f, Hex(0x70748a));
            }
            const float pulse = 0.5f + 0.5f * std::cos(float(f) / 4.f * 2.f * Pi);
            c.FillCircle(centre, 36.f, Hex(0x0a0508));
            c.RadialGradient(centre, 32.f, Mix(Hex(0xff6040), Hex(0xfff0c0), pulse), Hex(0x700810));
            c.FillCircle(centre, 12.f + 3.f * pulse, Hex(0x1a0204));
            c.RadialGradient(centre - sf::Vector2f(10.f, 10.f), 9.f, Hex(0xffffff, 150), Hex(0xffffff, 0));
            c.Grain(c.Bounds(), 0.05f, 71u + unsigned(f));
            c.Relief(0.2f);
        });
    }

    // One slot gun: the hatch on the rim and the barrel it pushes out.
    void Slot(const std::filesystem::path& root)
    {
        PaintStrip(root, disk + "slot.png", 80, 48, 7, [&](Canvas& c, int f) {
            const float out = float(f < 6 ? f : 5) / 5.f;  // how far the barrel is out
            const float tip = 40.f + 36.f * out;
            // The barrel with its cooling rings and a muzzle brake.
            c.Line({24.f, 24.f}, {tip, 24.f}, 12.f, Hex(0x0a0a0e));
            c.Line({24.f, 24.f}, {tip, 24.f}, 8.f, Hex(0x5a5e70));
            c.Line({24.f, 22.f}, {tip, 22.f}, 2.f, Hex(0xa0a4b8));
            for (float x = tip - 10.f; x > 40.f; x -= 8.f)
                c.Line({x, 17.f}, {x, 31.f}, 2.f, Hex(0x202230));
            c.FillRoundedRectangle({tip - 6.f, 16.f, 7.f, 16.f}, 2.f, Hex(0x2a2c38));
            if (f == 6)
            {
                c.RadialGradient({tip, 24.f}, 9.f, Hex(0xfff0d0), Hex(0xff4020, 0));
                c.FillCircle({tip - 1.f, 24.f}, 3.f, Hex(0xfff8e0));
            }
            // The hatch: an armoured wedge with its doors drawn apart.
            const float open = 6.f * out;
            c.FillPolygon({{6.f, 8.f}, {40.f, 10.f - open}, {44.f, 18.f - open}, {44.f, 20.f}, {6.f, 20.f}},
                          Hex(0x0a0a0e));
            c.FillPolygon({{6.f, 28.f}, {44.f, 28.f}, {44.f, 30.f + open}, {40.f, 38.f + open}, {6.f, 40.f}},
                          Hex(0x0a0a0e));
            c.FillPolygon({{8.f, 10.f}, {38.f, 12.f - open}, {42.f, 18.f - open}, {42.f, 21.f}, {8.f, 21.f}},
                          Hex(0x7a5a3a));
            c.FillPolygon({{8.f, 27.f}, {42.f, 27.f}, {42.f, 30.f + open}, {38.f, 36.f + open}, {8.f, 38.f}},
                          Hex(0x6a4a2e));
            // Hazard marks and the slot's light: red while shut, green when out.
            for (float x = 12.f; x < 36.f; x += 8.f)
            {
                c.Line({x, 13.f}, {x + 4.f, 19.f}, 2.f, Hex(0xf0c020));
                c.Line({x, 29.f}, {x + 4.f, 35.f}, 2.f, Hex(0xf0c020));
            }
            c.FillCircle({12.f, 24.f}, 4.f, Hex(0x08080a));
            c.FillCircle({12.f, 24.f}, 2.8f, f >= 5 ? Hex(0x50ff70) : Hex(0xff3020));
            c.Relief(0.2f);
        });
    }

    // ------------------------------------------------------------------ tank

    const std::string tank = "resources|enemies|groundbosss|000|";

    const sf::Color olive = Hex(0x5f6e3c);
    const sf::Color oliveDark = Hex(0x323a20);
    const sf::Color steel = Hex(0x4a4e52);

    // The tank's hull outline: a long armoured body with sloped front plates.
    std::vector<sf::Vector2f> HullOutline(float grow)
    {
        std::vector<sf::Vector2f> outline = {{-80.f, -40.f}, {50.f, -40.f}, {82.f, -26.f}, {82.f, 26.f},
                                             {50.f, 40.f},   {-80.f, 40.f}, {-86.f, 30.f}, {-86.f, -30.f}};
        for (sf::Vector2f& p : outline)
            p *= grow;
        return outline;
    }

    // The hull, with the turret ring (closed) or the opened reactor (core).
    void HullFrame(Canvas& c, int f, bool core)
    {
        const sf::Vector2f centre(88.f, 56.f);
        c.FillPolygon(Turned(HullOutline(1.05f), centre, 0.f), Hex(0x0c0e08));
        c.FillPolygon(Turned(HullOutline(1.f), centre, 0.f), olive);
        c.FillPolygon(Turned(HullOutline(0.8f), centre, 0.f), Shade(olive, 0.12f));
        // Sloped front plate and fenders.
        c.FillPolygon({{138.f, 16.f}, {170.f, 30.f}, {170.f, 82.f}, {138.f, 96.f}}, Shade(olive, -0.15f));
        c.Line({138.f, 17.f}, {138.f, 95.f}, 2.f, oliveDark);
        // The engine deck at the rear: two grilles and exhausts.
        const sf::Color heat = f == 0 ? Hex(0xb04010) : Hex(0xff8030);
        Grille(c, {12.f, 24.f, 30.f, 26.f}, 6, Mix(Hex(0x402010), heat, 0.7f));
        Grille(c, {12.f, 62.f, 30.f, 26.f}, 6, Mix(Hex(0x402010), heat, 0.7f));
        for (float y : {20.f, 92.f})
        {
            c.FillCircle({8.f, y}, 6.f, Hex(0x141414));
            c.FillCircle({8.f, y}, 3.5f, heat);
        }
        // Hazard stripes along the front edge.
        for (float y = 22.f; y < 90.f; y += 12.f)
            c.FillPolygon({{152.f, y}, {160.f, y}, {166.f, y + 6.f}, {158.f, y + 6.f}}, Hex(0xe0b020));
        // Stowage boxes and hatches.
        c.FillRoundedRectangle({50.f, 18.f, 26.f, 12.f}, 2.f, oliveDark);
        c.FillRoundedRectangle({50.f, 82.f, 26.f, 12.f}, 2.f, oliveDark);
        c.FillRoundedRectangle({118.f, 22.f, 14.f, 14.f}, 3.f, Shade(olive, -0.3f));
        Rivets(c, {10.f, 18.f}, {130.f, 18.f}, 12, olive);
        Rivets(c, {10.f, 94.f}, {130.f, 94.f}, 12, olive);
        if (!core)
        {
            // The turret ring the turret stands on.
            c.FillCircle({100.f, 56.f}, 34.f, Hex(0x181c10));
            c.OutlineCircle({100.f, 56.f}, 34.f, 3.f, Shade(olive, 0.3f));
        }
        else
        {
            // Opened: the reactor glows in the torn ring, struts reach out to the pods.
            for (float y : {8.f, 104.f})
            {
                c.Line({60.f, 56.f}, {60.f, y}, 10.f, Hex(0x141610));
                c.Line({120.f, 56.f}, {120.f, y}, 10.f, Hex(0x141610));
                c.Line({60.f, 56.f}, {60.f, y}, 5.f, steel);
                c.Line({120.f, 56.f}, {120.f, y}, 5.f, steel);
            }
            c.FillCircle({100.f, 56.f}, 34.f, Hex(0x0a0604));
            c.RadialGradient({100.f, 56.f}, 30.f, f == 0 ? Hex(0x8af0ff) : Hex(0xe0ffff), Hex(0x1050a0, 40));
            for (int i = 0; i < 6; ++i)
            {
                const float a = float(i) / 6.f * 2.f * Pi + (f == 0 ? 0.f : Pi / 6.f);
                c.Line(Polar({100.f, 56.f}, 12.f, a), Polar({100.f, 56.f}, 30.f, a), 3.f, Hex(0x101820));
            }
            c.OutlineCircle({100.f, 56.f}, 34.f, 4.f, Hex(0x302818));
            c.FillCircle({100.f, 56.f}, 8.f, Hex(0xffffff));
        }
        c.Grain(c.Bounds(), 0.06f, 91u + unsigned(f) + (core ? 7u : 0u));
        c.Relief(0.18f);
    }

    void Hulls(const std::filesystem::path& root)
    {
        PaintStrip(root, tank + "hull.png", 176, 112, 2, [](Canvas& c, int f) { HullFrame(c, f, false); });
        PaintStrip(root, tank + "core.png", 176, 112, 2, [](Canvas& c, int f) { HullFrame(c, f, true); });
    }

    // A track: links that run backwards as the tank drives forwards.
    void Track(const std::filesystem::path& root)
    {
        PaintStrip(root, tank + "track.png", 176, 32, 4, [&](Canvas& c, int f) {
            c.FillRoundedRectangle({0.f, 0.f, 176.f, 32.f}, 10.f, Hex(0x0a0a0a));
            c.FillRoundedRectangle({2.f, 2.f, 172.f, 28.f}, 9.f, Hex(0x2a2a28));
            for (float x = 4.f - float(f) * 3.f; x < 176.f; x += 12.f)
            {
                if (x < 3.f)
                    continue;
                c.FillRectangle({x, 3.f, 8.f, 26.f}, Hex(0x4a4a46));
                c.Line({x + 1.f, 4.f}, {x + 1.f, 28.f}, 1.5f, Hex(0x6e6e68));
                c.Line({x + 4.f, 12.f}, {x + 4.f, 20.f}, 2.f, Hex(0x1c1c1a));
            }
            c.Relief(0.15f);
        });
    }

    void Barrel(Canvas& c, const sf::Vector2f& from, float length, float angle, float width)
    {
        const sf::Vector2f to = Polar(from, length, angle);
        c.Line(from, to, width + 4.f, Hex(0x0a0a08));
        c.Line(from, to, width, Shade(steel, -0.1f));
        c.Line(Polar(from, 2.f, angle - Pi / 2.f), Polar(to, 2.f, angle - Pi / 2.f), 1.5f, Shade(steel, 0.4f));
        c.Line(Polar(from, length - 6.f, angle), to, width + 5.f, Hex(0x1a1c1e));
    }

    // The five-barrelled turret of the first phase; its pivot lies at (48, 56).
    void Turret(const std::filesystem::path& root)
    {
        PaintStrip(root, tank + "turret.png", 136, 112, 2, [&](Canvas& c, int f) {
            const sf::Vector2f pivot(48.f, 56.f);
            for (int g = 0; g < 5; ++g)
            {
                const float a = float(g - 2) * 12.f * Pi / 180.f;
                Barrel(c, Polar(pivot, 20.f, a), g == 2 ? 66.f : 56.f, a, g == 2 ? 9.f : 7.f);
            }
            // The cast turret: a flattened dome with a mantlet in front.
            std::vector<sf::Vector2f> dome;
            for (int i = 0; i < 24; ++i)
            {
                const float a = float(i) / 24.f * 2.f * Pi;
                const float reach = std::cos(a) > 0.f ? 34.f : 40.f;
                dome.push_back(Polar(pivot, reach, a));
            }
            c.FillPolygon(dome, Hex(0x0c0e08));
            c.FillCircle(pivot, 34.f, Shade(olive, 0.05f));
            c.FillPolygon({{pivot.x + 18.f, pivot.y - 28.f}, {pivot.x + 36.f, pivot.y - 18.f},
                           {pivot.x + 36.f, pivot.y + 18.f}, {pivot.x + 18.f, pivot.y + 28.f}},
                          Shade(olive, -0.2f));
            c.RadialGradient(pivot - sf::Vector2f(6.f, 6.f), 26.f, Shade(olive, 0.3f), WithAlpha(olive, 0));
            // Commander's hatch, periscope and a warning light.
            c.FillCircle(pivot - sf::Vector2f(14.f, 10.f), 9.f, oliveDark);
            c.OutlineCircle(pivot - sf::Vector2f(14.f, 10.f), 9.f, 2.f, Shade(olive, 0.35f));
            c.FillRoundedRectangle({pivot.x - 2.f, pivot.y + 10.f, 12.f, 8.f}, 2.f, Hex(0x10181c));
            c.FillCircle(pivot + sf::Vector2f(-18.f, 14.f), 3.f, f == 0 ? Hex(0xff3020) : Hex(0x601008));
            Rivets(c, pivot + sf::Vector2f(-30.f, -18.f), pivot + sf::Vector2f(-30.f, 18.f), 5, olive);
            c.Relief(0.2f);
        });
    }

    // The pod of a side part: symmetric about its length, so it serves both sides.
    void Pod(const std::filesystem::path& root)
    {
        PaintStrip(root, tank + "pod.png", 160, 104, 2, [&](Canvas& c, int f) {
            const std::vector<sf::Vector2f> outline = {{4.f, 22.f},   {120.f, 14.f}, {156.f, 34.f},
                                                       {156.f, 70.f}, {120.f, 90.f}, {4.f, 82.f}};
            std::vector<sf::Vector2f> rim;
            for (const sf::Vector2f& p : outline)
                rim.push_back(sf::Vector2f(80.f, 52.f) + (p - sf::Vector2f(80.f, 52.f)) * 1.04f);
            c.FillPolygon(rim, Hex(0x0c0e08));
            c.FillPolygon(outline, Shade(olive, -0.05f));
            c.FillPolygon({{20.f, 30.f}, {112.f, 24.f}, {140.f, 40.f}, {140.f, 64.f}, {112.f, 80.f}, {20.f, 74.f}},
                          Shade(olive, 0.1f));
            c.FillCircle({80.f, 52.f}, 40.f, Hex(0x181c10));
            c.OutlineCircle({80.f, 52.f}, 40.f, 3.f, Shade(olive, 0.3f));
            // Ammunition feeds and stripes.
            for (float x : {16.f, 28.f})
                c.FillRoundedRectangle({x, 34.f, 8.f, 36.f}, 2.f, oliveDark);
            for (float y = 30.f; y < 76.f; y += 10.f)
                c.FillPolygon({{142.f, y}, {148.f, y}, {152.f, y + 5.f}, {146.f, y + 5.f}}, Hex(0xe0b020));
            c.FillCircle({12.f, 26.f}, 3.f, f == 0 ? Hex(0x40ff60) : Hex(0x104018));
            c.FillCircle({12.f, 78.f}, 3.f, f == 1 ? Hex(0x40ff60) : Hex(0x104018));
            c.Grain(c.Bounds(), 0.06f, 113u + unsigned(f));
            c.Relief(0.18f);
        });
    }

    // A side turret: eight short barrels round a glowing drum.
    void GunRing(const std::filesystem::path& root)
    {
        PaintStrip(root, tank + "gun_ring.png", 112, 112, 2, [&](Canvas& c, int f) {
            const sf::Vector2f centre(56.f, 56.f);
            for (int g = 0; g < 8; ++g)
            {
                const float a = float(g) / 8.f * 2.f * Pi;
                Barrel(c, Polar(centre, 22.f, a), 28.f, a, 7.f);
            }
            std::vector<sf::Vector2f> drum;
            for (int i = 0; i < 8; ++i)
                drum.push_back(Polar(centre, 32.f, (float(i) + 0.5f) / 8.f * 2.f * Pi));
            c.FillPolygon(drum, Hex(0x0c0e08));
            std::vector<sf::Vector2f> top;
            for (int i = 0; i < 8; ++i)
                top.push_back(Polar(centre, 29.f, (float(i) + 0.5f) / 8.f * 2.f * Pi));
            c.FillPolygon(top, Shade(olive, 0.05f));
            c.FillCircle(centre, 17.f, Hex(0x0a0a08));
            c.RadialGradient(centre, 15.f, f == 0 ? Hex(0xffe080) : Hex(0xfff8d0), Hex(0xff6010, 60));
            for (int i = 0; i < 8; ++i)
                c.FillCircle(Polar(centre, 24.f, float(i) / 8.f * 2.f * Pi + Pi / 8.f), 1.8f, Shade(olive, -0.5f));
            c.Relief(0.2f);
        });
    }

    void Generate(const std::filesystem::path& root)
    {
        Disk(root);
        Slot(root);
        Hulls(root);
        Track(root);
        Turret(root);
        Pod(root);
        GunRing(root);
    }

    const Content::Registration registration("boss art", &Generate);
}
