// The six categories of equipment and the item identifiers built on them: the
// category's three-letter code followed by the item's number, a run of decimal
// digits ("wpn007", "shd000", "hll001"). Identifiers are what level files, the
// shop, the save files and enemy pick-ups store.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace Kestrum
{
    namespace Categories
    {
        enum Equipment
        {
            Weapon = 0,
            Shield = 1,
            Bomb = 2,
            Engine = 3,
            Hull = 4,
            Gadget = 5
        };

        // "Weapon", "Shield", ...; any other value is logged as an error and gives "???".
        std::string EquipmentToString(Equipment category);
        // "wpn", "shd", ...; any other value is logged as an error and gives "xxx".
        std::string EquipmentToShortString(Equipment category);
        // The category of the code (exact, case-sensitive); none:
        // UnknownTypeError code + " is unknown equipment type".
        Equipment EquipmentFromShortString(const std::string& code);

        // The first three characters must be a known code, the rest digits only
        // (an empty rest passes): UnknownTypeError or ParseError otherwise.
        void AssertEquipmentID(const std::string& id);
        // The same, but the code must be the one of the category:
        // ParseError id + " is not of type " + code.
        void AssertEquipmentID(const std::string& id, Equipment category);

        // Splits an identifier into its category and its number. Three characters
        // or fewer: ParseError "length is too small: " + id.
        std::pair<Equipment, std::string> ParseEquipmentID(const std::string& id);
    }

    // The category's code followed by the number.
    std::string MakeEquipmentID(Categories::Equipment category, const std::string& number);

    // Whether the text is one or more decimal digits and nothing else.
    bool IsDigitsOnly(const std::string& text);

    // The names of the entries of a folder of the data tree (a resource path)
    // that consist of decimal digits only, files and folders alike, in name
    // order: the item numbers of an equipment folder.
    std::vector<std::string> ListNumberedEntries(const std::string& folder);
}
