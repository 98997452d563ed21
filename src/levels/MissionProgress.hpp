// How far the running mission is. A mission registers one when it is entered,
// before its level loads. Every spawn of the level flagged "kill_to_win" adds a
// kill condition while it loads; each enemy made by such a spawn reports its
// departure once, when it is destroyed as an object, whatever removed it.
#pragma once

#include <cstdint>
#include <memory>

namespace Kestrum
{
    class MissionProgress
    {
    public:
        MissionProgress();
        virtual ~MissionProgress();
        MissionProgress(const MissionProgress&) = delete;
        MissionProgress& operator=(const MissionProgress&) = delete;

        struct Data
        {
            // Spawns flagged "kill_to_win", and the departures of their enemies.
            std::uint32_t m_killConditions = 0;
            std::uint32_t m_killCount = 0;

            // One counted enemy has left the game. A count beyond the conditions is
            // logged as an error ("m_killCount <= m_killConditions, m_killCount =
            // 3, m_killConditions = 2") and kept.
            void IncrementKillCount();
        };

        Data& GetData() { return *m_data; }
        const Data& GetData() const { return *m_data; }

    private:
        std::unique_ptr<Data> m_data;
    };
}
