#include "core/PolynomialGraph.hpp"

#include "core/Exception.hpp"
#include "core/XmlReading.hpp"

#include <boost/format.hpp>

#include <cmath>

namespace Kestrum
{
    namespace
    {
        // Deep enough for any ordinary curve (3x^2 on [0, 1] needs five levels),
        // shallow enough that a curve whose tolerance cannot be met still ends
        // quickly.
        const unsigned MaximumDepth = 20;

        // x multiplied by itself step by step in single precision, then by the
        // coefficient. Once the powers come back every second step (0, infinity
        // or a magnitude of 1) the rest follows from the number of steps left, so
        // an exponent in the billions costs no more than a small one.
        float EvaluateMonomial(float coefficient, float x, std::uint32_t exponent)
        {
            if (exponent == 0)
                return coefficient;
            float power = x;
            for (std::uint32_t i = 1; i < exponent; ++i)
            {
                const float next = power * x;
                const float afterNext = next * x;
                if (std::isnan(next) || (afterNext == power && i + 1 < exponent))
                {
                    if (std::isnan(next) || (exponent - i) % 2 == 1)
                        power = next;
                    break;
                }
                power = next;
            }
            const float result = power * coefficient;
            return result;
        }
    }

    PolynomialGraph::PolynomialGraph() : m_tolerance(0.0078125f) {}

    void PolynomialGraph::Load(const pugi::xml_node& element)
    {
        m_terms.clear();
        AssertElementName(element, "graph");
        AssertAttribute(element, "type", "polynomial");
        for (const pugi::xml_node& term : element.children("term"))
        {
            const float coefficient = GetChildValue<float>(term, "coefficient");
            const std::uint32_t exponent = GetChildValue<unsigned int>(term, "exponent");
            m_terms.push_back(Term{coefficient, exponent});
        }
    }

    pugi::xml_node PolynomialGraph::Save(pugi::xml_node parent) const
    {
        pugi::xml_node graph = AppendGraphElement(parent, "polynomial");
        for (const Term& term : m_terms)
        {
            pugi::xml_node element = graph.append_child("term");
            element.append_child("coefficient").text() = ToXmlText(term.coefficient).c_str();
            element.append_child("exponent").text() = std::to_string(term.exponent).c_str();
        }
        return graph;
    }

    float PolynomialGraph::SumTerms(float x) const
    {
        float sum = 0.f;
        for (const Term& term : m_terms)
            sum = sum + EvaluateMonomial(term.coefficient, x, term.exponent);
        return sum;
    }

    float PolynomialGraph::Evaluate(float x) const
    {
        if (m_terms.empty())
            BOOST_THROW_EXCEPTION(LogicError("forgot calling Load()?"));
        return SumTerms(x);
    }

    float PolynomialGraph::CalculateArea(float minimum, float maximum)
    {
        if (maximum == minimum)
            return 0.f;
        if (m_terms.empty())
            BOOST_THROW_EXCEPTION(LogicError("forgot calling Load()?"));
        if (!(minimum <= maximum))
            BOOST_THROW_EXCEPTION(
                InvalidArgumentError((boost::format("minimum = %1%, maximum = %2%") % minimum % maximum).str()));
        const float middle = (minimum + maximum) * 0.5f;
        const float estimate = (maximum - minimum) * SumTerms(middle);
        return IntegrateAdaptive(minimum, maximum, estimate, 0);
    }

    float PolynomialGraph::IntegrateAdaptive(float a, float b, float estimate, unsigned depth) const
    {
        const float h = (b - a) * 0.5f;
        const float left = SumTerms(a) * h;
        const float right = SumTerms(b) * h;
        const float sum = left + right;
        const float difference = std::fabs(estimate - sum);
        if (difference <= m_tolerance)
            return sum;

        const float middle = (a + b) * 0.5f;
        // Stop where halving cannot help: values that are not finite, an
        // interval too narrow to split, or the depth bound.
        if (!std::isfinite(sum) || !std::isfinite(estimate) || middle <= a || middle >= b ||
            depth >= MaximumDepth)
            return sum;
        const float total =
            IntegrateAdaptive(a, middle, left, depth + 1) + IntegrateAdaptive(middle, b, right, depth + 1);
        return total;
    }
}
