// A campaign mission in flight: its blueprint joined with the folder of its
// generated level, with the hooks that the adventure screen calls. The level
// loader and the music come from the implementation (PrebuildMission).
//
// A campaign mission cannot be flown yet: entering it enters the TileManager,
// registers a new MissionProgress and starts the music (where the game has an
// audio device), then fails with NotImplementedError "reseting ScrollSystem is
// missing is not implemented yet", so no layer is ever loaded. Leaving a
// completed mission opens its successors among the blueprints of the
// registered CampaignMissions.
#pragma once

#include "core/StablePtr.hpp"

#include <memory>
#include <string>
#include <vector>

namespace sf
{
    class Music;
}

namespace Kestrum
{
    class Layer;
    class LayerLoader;
    class MissionBlueprint;
    class MissionProgress;

    class Mission
    {
    public:
        // Nothing is read yet; no progress, layers or music.
        Mission(const stable_ptr<MissionBlueprint>& blueprint, const std::string& directory);
        virtual ~Mission();
        Mission(const Mission&) = delete;
        Mission& operator=(const Mission&) = delete;

        // Fails as said above; what was done before stays.
        virtual void OnEnter();
        // The end test, then every layer. Not entered, or an empty layer: LogicError.
        virtual void OnUpdate();
        // Lets the layers and the music go, opens the successors of a completed
        // mission, unregisters the progress and leaves the TileManager. Not
        // entered: LogicError.
        virtual void OnExit();
        // Every layer, then the end messages. Not entered, or an empty layer: LogicError.
        virtual void Draw();

        // A loader of the level's layers, not run.
        virtual stable_ptr<LayerLoader> CreateLayerLoader() const = 0;
        // The level's music, looping, not started; empty in a game without an
        // audio device.
        virtual std::shared_ptr<sf::Music> CreateMusic() const = 0;

        const stable_ptr<MissionBlueprint>& GetBlueprint() const { return m_blueprint; }
        // The resource path of the level's folder, without a trailing '|'.
        const std::string& GetDirectory() const { return m_directory; }
        // Empty until entered.
        const std::shared_ptr<MissionProgress>& GetProgress() const { return m_progress; }
        const std::shared_ptr<sf::Music>& GetMusic() const { return m_music; }

    private:
        void OpenSuccessors() const;

        stable_ptr<MissionBlueprint> m_blueprint;
        std::string m_directory;
        std::shared_ptr<MissionProgress> m_progress;
        std::vector<std::shared_ptr<Layer>> m_layers;
        std::shared_ptr<sf::Music> m_music;
    };
}
