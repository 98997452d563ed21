#include "core/GraphFactory.hpp"

#include "core/Exception.hpp"
#include "core/FlatLineGraph.hpp"
#include "core/LinearInterpolatedGraph.hpp"
#include "core/PolynomialGraph.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

#include <sstream>

using namespace Kestrum;
using Kestrum::Testing::ScratchGameRoot;
using Kestrum::Testing::ThrownMessage;

namespace
{
    std::string Written(const Graph& graph)
    {
        pugi::xml_document document;
        graph.Save(document);
        std::ostringstream text;
        document.save(text, "", pugi::format_raw | pugi::format_no_declaration);
        return text.str();
    }
}

TEST(GraphFactory, MakesTheKindOfTheType)
{
    ScratchGameRoot root;
    root.WriteFile("configuration/pcg/flat.graph",
                   "<?xml version='1.0'?>\n<graph type='flat_line'><y>2</y></graph>");
    root.WriteFile("configuration/pcg/ramp.graph",
                   "<graph type='linear_interpolation'><point x='0' y='0'/><point x='2' y='2'/></graph>");
    const GraphFactory factory;

    const stable_ptr<Graph> flat = factory.Create("|configuration|pcg|flat.graph");
    ASSERT_NE(nullptr, dynamic_cast<FlatLineGraph*>(flat.get()));
    EXPECT_EQ(2.f, flat->Evaluate(-7));
    EXPECT_EQ(6.f, flat->CalculateArea(1, 4));
    EXPECT_EQ(0.f, flat->CalculateArea(3, 3));
    EXPECT_THROW(flat->CalculateArea(4, 1), InvalidArgumentError);

    const stable_ptr<Graph> ramp = factory.Create("configuration|pcg|ramp.graph");
    EXPECT_NE(nullptr, dynamic_cast<LinearInterpolatedGraph*>(ramp.get()));
    EXPECT_EQ(4.f, ramp->CalculateArea(-1, 3));
}

TEST(GraphFactory, RefusesUnknownAndBrokenGraphs)
{
    ScratchGameRoot root;
    root.WriteFile("a.graph", "<graph type='spline'/>");
    root.WriteFile("b.graph", "<graph/>");
    root.WriteFile("c.graph", "<graph type='flat_line'><y>1</y>");
    root.WriteFile("d.graph", "<curve type='flat_line'><y>1</y></curve>");
    root.WriteFile("e.graph", "<graph type='flat_line'></graph>");
    const GraphFactory factory;
    EXPECT_EQ("a.graph: graph of type spline not supported",
              ThrownMessage<NotSupportedError>([&] { factory.Create("a.graph"); }));
    for (const char* broken : {"b.graph", "c.graph", "d.graph", "missing.graph"})
        EXPECT_THROW(factory.Create(broken), XmlError) << broken;
    EXPECT_EQ("e.graph:1: no y element defined", ThrownMessage<XmlError>([&] { factory.Create("e.graph"); }));

    pugi::xml_document document;
    document.load_string("<curve type='flat_line'><y>1</y></curve>");
    FlatLineGraph flat;
    EXPECT_EQ("Expected element graph, found curve",
              ThrownMessage<LogicError>([&] { flat.Load(document.first_child()); }));
}

TEST(GraphFactory, SavedGraphsReadBackTheSame)
{
    ScratchGameRoot root;
    const GraphFactory factory;
    // Each file, and what saving it writes: the same but for the sorted points.
    const std::string linear = "<graph type=\"linear_interpolation\"><point x=\"-4\" y=\"0.333333\"/>"
                               "<point x=\"1.25\" y=\"3\"/></graph>";
    const std::pair<std::string, std::string> graphs[] = {
        {"<graph type=\"polynomial\"><term><coefficient>0.1</coefficient><exponent>3</exponent></term>"
         "<term><coefficient>-2.5</coefficient><exponent>0</exponent></term></graph>", ""},
        {"<graph type='linear_interpolation'><point x='1.25' y='3'/><point x='-4' y='0.333333'/></graph>", linear},
        {"<graph type=\"flat_line\"><y>0.75</y></graph>", ""}};
    for (const auto& [file, written] : graphs)
    {
        root.WriteFile("g.graph", file);
        const stable_ptr<Graph> original = factory.Create("g.graph");
        EXPECT_EQ(written.empty() ? file : written, Written(*original));
        pugi::xml_document document;
        const stable_ptr<Graph> copy = factory.Create(original->Save(document));
        for (float x : {-5.f, 0.f, 0.5f, 1.f, 7.f})
            EXPECT_EQ(original->Evaluate(x), copy->Evaluate(x)) << file << " at " << x;
    }
}
