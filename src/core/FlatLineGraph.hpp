// A constant: <graph type="flat_line"><y>0.5</y></graph>.
#pragma once

#include "core/Graph.hpp"

namespace Kestrum
{
    class FlatLineGraph : public Graph
    {
    public:
        explicit FlatLineGraph(float y = 0.f);

        void Load(const pugi::xml_node& element) override;
        pugi::xml_node Save(pugi::xml_node parent) const override;
        float Evaluate(float x) const override;
        float CalculateArea(float minimum, float maximum) override;

    private:
        float m_y;
    };
}
