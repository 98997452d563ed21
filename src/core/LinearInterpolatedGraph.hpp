// Straight segments through points sorted by x, constant beyond the first and
// the last point:
//     <graph type="linear_interpolation"><point x="0" y="0"/><point x="2" y="4"/></graph>
#pragma once

#include "core/Graph.hpp"

#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <vector>

namespace Kestrum
{
    class LinearInterpolatedGraph : public Graph
    {
    public:
        LinearInterpolatedGraph();

        // Reads the points in any order and sorts them by x (points of equal x
        // keep their order). No point: NotSupportedError "empty point list not
        // allowed", and the graph stays empty.
        void Load(const pugi::xml_node& element) override;
        pugi::xml_node Save(pugi::xml_node parent) const override;
        // Without points: RuntimeError "graph used after invalid load".
        float Evaluate(float x) const override;
        // The exact area of the segments; without points the same RuntimeError.
        float CalculateArea(float minimum, float maximum) override;

        // Takes the points as they are, already in ascending x. An empty list
        // throws NotSupportedError and keeps the old points.
        virtual void Load(const std::vector<sf::Vector2f>& points);

        const std::vector<sf::Vector2f>& GetPoints() const { return m_points; }

        // Bisection between two point indices, low < high.
        float RecursiveEvaluate(float x, std::size_t low, std::size_t high) const;

    private:
        std::vector<sf::Vector2f> m_points;
    };
}
