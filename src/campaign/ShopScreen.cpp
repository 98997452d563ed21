#include "campaign/ShopScreen.hpp"

#include "campaign/ShopCategoryWidget.hpp"

namespace Kestrum
{
    ShopScreen::ShopScreen() : CategoryScreen("resources|gui|screens|shop|buttons|", "no GUI for %1%") {}

    ShopScreen::~ShopScreen() = default;

    stable_ptr<Widget> ShopScreen::CreateCategoryWidget(Categories::Equipment category) const
    {
        return stable_ptr<Widget>(new ShopCategoryWidget(category));
    }
}
