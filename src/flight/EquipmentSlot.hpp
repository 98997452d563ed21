// One place of a hull where one item of one category can be fitted, and the
// button that shows that place on the inventory screen. A hull owns its slots;
// what is fitted in them is the ship's equipment.
#pragma once

#include "flight/Categories.hpp"
#include "interface/ComplexButton.hpp"

#include <SFML/System/Vector2.hpp>
#include <memory>

namespace Kestrum
{
    class Sellable;

    class EquipmentSlot : public ComplexButton
    {
    public:
        // An empty slot of the category, centred on `offset` of the hull's overview
        // picture. The button stands at (0, 0) until its screen places it.
        static std::shared_ptr<EquipmentSlot> Create(const sf::Vector2f& offset, Categories::Equipment category);

        ~EquipmentSlot() override;

        // Fits the item, or empties the slot for an empty pointer. An item of
        // another category: LogicError "categories do not match", and the slot
        // keeps what it held.
        void SetEquipment(const std::shared_ptr<Sellable>& item);
        // The fitted item; empty when nothing is fitted.
        std::shared_ptr<Sellable> GetEquipment() const { return m_equipment; }
        Categories::Equipment GetCategory() const { return m_category; }
        sf::Vector2f GetOffset() const { return m_offset; }

        // The socket, and the fitted item's menu animation centred on it.
        void Draw() override;

    private:
        EquipmentSlot(const sf::Vector2f& offset, Categories::Equipment category);

        Categories::Equipment m_category;
        sf::Vector2f m_offset;
        std::shared_ptr<Sellable> m_equipment;
    };
}
