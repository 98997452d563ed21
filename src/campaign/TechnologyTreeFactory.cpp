#include "campaign/TechnologyTreeFactory.hpp"

namespace Kestrum
{
    TechnologyTreeFactory::TechnologyTreeFactory() = default;
    TechnologyTreeFactory::~TechnologyTreeFactory() = default;
}
