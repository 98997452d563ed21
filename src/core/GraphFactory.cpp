#include "core/GraphFactory.hpp"

#include "core/Exception.hpp"
#include "core/FlatLineGraph.hpp"
#include "core/LinearInterpolatedGraph.hpp"
#include "core/PolynomialGraph.hpp"
#include "presentation/ResourceUtility.hpp"

#include <memory>

namespace Kestrum
{
    namespace
    {
        void LoadGraphDocument(pugi::xml_document& document, const std::string& resourcePath)
        {
            const std::string file = ToFilesystemPath(resourcePath).string();
            const pugi::xml_parse_result result = document.load_file(file.c_str());
            if (!result)
                BOOST_THROW_EXCEPTION(XmlError(std::string(result.description()) + ": " + file));
        }
    }

    GraphFactory::GraphFactory() = default;
    GraphFactory::~GraphFactory() = default;

    stable_ptr<Graph> GraphFactory::Create(std::string resourcePath) const
    {
        pugi::xml_document document;
        LoadGraphDocument(document, resourcePath);
        const pugi::xml_node element = document.child("graph");
        if (!element)
            BOOST_THROW_EXCEPTION(XmlError("no graph element in " + ToFilesystemPath(resourcePath).string()));
        return Create(element);
    }

    stable_ptr<Graph> GraphFactory::Create(const pugi::xml_node& element) const
    {
        const pugi::xml_attribute typeAttribute = element.attribute("type");
        if (!typeAttribute)
            BOOST_THROW_EXCEPTION(XmlError(std::string("attribute type does not exist in element ") +
                                           element.name()));
        const std::string type = typeAttribute.value();
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
