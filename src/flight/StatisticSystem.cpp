#include "flight/StatisticSystem.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"

#include <optional>
#include <vector>

namespace Kestrum
{
    namespace
    {
        class MissionStatisticImpl : public MissionStatistic
        {
        public:
            MissionStatisticImpl() : m_available(0), m_killed(0) {}
            virtual ~MissionStatisticImpl() = default;
            MissionStatisticImpl(const MissionStatisticImpl&) = default;
            MissionStatisticImpl& operator=(const MissionStatisticImpl&) = default;

            unsigned long GetAvailableEnemies() const override { return m_available; }
            unsigned long GetKilledEnemies() const override { return m_killed; }

            void EnemyKilled() override
            {
                ++m_killed;
                if (m_killed > m_available)
                {
                    *Log(LogLevel::error) << "logic error: more enemies killed than available";
                    m_killed = m_available;
                }
            }

            void Restart(unsigned long available)
            {
                m_available = available;
                m_killed = 0;
            }

        private:
            unsigned long m_available;
            unsigned long m_killed;
        };
    }

    struct StatisticSystem::Table
    {
        std::vector<MissionStatisticImpl> records;
        std::optional<unsigned long> current;
    };

    StatisticSystem::StatisticSystem() = default;
    StatisticSystem::~StatisticSystem() = default;

    void StatisticSystem::Load()
    {
        if (m_table)
            BOOST_THROW_EXCEPTION(LogicError(std::string(BOOST_CURRENT_FUNCTION) + " must not be called twice"));
        m_table = std::make_unique<Table>();
    }

    MissionStatistic& StatisticSystem::GetCurrent()
    {
        if (!m_table)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call StatisticSystem::Load()?"));
        // The flight always starts its mission's record first; reading before that
        // is a fault of the caller, not a record of mission 0.
        if (!m_table->current)
            BOOST_THROW_EXCEPTION(LogicError("no mission statistic is current - call ResetCurrent() first"));
        return m_table->records[*m_table->current];
    }

    void StatisticSystem::ResetCurrent(unsigned long index, unsigned long available)
    {
        if (!m_table)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call StatisticSystem::Load()?"));
        if (m_table->records.size() <= index)
            m_table->records.resize(index + 1);
        m_table->current = index;
        m_table->records[index].Restart(available);
    }
}
