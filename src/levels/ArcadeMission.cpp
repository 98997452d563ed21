#include "levels/ArcadeMission.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/Graph.hpp"
#include "core/GraphFactory.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/XmlReading.hpp"
#include "flight/MissionProgress.hpp"
#include "flight/ScrollSystem.hpp"
#include "levels/GroundLayer.hpp"
#include "levels/Layer.hpp"
#include "levels/TileManager.hpp"
#include "levels/XmlLayerLoader.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Audio/Music.hpp>
#include <boost/format.hpp>

#include <vector>

namespace Kestrum
{
    namespace
    {
        std::string GetStructurePath(const std::string& directory)
        {
            return directory + "|structure.xml";
        }

        std::string GetMusicPath(const pugi::xml_node& root)
        {
            const unsigned long number = GetChildValue<unsigned long>(root, "background_music");
            return (boost::format("resources|music|%010d.ogg") % number).str();
        }

        void InitializeScrollSystem(const pugi::xml_node& root)
        {
            const pugi::xml_node curve = GetChildElement(root, "scroll_behaviour")
                                             .find_child([](const pugi::xml_node& child) {
                                                 return child.type() == pugi::node_element;
                                             });
            if (!curve)
                BOOST_THROW_EXCEPTION(XmlError("no curve element defined in scroll_behaviour"));
            GetFromRegistry<ScrollSystem>()->Reset(GetFromRegistry<GraphFactory>()->Create(curve));
        }
    }

    struct ArcadeMission::Data
    {
        // Released in the reverse order: the progress, the music (which stops
        // it), then the layers.
        std::vector<std::shared_ptr<Layer>> layers;
        std::shared_ptr<sf::Music> music;
        std::shared_ptr<MissionProgress> progress;
    };

    ArcadeMission::ArcadeMission(const std::string& directory) : m_directory(directory) {}
    ArcadeMission::~ArcadeMission() = default;

    void ArcadeMission::OnEnter()
    {
        if (m_data)
            BOOST_THROW_EXCEPTION(LogicError());
        GetFromRegistry<TileManager>()->OnEnter();
        const stable_ptr<MissionProgress> progress = MissionProgress::Create();
        Registry::Instance()->Register<MissionProgress>(progress);
        // The level file is read once for the layers, the music and the scroll.
        const std::string path = GetStructurePath(m_directory);
        std::vector<std::shared_ptr<Layer>> layers;
        std::shared_ptr<sf::Music> music;
        ReadDataFile(path, [&] {
            const stable_ptr<pugi::xml_document> document = LoadXmlFile(ToFilesystemPath(path));
            const pugi::xml_node root = XmlLayerLoader::GetLevelRoot(*document, path);
            // The still layers at the bottom are drawn as one kept-painted ground.
            layers = GroundLayer::Gather(XmlLayerLoader::LoadLayers(root, path));
            // None in a game without an audio device.
            music = GetFromRegistry<ResourceManager>()->CreateMusic(GetMusicPath(root));
            if (music)
            {
                music->play();
                music->setLoop(true);
            }
            InitializeScrollSystem(root);
        });
        m_data.reset(new Data{std::move(layers), music, progress.get_shared()});
    }

    void ArcadeMission::OnUpdate()
    {
        const Data& data = GetData();
        data.progress->GetData().OnUpdate();
        for (const std::shared_ptr<Layer>& layer : data.layers)
        {
            if (!layer)
                BOOST_THROW_EXCEPTION(LogicError());
            layer->OnUpdate();
        }
    }

    void ArcadeMission::OnExit()
    {
        GetData();
        Registry::Instance()->Unregister<MissionProgress>();
        m_data.reset();
        GetFromRegistry<TileManager>()->OnExit();
    }

    void ArcadeMission::Draw()
    {
        const Data& data = GetData();
        for (const std::shared_ptr<Layer>& layer : data.layers)
        {
            if (!layer)
                BOOST_THROW_EXCEPTION(LogicError());
            layer->Draw();
        }
        data.progress->GetData().Draw();
    }

    bool ArcadeMission::Completed() const
    {
        return GetData().progress->Completed();
    }

    bool ArcadeMission::Failed() const
    {
        return GetData().progress->Failed();
    }

    unsigned ArcadeMission::GetTotalEnemyCount() const
    {
        unsigned total = 0;
        for (const std::shared_ptr<Layer>& layer : GetData().layers)
        {
            if (!layer)
                BOOST_THROW_EXCEPTION(LogicError());
            total += layer->GetEnemyCount();
        }
        return total;
    }

    const ArcadeMission::Data& ArcadeMission::GetData() const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError());
        return *m_data;
    }
}
