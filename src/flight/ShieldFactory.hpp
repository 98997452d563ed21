// Lists the shields of the data tree and makes them by identifier. Each shield
// is a numbered folder under "resources|equipment|shields" holding its
// "details.xml" and its "icons". A shield's definition is read once, the first
// time it is asked for; every shield handed out is a copy of that prototype.
#pragma once

#include "core/StablePtr.hpp"

#include <memory>
#include <set>
#include <string>

namespace Kestrum
{
    class EquipmentPrototypes;
    class Shield;

    class ShieldFactory
    {
    public:
        ShieldFactory();
        virtual ~ShieldFactory();
        ShieldFactory(const ShieldFactory&) = delete;
        ShieldFactory& operator=(const ShieldFactory&) = delete;

        // Collects the identifiers of all shields; a second call is a LogicError.
        void Load();
        // Before Load: LogicError "forgot to call ShieldFactory::Load()?".
        std::set<std::string> GetShieldTypes() const;

        // A new shield, up, from a shield identifier ("shd000") or a bare number
        // ("000"). An identifier of another category: RuntimeError
        // id + " is not a shield". Needs no Load.
        stable_ptr<Shield> Create(const std::string& id);

    private:
        std::unique_ptr<EquipmentPrototypes> m_prototypes;
    };
}
