#include "core/Graph.hpp"

namespace Kestrum
{
    Graph::~Graph() = default;
}
