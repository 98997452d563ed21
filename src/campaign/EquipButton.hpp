// One choice of the equipment screen: the screen's frame with a few lines about
// an inventory item. When the slot holds another item, the lines compare the
// candidate with it ("Damage: 12 (+3)"); otherwise they give the candidate's
// name, price and details. The button that empties the slot reads "EMPTY".
#pragma once

#include "campaign/ItemText.hpp"
#include "core/StablePtr.hpp"
#include "interface/ComplexButton.hpp"

#include <SFML/Config.hpp>

#include <memory>
#include <string>
#include <vector>

namespace Kestrum
{
    class Sellable;
    class Shield;
    class Weapon;

    class EquipButton : public ComplexButton
    {
    public:
        // The button of a candidate item, compared with the fitted one (none, or
        // the candidate itself: no comparison). Items of two categories:
        // RuntimeError "not comparable: <candidate's> != <fitted's>".
        static stable_ptr<EquipButton> Create(const std::shared_ptr<Sellable>& item,
                                              const std::shared_ptr<Sellable>& fitted);
        // The button that stands for no item.
        static stable_ptr<EquipButton> CreateEmpty();

        ~EquipButton() override;

        // Takes the item (empty for none) and writes the lines anew.
        void SetItem(const std::shared_ptr<Sellable>& item);
        // Moves the frame and writes the lines anew at the new place.
        void SetPosition(const sf::Vector2f& position) override;
        void Draw() override;

        const std::shared_ptr<Sellable>& GetItem() const { return m_item; }
        const std::vector<sf::Text>& GetTexts() const { return m_texts.GetLines(); }

    private:
        EquipButton();

        std::shared_ptr<Sellable> m_item;
        std::shared_ptr<Sellable> m_compared;
        ItemText m_texts;
    };

    // Two items of different categories: RuntimeError "not comparable: " + the
    // candidate's category + " != " + the fitted item's ("Shield != Weapon").
    void AssertComparability(const Sellable& fitted, const Sellable& candidate);
    // The lines comparing two weapons or two shields; other categories:
    // LogicError "unsupported equipment category type <Category>".
    std::vector<std::string> CreateComparison(const Sellable& fitted, const Sellable& candidate);
    // "EMPTY" without a candidate, the comparison with a fitted item, else the details.
    std::vector<std::string> CreateItemText(const std::shared_ptr<Sellable>& fitted,
                                            const std::shared_ptr<Sellable>& candidate);
    // The name, the price and the detail lines.
    std::vector<std::string> CreateDetailsText(const Sellable& item);
    // "Name: ..." and "Price: ...".
    std::vector<std::string> CreateBasicText(const Sellable& item);
    // Name and price, then damage, muzzle speed and volleys per second against the fitted weapon's.
    std::vector<std::string> CreateWeaponComparison(const Weapon& candidate, const Weapon& fitted);
    // Name and price, then recovery and invincibility times against the fitted shield's.
    std::vector<std::string> CreateShieldComparison(const Shield& candidate, const Shield& fitted);
    // "<label>: <candidate> (+<difference>)" when the candidate's value is larger,
    // "(-<difference>)" when it is smaller, "(0)" otherwise.
    std::string FormatComparison(const std::string& label, sf::Uint32 candidate, sf::Uint32 fitted);
    std::string FormatComparison(const std::string& label, float candidate, float fitted);
}
