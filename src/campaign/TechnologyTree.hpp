// A campaign's technology tree: the items the player can develop, each a node
// with a cost and the nodes that must be developed first. Developing (opening)
// a node costs money and puts its item on offer in the campaign's shop. Trees
// come only from save files, whose reader fills the nodes and links them.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/Categories.hpp"

#include <SFML/System/Vector2.hpp>
#include <boost/optional/optional.hpp>

#include <set>
#include <string>

namespace boost
{
    namespace serialization
    {
        class access;
    }
}

namespace Kestrum
{
    class TechnologyTree
    {
    public:
        class Node
        {
        public:
            // No type, at (0, 0), no predecessors, no cost, closed.
            Node();
            virtual ~Node();
            Node(const Node&) = delete;
            Node& operator=(const Node&) = delete;

            // Whether every predecessor is open; true without predecessors.
            bool ArePredecessorsOpen() const;

            // The item's identifier ("wpn001"); its code decides the category
            // under which the node is shown.
            std::string Type;
            // The node's place in the tree's diagram, in diagram units.
            sf::Vector2f Position;
            // The nodes of the same tree that must be open first.
            std::set<stable_ptr<Node>> Predecessors;
            // What developing the item costs; none: it cannot be developed.
            boost::optional<unsigned long> Cost;
            // Developed.
            bool Open;
        };

        TechnologyTree();
        virtual ~TechnologyTree();
        TechnologyTree(const TechnologyTree&) = delete;
        TechnologyTree& operator=(const TechnologyTree&) = delete;

        // The nodes whose Type begins with the category's code.
        virtual std::set<stable_ptr<Node>> GetNodes(Categories::Equipment category) const;
        // Every node of the tree.
        const std::set<stable_ptr<Node>>& GetAllNodes() const { return m_nodes; }

    private:
        friend class boost::serialization::access;
        // The save file's part of the tree; defined where save files are read
        // and written.
        template <typename Archive>
        void serialize(Archive& archive, unsigned version);

        std::set<stable_ptr<Node>> m_nodes;
    };

    // Whether the text begins with the prefix, byte for byte; an empty prefix
    // begins every text.
    bool StartsWith(const std::string& text, const std::string& prefix);

    // Develops the node for the registered Inventory and Saving: it must have a
    // cost (else LogicError "logic error 1 while opening node " + its Type), the
    // money must cover it ("logic error 2 ...") and its predecessors must be
    // open ("logic error 3 ...") and its item must be one the player can own
    // ("logic error 4 ..."); then its item goes on offer in the shop, the node
    // opens and the cost is paid. A failure changes nothing, and nor does a
    // shop that has no room for the item (its warning says so).
    void OpenNode(const stable_ptr<TechnologyTree::Node>& node);
}
