#include "levels/PrebuildMission.hpp"

#include "core/Files.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/XmlReading.hpp"
#include "levels/XmlLayerLoader.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Audio/Music.hpp>
#include <boost/format.hpp>

namespace Kestrum
{
    namespace
    {
        std::string GetStructurePath(const std::string& directory)
        {
            return directory + "|structure.xml";
        }

        // The music that the level file names.
        std::string GetMusicPath(const std::string& directory)
        {
            const std::string path = GetStructurePath(directory);
            return ReadDataFile(path, [&] {
                const stable_ptr<pugi::xml_document> document = LoadXmlFile(ToFilesystemPath(path));
                const pugi::xml_node root = GetRootElement(*document, "mission", path);
                const unsigned long number = GetChildValue<unsigned long>(root, "background_music");
                return (boost::format("resources|music|%010d.ogg") % number).str();
            });
        }
    }

    PrebuildMission::PrebuildMission(const stable_ptr<MissionBlueprint>& blueprint, const std::string& directory)
        : Mission(blueprint, directory)
    {
    }

    PrebuildMission::~PrebuildMission() = default;

    stable_ptr<LayerLoader> PrebuildMission::CreateLayerLoader() const
    {
        return stable_ptr<LayerLoader>(new XmlLayerLoader(GetStructurePath(GetDirectory())));
    }

    std::shared_ptr<sf::Music> PrebuildMission::CreateMusic() const
    {
        const std::string path = GetMusicPath(GetDirectory());
        const std::shared_ptr<sf::Music> music = GetFromRegistry<ResourceManager>()->CreateMusic(path);
        if (music)
            music->setLoop(true);
        return music;
    }
}
