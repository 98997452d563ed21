#include "interface/InterfaceInput.hpp"

namespace Kestrum
{
    std::string ToString(InterfaceInput::Action action)
    {
        switch (action)
        {
        case InterfaceInput::move_left: return "move_left";
        case InterfaceInput::move_right: return "move_right";
        case InterfaceInput::move_up: return "move_up";
        case InterfaceInput::move_down: return "move_down";
        case InterfaceInput::fire: return "fire";
        case InterfaceInput::bomb: return "bomb";
        case InterfaceInput::pause: return "pause";
        case InterfaceInput::escape: return "escape";
        case InterfaceInput::accept: return "accept";
        case InterfaceInput::nuke: return "nuke";
        case InterfaceInput::mute: return "mute";
        case InterfaceInput::no_action: return "no_action";
        }
        return "???";
    }
}
