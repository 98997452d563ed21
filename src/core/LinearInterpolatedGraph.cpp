#include "core/LinearInterpolatedGraph.hpp"

#include "core/Exception.hpp"
#include "core/XmlReading.hpp"

#include <boost/format.hpp>

#include <algorithm>

namespace Kestrum
{
    LinearInterpolatedGraph::LinearInterpolatedGraph() = default;

    void LinearInterpolatedGraph::Load(const pugi::xml_node& element)
    {
        m_points.clear();
        AssertElementName(element, "graph");
        AssertAttribute(element, "type", "linear_interpolation");
        for (const pugi::xml_node& point : element.children("point"))
            m_points.push_back(GetCoordinatesFromAttributes<float>(point));
        if (m_points.empty())
            BOOST_THROW_EXCEPTION(NotSupportedError("empty point list not allowed"));
        std::stable_sort(m_points.begin(), m_points.end(),
                         [](const sf::Vector2f& a, const sf::Vector2f& b) { return a.x < b.x; });
    }

    void LinearInterpolatedGraph::Load(const std::vector<sf::Vector2f>& points)
    {
        if (points.empty())
            BOOST_THROW_EXCEPTION(NotSupportedError("empty point list not allowed"));
        m_points = points;
    }

    pugi::xml_node LinearInterpolatedGraph::Save(pugi::xml_node parent) const
    {
        pugi::xml_node graph = AppendGraphElement(parent, "linear_interpolation");
        for (const sf::Vector2f& point : m_points)
        {
            pugi::xml_node element = graph.append_child("point");
            element.append_attribute("x") = ToXmlText(point.x).c_str();
            element.append_attribute("y") = ToXmlText(point.y).c_str();
        }
        return graph;
    }

    float LinearInterpolatedGraph::Evaluate(float x) const
    {
        if (m_points.empty())
            BOOST_THROW_EXCEPTION(RuntimeError("graph used after invalid load"));
        if (x <= m_points.front().x)
            return m_points.front().y;
        if (x >= m_points.back().x)
            return m_points.back().y;
        return RecursiveEvaluate(x, 0, m_points.size() - 1);
    }

    float LinearInterpolatedGraph::RecursiveEvaluate(float x, std::size_t low, std::size_t high) const
    {
        for (;;)
        {
            if (!(low < high) || high >= m_points.size())
                BOOST_THROW_EXCEPTION(LogicError());
            if (high == low + 1)
            {
                const sf::Vector2f& a = m_points[low];
                const sf::Vector2f& b = m_points[high];
                const float t = (x - a.x) / (b.x - a.x);
                return (b.y - a.y) * t + a.y;
            }
            const std::size_t middle = (low + high) / 2;
            if (m_points[middle].x <= x)
                low = middle;
            else
                high = middle;
        }
    }

    float LinearInterpolatedGraph::CalculateArea(float minimum, float maximum)
    {
        if (!(minimum <= maximum))
            BOOST_THROW_EXCEPTION(
                InvalidArgumentError((boost::format("minimum = %1%, maximum = %2%") % minimum % maximum).str()));
        if (m_points.empty())
            BOOST_THROW_EXCEPTION(RuntimeError("graph used after invalid load"));
        const float width = maximum - minimum;
        if (minimum >= m_points.back().x)
            return m_points.back().y * width;
        if (maximum <= m_points.front().x)
            return m_points.front().y * width;

        std::vector<sf::Vector2f> outline;
        outline.emplace_back(minimum, Evaluate(minimum));
        for (const sf::Vector2f& point : m_points)
            if (minimum <= point.x && point.x <= maximum)
                outline.push_back(point);
        outline.emplace_back(maximum, Evaluate(maximum));

        float area = 0.f;
        for (std::size_t i = 1; i < outline.size(); ++i)
            area += (outline[i].y + outline[i - 1].y) * (outline[i].x - outline[i - 1].x) * 0.5f;
        return area;
    }
}
