// The ship a player starts with: hull "000", initialized (so it carries the
// default shield), with weapon "000" in its first weapon slot. The arcade run
// flies it, and a campaign without ships gets it.
#pragma once

#include "core/StablePtr.hpp"

namespace Kestrum
{
    class PlayerShip;

    // Needs the registered hull and weapon factories. A default hull without
    // weapon slots: LogicError "default hull has no weapon slots".
    stable_ptr<PlayerShip> CreateDefaultShip();
}
