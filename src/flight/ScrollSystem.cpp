#include "flight/ScrollSystem.hpp"

#include "core/FlatLineGraph.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"

namespace Kestrum
{
    struct ScrollSystem::Data
    {
        stable_ptr<Graph> speed{new FlatLineGraph(0.f)};
        float position = 0.f;
        float time = 0.f;
    };

    ScrollSystem::ScrollSystem() : m_data(new Data()) {}
    ScrollSystem::~ScrollSystem() = default;

    void ScrollSystem::Update()
    {
        const float dt = GetFromRegistry<TimeSystem>()->GetFrameTime();
        const float end = m_data->time + dt;
        m_data->position += m_data->speed->CalculateArea(m_data->time, end);
        m_data->time = end;
    }

    void ScrollSystem::Reset(const stable_ptr<Graph>& speed)
    {
        m_data->speed = speed;
        m_data->position = 0.f;
        m_data->time = 0.f;
    }

    float ScrollSystem::GetPosition() const
    {
        return m_data->position;
    }

    float ScrollSystem::GetTime() const
    {
        return m_data->time;
    }

    stable_ptr<Graph> ScrollSystem::GetSpeedGraph() const
    {
        return m_data->speed;
    }
}
