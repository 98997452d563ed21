#include "flight/GameObject.hpp"

namespace Kestrum
{
    GameObject::GameObject() = default;
    GameObject::~GameObject() = default;

    bool GameObject::IsExpired() const
    {
        return false;
    }
}
