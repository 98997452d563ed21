#include "flight/ScoreSystem.hpp"

namespace Kestrum
{
    ScoreSystem::ScoreSystem() : m_score(0) {}
    ScoreSystem::~ScoreSystem() = default;
}
