// The check of a save file's text before the archive reads it. The archive
// trusts what it reads; only a document of the exact shape the game writes,
// whose every value fits its field, goes on to it.
#pragma once

#include <boost/date_time/posix_time/ptime.hpp>

#include <cstddef>
#include <string>

namespace Kestrum
{
    // The most a save file may hold: no campaign comes near these. A campaign of
    // a hundred missions and a hundred technology nodes writes some 200 kB.
    // Play adds to the shop, the loose items, the ships (nine at most) and the
    // digits of the money, never to the missions, the technology tree or their
    // lists; so the bytes lie above the largest file the counts allow, some
    // 2.9 MB (every list entry a predecessor, every other number its largest),
    // and a campaign that loads can always be saved.
    constexpr std::size_t savingFileMostBytes = 4 * 1024 * 1024;
    constexpr std::size_t savingCollectionMostItems = 10000;
    constexpr std::size_t savingMostMissionsAndNodes = 2000;
    // Successors, key equipment and goodies of the missions and predecessors of
    // the technology nodes, all together.
    constexpr std::size_t savingMostMissionAndNodeListEntries = 10000;
    // The most technology nodes that may lie one inside another. The game
    // writes every node after the nodes it needs, so its own files nest no
    // node in another; a file written otherwise nests a node met first among
    // the predecessors of another there, and a chain of nodes each needing the
    // next as deep as it is long.
    constexpr std::size_t savingMostNestedNodes = 64;
    // The deepest an element may lie below the outer element: savingImpl is at
    // 1, the first node of the tree at 7, every further nested node 4 deeper,
    // and a node's values ("Cost"/"value") 2 below it.
    constexpr std::size_t savingElementMostDepth = 4 * savingMostNestedNodes + 5;
    // Save times are local and carry no zone: a clock reads up to this many
    // hours, the widest gap between two time zones, apart from another one at
    // the same moment. A save may be stamped so far ahead of the clock, and so
    // far before 1970-01-01, where the calendar clock of a machine whose clock
    // lost its battery starts.
    constexpr int savingMostHoursBetweenZones = 26;

    // Refuses every text that is not the save file of the saving `id`: a
    // ParseError that says where and what ("Shop: count 4000000000 is above the
    // most a collection may hold, 10000"), with the LineInfo of the line where
    // the problem lies. The place is the path of elements below savingImpl,
    // items counted from 1 ("Missions/item 2/m_payment"), the pointer wrappers
    // "sp" and "px" named only when the problem lies on them; problems of the
    // root or of the document around it name "savingImpl" or
    // "boost_serialization". A text that passes gives its time stamp, as the
    // saving read from it holds it.
    boost::posix_time::ptime CheckSavingFile(const std::string& text, unsigned long id);
}
