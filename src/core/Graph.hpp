// A curve y = f(x) over the whole real line: it can be read from and written to
// XML, evaluated at a point and integrated between two bounds. The scroll speed of
// a level and the level generator's difficulty curves are graphs.
//
// XML form: an element "graph" whose attribute "type" names the kind
// ("flat_line", "polynomial" or "linear_interpolation"), see the kinds.
#pragma once

#include <pugixml.hpp>

namespace Kestrum
{
    class Graph
    {
    public:
        Graph() = default;
        Graph(const Graph&) = delete;
        Graph& operator=(const Graph&) = delete;
        virtual ~Graph();

        // Replaces the curve by the one the element describes.
        virtual void Load(const pugi::xml_node& element) = 0;
        // Appends an element "graph" describing the curve to the parent and
        // returns it.
        virtual pugi::xml_node Save(pugi::xml_node parent) const = 0;
        virtual float Evaluate(float x) const = 0;
        // The signed area under the curve between the bounds; a maximum below
        // the minimum throws InvalidArgumentError.
        virtual float CalculateArea(float minimum, float maximum) = 0;

    protected:
        // Appends <graph type="..."/> to the parent.
        static pugi::xml_node AppendGraphElement(pugi::xml_node parent, const char* type);
    };
}
