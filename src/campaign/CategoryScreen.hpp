// A campaign screen that shows one equipment category at a time (the shop, the
// technology screen): six tabs down the left edge, one per category, and to
// their right the chosen category's widget. Every category's widget is built
// on entry, from the campaign as it stands then. The exit button and escape
// lead back to the missions screen.
#pragma once

#include "campaign/ExitableScreen.hpp"
#include "flight/Categories.hpp"

#include <map>
#include <memory>
#include <string>

namespace Kestrum
{
    class Button;

    class CategoryScreen : public ExitableScreen
    {
    public:
        ~CategoryScreen() override;

        // Builds the tabs and the widget of every category and shows the weapons.
        // Entering again without leaving: LogicError.
        void OnEnter() override;
        // Drops the tabs and the categories' widgets.
        void OnExit() override;

        // Shows the category's widget and disables its tab, enabling the others;
        // the mouse button does not matter. A category without a widget (before
        // entering or after leaving): LogicError with the missing-category text.
        void Switch(MouseButton button, Categories::Equipment category);
        // Builds and enters the widget of one category, with its tab.
        void AddCategory(Categories::Equipment category, const stable_ptr<Button>& button);

        Categories::Equipment GetCurrentCategory() const { return m_current; }

    protected:
        // The tabs' pictures are "weapons.png" ... "gadgets.png" of the folder,
        // sharing its "click_area.txt"; `missingCategory` is the format of the
        // error for a category without a widget, "%1%" the category's name.
        CategoryScreen(const std::string& tabFolder, const std::string& missingCategory);

        // A new widget showing the category.
        virtual stable_ptr<Widget> CreateCategoryWidget(Categories::Equipment category) const = 0;

    private:
        struct CategoryGUI;

        std::string m_tabFolder;
        std::string m_missingCategory;
        std::map<Categories::Equipment, std::shared_ptr<CategoryGUI>> m_categories;
        Categories::Equipment m_current;
    };
}
