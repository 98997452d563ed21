#include "levels/PathFactory.hpp"

namespace Kestrum
{
    PathFactory::PathFactory() = default;
    PathFactory::~PathFactory() = default;
}
