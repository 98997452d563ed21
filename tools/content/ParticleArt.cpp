// The textures of the particle effects (shot impacts, explosions, smoke), all
// in resources/particles/textures: white or grey shapes on a transparent
// background that the effects tint with their particles' colours.
//   glow.png    a soft round light (64 x 64)
//   ring.png    a thin bright ring, for shock waves (64 x 64)
//   flame.png   four ragged fire blobs, 2 x 2 cells of 64 x 64
//   smoke.png   four soft smoke puffs, 2 x 2 cells of 64 x 64
//   debris.png  four metal shards, 2 x 2 cells of 32 x 32
#include "Canvas.hpp"
#include "Generator.hpp"
#include "Noise.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace
{
    using Content::Canvas;
    using Content::Clamp01;

    const char* const folder = "resources/particles/textures/";

    sf::Uint8 ToByte(float v)
    {
        return sf::Uint8(Clamp01(v) * 255.f + 0.5f);
    }

    struct Blob
    {
        float x;
        float y;
        float radius;
        float weight;
    };

    // A cloud of soft blobs around the cell's centre, densities roughly in [0, 1.5].
    std::vector<Blob> MakeBlobs(Content::Random& random, float size, unsigned count, float spread)
    {
        std::vector<Blob> blobs;
        for (unsigned i = 0; i < count; ++i)
        {
            const float angle = random.Between(0.f, 6.2831853f);
            const float distance = random.Between(0.f, spread) * size;
            blobs.push_back(Blob{size * 0.5f + std::cos(angle) * distance, size * 0.5f + std::sin(angle) * distance,
                                 random.Between(0.14f, 0.24f) * size, random.Between(0.6f, 1.f)});
        }
        return blobs;
    }

    float Density(const std::vector<Blob>& blobs, float x, float y)
    {
        float density = 0.f;
        for (const Blob& blob : blobs)
        {
            const float dx = (x - blob.x) / blob.radius;
            const float dy = (y - blob.y) / blob.radius;
            density += blob.weight * std::exp(-(dx * dx + dy * dy));
        }
        return density;
    }

    // Grainy variation in [-1, 1] that repeats the same way on every run.
    float Grain(unsigned x, unsigned y, unsigned seed)
    {
        return float(Content::LatticeBits(x, y, seed)) / 32767.5f - 1.f;
    }

    // Smooth noise in about [-1, 1]: hashed values on a grid of the given
    // spacing, blended smoothly, two octaves.
    float SmoothNoise(float x, float y, float spacing, unsigned seed)
    {
        float total = 0.f;
        float amplitude = 0.65f;
        for (unsigned octave = 0; octave < 2; ++octave)
        {
            const float gx = x / spacing;
            const float gy = y / spacing;
            const unsigned ix = unsigned(std::floor(gx));
            const unsigned iy = unsigned(std::floor(gy));
            float tx = gx - std::floor(gx);
            float ty = gy - std::floor(gy);
            tx = tx * tx * (3.f - 2.f * tx);
            ty = ty * ty * (3.f - 2.f * ty);
            const float top = Grain(ix, iy, seed) * (1.f - tx) + Grain(ix + 1, iy, seed) * tx;
            const float bottom = Grain(ix, iy + 1, seed) * (1.f - tx) + Grain(ix + 1, iy + 1, seed) * tx;
            total += amplitude * (top * (1.f - ty) + bottom * ty);
            amplitude *= 0.55f;
            spacing *= 0.5f;
            seed += 101;
        }
        return total;
    }

    // Fades a cell's content out towards its border, so that no square edge shows.
    float EdgeFade(float x, float y, float size)
    {
        const float dx = (x - size * 0.5f) / (size * 0.5f);
        const float dy = (y - size * 0.5f) / (size * 0.5f);
        const float d = std::sqrt(dx * dx + dy * dy);
        return Clamp01((1.f - d) * 4.f);
    }

    // A 64 x 64 white picture whose alpha depends on the distance from its
    // centre (1 at the rim).
    void SaveRadial(const std::filesystem::path& root, const std::string& file, const std::function<float(float)>& alpha)
    {
        Canvas canvas(64, 64);
        for (unsigned y = 0; y < 64; ++y)
            for (unsigned x = 0; x < 64; ++x)
            {
                const float d = std::hypot(float(x) + 0.5f - 32.f, float(y) + 0.5f - 32.f) / 32.f;
                canvas.SetPixel(int(x), int(y), sf::Color(255, 255, 255, ToByte(alpha(d))));
            }
        canvas.Save(root, std::string(folder) + file);
    }

    void Glow(const std::filesystem::path& root)
    {
        SaveRadial(root, "glow.png", [](float d) { return std::pow(Clamp01(1.f - d), 1.6f); });
    }

    void Ring(const std::filesystem::path& root)
    {
        SaveRadial(root, "ring.png", [](float d) {
            const float band = std::exp(-std::pow((d - 0.8f) / 0.09f, 2.f));
            const float inner = 0.25f * Clamp01(d / 0.8f) * (d < 0.8f ? 1.f : 0.f);
            return band + inner * inner;
        });
    }

    // Four soft puffs, 2 x 2 cells of 64 x 64: each a cloud of `blobCount` blobs
    // faded out towards the cell's border; `pixel` colours a pixel from its
    // cell's number, its place in the cell and that shape's density there.
    void SavePuffs(const std::filesystem::path& root, const std::string& file, std::uint32_t seed, unsigned blobCount,
                   float spread, const std::function<sf::Color(unsigned, float, float, float)>& pixel)
    {
        const unsigned cell = 64;
        Canvas canvas(cell * 2, cell * 2);
        Content::Random random(seed);
        for (unsigned c = 0; c < 4; ++c)
        {
            const std::vector<Blob> blobs = MakeBlobs(random, float(cell), blobCount, spread);
            const unsigned left = (c % 2) * cell;
            const unsigned top = (c / 2) * cell;
            for (unsigned y = 0; y < cell; ++y)
                for (unsigned x = 0; x < cell; ++x)
                {
                    const float fx = float(x) + 0.5f;
                    const float fy = float(y) + 0.5f;
                    const float shape = Density(blobs, fx, fy) * EdgeFade(fx, fy, float(cell));
                    canvas.SetPixel(int(left + x), int(top + y), pixel(c, fx, fy, shape));
                }
        }
        canvas.Save(root, std::string(folder) + file);
    }

    void Flames(const std::filesystem::path& root)
    {
        SavePuffs(root, "flame.png", 71, 6, 0.24f, [](unsigned c, float fx, float fy, float shape) {
            const float density = shape * (0.75f + 0.6f * SmoothNoise(fx, fy, 11.f, c + 1));
            // White-hot where the fire is dense, yellow towards its ragged rim.
            const float heat = Clamp01(density - 0.9f);
            return sf::Color(255, ToByte(0.75f + 0.25f * heat), ToByte(0.35f + 0.65f * heat),
                             ToByte(std::pow(Clamp01(density * 0.8f), 1.6f)));
        });
    }

    void Smoke(const std::filesystem::path& root)
    {
        SavePuffs(root, "smoke.png", 43, 9, 0.22f, [](unsigned c, float fx, float fy, float shape) {
            const float density = shape * (0.8f + 0.45f * SmoothNoise(fx, fy, 13.f, c + 11));
            // Lit from the upper left: lighter there, darker below and right.
            const float light = 0.7f + 0.3f * Clamp01(1.f - (fx + fy) / 64.f);
            const sf::Uint8 grey = ToByte(light * (0.85f + 0.12f * SmoothNoise(fx, fy, 6.f, c + 21)));
            return sf::Color(grey, grey, grey, ToByte(std::pow(Clamp01(density * 0.75f), 1.4f)));
        });
    }

    void Debris(const std::filesystem::path& root)
    {
        const unsigned cell = 32;
        Canvas canvas(cell * 2, cell * 2);
        Content::Random random(97);
        for (unsigned c = 0; c < 4; ++c)
        {
            const float left = float((c % 2) * cell);
            const float top = float((c / 2) * cell);
            // A jagged shard: five to seven corners at uneven distances from the middle.
            std::vector<sf::Vector2f> corners;
            const unsigned count = 5 + c % 3;
            for (unsigned i = 0; i < count; ++i)
            {
                const float angle = 6.2831853f * (float(i) + random.Between(-0.25f, 0.25f)) / float(count);
                const float distance = random.Between(5.f, 13.f);
                corners.emplace_back(left + 16.f + std::cos(angle) * distance, top + 16.f + std::sin(angle) * distance);
            }
            canvas.FillPolygon(corners, sf::Color(70, 72, 78));
            // A lit edge along the upper half.
            for (unsigned i = 0; i + 1 < corners.size(); ++i)
                if (corners[i].y < top + 16.f)
                    canvas.Line(corners[i], corners[i + 1], 1.5f, sf::Color(170, 175, 185));
            canvas.Line(corners[0], corners[corners.size() / 2], 1.f, sf::Color(40, 40, 44));
        }
        canvas.Save(root, std::string(folder) + "debris.png");
    }

    void Generate(const std::filesystem::path& root)
    {
        Glow(root);
        Ring(root);
        Flames(root);
        Smoke(root);
        Debris(root);
    }

    const Content::Registration registration("particles", &Generate);
}
