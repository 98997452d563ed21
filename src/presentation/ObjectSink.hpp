// Where the effects of an action put the objects they make (particle systems,
// sounds): the flight's object manager, registered under this type beside its
// own wherever it is made.
#pragma once

#include "core/StablePtr.hpp"

namespace Kestrum
{
    class GameObject;

    class ObjectSink
    {
    public:
        virtual ~ObjectSink() = default;
        // Takes the object into the level.
        virtual void Add(const stable_ptr<GameObject>& object) = 0;
    };
}
