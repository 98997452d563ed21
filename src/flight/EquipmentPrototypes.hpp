// What the factories of hulls and shields share: the identifiers of their
// category's numbered folders, collected once, and the items, each read the
// first time it is asked for and handed out as copies of that prototype.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/Categories.hpp"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace Kestrum
{
    class Sellable;

    class EquipmentPrototypes
    {
    public:
        // Reads the item of a folder number.
        using Reader = std::function<stable_ptr<Sellable>(const std::string& number)>;

        // `folder` holds the numbered folders; `factory` names the owner in the
        // errors ("HullFactory"), `item` the kind of item ("hull").
        EquipmentPrototypes(Categories::Equipment category, const std::string& folder, const std::string& factory,
                            const std::string& item, const Reader& read);

        // Collects the identifiers; a second call: LogicError
        // "redundant loading of <factory>".
        void Load();
        // Before Load: LogicError "forgot to call <factory>::Load()?".
        std::set<std::string> GetTypes() const;
        // A copy of the item of an identifier or a bare number, read the first
        // time. An identifier of another category: RuntimeError
        // id + " is not a <item>". Needs no Load.
        stable_ptr<Sellable> Create(const std::string& id);

    private:
        Categories::Equipment m_category;
        std::string m_folder;
        std::string m_factory;
        std::string m_item;
        Reader m_read;
        std::unique_ptr<std::set<std::string>> m_types;
        std::map<std::string, stable_ptr<Sellable>> m_prototypes;
    };
}
