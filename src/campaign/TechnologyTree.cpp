#include "campaign/TechnologyTree.hpp"

#include "campaign/Saving.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "flight/EquipmentFactory.hpp"
#include "flight/Inventory.hpp"

#include <algorithm>

namespace Kestrum
{
    TechnologyTree::Node::Node() : Position(0.f, 0.f), Open(false) {}

    TechnologyTree::Node::~Node() = default;

    bool TechnologyTree::Node::ArePredecessorsOpen() const
    {
        return std::all_of(Predecessors.begin(), Predecessors.end(),
                           [](const stable_ptr<Node>& predecessor) { return predecessor->Open; });
    }

    TechnologyTree::TechnologyTree() = default;

    TechnologyTree::~TechnologyTree() = default;

    std::set<stable_ptr<TechnologyTree::Node>> TechnologyTree::GetNodes(Categories::Equipment category) const
    {
        const std::string code = Categories::EquipmentToShortString(category);
        std::set<stable_ptr<Node>> nodes;
        for (const stable_ptr<Node>& node : m_nodes)
            if (StartsWith(node->Type, code))
                nodes.insert(node);
        return nodes;
    }

    bool StartsWith(const std::string& text, const std::string& prefix)
    {
        return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
    }

    void OpenNode(const stable_ptr<TechnologyTree::Node>& node)
    {
        const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
        const stable_ptr<Saving> saving = GetFromRegistry<Saving>();
        if (!node->Cost)
            BOOST_THROW_EXCEPTION(LogicError("logic error 1 while opening node " + node->Type));
        if (*node->Cost > inventory->money)
            BOOST_THROW_EXCEPTION(LogicError("logic error 2 while opening node " + node->Type));
        if (!node->ArePredecessorsOpen())
            BOOST_THROW_EXCEPTION(LogicError("logic error 3 while opening node " + node->Type));
        // The shop would refuse the item, yet the node would open and be paid.
        if (!GetFromRegistry<EquipmentFactory>()->CanBeOwned(node->Type))
            BOOST_THROW_EXCEPTION(LogicError("logic error 4 while opening node " + node->Type));
        // The shop first: it is the one step that can fail. A shop without
        // room for the item leaves the node closed and the money as it was.
        if (!saving->AddToShop(node->Type))
            return;
        node->Open = true;
        inventory->money -= static_cast<sf::Uint32>(*node->Cost);
    }
}
