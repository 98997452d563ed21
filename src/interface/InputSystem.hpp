// Turns the window's events into game actions and mouse events for the receiver.
#pragma once

#include "core/StablePtr.hpp"
#include "interface/InterfaceInput.hpp"

#include <memory>

namespace Kestrum
{
    class InputSystem
    {
    public:
        InputSystem();
        virtual ~InputSystem();
        InputSystem(const InputSystem&) = delete;
        InputSystem& operator=(const InputSystem&) = delete;

        void Load();
        void SetReceiver(const stable_ptr<InterfaceInput>& receiver);
        void OnUpdate();

    private:
        std::shared_ptr<InterfaceInput> m_receiver;
    };
}
