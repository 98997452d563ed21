// The save file of a campaign: the fields it stores and their text. The file
// is an XML archive of the Boost serialization library (format version 5 or
// later): its header, the root element "savingImpl" holding the twelve fields
// below in this order, and its closing line. Every saved type keeps its element
// names, class version and tracking, so a file this game wrote, read and
// written back, is the same byte for byte but for the time of the writing.
#pragma once

#include "campaign/TechnologyTree.hpp"
#include "core/StablePtr.hpp"

#include <boost/date_time/posix_time/ptime.hpp>
#include <boost/optional/optional.hpp>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Kestrum
{
    class MissionBlueprint;
    class WorldMap;

    class SavingFile
    {
    public:
        // One ship: its hull, its shield (empty for none) and one weapon per
        // weapon slot of the hull in slot order (empty for an empty slot), all
        // as item identifiers.
        struct Ship
        {
            std::string HullType;
            std::string ShieldType;
            std::vector<std::string> WeaponTypes;
        };

        // Nothing: numbers 0, no map, missions, ships, selection or tree.
        SavingFile();
        ~SavingFile();

        // The fields of a save file's text. Whatever the archive refuses fails
        // with the LineInfo of the line where it stopped, its own errors as
        // ParseError "the save file's reader stopped here: " + its text; a text
        // that does not end with the closing line is refused too. What was
        // made for the file before is freed.
        static SavingFile Read(const std::string& text);
        // The save file's text of the fields, written at `time` (local time),
        // which is what its "time" holds.
        std::string Write(const boost::posix_time::ptime& time) const;

        // Every node of the tree as the tree lists them; none without a tree.
        std::set<stable_ptr<TechnologyTree::Node>> GetNodes() const;
        // Empties the predecessors of every node the tree reaches, so that
        // nodes that need each other, directly or in a circle, are freed with
        // the file: for a file that is refused once read.
        void UnlinkNodes();

        // The saving's number, which names its file.
        unsigned long ID;
        // Kept as it is.
        unsigned long FinalMission;
        unsigned long Money;
        long Seed;
        std::shared_ptr<WorldMap> Map;
        std::set<stable_ptr<MissionBlueprint>> Missions;
        // Item identifiers the shop offers.
        std::vector<std::string> Shop;
        std::vector<Ship> Ships;
        // The index of the selected ship in Ships.
        boost::optional<unsigned int> SelectedShip;
        // Item identifiers of the loose items.
        std::vector<std::string> TheInventory;
        std::shared_ptr<TechnologyTree> TheTechnologyTree;
        // When the file was last written, in whole seconds of local time.
        boost::posix_time::ptime Time;
    };
}
