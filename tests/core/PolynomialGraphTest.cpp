#include "core/PolynomialGraph.hpp"

#include "core/Exception.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    // A polynomial read from its XML.
    struct Polynomial
    {
        explicit Polynomial(const char* xml)
        {
            EXPECT_TRUE(document.load_string(xml));
            graph.Load(document.child("graph"));
        }
        pugi::xml_document document;
        PolynomialGraph graph;
    };

    const char* const ThreeXSquared =
        "<graph type='polynomial'><term><coefficient>3</coefficient><exponent>2</exponent></term></graph>";
}

TEST(PolynomialGraph, EvaluatesInTermOrder)
{
    Polynomial p("<graph type='polynomial'>"
                 "<term><coefficient>3</coefficient><exponent>2</exponent></term>"
                 "<term><coefficient>-1.5</coefficient><exponent>0</exponent></term>"
                 "<other/>"
                 "<term><coefficient>2</coefficient><exponent>1</exponent></term>"
                 "</graph>");
    ASSERT_EQ(3u, p.graph.GetTerms().size());
    EXPECT_EQ(14.5f, p.graph.Evaluate(2));
    EXPECT_EQ(-1.5f, p.graph.Evaluate(0)) << "an exponent of 0 counts at x = 0 too";
    EXPECT_EQ(12.f, Polynomial(ThreeXSquared).graph.Evaluate(2));
}

TEST(PolynomialGraph, IntegratesAdaptively)
{
    Polynomial p(ThreeXSquared);
    EXPECT_FLOAT_EQ(1.0022278f, p.graph.CalculateArea(0, 1));
    EXPECT_EQ(0.f, p.graph.CalculateArea(1, 1));
    EXPECT_EQ(2.f, Polynomial("<graph type='polynomial'><term><coefficient>1</coefficient>"
                              "<exponent>1</exponent></term></graph>")
                       .graph.CalculateArea(0, 2));
    EXPECT_EQ("minimum = 4, maximum = 1", ThrownMessage<InvalidArgumentError>([&] { p.graph.CalculateArea(4, 1); }));
}

TEST(PolynomialGraph, IntegrationEndsOnCurvesItCannotResolve)
{
    Polynomial huge("<graph type='polynomial'><term><coefficient>1e30</coefficient><exponent>9</exponent></term>"
                    "</graph>");
    EXPECT_FALSE(std::isfinite(huge.graph.CalculateArea(0, 1000)));

    Polynomial steep("<graph type='polynomial'><term><coefficient>1e6</coefficient><exponent>7</exponent></term>"
                     "</graph>");
    const float area = steep.graph.CalculateArea(0, 3);
    EXPECT_NEAR(1e6f * 6561.f / 8.f, area, 1e6f * 6561.f / 8.f * 1e-3f);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_THROW(steep.graph.CalculateArea(nan, 1), InvalidArgumentError);
}

TEST(PolynomialGraph, HugeExponentsAreStepwisePowersWithoutTheWait)
{
    const auto monomial = [](const std::string& exponent) {
        return std::make_unique<Polynomial>(("<graph type='polynomial'><term><coefficient>1</coefficient><exponent>" +
                                             exponent + "</exponent></term></graph>")
                                                .c_str());
    };
    const float infinity = std::numeric_limits<float>::infinity();
    const auto held = monomial("4294967295");
    const PolynomialGraph& largest = held->graph;
    EXPECT_EQ(infinity, largest.Evaluate(2));
    EXPECT_EQ(-infinity, largest.Evaluate(-2));
    EXPECT_EQ(-1.f, largest.Evaluate(-1));
    EXPECT_EQ(0.f, largest.Evaluate(0.5f));
    EXPECT_TRUE(std::isnan(largest.Evaluate(std::nanf(""))));
    EXPECT_ANY_THROW(monomial("4294967296")) << "exponents are 32-bit";

    // The same values as multiplying step by step, to the last bit.
    for (const float x : {-1.f, 1.f, 0.f, -0.5f, 2.f, -3.f, 1.1f, -0.999f, 1e-20f, -1e20f})
        for (unsigned exponent = 1; exponent <= 300; ++exponent)
        {
            float power = x;
            for (unsigned i = 1; i < exponent; ++i)
                power = power * x;
            const float expected = 0.f + power;  // the sum starts from 0
            const float value = monomial(std::to_string(exponent))->graph.Evaluate(x);
            EXPECT_TRUE(expected == value && std::signbit(expected) == std::signbit(value)) << x << "^" << exponent;
        }
}

TEST(PolynomialGraph, RefusesUseWithoutTerms)
{
    PolynomialGraph empty;
    EXPECT_EQ(0.f, empty.CalculateArea(1, 1));
    EXPECT_EQ("forgot calling Load()?", ThrownMessage<LogicError>([&] { empty.Evaluate(0); }));
    EXPECT_EQ("forgot calling Load()?", ThrownMessage<LogicError>([&] { empty.CalculateArea(0, 1); }));
}
