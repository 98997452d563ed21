#include "presentation/TransitionSequence.hpp"

namespace Kestrum
{
    TransitionSequence::~TransitionSequence() = default;
}
