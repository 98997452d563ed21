// Counts the kills of the current mission.
#pragma once

namespace Kestrum
{
    class StatisticSystem
    {
    public:
        StatisticSystem();
        virtual ~StatisticSystem();
        StatisticSystem(const StatisticSystem&) = delete;
        StatisticSystem& operator=(const StatisticSystem&) = delete;
        void Load();
    };
}
