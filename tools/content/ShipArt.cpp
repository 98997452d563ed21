// The player's fighter in flight: one sprite sheet of 96 x 96 frames, drawn
// seen from above with the nose to the right (its state machine turns it to
// fly up the screen), and the sound of its end.
//
// The fighter is built as a small model of flat panels (wings, canards, a
// fuselage of strips, twin tail fins, a canopy) that is rolled about its long
// axis and projected from above, so the leaning frames show the wing on the
// inside of the turn dipping and foreshortened and the outer flank of the body
// coming into view. Each panel is lit by its own tilt.
//
// Frames, six a row:
//   0, 1   straight, the exhaust flickering
//   2      leaning left, half way          3, 4  leaning left, full
//   5      leaning right, half way         6, 7  leaning right, full
//   8..11  the fighter bursting
// The ship's animations in "resources|equipment|hulls|000|" cut them by these
// numbers (ship.spritelist).
#include "Canvas.hpp"
#include "Generator.hpp"
#include "SpriteSheet.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace
{
    using Content::Canvas;
    using Content::Hex;
    using Content::Mix;
    using Content::Pi;
    using Content::Shade;
    using Content::WithAlpha;

    const unsigned frameSize = 96;
    // The model's origin lies here in the frame; the model is a little larger
    // than the frame's pixels and is scaled down on projection.
    const sf::Vector2f origin(50.f, 48.f);
    const float scale = 0.9f;

    struct Point3
    {
        float x, y, z;
    };

    // The model turned about its long axis (x) by the roll angle: a positive
    // roll lowers the side of negative y, which is the pilot's left once the
    // picture is turned nose up.
    Point3 Roll(const Point3& p, float roll)
    {
        const float c = std::cos(roll);
        const float s = std::sin(roll);
        return {p.x, p.y * c - p.z * s, p.y * s + p.z * c};
    }

    // Seen from above from not too far: what rises comes a little closer and
    // looks larger, so the wing on the outside of a turn grows and the inner
    // one shrinks.
    sf::Vector2f Project(const Point3& p)
    {
        const float closer = scale * (1.f + p.z / 140.f);
        return origin + sf::Vector2f(p.x * closer, p.y * closer);
    }

    // Light falls from above, towards the nose and the pilot's left: once the
    // picture is turned nose up, from the upper left of the screen.
    Point3 Light()
    {
        const Point3 l{0.35f, -0.45f, 0.82f};
        const float n = std::sqrt(l.x * l.x + l.y * l.y + l.z * l.z);
        return {l.x / n, l.y / n, l.z / n};
    }

    struct Panel
    {
        std::vector<Point3> points;
        sf::Color colour;
        bool twoSided;  // a thin plate seen from either side (the fins)
        float gloss;    // how much a panel facing the light whitens
    };

    class Model
    {
    public:
        explicit Model(float roll) : m_roll(roll) {}

        // Draws the panel when it faces the viewer after the roll; answers
        // whether it did.
        bool Draw(Canvas& canvas, const Panel& panel) const
        {
            // Newell's normal of the panel as built, turned to face up: every
            // panel but the fins faces up before the roll.
            Point3 normal{0.f, 0.f, 0.f};
            for (std::size_t i = 0; i < panel.points.size(); ++i)
            {
                const Point3& a = panel.points[i];
                const Point3& b = panel.points[(i + 1) % panel.points.size()];
                normal.x += (a.y - b.y) * (a.z + b.z);
                normal.y += (a.z - b.z) * (a.x + b.x);
                normal.z += (a.x - b.x) * (a.y + b.y);
            }
            const float length = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
            if (length <= 0.f)
                return false;
            normal = {normal.x / length, normal.y / length, normal.z / length};
            if (normal.z < 0.f)
                normal = {-normal.x, -normal.y, -normal.z};
            normal = Roll(normal, m_roll);
            if (normal.z < 0.f)
            {
                if (!panel.twoSided)
                    return false;
                normal = {-normal.x, -normal.y, -normal.z};
            }
            std::vector<Point3> rolled;
            for (const Point3& p : panel.points)
                rolled.push_back(Roll(p, m_roll));
            const Point3 light = Light();
            const float lit = std::max(0.f, normal.x * light.x + normal.y * light.y + normal.z * light.z);
            sf::Color colour = Shade(panel.colour, -0.55f + 0.75f * lit);
            if (panel.gloss > 0.f && lit > 0.85f)
                colour = Mix(colour, sf::Color::White, panel.gloss * (lit - 0.85f) / 0.15f);
            colour.a = panel.colour.a;
            std::vector<sf::Vector2f> outline;
            for (const Point3& p : rolled)
                outline.push_back(Project(p));
            canvas.FillPolygon(outline, colour);
            return true;
        }

        sf::Vector2f At(const Point3& p) const { return Project(Roll(p, m_roll)); }
        float Depth(const Point3& p) const { return Roll(p, m_roll).z; }

    private:
        float m_roll;
    };

    // The fighter's colours: a pale silver airframe, deep blue panels, cyan
    // trim and engines burning blue-white.
    const sf::Color airframe = Hex(0xd4dbe6);
    const sf::Color panelBlue = Hex(0x2f58a8);
    const sf::Color trim = Hex(0x3ce0ff);
    const sf::Color darkMetal = Hex(0x3a4354);
    const sf::Color canopyGlass = Hex(0x0c2344);

    // One half of the body: along the length, the half width at the wing line
    // and the half width and height of the spine.
    struct Section
    {
        float x, base, top, height;
    };
    const Section sections[] = {
        {44.f, 0.f, 0.f, 1.5f},   {36.f, 3.5f, 1.5f, 4.5f},  {26.f, 6.f, 3.f, 7.f},   {12.f, 8.f, 4.f, 8.5f},
        {-6.f, 8.5f, 4.5f, 8.5f}, {-20.f, 10.f, 5.f, 7.5f}, {-33.f, 10.f, 5.f, 6.5f}, {-36.f, 9.f, 4.5f, 5.5f},
    };

    // A panel and its mirror image on the other side (y negated).
    Panel Mirror(const Panel& panel)
    {
        Panel mirrored = panel;
        mirrored.points.clear();
        for (const Point3& p : panel.points)
            mirrored.points.push_back({p.x, -p.y, p.z});
        return mirrored;
    }

    // The left wing (negative y) with its blue panel, the cyan stripe along its
    // leading edge and the missile rail at its tip.
    std::vector<Panel> LeftWing()
    {
        return {
            {{{10.f, -7.f, 1.f}, {-15.f, -38.f, 2.5f}, {-25.f, -38.f, 2.5f}, {-25.f, -7.f, 1.f}}, airframe, false, 0.4f},
            {{{2.f, -11.f, 1.1f}, {-14.f, -31.f, 2.1f}, {-21.f, -31.f, 2.1f}, {-21.f, -11.f, 1.1f}},
             panelBlue, false, 0.3f},
            {{{9.f, -8.f, 1.05f}, {-14.5f, -37.f, 2.55f}, {-16.5f, -37.f, 2.55f}, {5.5f, -8.f, 1.05f}}, trim, false, 0.f},
            {{{-5.f, -41.f, 3.f}, {-30.f, -41.f, 3.f}, {-30.f, -36.5f, 3.f}, {-5.f, -36.5f, 3.f}}, darkMetal, false, 0.2f},
        };
    }

    std::vector<Panel> LeftCanard()
    {
        return {{{{27.f, -5.f, 3.f}, {16.f, -16.f, 3.5f}, {11.f, -16.f, 3.5f}, {14.f, -5.f, 3.f}}, airframe, false, 0.4f}};
    }

    // The strips of the body between its sections: both flanks and the spine.
    std::vector<Panel> Body()
    {
        std::vector<Panel> panels;
        const std::size_t count = sizeof(sections) / sizeof(sections[0]);
        for (std::size_t i = 0; i + 1 < count; ++i)
        {
            const Section& a = sections[i];
            const Section& b = sections[i + 1];
            // Left flank, from the wing line up to the spine's edge.
            panels.push_back({{{a.x, -a.base, 0.f}, {a.x, -a.top, a.height}, {b.x, -b.top, b.height}, {b.x, -b.base, 0.f}},
                              airframe, false, 0.3f});
            panels.push_back(Mirror(panels.back()));
            // The spine, blue along the middle of the fuselage.
            panels.push_back({{{a.x, -a.top, a.height}, {a.x, a.top, a.height}, {b.x, b.top, b.height}, {b.x, -b.top, b.height}},
                              i >= 2 && i <= 4 ? Mix(airframe, panelBlue, 0.35f) : airframe, false, 0.5f});
        }
        return panels;
    }

    std::vector<Panel> Fins()
    {
        Panel left{{{-16.f, -5.f, 8.f}, {-31.f, -8.f, 19.f}, {-38.f, -8.f, 19.f}, {-35.f, -5.f, 6.f}}, panelBlue, true, 0.2f};
        return {left, Mirror(left)};
    }

    void Canopy(Canvas& canvas, const Model& model)
    {
        std::vector<sf::Vector2f> outline;
        for (int i = 0; i < 28; ++i)
        {
            const float a = float(i) / 28.f * 2.f * Pi;
            outline.push_back(model.At({19.f + 9.f * std::cos(a), 3.6f * std::sin(a), 9.5f}));
        }
        canvas.FillPolygon(outline, Hex(0x06101e));
        std::vector<sf::Vector2f> glass;
        for (int i = 0; i < 28; ++i)
        {
            const float a = float(i) / 28.f * 2.f * Pi;
            glass.push_back(model.At({19.f + 7.8f * std::cos(a), 2.8f * std::sin(a), 11.f}));
        }
        canvas.FillPolygon(glass, canopyGlass);
        // The glint of the light on the glass, towards the nose and the left.
        const sf::Vector2f glint = model.At({22.f, -1.2f, 12.f});
        canvas.RadialGradient(glint, 3.2f, Hex(0xbfeeff, 235), Hex(0x3a8cd0, 0));
        canvas.Line(model.At({14.f, -1.8f, 11.5f}), model.At({24.f, -1.6f, 11.5f}), 0.9f, Hex(0x9fdcff, 150));
    }

    // The exhaust of both engines, under everything else.
    void Exhaust(Canvas& canvas, const Model& model, float flicker)
    {
        for (float y : {-5.f, 5.f})
        {
            const sf::Vector2f nozzle = model.At({-36.f, y, 3.f});
            const float length = (11.f + 5.f * flicker) * scale;
            const sf::Vector2f tail = nozzle - sf::Vector2f(length, 0.f);
            canvas.Line(nozzle, tail, 7.f, Hex(0x2a6cff, 70));
            canvas.Line(nozzle, nozzle - sf::Vector2f(length * 0.8f, 0.f), 5.f, Hex(0x3ab8ff, 150));
            canvas.Line(nozzle, nozzle - sf::Vector2f(length * 0.45f, 0.f), 2.6f, Hex(0xeafcff, 240));
            canvas.RadialGradient(nozzle, 5.f, Hex(0xcff4ff, 220), Hex(0x3a8cff, 0));
        }
    }

    void Nozzles(Canvas& canvas, const Model& model)
    {
        for (float y : {-5.f, 5.f})
        {
            const sf::Vector2f a = model.At({-33.f, y - 3.f, 3.f});
            const sf::Vector2f b = model.At({-37.f, y + 3.f, 3.f});
            canvas.FillRectangle(sf::FloatRect(std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x),
                                               std::max(1.5f, std::fabs(b.y - a.y))),
                                 Hex(0x141a24));
        }
    }

    // A dark rim around everything opaque, so that the fighter reads against
    // any ground.
    void Rim(Canvas& canvas)
    {
        const sf::Image source = canvas.Image();
        const int w = int(canvas.Width());
        const int h = int(canvas.Height());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
            {
                if (source.getPixel(unsigned(x), unsigned(y)).a > 100)
                    continue;
                unsigned near = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                    {
                        const int nx = x + dx;
                        const int ny = y + dy;
                        if (nx >= 0 && ny >= 0 && nx < w && ny < h && source.getPixel(unsigned(nx), unsigned(ny)).a > 160)
                            ++near;
                    }
                if (near > 0)
                    canvas.BlendPixel(x, y, Hex(0x05070c), std::min(1.f, 0.45f + 0.15f * float(near)));
            }
    }

    // The fighter at a roll angle (radians; positive leans left) with the
    // exhaust of the given length (0..1).
    Canvas Fighter(float roll, float flicker)
    {
        const Model model(roll);
        Canvas body(frameSize, frameSize);
        // The wing on the low side first, so the high one overlaps it at the root.
        std::vector<Panel> wings[2];
        for (const Panel& p : LeftWing())
        {
            wings[0].push_back(p);
            wings[1].push_back(Mirror(p));
        }
        for (const Panel& p : LeftCanard())
        {
            wings[0].push_back(p);
            wings[1].push_back(Mirror(p));
        }
        const bool leftLow = roll >= 0.f;
        for (const Panel& p : wings[leftLow ? 0 : 1])
            model.Draw(body, p);
        for (const Panel& p : wings[leftLow ? 1 : 0])
            model.Draw(body, p);
        // Wing-tip lights: red on the left, green on the right, as on every craft.
        body.FillCircle(model.At({-5.f, -39.f, 3.2f}), 1.6f, Hex(0xff3a3a));
        body.FillCircle(model.At({-5.f, 39.f, 3.2f}), 1.6f, Hex(0x3aff6a));
        for (const Panel& p : Body())
            model.Draw(body, p);
        // Panel seams along the spine and a cyan stripe down the back.
        body.Line(model.At({8.f, 0.f, 8.6f}), model.At({-30.f, 0.f, 6.8f}), 1.4f, WithAlpha(trim, 220));
        body.Line(model.At({30.f, -2.f, 6.2f}), model.At({-32.f, -4.6f, 6.6f}), 0.7f, Hex(0x1a2030, 120));
        body.Line(model.At({30.f, 2.f, 6.2f}), model.At({-32.f, 4.6f, 6.6f}), 0.7f, Hex(0x1a2030, 120));
        Canopy(body, model);
        // The fins, the lower one first.
        std::vector<Panel> fins = Fins();
        if (model.Depth(fins[0].points[1]) > model.Depth(fins[1].points[1]))
            std::swap(fins[0], fins[1]);
        for (const Panel& p : fins)
            model.Draw(body, p);
        Nozzles(body, model);
        Rim(body);

        Canvas frame(frameSize, frameSize);
        Exhaust(frame, model, flicker);
        frame.Draw(body, 0, 0);
        return frame;
    }

    // The fighter bursting apart: stage 0 the first flash over the broken
    // airframe, then the fireball growing and fading with pieces flying off.
    Canvas Burst(int stage)
    {
        Canvas frame(frameSize, frameSize);
        const sf::Vector2f centre = Project({0.f, 0.f, 0.f});
        const float t = float(stage) / 3.f;
        if (stage == 0)
        {
            Canvas wreck = Fighter(0.f, 0.f);
            // Darken it, as if scorched.
            for (unsigned y = 0; y < wreck.Height(); ++y)
                for (unsigned x = 0; x < wreck.Width(); ++x)
                {
                    sf::Color p = wreck.Image().getPixel(x, y);
                    const sf::Color d = Shade(p, -0.4f);
                    wreck.Image().setPixel(x, y, sf::Color(d.r, d.g, d.b, p.a));
                }
            frame.Draw(wreck, 0, 0);
        }
        // Pieces of the airframe flung outwards, glowing at their edges.
        Content::Random random(77);
        for (int i = 0; i < 9; ++i)
        {
            const float angle = random.Between(0.f, 2.f * Pi);
            const float reach = (8.f + 30.f * t) * random.Between(0.6f, 1.1f);
            const float size = random.Between(2.5f, 5.f) * (1.f - 0.3f * t);
            const sf::Vector2f at = centre + sf::Vector2f(reach * std::cos(angle), reach * std::sin(angle));
            const float spin = random.Between(0.f, Pi) + t * 3.f;
            std::vector<sf::Vector2f> shard;
            for (int k = 0; k < 3; ++k)
            {
                const float a = spin + float(k) * 2.1f + (k == 1 ? 0.5f : 0.f);
                shard.push_back(at + sf::Vector2f(size * std::cos(a), size * std::sin(a)));
            }
            frame.FillPolygon(shard, Mix(Hex(0xffb040), darkMetal, 0.3f + 0.6f * t));
        }
        // The fireball: a hot white core in orange flame in a red, smoky rim.
        const float radius = 14.f + 26.f * std::sqrt(t);
        const std::uint8_t fade = std::uint8_t(255.f * (1.f - 0.55f * t));
        frame.RadialGradient(centre, radius * 1.25f, WithAlpha(Hex(0x5a3a30), std::uint8_t(120.f * t)),
                             WithAlpha(Hex(0x2a2020), 0));
        frame.RadialGradient(centre, radius, WithAlpha(Hex(0xff6a1e), fade), WithAlpha(Hex(0xb0200a), 0));
        for (int i = 0; i < 6; ++i)
        {
            const float a = float(i) / 6.f * 2.f * Pi + float(stage) * 0.7f;
            const sf::Vector2f puff = centre + sf::Vector2f(radius * 0.45f * std::cos(a), radius * 0.45f * std::sin(a));
            frame.RadialGradient(puff, radius * 0.5f, WithAlpha(Hex(0xffb040), fade), WithAlpha(Hex(0xff5010), 0));
        }
        frame.RadialGradient(centre, radius * (0.55f - 0.3f * t),
                             WithAlpha(Hex(0xffffff), std::uint8_t(255.f * (1.f - t))),
                             WithAlpha(Hex(0xffe080), 0));
        return frame;
    }

    // A deep blast: a crack of noise, then a long low rumble that rolls off.
    std::vector<std::int16_t> Blast(unsigned rate)
    {
        const float duration = 1.6f;
        const std::size_t count = std::size_t(duration * float(rate));
        std::vector<std::int16_t> samples(count);
        std::uint32_t noise = 12345u;
        float low = 0.f;
        float lower = 0.f;
        float phase = 0.f;
        for (std::size_t i = 0; i < count; ++i)
        {
            const float t = float(i) / float(rate);
            noise = noise * 1664525u + 1013904223u;
            const float white = float(noise >> 8) / float(1u << 24) * 2.f - 1.f;
            // Two smoothing stages make the noise a rumble.
            low += 0.18f * (white - low);
            lower += 0.05f * (low - lower);
            const float crack = white * std::exp(-t * 28.f);
            const float rumble = lower * 3.2f * std::exp(-t * 2.4f);
            phase += 2.f * Pi * (70.f - 35.f * std::min(1.f, t)) / float(rate);
            const float thump = std::sin(phase) * 0.55f * std::exp(-t * 5.f);
            const float attack = std::min(1.f, t * 400.f);
            const float value = std::max(-1.f, std::min(1.f, attack * (0.6f * crack + rumble + thump)));
            samples[i] = std::int16_t(value * 30000.f);
        }
        return samples;
    }

    void Generate(const std::filesystem::path& root)
    {
        const std::string folder = "resources|equipment|hulls|000|";
        const float half = 25.f * Pi / 180.f;
        const float full = 50.f * Pi / 180.f;
        Content::SpriteSheet sheet(frameSize, frameSize, 6);
        sheet.Add(Fighter(0.f, 0.f));
        sheet.Add(Fighter(0.f, 1.f));
        sheet.Add(Fighter(half, 0.5f));
        sheet.Add(Fighter(full, 0.f));
        sheet.Add(Fighter(full, 1.f));
        sheet.Add(Fighter(-half, 0.5f));
        sheet.Add(Fighter(-full, 0.f));
        sheet.Add(Fighter(-full, 1.f));
        for (int stage = 0; stage < 4; ++stage)
            sheet.Add(Burst(stage));
        sheet.Save(root, folder + "ship.png");

        const unsigned rate = 22050;
        Content::SaveSound(Content::Prepare(root, "resources/equipment/hulls/000/explode.wav"), Blast(rate), rate, 1);
    }

    const Content::Registration registration("ship", &Generate);
}
