// The shop: six tabs down the left edge, one per equipment category, and to
// their right the offers of the chosen category. The missions screen leads
// here; the exit button and escape lead back.
#pragma once

#include "flight/Categories.hpp"
#include "flight/ExitableScreen.hpp"

#include <map>
#include <memory>

namespace Kestrum
{
    class Button;
    class ShopCategoryWidget;

    class ShopScreen : public ExitableScreen
    {
    public:
        ShopScreen();
        ~ShopScreen() override;

        // Builds the tabs and the offers of every category from the shop list as
        // it stands, and shows the weapons. Entering again without leaving:
        // LogicError.
        void OnEnter() override;
        // Drops the tabs and the categories' offers.
        void OnExit() override;

        // Shows the category's offers and disables its tab, enabling the others;
        // the mouse button does not matter. A category without offers built
        // (before entering or after leaving): LogicError "no GUI for <Category>".
        void Switch(MouseButton button, Categories::Equipment category);
        // Builds and enters the offers of one category, with its tab.
        void AddCategory(Categories::Equipment category, const stable_ptr<Button>& button);

        Categories::Equipment GetCurrentCategory() const { return m_current; }

    private:
        struct CategoryGUI;

        std::map<Categories::Equipment, std::shared_ptr<CategoryGUI>> m_categories;
        Categories::Equipment m_current;
    };
}
