#include "flight/ScoreSystem.hpp"

namespace Kestrum
{
    ScoreSystem::ScoreSystem() : score(0) {}
    ScoreSystem::~ScoreSystem() = default;
}
