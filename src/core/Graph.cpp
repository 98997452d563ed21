#include "core/Graph.hpp"

namespace Kestrum
{
    Graph::~Graph() = default;

    pugi::xml_node Graph::AppendGraphElement(pugi::xml_node parent, const char* type)
    {
        pugi::xml_node graph = parent.append_child("graph");
        graph.append_attribute("type") = type;
        return graph;
    }
}
