// A sum of terms c * x^n:
//     <graph type="polynomial">
//         <term><coefficient>3</coefficient><exponent>2</exponent></term>
//     </graph>
// All arithmetic is in single precision; areas come from adaptive trapezoids
// with an absolute tolerance of 2^-7.
#pragma once

#include "core/Graph.hpp"

#include <cstdint>
#include <vector>

namespace Kestrum
{
    class PolynomialGraph : public Graph
    {
    public:
        struct Term
        {
            float coefficient;
            std::uint32_t exponent;
        };

        PolynomialGraph();

        void Load(const pugi::xml_node& element) override;
        pugi::xml_node Save(pugi::xml_node parent) const override;
        // Without terms: LogicError "forgot calling Load()?".
        float Evaluate(float x) const override;
        float CalculateArea(float minimum, float maximum) override;

        const std::vector<Term>& GetTerms() const { return m_terms; }

    private:
        float SumTerms(float x) const;
        float IntegrateAdaptive(float a, float b, float estimate, unsigned depth) const;

        std::vector<Term> m_terms;
        float m_tolerance;
    };
}
