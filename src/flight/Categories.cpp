#include "flight/Categories.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/ResourceUtility.hpp"

#include <algorithm>
#include <filesystem>

namespace Kestrum
{
    namespace
    {
        struct CategoryNames
        {
            const char* name;
            const char* code;
        };

        const CategoryNames names[] = {{"Weapon", "wpn"}, {"Shield", "shd"}, {"Bomb", "bmb"},
                                       {"Engine", "ngn"}, {"Hull", "hll"},   {"Gadget", "gdg"}};
        const int categoryCount = sizeof(names) / sizeof(names[0]);

        bool IsKnown(Categories::Equipment category)
        {
            return static_cast<int>(category) >= 0 && static_cast<int>(category) < categoryCount;
        }

        void AssertDigits(const std::string& id)
        {
            if (id.size() > 3 && !IsDigitsOnly(id.substr(3)))
                BOOST_THROW_EXCEPTION(ParseError(id + " is no equipment ID (second part contains non-digits)"));
        }
    }

    namespace Categories
    {
        std::string EquipmentToString(Equipment category)
        {
            if (IsKnown(category))
                return names[category].name;
            *Log(LogLevel::error) << "unknown equipment category found (" << static_cast<int>(category)
                                  << ") - returning ???";
            return "???";
        }

        std::string EquipmentToShortString(Equipment category)
        {
            if (IsKnown(category))
                return names[category].code;
            *Log(LogLevel::error) << "unknown equipment category found (" << static_cast<int>(category)
                                  << ") - returning xxx";
            return "xxx";
        }

        Equipment EquipmentFromShortString(const std::string& code)
        {
            for (int value = 0; value < categoryCount; ++value)
                if (code == names[value].code)
                    return static_cast<Equipment>(value);
            BOOST_THROW_EXCEPTION(UnknownTypeError(code + " is unknown equipment type"));
        }

        void AssertEquipmentID(const std::string& id)
        {
            EquipmentFromShortString(id.substr(0, 3));
            AssertDigits(id);
        }

        void AssertEquipmentID(const std::string& id, Equipment category)
        {
            const std::string code = EquipmentToShortString(category);
            if (id.compare(0, 3, code) != 0)
                BOOST_THROW_EXCEPTION(ParseError(id + " is not of type " + code));
            AssertDigits(id);
        }

        std::pair<Equipment, std::string> ParseEquipmentID(const std::string& id)
        {
            if (id.size() <= 3)
                BOOST_THROW_EXCEPTION(ParseError("length is too small: " + id));
            const Equipment category = EquipmentFromShortString(id.substr(0, 3));
            AssertDigits(id);
            return std::make_pair(category, id.substr(3));
        }
    }

    std::string MakeEquipmentID(Categories::Equipment category, const std::string& number)
    {
        return Categories::EquipmentToShortString(category) + number;
    }

    bool IsDigitsOnly(const std::string& text)
    {
        if (text.empty())
            return false;
        for (char c : text)
            if (c < '0' || c > '9')
                return false;
        return true;
    }

    std::vector<std::string> ListNumberedEntries(const std::string& folder)
    {
        std::vector<std::string> numbers;
        for (const auto& entry : std::filesystem::directory_iterator(ToFilesystemPath(folder)))
        {
            const std::string name = entry.path().filename().string();
            if (IsDigitsOnly(name))
                numbers.push_back(name);
        }
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }
}
