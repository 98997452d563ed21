// Objects in flight cast a drop shadow: what they show is drawn a second time
// as a translucent black silhouette, 50 pixels right of and 20 below them,
// whatever their rotation. A shadow is a game object of its own on the shadow
// layer (over ground objects, under everything that flies): its holder adds it
// to the GameObjectManager once, and the manager drops it after Remove.
//
// Each kind of shadow implements Draw (which is both the game object's and the
// handle's drawing) and draws nothing once removed.
#pragma once

#include "presentation/GameObject.hpp"
#include "presentation/InterfaceShadow.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

namespace Kestrum
{
    class Shadow : public GameObject, public InterfaceShadow
    {
    public:
        // The silhouette's colour and its offset on the screen.
        static const sf::Color Colour;
        static const sf::Vector2f Offset;

        void OnUpdate() override;
        void Draw() override = 0;
        bool IsExpired() const override;
        void Remove() override;

    protected:
        Shadow();
        bool IsRemoved() const { return m_removed; }

    private:
        bool m_removed;
    };
}
