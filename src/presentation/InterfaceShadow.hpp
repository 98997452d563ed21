// The handle that owners of shadows hold: an animation, an action or a state
// machine hands one out, and whoever holds it can draw it or let it go.
#pragma once

namespace Kestrum
{
    class InterfaceShadow
    {
    public:
        // Flags the shadow for removal: it draws nothing from then on and the
        // GameObjectManager drops it at its next removal pass.
        virtual void Remove() = 0;
        virtual void Draw() = 0;

    protected:
        // Never deleted through this interface.
        ~InterfaceShadow() = default;
    };
}
