// A campaign mission whose level lies ready in its folder: the layers come from
// its "structure.xml" through an XmlLayerLoader, the music is the level's
// "background_music" (resources|music|%010d.ogg).
#pragma once

#include "levels/Mission.hpp"

namespace Kestrum
{
    class PrebuildMission : public Mission
    {
    public:
        PrebuildMission(const stable_ptr<MissionBlueprint>& blueprint, const std::string& directory);
        ~PrebuildMission() override;

        // For directory + "|structure.xml"; nothing is read until it loads.
        stable_ptr<LayerLoader> CreateLayerLoader() const override;
        // Reads the level file for the number: a missing file, root "mission"
        // or "background_music" is an XmlError ("no background_music element
        // defined"); a music file that cannot be opened fails in the
        // ResourceManager, also in a game without an audio device, which gets
        // no music.
        std::shared_ptr<sf::Music> CreateMusic() const override;
    };
}
