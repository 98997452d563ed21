// The tree diagram of one equipment category on the technology screen: a button
// for every node of the category, centred on the node's place and carrying the
// icon of its item, and a red line from each node to each node it needs first.
// Clicking a node shows a panel with its development cost and, when the node
// can be developed now, a start button that develops it: the money pays the
// cost and the shop offers the item from then on.
#pragma once

#include "flight/Categories.hpp"
#include "interface/Widget.hpp"

namespace Kestrum
{
    class TechnologyTreeWidget : public Widget
    {
    public:
        explicit TechnologyTreeWidget(Categories::Equipment category);
        ~TechnologyTreeWidget() override;

        // Builds the diagram from the tree of the registered saving. Nodes of a
        // category whose items cannot be made yet, and nodes of items the player
        // cannot own (enemy weapons, unknown numbers), are reported and left out.
        void OnEnter() override;
        // Drops the diagram.
        void OnExit() override;

        Categories::Equipment GetCategory() const { return m_category; }

    private:
        Categories::Equipment m_category;
    };
}
