// Makes curves from XML elements and .graph files.
#pragma once

namespace Kestrum
{
    class GraphFactory
    {
    public:
        GraphFactory();
        virtual ~GraphFactory();
        GraphFactory(const GraphFactory&) = delete;
        GraphFactory& operator=(const GraphFactory&) = delete;
    };
}
