// Lists the hulls of the data tree and makes them by identifier. Each hull is a
// numbered folder under "resources|equipment|hulls" holding its "details.xml",
// its "icons", its "straight.action" and its "overview.png". A hull's
// definition is read once, the first time it is asked for; every hull handed
// out is a copy of that prototype, with empty slots of its own.
#pragma once

#include "core/StablePtr.hpp"

#include <memory>
#include <set>
#include <string>

namespace Kestrum
{
    class EquipmentPrototypes;
    class Hull;

    class HullFactory
    {
    public:
        HullFactory();
        virtual ~HullFactory();
        HullFactory(const HullFactory&) = delete;
        HullFactory& operator=(const HullFactory&) = delete;

        // Collects the identifiers of all hulls; a second call is a LogicError.
        void Load();
        // Before Load: LogicError "forgot to call HullFactory::Load()?".
        std::set<std::string> GetHullTypes() const;

        // A new hull from a hull identifier ("hll000") or a bare number ("000").
        // An identifier of another category: RuntimeError id + " is not a hull".
        // Needs no Load.
        stable_ptr<Hull> Create(const std::string& id);

    private:
        std::unique_ptr<EquipmentPrototypes> m_prototypes;
    };
}
