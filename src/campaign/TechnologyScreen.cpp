#include "campaign/TechnologyScreen.hpp"

#include "campaign/TechnologyTreeWidget.hpp"

namespace Kestrum
{
    TechnologyScreen::TechnologyScreen()
        : CategoryScreen("resources|gui|screens|technology|buttons|categories|", "no tech tree for %1%")
    {
    }

    TechnologyScreen::~TechnologyScreen() = default;

    stable_ptr<Widget> TechnologyScreen::CreateCategoryWidget(Categories::Equipment category) const
    {
        return stable_ptr<Widget>(new TechnologyTreeWidget(category));
    }
}
