// The body of a player's ship, around which a ship is built: its slots decide
// which equipment the ship can carry, each slot taking items of one category.
#pragma once

#include "flight/Sellable.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <memory>

namespace Kestrum
{
    class EquipmentSlot;

    class Hull : public Sellable
    {
    public:
        typedef std::vector<std::shared_ptr<EquipmentSlot>> Slots;

        // `actionPath` is the resource path of the hull's "straight.action"; its
        // folder holds the overview picture.
        Hull(const stable_ptr<EquipmentIcon>& icon, const std::string& name, const std::string& id,
             const std::string& actionPath, unsigned long strength, const Slots& slots, unsigned long price);
        ~Hull() override;

        // The slots of the category in slot order, possibly none. The category
        // Hull: LogicError "there can not be a slot for a hull in a hull itself".
        Slots GetSlots(Categories::Equipment category) const;
        // Every slot, of every category, in slot order.
        const Slots& GetAllSlots() const;
        // The picture "overview.png" of the hull's folder, for the hangar and the
        // inventory screen.
        sf::Sprite GetOverviewIcon() const;
        unsigned long GetStrength() const;
        const std::string& GetActionPath() const;

        // A copy with slots of its own, each holding a copy of the item fitted here.
        stable_ptr<Sellable> Clone() const override;
        // 0: "Strength: ...".
        std::optional<std::string> GetDetails(unsigned index) const override;
        std::size_t GetIncrementCount() const override;
        std::size_t GetActiveIncrement() const override;
        // Only 0, which changes nothing; any other index: NotSupportedError
        // "no increments supported yet".
        void SetActiveIncrement(std::size_t index) override;
        std::vector<unsigned long> GetPrices() const override;
        // Removes every slot: the hull then has none. (A ship resets the items in
        // its slots, never its hull.)
        void Reset() override;

    private:
        Hull(const Hull& other);

        std::string m_actionPath;
        unsigned long m_strength;
        Slots m_slots;
        unsigned long m_price;
    };
}
