// The sounds of the bosses, mono so that sound emitters can place them:
//   airbosss/001/machine.wav     the disk boss's engine, a deep throbbing drone
//                                that loops without a seam (2 seconds)
//   groundbosss/000/servo.wav    the tank boss's whine and clank as it splits
//                                open into its second form
#include "Canvas.hpp"
#include "Generator.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace
{
    using Content::Pi;
    using Content::ToSample;

    const unsigned rate = 22050;

    // Every tone completes whole periods in the loop's length, and the rumble
    // is cross-faded from the loop's end into its start, so the loop is seamless.
    std::vector<std::int16_t> Machine()
    {
        const unsigned length = 2 * rate;
        const unsigned fade = rate / 5;
        Content::Random random(97);
        std::vector<float> rumble(length + fade);
        float low = 0.f;
        for (float& value : rumble)
        {
            low += (random.Between(-1.f, 1.f) - low) * 0.04f;
            value = low;
        }
        for (unsigned i = 0; i < fade; ++i)
        {
            const float t = float(i) / float(fade);
            rumble[i] = rumble[i] * t + rumble[length + i] * (1.f - t);
        }
        std::vector<std::int16_t> samples(length);
        for (unsigned i = 0; i < length; ++i)
        {
            const float t = float(i) / float(rate);
            // 55 Hz with its overtones, beating against 82.5 Hz; a throb four
            // times a second, a slow swell once a loop.
            const float drone = 0.5f * std::sin(2.f * Pi * 55.f * t) + 0.22f * std::sin(2.f * Pi * 110.f * t) +
                                0.12f * std::sin(2.f * Pi * 165.f * t) + 0.18f * std::sin(2.f * Pi * 82.5f * t);
            const float throb = 0.65f + 0.35f * std::sin(2.f * Pi * 4.f * t);
            const float swell = 0.85f + 0.15f * std::sin(2.f * Pi * 0.5f * t);
            samples[i] = ToSample(0.55f * (drone * throb * swell + 1.6f * rumble[i]));
        }
        return samples;
    }

    // A rising servo whine over grinding noise, ending in two heavy clanks.
    std::vector<std::int16_t> Servo()
    {
        const float seconds = 1.8f;
        const unsigned count = unsigned(seconds * float(rate));
        Content::Random random(101);
        std::vector<std::int16_t> samples(count);
        float phase = 0.f;
        float grind = 0.f;
        for (unsigned i = 0; i < count; ++i)
        {
            const float t = float(i) / float(rate);
            const float f = 180.f + 420.f * std::min(1.f, t / 1.5f);
            phase += 2.f * Pi * f / float(rate);
            grind += (random.Between(-1.f, 1.f) - grind) * 0.3f;
            const float motor = t < 1.5f ? std::min(1.f, t / 0.1f) * std::min(1.f, (1.5f - t) / 0.05f) : 0.f;
            float value = motor * (0.25f * std::sin(phase) + 0.12f * std::sin(2.f * phase) +
                                   0.25f * grind * (0.6f + 0.4f * std::sin(2.f * Pi * 30.f * t)));
            for (float clank : {1.5f, 1.62f})
                if (t >= clank)
                {
                    const float d = t - clank;
                    value += std::exp(-d * 25.f) *
                             (0.6f * std::sin(2.f * Pi * 70.f * d) + 0.3f * random.Between(-1.f, 1.f));
                }
            samples[i] = ToSample(value * std::min(1.f, (seconds - t) / 0.02f));
        }
        return samples;
    }

    void Generate(const std::filesystem::path& root)
    {
        Content::SaveSound(Content::Prepare(root, "resources/enemies/airbosss/001/machine.wav"), Machine(), rate, 1);
        Content::SaveSound(Content::Prepare(root, "resources/enemies/groundbosss/000/servo.wav"), Servo(), rate, 1);
    }

    const Content::Registration registration("boss sounds", &Generate);
}
