// Anything that lives in a flight: ship, enemy, shot, pick-up, particle system.
#pragma once

namespace Kestrum
{
    class GameObject
    {
    public:
        GameObject();
        virtual ~GameObject();
        GameObject(const GameObject&) = delete;
        GameObject& operator=(const GameObject&) = delete;

        // True when the object is done and the manager may remove it.
        virtual bool IsExpired() const;
    };
}
