#include "levels/MissionSegmentTemplate.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/ReadTokens.hpp"
#include "core/Registry.hpp"
#include "core/XmlReading.hpp"
#include "flight/EnemySet.hpp"
#include "levels/MissionSegment.hpp"
#include "levels/ThreatSystem.hpp"

namespace Kestrum
{
    namespace
    {
        // One template entry with the enemy types that may stand for it.
        struct Choice
        {
            MissionSegmentTemplate::Entry entry;
            std::vector<std::string> variants;
        };

        // The entry once for each variant, in the variants' order.
        std::vector<MissionSegmentTemplate::Entry> ExpandChoice(const Choice& choice)
        {
            // The threat of a variant would come from here; none is known yet.
            GetFromRegistry<ThreatSystem>();
            std::vector<MissionSegmentTemplate::Entry> candidates;
            for (const std::string& variant : choice.variants)
            {
                MissionSegmentTemplate::Entry candidate = choice.entry;
                candidate.variant = variant;
                candidate.threat = 0.f;
                candidates.push_back(candidate);
            }
            return candidates;
        }

        // Every segment made of one candidate of each choice from `first` on.
        std::vector<MissionSegment> CombineChoices(const std::vector<Choice>& choices, std::size_t first)
        {
            if (first == choices.size())
                return std::vector<MissionSegment>(1);
            const std::vector<MissionSegmentTemplate::Entry> candidates = ExpandChoice(choices[first]);
            const std::vector<MissionSegment> rest = CombineChoices(choices, first + 1);
            std::vector<MissionSegment> segments;
            segments.reserve(candidates.size() * rest.size());
            for (const MissionSegmentTemplate::Entry& candidate : candidates)
                for (const MissionSegment& tail : rest)
                {
                    segments.push_back(tail);
                    segments.back().entries.push_back(candidate);
                    segments.back().threat += candidate.threat;
                }
            return segments;
        }
    }

    MissionSegmentTemplate::MissionSegmentTemplate() = default;
    MissionSegmentTemplate::~MissionSegmentTemplate() = default;

    void MissionSegmentTemplate::Load(const std::string& file)
    {
        std::vector<Entry> entries = ReadDataFile(file, [&] {
            const std::vector<std::string> tokens = ReadTokens(*OpenFile(file));
            if (tokens.size() % 4 != 0)
                BOOST_THROW_EXCEPTION(LoadError("odd count of values in " + file + " encountered"));
            std::vector<Entry> read(tokens.size() / 4);
            for (std::size_t i = 0; i < read.size(); ++i)
            {
                Entry& entry = read[i];
                entry.enemyClass = ToIndex(tokens[4 * i]);
                entry.name = tokens[4 * i + 1];
                entry.x = ConvertValue<float>(tokens[4 * i + 2], "the x of entry " + entry.name);
                entry.y = ConvertValue<float>(tokens[4 * i + 3], "the y of entry " + entry.name);
            }
            return read;
        });
        m_entries.swap(entries);
    }

    std::vector<MissionSegment> MissionSegmentTemplate::CreateSegments(const MissionSegmentTemplate& segmentTemplate,
                                                                       const EnemySet& enemySet)
    {
        std::vector<Choice> choices;
        for (const Entry& entry : segmentTemplate.m_entries)
            choices.push_back(Choice{entry, enemySet.GetVariants(entry.enemyClass)});
        return CombineChoices(choices, 0);
    }
}
