#include "flight/ShotBase.hpp"

namespace Kestrum
{
    ShotBase::ShotBase() = default;
    ShotBase::~ShotBase() = default;
}
