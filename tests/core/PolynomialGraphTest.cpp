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
    // A polynomial read from the terms of its XML.
    std::unique_ptr<PolynomialGraph> Polynomial(const std::string& terms)
    {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(("<graph type='polynomial'>" + terms + "</graph>").c_str()));
        auto graph = std::make_unique<PolynomialGraph>();
        graph->Load(document.child("graph"));
        return graph;
    }

    std::string Term(const std::string& coefficient, const std::string& exponent)
    {
        return "<term><coefficient>" + coefficient + "</coefficient><exponent>" + exponent + "</exponent></term>";
    }
}

TEST(PolynomialGraph, EvaluatesInTermOrder)
{
    const auto p = Polynomial(Term("3", "2") + Term("-1.5", "0") + "<other/>" + Term("2", "1"));
    ASSERT_EQ(3u, p->GetTerms().size());
    EXPECT_EQ(14.5f, p->Evaluate(2));
    EXPECT_EQ(-1.5f, p->Evaluate(0)) << "an exponent of 0 counts at x = 0 too";
}

TEST(PolynomialGraph, IntegratesAdaptively)
{
    const auto p = Polynomial(Term("3", "2"));
    EXPECT_FLOAT_EQ(1.0022278f, p->CalculateArea(0, 1));
    EXPECT_EQ(0.f, p->CalculateArea(1, 1));
    EXPECT_EQ(2.f, Polynomial(Term("1", "1"))->CalculateArea(0, 2));
    EXPECT_EQ("minimum = 4, maximum = 1", ThrownMessage<InvalidArgumentError>([&] { p->CalculateArea(4, 1); }));
}

TEST(PolynomialGraph, IntegrationEndsOnCurvesItCannotResolve)
{
    EXPECT_FALSE(std::isfinite(Polynomial(Term("1e30", "9"))->CalculateArea(0, 1000)));
    const auto steep = Polynomial(Term("1e6", "7"));
    EXPECT_NEAR(1e6f * 6561.f / 8.f, steep->CalculateArea(0, 3), 1e6f * 6561.f / 8.f * 1e-3f);
    EXPECT_THROW(steep->CalculateArea(std::numeric_limits<float>::quiet_NaN(), 1), InvalidArgumentError);
}

TEST(PolynomialGraph, HugeExponentsAreStepwisePowersWithoutTheWait)
{
    const float infinity = std::numeric_limits<float>::infinity();
    const auto largest = Polynomial(Term("1", "4294967295"));
    EXPECT_EQ(infinity, largest->Evaluate(2));
    EXPECT_EQ(-infinity, largest->Evaluate(-2));
    EXPECT_EQ(-1.f, largest->Evaluate(-1));
    EXPECT_EQ(0.f, largest->Evaluate(0.5f));
    EXPECT_TRUE(std::isnan(largest->Evaluate(std::nanf(""))));
    EXPECT_ANY_THROW(Polynomial(Term("1", "4294967296"))) << "exponents are 32-bit";

    // The same values as multiplying step by step, to the last bit.
    for (const float x : {-1.f, 1.f, 0.f, -0.5f, 2.f, -3.f, 1.1f, -0.999f, 1e-20f, -1e20f})
        for (unsigned exponent = 1; exponent <= 300; ++exponent)
        {
            float power = x;
            for (unsigned i = 1; i < exponent; ++i)
                power = power * x;
            const float expected = 0.f + power;  // the sum starts from 0
            const float value = Polynomial(Term("1", std::to_string(exponent)))->Evaluate(x);
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
