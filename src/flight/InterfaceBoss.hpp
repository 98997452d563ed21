// The second face of the two bosses: how much of a boss is left, for the boss
// dial of the flight screen. The flight screen finds the bosses among the
// objects of the level by this type.
#pragma once

namespace Kestrum
{
    class InterfaceBoss
    {
    public:
        // The share of the boss's hit points that is left: 1 unhurt, 0 destroyed.
        virtual float GetHealthRatio() const = 0;

    protected:
        // Never deleted through this interface: the boss is a game object and
        // goes as one.
        ~InterfaceBoss() = default;
    };
}
