// The frame profiler. A ProfileSample measures a stretch of work under a name; each
// duration is added to the slot of the current frame of the named sample. The main
// loop advances the frame once per pass, and at the end of the run the samples are
// written as a semicolon-separated table ("profile.csv").
#pragma once

#include "core/StablePtr.hpp"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

namespace Kestrum
{
    class ProfileSystem
    {
    public:
        // The durations of one name, one slot per frame, at most maximumSlots of
        // them: the front is the oldest frame still held, the back the active one.
        class Sample
        {
        public:
            static constexpr std::size_t maximumSlots = 7200;

            // A sample for frame `frame`, holding as many empty slots as a sample
            // made at frame 0 holds by then.
            Sample(double frequency, const std::string& name, std::uint32_t frame);

            // Adds ticks / frequency seconds to the active frame's slot.
            void Add(std::int64_t ticks);
            // Makes `frame` the active frame, appending a slot per frame passed.
            void SetActiveFrame(std::uint32_t frame);

            // Statistics over the slots that hold a value. A sample without values
            // reports a minimum of 86400, a maximum of 0 and an average of 0.
            std::size_t GetCount() const;
            double GetMinimum() const;
            double GetMaximum() const;
            double GetAverage() const;

            const std::string& GetName() const { return m_name; }
            const std::deque<std::optional<double>>& GetSlots() const { return m_slots; }
            std::uint32_t GetActiveFrame() const { return m_activeFrame; }

        private:
            // Combines the values of the slots that hold one, oldest first.
            template <typename Combine>
            double Fold(double start, Combine combine) const;

            std::deque<std::optional<double>> m_slots;
            double m_frequency;
            std::string m_name;
            std::uint32_t m_activeFrame;
        };

        ProfileSystem();
        virtual ~ProfileSystem();
        ProfileSystem(const ProfileSystem&) = delete;
        ProfileSystem& operator=(const ProfileSystem&) = delete;

        // The sample of that name, made when it does not exist yet. A sample made
        // after a frame has begun joins that frame, so that every sample's slots
        // line up with the frame count.
        stable_ptr<Sample> GetSample(const std::string& name);
        // Begins the next frame on every sample.
        void NextFrame();
        // Copies of all samples.
        stable_ptr<std::vector<Sample>> GetSamples() const;

        double GetFrequency() const { return m_frequency; }
        std::uint32_t GetFrame() const { return m_frame; }

        // The performance counter, in ticks of GetFrequency() per second.
        static std::int64_t GetTicks();

    private:
        double m_frequency;
        std::uint32_t m_frame;
        std::unordered_map<std::string, stable_ptr<Sample>> m_samples;
    };

    // Measures from its construction to Stop (or its end) and adds the duration to
    // the named sample of the registered ProfileSystem. Never throws: failures are
    // logged at error level and the timer simply stops.
    class ProfileSample
    {
    public:
        explicit ProfileSample(const std::string& name) noexcept;
        ~ProfileSample();
        ProfileSample(const ProfileSample&) = delete;
        ProfileSample& operator=(const ProfileSample&) = delete;

        void Stop() noexcept;

    private:
        struct Record;
        std::unique_ptr<Record> m_record;
    };

    // The report: a summary per sample (count, minimum, average, maximum) and one
    // row per frame slot, samples in name order, durations in seconds.
    void WriteProfile(const stable_ptr<std::vector<ProfileSystem::Sample>>& samples, std::ostream& out);
    // Eight decimals with a decimal comma: 0.01666667 is written "0,01666667".
    std::string FormatDuration(double seconds);
}
