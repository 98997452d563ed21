// The pictures of the enemies. Airships are drawn seen from above with the nose
// to the right, the way their state machines turn them (rotation 90 flies nose
// down the screen); each has its own outline and colours and a strip of frames
// for its engines or rotors. Turrets come in two pieces: the socket fixed to
// the ground and the head that turns toward the ship, its gun to the right.
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

    // A shape symmetric about the frame's middle line: `half` runs along the
    // upper side (fractions of the frame, y up to 0.5), the lower side mirrors it.
    std::vector<sf::Vector2f> Mirrored(const Canvas& c, const std::vector<sf::Vector2f>& half, float grow = 1.f)
    {
        const sf::Vector2f centre(0.5f, 0.5f);
        std::vector<sf::Vector2f> points;
        auto place = [&](sf::Vector2f p) {
            p = centre + (p - centre) * grow;
            points.push_back(sf::Vector2f(p.x * float(c.Width()), p.y * float(c.Height())));
        };
        for (const auto& p : half)
            place(p);
        for (auto it = half.rbegin(); it != half.rend(); ++it)
            if (it->y < 0.5f)
                place(sf::Vector2f(it->x, 1.f - it->y));
        return points;
    }

    // A hull of the outline: a dark rim, the body and a lighter inner plate.
    void Hull(Canvas& c, const std::vector<sf::Vector2f>& half, const sf::Color& body)
    {
        c.FillPolygon(Mirrored(c, half, 1.06f), Hex(0x07080a));
        c.FillPolygon(Mirrored(c, half), body);
        c.FillPolygon(Mirrored(c, half, 0.72f), Shade(body, 0.18f));
        c.FillPolygon(Mirrored(c, half, 0.4f), Shade(body, 0.3f));
    }

    void Flame(Canvas& c, const sf::Vector2f& nozzle, float length, float width, const sf::Color& colour)
    {
        c.Line(nozzle, nozzle - sf::Vector2f(length, 0.f), width, WithAlpha(colour, 150));
        c.Line(nozzle, nozzle - sf::Vector2f(length * 0.6f, 0.f), width * 0.55f, Mix(colour, sf::Color::White, 0.6f));
    }

    // A rotor seen from above: a blurred disc and two blades at the angle.
    void Rotor(Canvas& c, const sf::Vector2f& hub, float radius, float angle)
    {
        c.FillCircle(hub, radius, sf::Color(210, 220, 235, 45));
        for (int b = 0; b < 2; ++b)
        {
            const float a = angle + float(b) * Pi;
            c.Line(hub, Polar(hub, radius * 0.95f, a), 3.f, Hex(0x23262c, 220));
        }
        c.FillCircle(hub, 3.5f, Hex(0x9aa0aa));
    }

    const std::string airships = "resources|enemies|airships|";
    const std::string turrets = "resources|enemies|turrets|";

    // 000, the gunboat: a silver armoured blimp with orange fins with tail fins and a gondola
    // gun, twin propellers turning at the tail. 72 x 56, four frames.
    void Gunboat(const std::filesystem::path& root)
    {
        PaintStrip(root, airships + "000|ship.png", 72, 56, 4, [&](Canvas& c, int f) {
            const float spin = float(f) / 4.f * Pi;
            Rotor(c, {7.f, 14.f}, 8.f, spin);
            Rotor(c, {7.f, 42.f}, 8.f, -spin);
            // Fins.
            c.FillPolygon(Mirrored(c, {{0.3f, 0.36f}, {0.06f, 0.04f}, {0.16f, 0.04f}, {0.42f, 0.3f}}), Hex(0xc8642a));
            // The envelope: a long ellipse, blunter at the nose than at the tail.
            std::vector<sf::Vector2f> half;
            for (int i = 0; i <= 16; ++i)
            {
                const float a = float(i) / 16.f * Pi;
                const float reach = std::cos(a) > 0.f ? 0.44f : 0.38f;
                half.push_back({0.5f + reach * std::cos(a), 0.5f - 0.3f * std::sin(a)});
            }
            Hull(c, half, Hex(0x9c978c));
            // Armour bands and the gondola.
            for (float x : {0.32f, 0.5f, 0.68f})
                c.Line({x * 72.f, 13.f}, {x * 72.f, 43.f}, 2.f, Hex(0x4a463c, 200));
            c.FillRoundedRectangle({28.f, 23.f, 30.f, 10.f}, 4.f, Hex(0x2c2f24));
            c.FillRoundedRectangle({30.f, 25.f, 26.f, 6.f}, 3.f, Hex(0x585d44));
            c.Line({56.f, 28.f}, {68.f, 28.f}, 3.f, Hex(0x1a1c14));
            // A red warning light that blinks.
            c.FillCircle({38.f, 28.f}, 2.2f, f < 2 ? Hex(0xff3a2a) : Hex(0x6a1a14));
            c.Relief(0.25f);
        });
    }

    // 001, the dart: a burnt-orange arrowhead with soot-black stripes, an amber
    // canopy and a flickering red-orange exhaust; nothing about it is the blue
    // of the player's fighter. 64 x 64, four frames.
    void Dart(const std::filesystem::path& root)
    {
        PaintStrip(root, airships + "001|ship.png", 64, 64, 4, [&](Canvas& c, int f) {
            Flame(c, {12.f, 32.f}, 9.f + 3.f * float(f % 2) + float(f), 7.f, Hex(0xff5a1a));
            Hull(c, {{0.97f, 0.5f}, {0.6f, 0.4f}, {0.3f, 0.06f}, {0.18f, 0.08f}, {0.3f, 0.38f}, {0.18f, 0.42f}},
                 Hex(0xb8521c));
            c.Line({22.f, 9.f}, {36.f, 24.f}, 3.f, Hex(0x1e1410));
            c.Line({22.f, 55.f}, {36.f, 40.f}, 3.f, Hex(0x1e1410));
            // Canopy.
            c.FillCircle({44.f, 32.f}, 5.f, Hex(0x1c0c04));
            c.RadialGradient({45.f, 30.5f}, 3.5f, Hex(0xffe08a), Hex(0xd07a1a, 0));
            c.Relief(0.3f);
        });
    }

    // 002, the hornet: a small spiked crimson drone with a glowing yellow eye
    // at its nose; the spikes throb. 44 x 44, four frames.
    void Hornet(const std::filesystem::path& root)
    {
        PaintStrip(root, airships + "002|ship.png", 44, 44, 4, [&](Canvas& c, int f) {
            const sf::Vector2f centre(21.f, 22.f);
            const float throb = 0.5f + 0.5f * std::sin(float(f) / 4.f * 2.f * Pi);
            std::vector<sf::Vector2f> star;
            for (int i = 0; i < 16; ++i)
            {
                const float a = float(i) / 16.f * 2.f * Pi;
                star.push_back(Polar(centre, i % 2 == 0 ? 19.f + 1.5f * throb : 12.f, a));
            }
            c.FillPolygon(star, Hex(0x2a0606));
            c.FillCircle(centre, 13.f, Hex(0xc0221a));
            c.RadialGradient(centre, 11.f, Hex(0xff6a3a), Hex(0xc0221a));
            for (int i = 0; i < 4; ++i)
                c.Line(Polar(centre, 6.f, float(i) * Pi / 2.f + Pi / 4.f),
                       Polar(centre, 12.f, float(i) * Pi / 2.f + Pi / 4.f), 2.f, Hex(0x5a0a08));
            // The eye looks where it flies.
            const sf::Vector2f eye(31.f, 22.f);
            c.FillCircle(eye, 6.f, Hex(0x1a0a04));
            c.RadialGradient(eye, 5.f, Mix(Hex(0xffe23a), sf::Color::White, 0.5f * throb), Hex(0xff8a00, 80));
            c.Relief(0.2f);
        });
    }

    // 005, the warden: a heavy violet gunship that hangs on two rotors, a fan
    // gun under its nose and cyan lights. 88 x 88, four frames.
    void Warden(const std::filesystem::path& root)
    {
        PaintStrip(root, airships + "005|ship.png", 88, 88, 4, [&](Canvas& c, int f) {
            Hull(c, {{0.88f, 0.42f}, {0.7f, 0.26f}, {0.5f, 0.22f}, {0.3f, 0.28f}, {0.14f, 0.38f}, {0.1f, 0.46f}},
                 Hex(0x6a3a9a));
            // Rotor pods on both sides.
            for (float y : {18.f, 70.f})
            {
                c.Line({30.f, 44.f}, {40.f, y}, 6.f, Hex(0x3a2256));
                c.FillCircle({40.f, y}, 9.f, Hex(0x1c1028));
                c.FillCircle({40.f, y}, 7.f, Hex(0x8a5abc));
            }
            // The fan gun.
            for (float a : {-0.35f, 0.f, 0.35f})
                c.Line({70.f, 44.f}, Polar({70.f, 44.f}, 15.f, a), 3.f, Hex(0x1c1028));
            c.FillCircle({68.f, 44.f}, 6.f, Hex(0x2c1a40));
            c.RadialGradient({68.f, 44.f}, 4.f, Hex(0xff6a9a), Hex(0xd0103a, 60));
            // Lights that run along the spine.
            for (int i = 0; i < 4; ++i)
                c.FillCircle({22.f + 10.f * float(i), 44.f}, 2.f, i == f ? Hex(0xaaffff) : Hex(0x2a8a9a));
            c.Relief(0.25f);
            const float spin = float(f) / 4.f * Pi / 2.f;
            Rotor(c, {40.f, 18.f}, 17.f, spin);
            Rotor(c, {40.f, 70.f}, 17.f, -spin + 0.8f);
        });
    }

    struct TurretLook
    {
        std::string number;
        unsigned socketSize;
        int corners;          // 4: a square bunker; more: a round one
        sf::Color ground;     // the socket
        sf::Color marks;
        unsigned headSize;
        int barrels;
        sf::Color head;
        sf::Color energy;
    };

    // The socket: a bunker sunk into the ground, with marks on its rim.
    void Socket(const std::filesystem::path& root, const TurretLook& look)
    {
        Canvas c(look.socketSize, look.socketSize);
        const float size = float(look.socketSize);
        const sf::Vector2f centre(size / 2.f, size / 2.f);
        std::vector<sf::Vector2f> rim;
        std::vector<sf::Vector2f> top;
        for (int i = 0; i < look.corners; ++i)
        {
            const float a = (float(i) + 0.5f) / float(look.corners) * 2.f * Pi;
            const float reach = look.corners == 4 ? size * 0.7f : size * 0.5f;
            rim.push_back(Polar(centre, reach * 0.97f, a));
            top.push_back(Polar(centre, reach * 0.8f, a));
        }
        c.FillPolygon(rim, Hex(0x101010));
        c.FillPolygon(top, look.ground);
        c.Grain(c.Bounds(), 0.12f, 31u + look.socketSize);
        for (int i = 0; i < look.corners; ++i)
        {
            const sf::Vector2f p = top[std::size_t(i)];
            c.FillCircle(centre + (p - centre) * 0.86f, size * 0.05f, look.marks);
        }
        c.FillCircle(centre, size * 0.3f, Hex(0x181818));
        c.OutlineCircle(centre, size * 0.3f, 2.f, Shade(look.ground, 0.3f));
        c.Relief(0.15f);
        c.Save(root, turrets + look.number + "|socket.png");
    }

    // The head: a turning top with its barrels to the right; the second frame
    // lights the muzzles.
    void Head(const std::filesystem::path& root, const TurretLook& look)
    {
        const float size = float(look.headSize);
        PaintStrip(root, turrets + look.number + "|head.png", look.headSize, look.headSize, 2, [&](Canvas& c, int f) {
            const sf::Vector2f centre(size / 2.f, size / 2.f);
            for (int b = 0; b < look.barrels; ++b)
            {
                const float offset = look.barrels == 1 ? 0.f : (float(b) - 0.5f) * size * 0.22f;
                const sf::Vector2f from(centre.x, centre.y + offset);
                const sf::Vector2f to(size - 3.f, centre.y + offset);
                c.Line(from, to, size * 0.16f, Hex(0x0a0a0a));
                c.Line(from, to, size * 0.11f, Shade(look.head, -0.3f));
                c.Line(to - sf::Vector2f(size * 0.05f, 0.f), to, size * 0.15f, Hex(0x0a0a0a));
                if (f == 1)
                    c.RadialGradient(to, size * 0.1f, Mix(look.energy, sf::Color::White, 0.5f), WithAlpha(look.energy, 0));
            }
            c.FillCircle(centre, size * 0.25f, Hex(0x0a0a0a));
            c.RadialGradient(centre, size * 0.23f, Shade(look.head, 0.35f), Shade(look.head, -0.25f));
            c.FillCircle(centre - sf::Vector2f(size * 0.06f, 0.f), size * 0.08f, Mix(look.energy, Hex(0x000000), 0.2f));
        });
    }

    void Generate(const std::filesystem::path& root)
    {
        Gunboat(root);
        Dart(root);
        Hornet(root);
        Warden(root);
        const TurretLook looks[] = {
            {"000", 64, 4, Hex(0x8a8a80), Hex(0xf0c020), 56, 1, Hex(0xb07a3a), Hex(0xff2ad0)},
            {"001", 72, 8, Hex(0x9a4a3a), Hex(0xf0f0e0), 64, 2, Hex(0x6a3aa0), Hex(0xa040ff)},
        };
        for (const TurretLook& look : looks)
        {
            Socket(root, look);
            Head(root, look);
        }
    }

    const Content::Registration registration("enemy art", &Generate);
}
