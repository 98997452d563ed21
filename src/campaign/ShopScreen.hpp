// The shop: six tabs down the left edge, one per equipment category, and to
// their right the offers of the chosen category. The missions screen leads
// here; the exit button and escape lead back.
#pragma once

#include "campaign/CategoryScreen.hpp"

namespace Kestrum
{
    class ShopScreen : public CategoryScreen
    {
    public:
        // A category without offers built (before entering or after leaving)
        // cannot be shown: LogicError "no GUI for <Category>".
        ShopScreen();
        ~ShopScreen() override;

    protected:
        // The category's offers from the shop list as it stands.
        stable_ptr<Widget> CreateCategoryWidget(Categories::Equipment category) const override;
    };
}
