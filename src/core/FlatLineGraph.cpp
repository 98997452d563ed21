#include "core/FlatLineGraph.hpp"

#include "core/Exception.hpp"
#include "core/XmlReading.hpp"

#include <boost/format.hpp>

namespace Kestrum
{
    FlatLineGraph::FlatLineGraph(float y) : m_y(y) {}

    void FlatLineGraph::Load(const pugi::xml_node& element)
    {
        AssertElementName(element, "graph");
        AssertAttribute(element, "type", "flat_line");
        m_y = GetChildValue<float>(element, "y");
    }

    pugi::xml_node FlatLineGraph::Save(pugi::xml_node parent) const
    {
        pugi::xml_node graph = AppendGraphElement(parent, "flat_line");
        graph.append_child("y").text() = ToXmlText(m_y).c_str();
        return graph;
    }

    float FlatLineGraph::Evaluate(float) const
    {
        return m_y;
    }

    float FlatLineGraph::CalculateArea(float minimum, float maximum)
    {
        if (!(minimum <= maximum))
            BOOST_THROW_EXCEPTION(
                InvalidArgumentError((boost::format("minimum = %1%, maximum = %2%") % minimum % maximum).str()));
        return (maximum - minimum) * m_y;
    }
}
