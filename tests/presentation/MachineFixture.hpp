// The animation fixture plus the test machines of tests/data/machines, copied
// into the scratch root under resources|machines:
//   ship.statemachine    states idle (looping, two circles, sockets "muzzle"
//                        twice), boom (once, half a second, back to idle) and
//                        stuck (once, its exit names no state); transitions
//                        explode, fire (idle to itself) and stick
//   inner.statemachine   a group: part arm (a ship), transition wave that
//                        signals "waved"
//   turret.statemachine  a group: parts a (a ship at (10, 0), priority 5), b
//                        (three circles, turned 30, priority -1) and c (inner
//                        at (0, 20), priority 5); transitions open, restart and
//                        still
//   flat.statemachine    a group of the first layout: ships left and right
#pragma once

#include "presentation/AnimationFixture.hpp"
#include "presentation/StateMachineBase.hpp"

namespace Kestrum::Testing
{
    class MachineFixture : public AnimationFixture
    {
    protected:
        MachineFixture()
        {
            const std::filesystem::path folder = root.GetPath() / "resources" / "machines";
            std::filesystem::create_directories(folder);
            std::filesystem::copy(std::filesystem::path(KESTRUM_SOURCE_DIR) / "tests" / "data" / "machines", folder);
        }

        static stable_ptr<StateMachineBase> Machine(const std::string& file)
        {
            return GetFromRegistry<ResourceManager>()->CreateStateMachine("resources|machines|" + file);
        }
    };
}
