// The offers of one equipment category on the shop screen: a button for every
// item of the category in the campaign's shop list, three by three on a page,
// paged by a scroll bar at the right edge. Every frame it enables exactly the
// offers the player can pay for. A click buys a copy of the offer: a hull
// becomes a new ship, anything else a loose item of the inventory.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/Categories.hpp"
#include "interface/Widget.hpp"

#include <memory>
#include <vector>

namespace Kestrum
{
    class Button;
    class ScrollableLayout;
    class ScrollBar;
    class Sellable;

    class ShopCategoryWidget : public Widget
    {
    public:
        explicit ShopCategoryWidget(Categories::Equipment category);
        ~ShopCategoryWidget() override;

        // Builds the offers from the shop list of the registered saving, the
        // page layout and the scroll bar. Items the player cannot own (bombs,
        // engines, gadgets, enemy weapons, unknown numbers) are reported and
        // left out.
        void OnEnter() override;
        // Enables the offers the inventory's money pays for; before OnEnter:
        // RuntimeError "forgot to call ShopCategoryWidget::OnEnter()?".
        void OnUpdate() override;
        void OnExit() override;

        Categories::Equipment GetCategory() const { return m_category; }
        // The page layout of the offers; empty before OnEnter and after OnExit.
        const std::shared_ptr<ScrollableLayout>& GetLayout() const { return m_layout; }

    private:
        // Whether an offer can be bought now.
        bool IsAffordable(const Sellable& item) const;

        Categories::Equipment m_category;
        std::shared_ptr<ScrollableLayout> m_layout;
    };

    // Buys a copy of the hull and makes a new ship of it, when the money pays for
    // it and the hangar has room; otherwise logs the refusal as an error and
    // changes nothing. An item that is no hull: LogicError "parameter is not a hull".
    void BuyHullAndMakeShip(const stable_ptr<Sellable>& item);
    // Buys a copy of the item into the inventory when the money pays for it
    // and the save file has room for one more loose item; otherwise logs the
    // refusal and changes nothing.
    void BuyItem(const stable_ptr<Sellable>& item);
    // The offers three by three from (102, 45), 277 pixels apart across and 190
    // down, a page per scroll step.
    stable_ptr<ScrollableLayout> CreateShopLayout(const std::vector<std::shared_ptr<Button>>& buttons);
    // The scroll bar 100 pixels from the window's right edge, 100 from its top,
    // 200 long.
    stable_ptr<ScrollBar> CreateShopScrollBar();
}
