// How the running mission stands, and how it ended. A mission makes one when it
// is entered and registers it before its level loads: every enemy spawn flagged
// "kill_to_win" adds a kill condition while it loads, and each enemy made by
// such a spawn reports its departure once, when the enemy object goes, whatever
// removed it. The mission runs the end test each frame before its layers and
// draws the end messages over them:
//
//     the player's ship gone           -> "Mission Failed!", over after 3 s
//     every counted enemy gone         -> "Mission Complete!", "75% killed",
//                                         "Quite good!", over after 6 s
//
// The end is decided once; the delay runs on the wall clock, also while the
// game is paused. A level without counted enemies is complete at its first frame.
#pragma once

#include "core/StablePtr.hpp"
#include "core/Timer.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace sf
{
    class Font;
    class Text;
}

namespace Kestrum
{
    class MissionProgress
    {
    public:
        class Data
        {
        public:
            Data();
            ~Data();
            Data(const Data&) = delete;
            Data& operator=(const Data&) = delete;

            // The end test (see above). Needs the registered Inventory and
            // StatisticSystem; more kills in the statistic than enemies offered:
            // LogicError "more enemies killed than encountered?".
            void OnUpdate();
            // The end messages, once the end is decided; nothing before.
            void Draw();
            // One counted enemy has left the game. A count beyond the conditions
            // is logged as an error ("m_killCount <= m_killConditions, m_killCount
            // = 3, m_killConditions = 2") and kept.
            void IncrementKillCount();

            // The end messages, laid out centred on the play field (empty while
            // the mission runs), and the end delay (none while it runs).
            const std::vector<sf::Text>& GetTexts() const { return m_texts; }
            Timer* GetEndDelay() { return m_endDelay ? &*m_endDelay : nullptr; }

            // Spawns flagged "kill_to_win", and the departures of their enemies.
            std::uint32_t m_killConditions = 0;
            std::uint32_t m_killCount = 0;

        private:
            friend class MissionProgress;

            void SetTexts(const std::vector<std::string>& lines);

            std::optional<Timer> m_endDelay;
            std::vector<sf::Text> m_texts;
            bool m_failed = false;
            std::shared_ptr<sf::Font> m_font;
        };

        static stable_ptr<MissionProgress> Create();

        MissionProgress();
        virtual ~MissionProgress();
        MissionProgress(const MissionProgress&) = delete;
        MissionProgress& operator=(const MissionProgress&) = delete;

        Data& GetData() { return *m_data; }
        const Data& GetData() const { return *m_data; }

        // From the frame in which the end is decided.
        bool IsFinished() const;
        // Once the end delay has run out, as the end was decided; both are false
        // before the end and while the delay runs.
        bool Completed() const;
        bool Failed() const;

    private:
        std::unique_ptr<Data> m_data;
    };

    // The lines shown for a mission won with `killed` of `available` enemies:
    // "Mission Complete!", then, when there were enemies, "<percent>% killed"
    // (the percentage cut to a whole number) and the rating of the percentage,
    // an empty line below 50%.
    std::vector<std::string> GetCompletionTexts(unsigned long killed, unsigned long available);
}
