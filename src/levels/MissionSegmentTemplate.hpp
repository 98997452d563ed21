// A segment template places a group of enemies on a stretch of a generated
// level by enemy class only. Its file ("missions|segments|%010d.s.txt", listed
// and opened by the ResourceManager) holds whitespace-separated groups of four
// values, one entry each:
//
//     class  name  x  y
//     Fly1   lead  0.5  0.9
//
// class is Fly1, Fly2, Fly3, Fly4 or Turret1 (any case); name is kept as it is;
// x is a fraction of the play field's width (0 left edge, 1 right edge); y is
// in window heights, 1 being the first tile row of the stretch and 0 one window
// height further up the level. An empty file is a template without entries.
//
// Combined with an enemy set, which names the enemy types (variants) that may
// stand for each class, a template yields every concrete segment it allows.
#pragma once

#include <string>
#include <vector>

namespace Kestrum
{
    class EnemySet;
    class MissionSegment;

    class MissionSegmentTemplate
    {
    public:
        struct Entry
        {
            unsigned enemyClass = 0;  // 0 to 4, see ToIndex
            std::string variant;      // the enemy type chosen for it; empty in a template
            std::string name;
            float x = 0.f;
            float y = 0.f;
            float threat = 0.f;
        };

        MissionSegmentTemplate();
        virtual ~MissionSegmentTemplate();
        MissionSegmentTemplate(const MissionSegmentTemplate&) = delete;
        MissionSegmentTemplate& operator=(const MissionSegmentTemplate&) = delete;

        // Reads the file at the file-system path and replaces the entries; a
        // failure keeps the old ones. A count of values that is not a multiple
        // of four: LoadError "odd count of values in <file> encountered"; an
        // unknown class: UnknownTypeError "<token> is unknown enemy class"; a
        // position that is not a number: XmlError "the x of entry <name> holds
        // <text>, which is not a number" (core/XmlReading.hpp). Errors carry
        // the file's path (ReadDataFile, core/Files.hpp).
        void Load(const std::string& file);

        const std::vector<Entry>& GetEntries() const { return m_entries; }

        // Every segment the template yields with the set: one per combination
        // of a variant for each entry, so the product of the entries' variant
        // counts (a class without variants yields none, a template without
        // entries one empty segment). The first entry's variant changes
        // slowest along the list; inside a segment the entries stand in reverse
        // template order. Every entry and segment has the threat 0. Needs the
        // ThreatSystem registered.
        static std::vector<MissionSegment> CreateSegments(const MissionSegmentTemplate& segmentTemplate,
                                                          const EnemySet& enemySet);

    private:
        std::vector<Entry> m_entries;
    };
}
