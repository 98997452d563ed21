// The arcade missions' music, resources/music/0000000001.ogg: a driving tune in
// A minor at 140 beats a minute, about a minute long, that loops without a seam.
//
// It is played by a small synthesiser: a pulse-wave lead with vibrato and echo, a
// filtered saw bass, a soft arpeggio, a pad of detuned saws, and drums made of
// sine sweeps and noise. Notes that ring past the end of the piece wrap around to
// its beginning, so the loop point cannot be heard.
//
// Form (bars of four beats): intro 4, theme 8, second theme 8, theme again with
// a second voice 8, a quiet bridge that builds up again 8; 36 bars in all.
#include "Canvas.hpp"
#include "Generator.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{
    using Content::Pi;

    const unsigned Rate = 44100;
    const int Step = 4725;  // samples of a sixteenth note at 140 beats a minute
    const int StepsPerBar = 16;

    float Frequency(float midi) { return 440.f * std::pow(2.f, (midi - 69.f) / 12.f); }

    // "A4", "C#5", "Bb3" to a MIDI note number.
    int Pitch(const std::string& name)
    {
        static const std::map<char, int> base = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
        int pitch = base.at(name[0]);
        std::size_t i = 1;
        if (name[i] == '#')
            ++pitch, ++i;
        else if (name[i] == 'b')
            --pitch, ++i;
        return pitch + 12 * (std::stoi(name.substr(i)) + 1);
    }

    // A band-limiting correction for the jumps of saw and pulse waves.
    float PolyBlep(float t, float dt)
    {
        if (t < dt)
        {
            t /= dt;
            return t + t - t * t - 1.f;
        }
        if (t > 1.f - dt)
        {
            t = (t - 1.f) / dt;
            return t * t + t + t + 1.f;
        }
        return 0.f;
    }

    float Saw(float phase, float dt) { return 2.f * phase - 1.f - PolyBlep(phase, dt); }

    float Pulse(float phase, float dt, float duty)
    {
        float second = phase + 1.f - duty;
        second -= std::floor(second);
        return (phase < duty ? 1.f : -1.f) + PolyBlep(phase, dt) - PolyBlep(second, dt);
    }

    // Deterministic white noise in [-1, 1].
    class Noise
    {
    public:
        explicit Noise(std::uint32_t seed) : m_state(seed) {}
        float operator()()
        {
            m_state = m_state * 1664525u + 1013904223u;
            return float(m_state >> 8) / float(1u << 23) - 1.f;
        }

    private:
        std::uint32_t m_state;
    };

    // The piece as it is being played: two channels whose ends join.
    class Track
    {
    public:
        explicit Track(int bars) : m_left(std::size_t(bars) * StepsPerBar * Step), m_right(m_left.size()) {}

        std::size_t Length() const { return m_left.size(); }

        // Adds a sample at an index counted from the start (wrapping), placed
        // between the speakers by pan (-1 left, 1 right).
        void Add(std::size_t index, float value, float pan)
        {
            index %= m_left.size();
            m_left[index] += value * std::sqrt(0.5f * (1.f - pan));
            m_right[index] += value * std::sqrt(0.5f * (1.f + pan));
        }

        std::vector<float>& Left() { return m_left; }
        std::vector<float>& Right() { return m_right; }

    private:
        std::vector<float> m_left, m_right;
    };

    std::size_t At(int bar, float step) { return std::size_t((float(bar * StepsPerBar) + step) * float(Step)); }

    // Attack, decay to a sustain level, hold, release; t and the length in seconds.
    float Envelope(float t, float length, float attack, float decay, float sustain, float release)
    {
        float level;
        if (t < attack)
            level = t / attack;
        else if (t < attack + decay)
            level = 1.f - (1.f - sustain) * (t - attack) / decay;
        else
            level = sustain;
        if (t > length)
            level *= std::max(0.f, 1.f - (t - length) / release);
        return level;
    }

    void Lead(Track& track, std::size_t start, float steps, int pitch, float volume, float pan)
    {
        const float length = steps * Step / float(Rate) - 0.02f, release = 0.12f;
        const std::size_t count = std::size_t((length + release) * Rate);
        float phase = 0.f, low = 0.f;
        for (std::size_t i = 0; i < count; ++i)
        {
            const float t = float(i) / Rate;
            const float vibrato = 0.18f * std::min(1.f, std::max(0.f, (t - 0.18f) * 4.f)) * std::sin(2.f * Pi * 5.5f * t);
            const float f = Frequency(float(pitch) + vibrato);
            const float dt = f / Rate;
            const float duty = 0.32f + 0.12f * std::sin(2.f * Pi * 0.7f * t);
            const float raw = 0.7f * Pulse(phase, dt, duty) + 0.3f * Saw(phase, dt);
            low += 0.35f * (raw - low);
            phase += dt;
            phase -= std::floor(phase);
            track.Add(start + i, volume * low * Envelope(t, length, 0.008f, 0.12f, 0.75f, release), pan);
        }
    }

    void Bass(Track& track, std::size_t start, float steps, int pitch, float volume)
    {
        const float length = steps * Step / float(Rate) - 0.01f, release = 0.05f;
        const std::size_t count = std::size_t((length + release) * Rate);
        const float f = Frequency(float(pitch)), dt = f / Rate;
        float phase = 0.f, low = 0.f, band = 0.f;
        for (std::size_t i = 0; i < count; ++i)
        {
            const float t = float(i) / Rate;
            const float cutoff = 220.f + 1700.f * std::exp(-t * 16.f);
            const float k = 2.f * std::sin(Pi * cutoff / Rate);
            const float raw = 0.6f * Saw(phase, dt) + 0.4f * Pulse(phase, dt, 0.5f);
            // A state-variable low pass with a little resonance.
            low += k * band;
            const float high = raw - low - 0.6f * band;
            band += k * high;
            phase += dt;
            phase -= std::floor(phase);
            track.Add(start + i, volume * low * Envelope(t, length, 0.004f, 0.15f, 0.7f, release), 0.f);
        }
    }

    void Arpeggio(Track& track, std::size_t start, int pitch, float volume, float pan)
    {
        const std::size_t count = std::size_t(0.22f * Rate);
        const float dt = Frequency(float(pitch)) / Rate;
        float phase = 0.f;
        for (std::size_t i = 0; i < count; ++i)
        {
            const float t = float(i) / Rate;
            const float triangle = 4.f * std::fabs(phase - 0.5f) - 1.f;
            const float square = Pulse(phase, dt, 0.5f);
            phase += dt;
            phase -= std::floor(phase);
            track.Add(start + i, volume * (0.75f * triangle + 0.25f * square) * std::exp(-t * 14.f) * std::min(1.f, t * 400.f),
                      pan);
        }
    }

    void Pad(Track& track, std::size_t start, float steps, const std::vector<int>& chord, float volume)
    {
        const float length = steps * Step / float(Rate), release = 0.3f;
        const std::size_t count = std::size_t((length + release) * Rate);
        const float detune[] = {-0.08f, 0.08f};
        for (std::size_t v = 0; v < chord.size() * 2; ++v)
        {
            const float dt = Frequency(float(chord[v / 2]) + detune[v % 2]) / Rate;
            float phase = float(v) * 0.37f, low = 0.f;
            const float pan = (v % 2) ? 0.45f : -0.45f;
            for (std::size_t i = 0; i < count; ++i)
            {
                const float t = float(i) / Rate;
                low += 0.06f * (Saw(phase, dt) - low);
                phase += dt;
                phase -= std::floor(phase);
                track.Add(start + i, volume * low * Envelope(t, length, 0.25f, 0.3f, 0.8f, release), pan);
            }
        }
    }

    void Kick(Track& track, std::size_t start, float volume)
    {
        const std::size_t count = std::size_t(0.35f * Rate);
        float phase = 0.f;
        for (std::size_t i = 0; i < count; ++i)
        {
            const float t = float(i) / Rate;
            phase += (45.f + 110.f * std::exp(-t * 30.f)) / Rate;
            const float body = std::sin(2.f * Pi * phase) * std::exp(-t * 9.f);
            const float click = std::exp(-t * 300.f) * 0.5f;
            track.Add(start + i, volume * (body + click), 0.f);
        }
    }

    void Snare(Track& track, std::size_t start, float volume, Noise& noise)
    {
        const std::size_t count = std::size_t(0.22f * Rate);
        float previous = 0.f;
        for (std::size_t i = 0; i < count; ++i)
        {
            const float t = float(i) / Rate;
            const float n = noise();
            const float bright = n - 0.6f * previous;  // tilted towards the highs
            previous = n;
            const float tone = std::sin(2.f * Pi * 185.f * t) * std::exp(-t * 30.f);
            track.Add(start + i, volume * (0.55f * bright * std::exp(-t * 18.f) + 0.5f * tone), 0.1f);
        }
    }

    void Hat(Track& track, std::size_t start, float volume, float decay, Noise& noise)
    {
        const std::size_t count = std::size_t(std::min(0.5f, 6.f / decay) * Rate);
        float previous = 0.f;
        for (std::size_t i = 0; i < count; ++i)
        {
            const float t = float(i) / Rate;
            const float n = noise();
            const float high = n - previous;  // only the highest frequencies
            previous = n;
            track.Add(start + i, volume * 0.5f * high * std::exp(-t * decay), 0.35f);
        }
    }

    void Crash(Track& track, std::size_t start, float volume, Noise& noise)
    {
        const std::size_t count = std::size_t(1.6f * Rate);
        float previous = 0.f;
        for (std::size_t i = 0; i < count; ++i)
        {
            const float t = float(i) / Rate;
            const float n = noise();
            const float high = n - 0.8f * previous;
            previous = n;
            track.Add(start + i, volume * 0.4f * high * std::exp(-t * 2.6f), -0.3f);
        }
    }

    // A feedback echo over the whole piece, wrapping at its end, the repeats
    // going from one side to the other.
    void Echo(std::vector<float>& left, std::vector<float>& right, const std::vector<float>& sendLeft,
              const std::vector<float>& sendRight, std::size_t delay, float feedback)
    {
        const std::size_t n = left.size();
        std::vector<float> tapLeft(n, 0.f), tapRight(n, 0.f);
        for (int pass = 0; pass < 2; ++pass)
            for (std::size_t i = 0; i < n; ++i)
            {
                const std::size_t j = (i + n - delay) % n;
                tapLeft[i] = 0.6f * (sendRight[j] + feedback * tapRight[j]);
                tapRight[i] = 0.6f * (sendLeft[j] + feedback * tapLeft[j]);
            }
        for (std::size_t i = 0; i < n; ++i)
        {
            left[i] += tapLeft[i];
            right[i] += tapRight[i];
        }
    }

    struct Chord
    {
        int root;                 // bass note
        std::vector<int> tones;   // for pad and arpeggio, around middle C
    };

    Chord MakeChord(const std::string& name)
    {
        static const std::map<std::string, Chord> chords = {
            {"Am", {Pitch("A1"), {Pitch("A3"), Pitch("C4"), Pitch("E4")}}},
            {"F", {Pitch("F1"), {Pitch("F3"), Pitch("A3"), Pitch("C4")}}},
            {"C", {Pitch("C2"), {Pitch("G3"), Pitch("C4"), Pitch("E4")}}},
            {"G", {Pitch("G1"), {Pitch("G3"), Pitch("B3"), Pitch("D4")}}},
            {"Em", {Pitch("E1"), {Pitch("G3"), Pitch("B3"), Pitch("E4")}}},
            {"Dm", {Pitch("D2"), {Pitch("F3"), Pitch("A3"), Pitch("D4")}}},
            {"E", {Pitch("E1"), {Pitch("G#3"), Pitch("B3"), Pitch("E4")}}},
        };
        return chords.at(name);
    }

    // A melody as "pitch:sixteenths" tokens, "-" for a rest; played from a bar on.
    void Melody(Track& track, int bar, const std::string& notes, int transpose, float volume, float pan)
    {
        std::istringstream tokens(notes);
        std::string token;
        float step = 0.f;
        while (tokens >> token)
        {
            if (token == "|")
                continue;
            const std::size_t colon = token.find(':');
            const float length = std::stof(token.substr(colon + 1));
            const std::string name = token.substr(0, colon);
            if (name != "-")
                Lead(track, At(bar, step), length, Pitch(name) + transpose, volume, pan);
            step += length;
        }
    }

    const char* const ThemeA =
        "E5:3 A4:3 C5:2 E5:2 D5:2 C5:2 B4:2 | C5:3 A4:3 F4:2 A4:2 C5:2 F5:4 | "
        "E5:3 G5:3 E5:2 C5:2 D5:2 E5:2 G5:2 | D5:6 B4:2 D5:2 G5:4 -:2 | "
        "A5:3 G5:3 E5:2 C5:2 E5:2 A5:4 | G5:2 F5:2 E5:2 C5:2 A4:4 C5:2 F5:2 | "
        "E5:3 D5:3 C5:2 G4:2 C5:2 E5:2 G5:2 | B5:4 A5:2 G5:2 D5:4 B4:2 D5:2";
    const char* const ThemeB =
        "A5:4 C6:4 A5:2 G5:2 F5:4 | G5:4 B5:4 D6:4 B5:4 | E5:2 G5:2 B5:4 G5:2 E5:2 B4:4 | C5:4 E5:4 A5:8 | "
        "F5:3 E5:3 D5:2 A4:2 D5:2 F5:4 | G5:3 F5:3 E5:2 B4:2 E5:2 G5:4 | "
        "A5:2 G5:2 F5:2 E5:2 F5:2 G5:2 A5:2 C6:2 | B5:8 G#5:4 E5:4";
    const char* const BridgeLine = "-:16 | -:16 | -:16 | -:16 | -:16 | -:16 | "
                                   "A4:4 C5:4 D5:4 E5:4 | G#5:4 B5:4 E6:8";

    void Render(const std::filesystem::path& root)
    {
        const std::vector<std::string> harmony = {
            "Am", "F", "C", "G",                                      // intro
            "Am", "F", "C", "G", "Am", "F", "C", "G",                 // theme
            "F", "G", "Em", "Am", "Dm", "Em", "F", "E",               // second theme
            "Am", "F", "C", "G", "Am", "F", "C", "G",                 // theme, two voices
            "Dm", "Em", "F", "G", "Dm", "Em", "F", "E"};              // bridge
        const int bars = int(harmony.size());
        Track track(bars), lead(bars);
        Noise noise(1234);

        for (int bar = 0; bar < bars; ++bar)
        {
            const Chord chord = MakeChord(harmony[std::size_t(bar)]);
            const bool intro = bar < 4, bridge = bar >= 28, quiet = bridge && bar < 32;

            // Bass: driving eighths with octave jumps; held notes in the quiet bridge.
            if (quiet)
                Bass(track, At(bar, 0), 14.f, chord.root, 0.7f);
            else
            {
                const int pattern[] = {0, 0, 12, 0, 0, 0, 12, 7};
                for (int i = 0; i < 8; ++i)
                    Bass(track, At(bar, float(2 * i)), 1.6f, chord.root + pattern[i], 0.75f);
            }

            // Arpeggio in sixteenths, up and down the chord.
            const int order[] = {0, 1, 2, 1};
            for (int i = 0; i < 16; ++i)
                Arpeggio(track, At(bar, float(i)), chord.tones[std::size_t(order[i % 4])] + 12,
                         (i % 4 == 0 ? 0.16f : 0.11f) * (intro || bridge ? 1.3f : 1.f), -0.4f);

            // The pad carries the harmony, strongest where the lead rests.
            Pad(track, At(bar, 0), 16.f, chord.tones, intro || bridge ? 0.09f : 0.05f);

            // Drums.
            if (bar % 8 == 4 || bar == 0 || bar == 32)
                Crash(track, At(bar, 0), 0.5f, noise);
            if (!quiet)
            {
                for (int s : {0, 8})
                    Kick(track, At(bar, float(s)), 0.75f);
                if (bar % 2 == 1)
                    Kick(track, At(bar, 10.f), 0.55f);
                for (int s : {4, 12})
                    Snare(track, At(bar, float(s)), 0.42f, noise);
            }
            for (int s = 0; s < 16; s += 2)
                Hat(track, At(bar, float(s)), s % 4 == 0 ? 0.35f : 0.22f, s == 14 && bar % 2 == 1 ? 12.f : 60.f, noise);
            if (bar >= 32)
            {
                // The bridge builds up: snare in eighths, then in sixteenths.
                const int every = bar < 35 ? 2 : 1;
                for (int s = 0; s < 16; s += every)
                    Snare(track, At(bar, float(s)), 0.15f + 0.3f * float((bar - 32) * 16 + s) / 64.f, noise);
            }
        }

        Melody(lead, 4, ThemeA, 0, 0.34f, 0.15f);
        Melody(lead, 12, ThemeB, 0, 0.34f, 0.15f);
        Melody(lead, 20, ThemeA, 0, 0.32f, 0.2f);
        Melody(lead, 20, ThemeA, -12, 0.17f, -0.2f);
        Melody(lead, 28, BridgeLine, 0, 0.32f, 0.15f);

        // The lead and its echo (three sixteenths later) join the band.
        std::vector<float>& left = track.Left();
        std::vector<float>& right = track.Right();
        Echo(left, right, lead.Left(), lead.Right(), std::size_t(3 * Step), 0.35f);
        for (std::size_t i = 0; i < left.size(); ++i)
        {
            left[i] += lead.Left()[i];
            right[i] += lead.Right()[i];
        }

        // A gentle limiter, then 16 bits with the peak a little below full scale.
        float peak = 0.f;
        for (std::size_t i = 0; i < left.size(); ++i)
        {
            left[i] = std::tanh(1.2f * left[i]);
            right[i] = std::tanh(1.2f * right[i]);
            peak = std::max(peak, std::max(std::fabs(left[i]), std::fabs(right[i])));
        }
        const float scale = 0.9f * 32767.f / std::max(peak, 1e-6f);
        std::vector<std::int16_t> samples(left.size() * 2);
        for (std::size_t i = 0; i < left.size(); ++i)
        {
            samples[2 * i] = std::int16_t(std::lround(left[i] * scale));
            samples[2 * i + 1] = std::int16_t(std::lround(right[i] * scale));
        }
        Content::SaveSound(Content::Prepare(root, "resources/music/0000000001.ogg"), samples, Rate, 2);
    }

    const Content::Registration music("music 1 arcade", &Render);
}
