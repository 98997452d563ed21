#include "flight/EquipmentSlot.hpp"

#include "core/Exception.hpp"
#include "flight/EquipmentIcon.hpp"
#include "flight/Sellable.hpp"
#include "presentation/Animation.hpp"

namespace Kestrum
{
    namespace
    {
        const std::string folder = "resources|gui|screens|inventory|";
    }

    std::shared_ptr<EquipmentSlot> EquipmentSlot::Create(const sf::Vector2f& offset, Categories::Equipment category)
    {
        std::shared_ptr<EquipmentSlot> slot(new EquipmentSlot(offset, category));
        slot->Initialize(folder + "slot.png", folder + "slot_click_area.txt", sf::Vector2f(0.f, 0.f));
        return slot;
    }

    EquipmentSlot::EquipmentSlot(const sf::Vector2f& offset, Categories::Equipment category)
        : m_category(category), m_offset(offset)
    {
    }

    EquipmentSlot::~EquipmentSlot() = default;

    void EquipmentSlot::SetEquipment(const std::shared_ptr<Sellable>& item)
    {
        if (item && item->GetCategory() != m_category)
            BOOST_THROW_EXCEPTION(LogicError("categories do not match"));
        m_equipment = item;
    }

    void EquipmentSlot::Draw()
    {
        ComplexButton::Draw();
        if (!m_equipment)
            return;
        const stable_ptr<Animation> animation = m_equipment->GetIcon()->GetGuiAnimation();
        const sf::Vector2f centre = GetPosition() + GetSize() * 0.5f;
        animation->SetPosition(centre.x, centre.y);
        animation->Draw();
    }
}
