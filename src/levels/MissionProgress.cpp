#include "levels/MissionProgress.hpp"

#include "core/LogSystem.hpp"

namespace Kestrum
{
    MissionProgress::MissionProgress() : m_data(new Data) {}
    MissionProgress::~MissionProgress() = default;

    void MissionProgress::Data::IncrementKillCount()
    {
        ++m_killCount;
        if (m_killCount > m_killConditions)
            *Log(LogLevel::error) << "m_killCount <= m_killConditions, m_killCount = " << m_killCount
                                  << ", m_killConditions = " << m_killConditions;
    }
}
