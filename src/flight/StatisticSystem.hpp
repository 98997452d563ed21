// The kill statistics of the missions of a run: per mission index how many
// enemies the mission offers and how many the player has killed. The current
// record counts the kills of the flight in progress.
#pragma once

#include <memory>

namespace Kestrum
{
    class MissionStatistic
    {
    public:
        virtual unsigned long GetAvailableEnemies() const = 0;
        virtual unsigned long GetKilledEnemies() const = 0;
        // Counts one kill; a kill beyond the available enemies is logged as an
        // error and not counted.
        virtual void EnemyKilled() = 0;

    protected:
        MissionStatistic() = default;
        ~MissionStatistic() = default;
        MissionStatistic(const MissionStatistic&) = default;
        MissionStatistic& operator=(const MissionStatistic&) = default;
    };

    class StatisticSystem
    {
    public:
        StatisticSystem();
        virtual ~StatisticSystem();
        StatisticSystem(const StatisticSystem&) = delete;
        StatisticSystem& operator=(const StatisticSystem&) = delete;

        // Creates the empty table; a second call is a LogicError.
        void Load();

        // The record made current by the last ResetCurrent. Before Load, or before
        // any record has been made current: LogicError.
        MissionStatistic& GetCurrent();

        // Makes the record of the mission current and starts it afresh with the
        // mission's number of enemies and no kills; the table grows as needed and
        // the other records keep their numbers.
        void ResetCurrent(unsigned long index, unsigned long available);

    private:
        struct Table;
        std::unique_ptr<Table> m_table;
    };
}
