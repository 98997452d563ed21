// Makes curves from XML elements and from .graph files (an XML document whose
// first "graph" element describes the curve). Holds nothing; every call reads
// the file again.
#pragma once

#include "core/Graph.hpp"
#include "core/StablePtr.hpp"

#include <string>

namespace Kestrum
{
    class GraphFactory
    {
    public:
        GraphFactory();
        virtual ~GraphFactory();
        GraphFactory(const GraphFactory&) = delete;
        GraphFactory& operator=(const GraphFactory&) = delete;

        // Loads the .graph file of a resource path; a missing or malformed file
        // or one without a "graph" element throws XmlError.
        stable_ptr<Graph> Create(std::string resourcePath) const;
        // Picks the kind by the element's "type": "polynomial",
        // "linear_interpolation" or "flat_line"; another type throws
        // NotSupportedError "graph of type <type> not supported".
        stable_ptr<Graph> Create(const pugi::xml_node& element) const;
    };
}
