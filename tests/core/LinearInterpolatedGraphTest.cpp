#include "core/LinearInterpolatedGraph.hpp"

#include "core/Exception.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

#include <memory>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    std::unique_ptr<LinearInterpolatedGraph> Through(const std::vector<sf::Vector2f>& points)
    {
        auto graph = std::make_unique<LinearInterpolatedGraph>();
        graph->Load(points);
        return graph;
    }

    void ExpectInvalidLoad(LinearInterpolatedGraph& graph)
    {
        EXPECT_EQ("graph used after invalid load", ThrownMessage<RuntimeError>([&] { graph.Evaluate(1); }));
        EXPECT_EQ("graph used after invalid load", ThrownMessage<RuntimeError>([&] { graph.CalculateArea(0, 1); }));
    }
}

TEST(LinearInterpolatedGraph, SortsAndInterpolates)
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string("<graph type='linear_interpolation'>"
                                     "<point x='2' y='4'/><point x='0' y='0'/><point x='1' y='1'/></graph>"));
    LinearInterpolatedGraph graph;
    graph.Load(document.child("graph"));
    const std::vector<sf::Vector2f> sorted{{0, 0}, {1, 1}, {2, 4}};
    EXPECT_EQ(sorted, graph.GetPoints());
    EXPECT_EQ(0.f, graph.Evaluate(-5));
    EXPECT_EQ(0.5f, graph.Evaluate(0.5f));
    EXPECT_EQ(2.5f, graph.Evaluate(1.5f));
    EXPECT_EQ(4.f, graph.Evaluate(10));
}

TEST(LinearInterpolatedGraph, LastOfEqualPointsWins)
{
    const auto graph = Through({{0, 0}, {1, 5}, {1, 7}, {2, 0}});
    EXPECT_EQ(7.f, graph->Evaluate(1));
    EXPECT_NEAR(5.f, graph->Evaluate(0.9999f), 1e-3f);
    EXPECT_THROW(graph->RecursiveEvaluate(1, 2, 2), LogicError);
}

TEST(LinearInterpolatedGraph, AreasAreExactAndClamped)
{
    const auto ramp = Through({{0, 0}, {2, 2}});
    EXPECT_EQ(4.f, ramp->CalculateArea(-1, 3));
    EXPECT_EQ(4.f, ramp->CalculateArea(3, 5));
    EXPECT_EQ(0.f, ramp->CalculateArea(-3, -1));
    EXPECT_EQ(1.5f, ramp->CalculateArea(1, 2)) << "a point on a bound adds a segment of no width";
    EXPECT_THROW(ramp->CalculateArea(1, 0), InvalidArgumentError);

    const auto single = Through({{1, 3}});
    EXPECT_EQ(3.f, single->Evaluate(-100));
    EXPECT_EQ(6.f, single->CalculateArea(5, 7));
    EXPECT_EQ(6.f, single->CalculateArea(-1, 1));
}

TEST(LinearInterpolatedGraph, EmptyPointListsAreRefused)
{
    const auto graph = Through({{0, 1}});
    EXPECT_THROW(graph->Load(std::vector<sf::Vector2f>()), NotSupportedError);
    EXPECT_EQ(1.f, graph->Evaluate(0)) << "the old points stay";

    pugi::xml_document document;
    ASSERT_TRUE(document.load_string("<graph type='linear_interpolation'/>"));
    EXPECT_EQ("empty point list not allowed",
              ThrownMessage<NotSupportedError>([&] { graph->Load(document.child("graph")); }));
    ExpectInvalidLoad(*graph);
    LinearInterpolatedGraph fresh;
    ExpectInvalidLoad(fresh);
}
