// One campaign in progress: its number, money, seed, world map, missions, shop
// offer, ships, selected ship, loose items, technology tree and the time it was
// last written. The one implementation is private to the saving manager, which
// makes it only from a save file. While a campaign is played the saving is
// registered (RegisterSaving) and its ships, items and money live in the
// Inventory that RegisterInventory builds and registers.
#pragma once

#include "core/StablePtr.hpp"
#include "levels/CampaignMissions.hpp"

#include <boost/date_time/posix_time/ptime.hpp>

#include <set>
#include <string>
#include <vector>

namespace Kestrum
{
    class Inventory;
    class MissionBlueprint;
    class TechnologyTree;
    class WorldMap;

    class Saving : public CampaignMissions
    {
    public:
        Saving();
        ~Saving() override;
        Saving(const Saving&) = delete;
        Saving& operator=(const Saving&) = delete;

        virtual long GetSeed() const = 0;
        // The map and the tree; an empty one: LogicError without message.
        virtual stable_ptr<WorldMap> GetMap() const = 0;
        virtual stable_ptr<TechnologyTree> GetTechnologyTree() const = 0;
        // A copy of the set of missions; the blueprints themselves are shared.
        std::set<stable_ptr<MissionBlueprint>> GetMissions() const override = 0;
        // The equipment identifiers the shop offers, in their order.
        virtual std::vector<std::string> GetShop() const = 0;
        // Appends an equipment identifier to the shop's offer (again, if it is
        // offered already) and says whether it did: an item the player cannot
        // own is left out with an error line, and one past the most entries a
        // save file holds with a warning.
        virtual bool AddToShop(const std::string& id) = 0;
        // The equipment identifiers of the loose items as stored.
        virtual std::vector<std::string> GetInventoryItems() const = 0;
        // Whether the save file has room for one more loose item; when it has
        // not, a warning names the list and the item, which is not to be added.
        virtual bool HasRoomForLooseItem(const std::string& id) const = 0;
        virtual unsigned long GetMoney() const = 0;
        // When the saving was last written, in whole seconds of local time.
        virtual boost::posix_time::ptime GetTime() const = 0;

        // Builds the inventory (LoadInventory), registers it and puts the
        // saving in use: from then on writing it copies the inventory back.
        void RegisterInventory();
        // A new inventory of the stored ships, selection, items and money.
        virtual stable_ptr<Inventory> LoadInventory() const = 0;

    protected:
        bool IsInUse() const { return m_inUse; }

    private:
        bool m_inUse;
    };

    // Registers the saving as the campaign in play, under Saving and under
    // CampaignMissions.
    void RegisterSaving(const stable_ptr<Saving>& saving);
}
