// The service that will make the flight paths of enemies. It is registered at
// start-up and has nothing to make yet: no enemy asks it for a path.
#pragma once

namespace Kestrum
{
    class PathFactory
    {
    public:
        PathFactory();
        virtual ~PathFactory();
        PathFactory(const PathFactory&) = delete;
        PathFactory& operator=(const PathFactory&) = delete;
    };
}
