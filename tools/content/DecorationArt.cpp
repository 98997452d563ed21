// Things placed on the ground of the levels one by one, for their sparse
// layers: trees and bushes for the grassland, boulders and dead bushes for the
// dry earth. Each is one picture, resources/tiles/sprites/<name>/sprite.png,
// seen from above, lit from the upper left and casting its shadow to the lower
// right as the aircraft do; the committed sprite.animation beside it shows it
// centred on its position.
#include "Canvas.hpp"
#include "Generator.hpp"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace
{
    using Content::Canvas;
    using Content::Pi;

    // The same numbers on every run.
    class Random
    {
    public:
        explicit Random(std::uint32_t seed) : m_state(seed * 2654435761u + 1u) {}
        float Next()
        {
            m_state = m_state * 1664525u + 1013904223u;
            return float((m_state >> 8) & 0xFFFF) / 65536.f;
        }
        float Between(float low, float high) { return low + (high - low) * Next(); }

    private:
        std::uint32_t m_state;
    };

    sf::Color Shade(const sf::Color& c, float factor)
    {
        auto channel = [factor](sf::Uint8 v) { return sf::Uint8(std::min(255.f, std::max(0.f, float(v) * factor))); };
        return sf::Color(channel(c.r), channel(c.g), channel(c.b), c.a);
    }

    // A lumpy outline around a centre: `count` points at radii between the two.
    std::vector<sf::Vector2f> Blob(sf::Vector2f centre, float radius, float roughness, unsigned count, Random& random,
                                   float squash = 1.f)
    {
        std::vector<sf::Vector2f> points;
        for (unsigned i = 0; i < count; ++i)
        {
            const float angle = 2.f * Pi * float(i) / float(count);
            const float r = radius * (1.f - roughness * random.Next());
            points.emplace_back(centre.x + std::cos(angle) * r, centre.y + std::sin(angle) * r * squash);
        }
        return points;
    }

    std::vector<sf::Vector2f> Moved(std::vector<sf::Vector2f> points, sf::Vector2f by)
    {
        for (sf::Vector2f& p : points)
            p += by;
        return points;
    }

    // A crown of leaves: a shadow on the ground, then clumps from dark to
    // light, the lighter ones smaller and towards the upper left.
    void Crown(Canvas& canvas, sf::Vector2f centre, float radius, const sf::Color& leaves, std::uint32_t seed)
    {
        Random random(seed);
        const std::vector<sf::Vector2f> outline = Blob(centre, radius, 0.12f, 16, random);
        canvas.FillPolygon(Moved(outline, sf::Vector2f(radius * 0.25f, radius * 0.3f)), sf::Color(10, 30, 10, 90));
        canvas.FillPolygon(outline, Shade(leaves, 0.7f));
        const struct
        {
            int clumps;
            float size, shift, light;
        } layers[] = {{9, 0.42f, 0.f, 0.85f}, {6, 0.34f, 0.12f, 1.f}, {4, 0.24f, 0.26f, 1.18f}};
        for (const auto& layer : layers)
            for (int clump = 0; clump < layer.clumps; ++clump)
            {
                const float angle = 2.f * Pi * (float(clump) + random.Between(0.f, 0.6f)) / float(layer.clumps);
                const float size = radius * layer.size;
                const float distance = (radius - size) * random.Between(0.45f, 0.95f) * (1.f - layer.shift);
                const sf::Vector2f at(centre.x - radius * layer.shift + std::cos(angle) * distance,
                                      centre.y - radius * layer.shift + std::sin(angle) * distance);
                canvas.FillPolygon(Blob(at, size, 0.25f, 10, random), Shade(leaves, layer.light));
            }
        // Single leaves catching the light.
        for (int i = 0; i < int(radius * 0.6f); ++i)
        {
            const float angle = random.Between(0.f, 2.f * Pi);
            const float distance = random.Between(0.f, radius * 0.55f);
            const sf::Vector2f at(centre.x - radius * 0.25f + std::cos(angle) * distance,
                                  centre.y - radius * 0.25f + std::sin(angle) * distance);
            canvas.FillCircle(at, random.Between(0.7f, 1.3f), Shade(leaves, 1.3f));
        }
    }

    void Tree(const std::filesystem::path& root)
    {
        Canvas canvas(72, 72);
        Crown(canvas, sf::Vector2f(32.f, 32.f), 26.f, sf::Color(46, 112, 38), 11);
        canvas.Save(root, "resources/tiles/sprites/tree/sprite.png");
    }

    void Bush(const std::filesystem::path& root)
    {
        Canvas canvas(40, 40);
        Crown(canvas, sf::Vector2f(18.f, 18.f), 12.f, sf::Color(70, 128, 44), 23);
        canvas.Save(root, "resources/tiles/sprites/bush/sprite.png");
    }

    void Boulder(const std::filesystem::path& root)
    {
        Canvas canvas(48, 44);
        Random random(37);
        const sf::Vector2f centre(22.f, 20.f);
        const std::vector<sf::Vector2f> outline = Blob(centre, 17.f, 0.3f, 9, random, 0.8f);
        canvas.FillPolygon(Moved(outline, sf::Vector2f(5.f, 5.f)), sf::Color(40, 28, 16, 120));
        canvas.FillPolygon(outline, sf::Color(104, 96, 86));
        // Lit facets to the upper left, dark ones to the lower right.
        canvas.FillPolygon(Blob(centre + sf::Vector2f(-4.f, -4.f), 11.f, 0.3f, 7, random, 0.8f),
                           sf::Color(146, 138, 124));
        canvas.FillPolygon(Blob(centre + sf::Vector2f(-7.f, -6.f), 5.f, 0.3f, 6, random), sf::Color(178, 170, 154));
        canvas.FillPolygon(Blob(centre + sf::Vector2f(8.f, 7.f), 6.f, 0.3f, 6, random, 0.8f), sf::Color(78, 72, 64));
        canvas.Line(centre + sf::Vector2f(-2.f, -10.f), centre + sf::Vector2f(4.f, 6.f), 1.f, sf::Color(70, 64, 58));
        canvas.Grain(canvas.Bounds(), 0.08f, 5);
        canvas.Save(root, "resources/tiles/sprites/boulder/sprite.png");
    }

    void DeadBush(const std::filesystem::path& root)
    {
        Canvas canvas(40, 40);
        Random random(53);
        const sf::Vector2f centre(19.f, 19.f);
        canvas.FillCircle(centre + sf::Vector2f(3.f, 3.f), 9.f, sf::Color(50, 34, 18, 70));
        for (int i = 0; i < 11; ++i)
        {
            const float angle = 2.f * Pi * float(i) / 11.f + random.Between(-0.2f, 0.2f);
            const float length = random.Between(9.f, 16.f);
            const sf::Vector2f tip = centre + sf::Vector2f(std::cos(angle), std::sin(angle)) * length;
            canvas.Line(centre, tip, 1.6f, sf::Color(104, 74, 42));
            const sf::Vector2f fork = centre + (tip - centre) * 0.6f;
            const float side = angle + random.Between(0.4f, 0.8f) * (i % 2 ? 1.f : -1.f);
            canvas.Line(fork, fork + sf::Vector2f(std::cos(side), std::sin(side)) * length * 0.35f, 1.1f,
                        sf::Color(136, 102, 62));
        }
        canvas.FillCircle(centre, 2.5f, sf::Color(86, 60, 34));
        canvas.Save(root, "resources/tiles/sprites/deadbush/sprite.png");
    }

    void Generate(const std::filesystem::path& root)
    {
        Tree(root);
        Bush(root);
        Boulder(root);
        DeadBush(root);
    }

    const Content::Registration registration("ground decorations", &Generate);
}
