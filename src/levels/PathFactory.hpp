// Makes the flight paths of enemies.
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
