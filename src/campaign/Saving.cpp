#include "campaign/Saving.hpp"

#include "core/Registry.hpp"
#include "flight/Inventory.hpp"

namespace Kestrum
{
    Saving::Saving() : m_inUse(false) {}

    Saving::~Saving() = default;

    void Saving::RegisterInventory()
    {
        const stable_ptr<Inventory> inventory = LoadInventory();
        Registry::Instance()->Register<Inventory>(inventory);
        m_inUse = true;
    }

    void RegisterSaving(const stable_ptr<Saving>& saving)
    {
        const stable_ptr<Registry> registry = Registry::Instance();
        registry->Register<Saving>(saving);
        registry->Register<CampaignMissions>(stable_ptr<CampaignMissions>(saving));
    }
}
