// Turns the window's events into game actions and mouse events for the receiver.
// Owns the input configuration file: reads it at start-up (the player's own file,
// else the default one), hands it to the keyboard and the mouse, and writes it back.
#pragma once

#include "core/StablePtr.hpp"
#include "interface/InterfaceInput.hpp"

#include <memory>

namespace sf { class Event; }

namespace Kestrum
{
    class MouseSystem;

    class InputSystem
    {
    public:
        InputSystem();
        virtual ~InputSystem();
        InputSystem(const InputSystem&) = delete;
        InputSystem& operator=(const InputSystem&) = delete;

        void Load();
        // Writes both devices' configuration to the player's file, replacing it in
        // one step; the default file is never changed.
        void Save();
        // The object that receives input from now on; a change resets both devices.
        void SetReceiver(const stable_ptr<InterfaceInput>& receiver);
        // One frame of input: every pending window event, then the devices' delivery.
        void OnUpdate();
        // One window event: close, resize and focus are handled here, everything
        // else goes to the mouse and then to the keyboard.
        void HandleWindowEvent(const sf::Event& event);
        MouseSystem& GetMouseSystem() const;

    private:
        struct Data;
        std::unique_ptr<Data> m_data;

        Data& GetData() const;
    };
}
