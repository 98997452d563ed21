#include "levels/XmlLayerLoader.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/ResourceUtility.hpp"
#include "core/XmlReading.hpp"
#include "levels/ProceduralLayer.hpp"
#include "levels/SparseLayer.hpp"
#include "levels/TangibleLayer.hpp"
#include "levels/TangibleStage.hpp"

#include <boost/lexical_cast.hpp>

namespace Kestrum
{
    namespace
    {
        stable_ptr<Layer> LoadLayer(const pugi::xml_node& element)
        {
            AssertElementName(element, "layer");
            const std::string type = GetAttributeText(element, "type");
            std::shared_ptr<Layer> layer;
            if (type == "tangible")
                layer = std::make_shared<TangibleLayer>();
            else if (type == "sparse")
                layer = std::make_shared<SparseLayer>();
            else if (type == "procedural")
                layer = std::make_shared<ProceduralLayer>();
            else
                BOOST_THROW_EXCEPTION(WithLineOf(ParseError("Layer type " + type + " unknown"), element));
            layer->Load(element);
            return create_stable_ptr(layer);
        }

        stable_ptr<Layer> LoadStage(const pugi::xml_node& element)
        {
            AssertElementName(element, "stage");
            const std::string type = GetAttributeText(element, "type");
            if (type == "procedural")
                BOOST_THROW_EXCEPTION(NotImplementedError("create procedural stage is not implemented yet"));
            if (type != "tangible")
                BOOST_THROW_EXCEPTION(NotSupportedError("Unsupported stage type " + type));
            const stable_ptr<TangibleStage> stage(new TangibleStage());
            stage->Load(element);
            return stage;
        }

        // The root must carry version="1": without it LogicError "Expected
        // mission to have version", another number LogicError "Expected
        // attribute version to be 1 but found <number>", a text that is no
        // number XmlError.
        void AssertLevelVersion(const pugi::xml_node& root)
        {
            try
            {
                AssertAttribute<int>(root, "version", 1);
            }
            catch (const boost::bad_lexical_cast&)
            {
                BOOST_THROW_EXCEPTION(WithLineOf(XmlError("version " + std::string(root.attribute("version").value()) +
                                                          " of element " + root.name() + " is not a number"),
                                                 root));
            }
        }
    }

    XmlLayerLoader::XmlLayerLoader(const std::string& path) : m_path(path) {}
    XmlLayerLoader::~XmlLayerLoader() = default;

    std::vector<std::shared_ptr<Layer>> XmlLayerLoader::Load() const
    {
        return ReadDataFile(m_path, [&] {
            const stable_ptr<pugi::xml_document> document = LoadXmlFile(ToFilesystemPath(m_path));
            return LoadLayers(GetLevelRoot(*document, m_path), m_path);
        });
    }

    pugi::xml_node XmlLayerLoader::GetLevelRoot(const pugi::xml_document& document, const std::string& path)
    {
        const pugi::xml_node root = GetRootElement(document, "mission", path);
        AssertLevelVersion(root);
        return root;
    }

    std::vector<std::shared_ptr<Layer>> XmlLayerLoader::LoadLayers(const pugi::xml_node& root, const std::string& path)
    {
        const pugi::xml_node layers = GetChildElement(root, "layers");
        std::vector<std::shared_ptr<Layer>> result;
        bool stageRead = false;
        for (const pugi::xml_node child : layers.children())
        {
            if (child.type() != pugi::node_element)
                continue;
            const std::string name = child.name();
            if (name == "layer")
                result.push_back(LoadLayer(child));
            else if (name == "stage")
            {
                if (stageRead)
                    BOOST_THROW_EXCEPTION(WithLineOf(LogicError("contains multiple stages, only one allowed"), child));
                result.push_back(LoadStage(child));
                stageRead = true;
            }
            else
                BOOST_THROW_EXCEPTION(WithLineOf(ParseError("Unsupported layer type " + name), child));
        }
        if (!stageRead)
            BOOST_THROW_EXCEPTION(LogicError(path + " does not contain a stage"));
        return result;
    }
}
