#include "flight/HullFactory.hpp"

namespace Kestrum
{
    HullFactory::HullFactory() = default;
    HullFactory::~HullFactory() = default;

    void HullFactory::Load()
    {
    }
}
