// Makes technology trees.
#pragma once

namespace Kestrum
{
    class TechnologyTreeFactory
    {
    public:
        TechnologyTreeFactory();
        virtual ~TechnologyTreeFactory();
        TechnologyTreeFactory(const TechnologyTreeFactory&) = delete;
        TechnologyTreeFactory& operator=(const TechnologyTreeFactory&) = delete;
    };
}
