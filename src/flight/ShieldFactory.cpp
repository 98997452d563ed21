#include "flight/ShieldFactory.hpp"

namespace Kestrum
{
    ShieldFactory::ShieldFactory() = default;
    ShieldFactory::~ShieldFactory() = default;

    void ShieldFactory::Load()
    {
    }
}
