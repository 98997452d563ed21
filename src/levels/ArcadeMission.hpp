// One prepared arcade level: the folder |missions|arcade|<number, ten digits>
// holding its "structure.xml" (see XmlLayerLoader). Entering it loads the
// level's layers, starts its music and puts the scroll on its speed curve; each
// frame it runs the end test and its layers; it draws the layers and the end
// messages, and tells the arcade screen how it ended.
//
//     mission->OnEnter();                 // tile manager entered, progress registered
//     mission->OnUpdate(); mission->Draw();   // every frame
//     if (mission->Completed()) ...       // after the end delay
//     mission->OnExit();
//
// Everything but OnEnter needs the mission entered: LogicError otherwise.
#pragma once

#include <memory>
#include <string>

namespace Kestrum
{
    class ArcadeMission
    {
    public:
        // The level folder's resource path; nothing is read yet.
        explicit ArcadeMission(const std::string& directory);
        ~ArcadeMission();
        ArcadeMission(const ArcadeMission&) = delete;
        ArcadeMission& operator=(const ArcadeMission&) = delete;

        // In this order: enters the TileManager, registers a new
        // MissionProgress, loads the layers, starts the level's music (looping;
        // none in a game without an audio device, though its file must open)
        // and resets the ScrollSystem to the level's curve. A failing step
        // stops the entry and leaves what the steps before it did. Entering
        // again without OnExit: LogicError.
        void OnEnter();
        // The end test, then every layer's update.
        void OnUpdate();
        // Unregisters the progress, stops the music, lets the layers go and
        // leaves the TileManager.
        void OnExit();
        // Every layer, then the end messages. The first layer is the level's
        // ground (GroundLayer), which paints the whole play field.
        void Draw();

        bool Completed() const;
        bool Failed() const;
        // The enemies that the level's layers hold back, before any is let in:
        // the mission's total.
        unsigned GetTotalEnemyCount() const;

        bool IsEntered() const { return bool(m_data); }
        const std::string& GetDirectory() const { return m_directory; }

    private:
        struct Data;
        const Data& GetData() const;

        std::string m_directory;
        std::unique_ptr<Data> m_data;
    };
}
