#include "core/ProfileSystem.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"

#include <algorithm>
#include <boost/algorithm/string/replace.hpp>
#include <boost/format.hpp>
#include <chrono>

namespace Kestrum
{
    ProfileSystem::Sample::Sample(double frequency, const std::string& name, std::uint32_t frame)
        : m_slots(std::min<std::size_t>(std::size_t(frame) + 1, maximumSlots)), m_frequency(frequency),
          m_name(name), m_activeFrame(frame)
    {
    }

    void ProfileSystem::Sample::Add(std::int64_t ticks)
    {
        if (m_slots.empty())
            BOOST_THROW_EXCEPTION(
                LogicError((boost::format("fatal error: no duration slot available, sample = %1%, frame = %2%") %
                            m_name % m_activeFrame)
                               .str()));
        const double duration = static_cast<double>(ticks) / m_frequency;
        std::optional<double>& slot = m_slots.back();
        slot = slot ? *slot + duration : duration;
    }

    void ProfileSystem::Sample::SetActiveFrame(std::uint32_t frame)
    {
        if (m_activeFrame > frame)
            BOOST_THROW_EXCEPTION(LogicError("frame numbers must increment over time"));
        if (m_slots.empty())
            BOOST_THROW_EXCEPTION(LogicError("constructor prepared at least 1 duration slot"));
        if (m_activeFrame < frame)
        {
            const std::size_t wanted = m_slots.size() + (frame - m_activeFrame);
            if (wanted <= maximumSlots)
                m_slots.resize(wanted);
            else
            {
                // Frames skipped beyond the one new slot get none of their own.
                while (m_slots.size() >= maximumSlots)
                    m_slots.pop_front();
                m_slots.emplace_back();
            }
        }
        if (m_slots.empty())
            BOOST_THROW_EXCEPTION(LogicError("there must be at least one duration"));
        if (m_activeFrame < frame && m_slots.back())
            BOOST_THROW_EXCEPTION(LogicError("last duration must not be set here"));
        m_activeFrame = frame;
    }

    std::size_t ProfileSystem::Sample::GetCount() const
    {
        return static_cast<std::size_t>(std::count_if(m_slots.begin(), m_slots.end(),
                                                      [](const std::optional<double>& slot) { return bool(slot); }));
    }

    template <typename Combine>
    double ProfileSystem::Sample::Fold(double start, Combine combine) const
    {
        for (const std::optional<double>& slot : m_slots)
            if (slot)
                start = combine(start, *slot);
        return start;
    }

    double ProfileSystem::Sample::GetMinimum() const
    {
        return Fold(86400.0, [](double a, double b) { return std::min(a, b); });
    }

    double ProfileSystem::Sample::GetMaximum() const
    {
        return Fold(0.0, [](double a, double b) { return std::max(a, b); });
    }

    double ProfileSystem::Sample::GetAverage() const
    {
        const std::size_t count = GetCount();
        return count ? Fold(0.0, [](double a, double b) { return a + b; }) / static_cast<double>(count) : 0.0;
    }

    ProfileSystem::ProfileSystem() : m_frequency(1e9), m_frame(0) {}

    ProfileSystem::~ProfileSystem() = default;

    std::int64_t ProfileSystem::GetTicks()
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    stable_ptr<ProfileSystem::Sample> ProfileSystem::GetSample(const std::string& name)
    {
        const auto found = m_samples.find(name);
        if (found != m_samples.end())
            return found->second;
        // NextFrame has made frame m_frame - 1 the active one of every sample.
        const std::uint32_t activeFrame = m_frame > 0 ? m_frame - 1 : 0;
        stable_ptr<Sample> sample(new Sample(m_frequency, name, activeFrame));
        m_samples.emplace(name, sample);
        return sample;
    }

    void ProfileSystem::NextFrame()
    {
        for (auto& entry : m_samples)
            entry.second->SetActiveFrame(m_frame);
        ++m_frame;
    }

    stable_ptr<std::vector<ProfileSystem::Sample>> ProfileSystem::GetSamples() const
    {
        stable_ptr<std::vector<Sample>> samples(new std::vector<Sample>());
        samples->reserve(m_samples.size());
        for (const auto& entry : m_samples)
            samples->push_back(*entry.second);
        return samples;
    }

    struct ProfileSample::Record
    {
        stable_ptr<ProfileSystem::Sample> sample;
        std::int64_t start;
    };

    ProfileSample::ProfileSample(const std::string& name) noexcept
    {
        KESTRUM_GUARDED({
            stable_ptr<ProfileSystem::Sample> sample = GetFromRegistry<ProfileSystem>()->GetSample(name);
            m_record.reset(new Record{sample, ProfileSystem::GetTicks()});
        })
    }

    ProfileSample::~ProfileSample()
    {
        Stop();
    }

    void ProfileSample::Stop() noexcept
    {
        KESTRUM_GUARDED({
            if (m_record)
            {
                const std::unique_ptr<Record> record = std::move(m_record);
                record->sample->Add(ProfileSystem::GetTicks() - record->start);
            }
        })
        m_record.reset();
    }

    std::string FormatDuration(double seconds)
    {
        std::string text = (boost::format("%.8f") % seconds).str();
        boost::algorithm::replace_all(text, ".", ",");
        return text;
    }

    void WriteProfile(const stable_ptr<std::vector<ProfileSystem::Sample>>& samples, std::ostream& out)
    {
        std::vector<const ProfileSystem::Sample*> sorted;
        for (const ProfileSystem::Sample& sample : *samples)
            sorted.push_back(&sample);
        std::sort(sorted.begin(), sorted.end(),
                  [](const ProfileSystem::Sample* a, const ProfileSystem::Sample* b) {
                      return a->GetName() < b->GetName();
                  });

        out << "Configuration;Release;LIB\n\n;";
        for (const ProfileSystem::Sample* sample : sorted)
            out << sample->GetName() << ";";
        out << "\nCount;";
        for (const ProfileSystem::Sample* sample : sorted)
            out << sample->GetCount() << ";";
        out << "\nMinimum;";
        for (const ProfileSystem::Sample* sample : sorted)
            out << FormatDuration(sample->GetMinimum()) << ";";
        out << "\nAverage;";
        for (const ProfileSystem::Sample* sample : sorted)
            out << FormatDuration(sample->GetAverage()) << ";";
        out << "\nMaximum;";
        for (const ProfileSystem::Sample* sample : sorted)
            out << FormatDuration(sample->GetMaximum()) << ";";
        out << "\n\nTime;";
        for (const ProfileSystem::Sample* sample : sorted)
            out << sample->GetName() << ";";
        out << "\n";

        std::size_t rows = 0;
        for (const ProfileSystem::Sample* sample : sorted)
            rows = std::max(rows, sample->GetSlots().size());
        for (std::size_t row = 0; row < rows; ++row)
        {
            out << row << ";";
            for (const ProfileSystem::Sample* sample : sorted)
            {
                const auto& slots = sample->GetSlots();
                if (row < slots.size() && slots[row])
                    out << FormatDuration(*slots[row]);
                out << ";";
            }
            out << "\n";
        }
    }
}
