// The firing sounds of the weapons: short mono clips, so that a sound emitter
// can place them where the weapon fires. The player's weapons are bright and
// short (they fire several times a second), the enemies' lower and quieter.
#include "Canvas.hpp"
#include "Generator.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace
{
    using Content::Pi;

    const unsigned rate = 22050;

    // A clip of the given length; `sample` gets the time in seconds and the
    // fraction of the clip gone, and answers a value in [-1, 1].
    std::vector<std::int16_t> Render(float seconds, float volume, const std::function<float(float, float)>& sample)
    {
        const unsigned count = unsigned(seconds * float(rate));
        std::vector<std::int16_t> samples(count);
        for (unsigned i = 0; i < count; ++i)
        {
            const float t = float(i) / float(rate);
            const float fraction = float(i) / float(count);
            // A few milliseconds of fade at both ends keep the clip free of clicks.
            const float fade = std::min(1.f, std::min(t / 0.002f, (seconds - t) / 0.004f));
            samples[i] = Content::ToSample(sample(t, fraction) * volume * fade);
        }
        return samples;
    }

    // An oscillator whose frequency may change over time: the phase is summed.
    class Oscillator
    {
    public:
        float Sine(float frequency) { return std::sin(Advance(frequency)); }
        // A sine pushed towards a square wave.
        float Buzz(float frequency, float drive) { return std::tanh(drive * std::sin(Advance(frequency))); }
        float Triangle(float frequency)
        {
            const float p = Advance(frequency) / (2.f * Pi);
            const float f = p - std::floor(p);
            return 4.f * std::fabs(f - 0.5f) - 1.f;
        }

    private:
        float Advance(float frequency)
        {
            m_phase += 2.f * Pi * frequency / float(rate);
            if (m_phase > 2.f * Pi)
                m_phase -= 2.f * Pi;
            return m_phase;
        }
        float m_phase = 0.f;
    };

    // Noise through a one-pole low-pass filter.
    class Noise
    {
    public:
        explicit Noise(std::uint32_t seed) : m_random(seed) {}
        float Next(float smoothing)
        {
            m_value += (m_random.Between(-1.f, 1.f) - m_value) * smoothing;
            return m_value;
        }

    private:
        Content::Random m_random;
        float m_value = 0.f;
    };

    float Sweep(float from, float to, float fraction) { return from * std::pow(to / from, fraction); }

    void Save(const std::filesystem::path& root, const std::string& weapon, const std::vector<std::int16_t>& clip)
    {
        Content::SaveSound(Content::Prepare(root, "resources/equipment/weapons/" + weapon + "/fire.wav"), clip, rate, 1);
    }

    void Generate(const std::filesystem::path& root)
    {
        {
            // Pulse cannon: a buzzing zap that falls in pitch.
            Oscillator o;
            Noise n(7);
            Save(root, "000", Render(0.12f, 0.42f, [&](float t, float f) {
                     return o.Buzz(Sweep(1100.f, 320.f, f), 2.5f) * std::exp(-f * 3.2f) +
                            n.Next(0.6f) * std::exp(-t * 180.f) * 0.6f;
                 }));
        }
        {
            // Twin laser: two slightly detuned, fast-falling tones with a flutter.
            Oscillator a, b;
            Save(root, "001", Render(0.1f, 0.36f, [&](float t, float f) {
                     const float pitch = Sweep(2300.f, 850.f, f) * (1.f + 0.02f * std::sin(2.f * Pi * 60.f * t));
                     return (a.Sine(pitch) + 0.7f * b.Sine(pitch * 1.012f)) * 0.6f * std::exp(-f * 2.5f);
                 }));
        }
        {
            // Scatter blaster: a puff of noise over a soft thump.
            Oscillator o;
            Noise n(11);
            Save(root, "002", Render(0.16f, 0.5f, [&](float, float f) {
                     return 0.8f * n.Next(0.35f + 0.4f * (1.f - f)) * std::exp(-f * 4.f) +
                            0.7f * o.Sine(Sweep(190.f, 60.f, f)) * std::exp(-f * 3.f);
                 }));
        }
        {
            // Tank cannon: a low boom.
            Oscillator o;
            Noise n(13);
            Save(root, "500", Render(0.26f, 0.42f, [&](float, float f) {
                     return 0.8f * o.Sine(Sweep(130.f, 42.f, f)) * std::exp(-f * 3.f) +
                            0.6f * n.Next(0.12f) * std::exp(-f * 5.f);
                 }));
        }
        {
            // Needle gun: a short, dry blip.
            Oscillator o;
            Save(root, "501", Render(0.06f, 0.3f, [&](float, float f) {
                     return o.Triangle(Sweep(1500.f, 1150.f, f)) * std::exp(-f * 2.f);
                 }));
        }
        {
            // Twin needle gun: the blip doubled a few milliseconds apart.
            Oscillator a, b;
            Save(root, "502", Render(0.075f, 0.28f, [&](float t, float f) {
                     const float second = t > 0.012f ? b.Triangle(Sweep(1350.f, 1050.f, f)) : 0.f;
                     return (a.Triangle(Sweep(1500.f, 1150.f, f)) + second) * 0.6f * std::exp(-f * 2.f);
                 }));
        }
        {
            // Fan thrower: a hissing whoosh that rises and falls.
            Noise n(17);
            Oscillator o;
            Save(root, "503", Render(0.15f, 0.4f, [&](float, float f) {
                     const float swell = std::sin(Pi * f);
                     return n.Next(0.15f + 0.5f * swell) * swell + 0.3f * o.Sine(Sweep(400.f, 200.f, f)) * swell;
                 }));
        }
        {
            // Orb launcher: a wobbling, falling hum.
            Oscillator o;
            Save(root, "504", Render(0.2f, 0.34f, [&](float t, float f) {
                     const float tremolo = 0.6f + 0.4f * std::sin(2.f * Pi * 32.f * t);
                     return o.Buzz(Sweep(320.f, 150.f, f), 1.5f) * tremolo * std::exp(-f * 2.f);
                 }));
        }
    }

    const Content::Registration registration("equipment sounds", &Generate);
}
