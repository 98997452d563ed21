#include "core/GraphFactory.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/FlatLineGraph.hpp"
#include "core/LinearInterpolatedGraph.hpp"
#include "core/PolynomialGraph.hpp"
#include "core/ResourceUtility.hpp"
#include "core/XmlReading.hpp"

#include <memory>

namespace Kestrum
{
    GraphFactory::GraphFactory() = default;
    GraphFactory::~GraphFactory() = default;

    stable_ptr<Graph> GraphFactory::Create(std::string resourcePath) const
    {
        return ReadDataFile(resourcePath, [&] {
            const stable_ptr<pugi::xml_document> document = LoadXmlFile(ToFilesystemPath(resourcePath));
            return Create(GetChildElement(*document, "graph"));
        });
    }

    stable_ptr<Graph> GraphFactory::Create(const pugi::xml_node& element) const
    {
        const std::string type = GetAttributeText(element, "type");
        std::shared_ptr<Graph> graph;
        if (type == "polynomial")
            graph = std::make_shared<PolynomialGraph>();
        else if (type == "linear_interpolation")
            graph = std::make_shared<LinearInterpolatedGraph>();
        else if (type == "flat_line")
            graph = std::make_shared<FlatLineGraph>();
        else
            BOOST_THROW_EXCEPTION(NotSupportedError("graph of type " + type + " not supported"));
        graph->Load(element);
        return create_stable_ptr(graph);
    }
}
