// The campaign's technology tree, one equipment category at a time: six tabs
// down the left edge and, to their right, the chosen category's tree diagram
// (see TechnologyTreeWidget), where items are developed. The missions screen
// leads here; the exit button and escape lead back.
#pragma once

#include "campaign/CategoryScreen.hpp"

namespace Kestrum
{
    class TechnologyScreen : public CategoryScreen
    {
    public:
        // A category without a diagram built (before entering or after leaving)
        // cannot be shown: LogicError "no tech tree for <Category>".
        TechnologyScreen();
        ~TechnologyScreen() override;

    protected:
        // The category's diagram, from the tree of the registered saving as it stands.
        stable_ptr<Widget> CreateCategoryWidget(Categories::Equipment category) const override;
    };
}
