// One offer of the shop: the shop's frame with the item's icon in its top-left
// corner and, beside the icon, the item's name, its price and its detail
// lines. The shop's category widget connects the purchase to its click and
// enables it only while the player can pay.
#pragma once

#include "campaign/ItemText.hpp"
#include "core/StablePtr.hpp"
#include "interface/ComplexButton.hpp"

namespace Kestrum
{
    class Sellable;

    class ShopButton : public ComplexButton
    {
    public:
        // The button of the item with its top-left at the position.
        static stable_ptr<ShopButton> Create(const stable_ptr<Sellable>& item, const sf::Vector2f& position);

        ~ShopButton() override;

        // Moves the frame, and the texts with it.
        void SetPosition(const sf::Vector2f& position) override;
        // The frame in its look, the icon, then the texts.
        void Draw() override;

        const stable_ptr<Sellable>& GetItem() const { return m_item; }
        // Name, price and detail lines, as they stand on the screen.
        const std::vector<sf::Text>& GetTexts() const { return m_texts.GetLines(); }

    private:
        explicit ShopButton(const stable_ptr<Sellable>& item);
        // Loads the frame and lays out the texts.
        void Initialize(const std::string& imagePath, const std::string& clickAreaPath, const sf::Vector2f& position);

        stable_ptr<Sellable> m_item;
        ItemText m_texts;
    };
}
