#include "core/GraphFactory.hpp"

namespace Kestrum
{
    GraphFactory::GraphFactory() = default;
    GraphFactory::~GraphFactory() = default;
}
