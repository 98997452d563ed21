// The explosions of the enemies: mono clips, so that a sound emitter can place
// them where the enemy bursts. A short crack for airships, a deep, longer
// blast for the heavy gunship and the turrets.
#include "Canvas.hpp"
#include "Generator.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace
{
    using Content::Pi;

    const unsigned rate = 22050;

    // Low-passed noise over a falling thump, fading out.
    std::vector<std::int16_t> Blast(float seconds, float volume, float thumpFrom, float thumpTo, float darkness,
                                    std::uint32_t seed)
    {
        Content::Random random(seed);
        const unsigned count = unsigned(seconds * float(rate));
        std::vector<std::int16_t> samples(count);
        float noise = 0.f;
        float phase = 0.f;
        for (unsigned i = 0; i < count; ++i)
        {
            const float t = float(i) / float(rate);
            const float f = float(i) / float(count);
            noise += (random.Between(-1.f, 1.f) - noise) * (darkness + (1.f - darkness) * std::exp(-t * 30.f));
            phase += 2.f * Pi * (thumpFrom * std::pow(thumpTo / thumpFrom, f)) / float(rate);
            const float attack = std::min(1.f, t / 0.003f);
            const float value = (1.4f * noise * std::exp(-f * 4.f) + 0.8f * std::sin(phase) * std::exp(-f * 5.f)) *
                                attack * volume * std::min(1.f, (seconds - t) / 0.02f);
            samples[i] = Content::ToSample(value);
        }
        return samples;
    }

    void Generate(const std::filesystem::path& root)
    {
        Content::SaveSound(Content::Prepare(root, "resources/enemies/sounds/small_explosion.wav"),
                           Blast(0.55f, 0.6f, 140.f, 45.f, 0.18f, 41), rate, 1);
        Content::SaveSound(Content::Prepare(root, "resources/enemies/sounds/large_explosion.wav"),
                           Blast(1.1f, 0.7f, 90.f, 30.f, 0.08f, 43), rate, 1);
    }

    const Content::Registration registration("enemy sounds", &Generate);
}
