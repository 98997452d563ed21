// The mouse device: pointer moves, wheel turns, clicks, double clicks, drag and
// drop, and the game actions that the input configuration maps to mouse buttons.
// Events are queued as they arrive and handed to the receiver once a frame; a single
// click waits for the double-click time before it is delivered.
#pragma once

#include "interface/InterfaceInput.hpp"

#include <memory>

namespace pugi { class xml_document; }
namespace sf { class Event; }

namespace Kestrum
{
    class MouseSystem
    {
    public:
        MouseSystem();
        virtual ~MouseSystem();
        MouseSystem(const MouseSystem&) = delete;
        MouseSystem& operator=(const MouseSystem&) = delete;

        // Reads the button mapping and the "general" settings; once only.
        void Load(const pugi::xml_document& document);
        // Writes the "mouse_button" children of the action elements and "general".
        void Save(pugi::xml_document& document) const;
        // True for a mouse event, which it then takes.
        bool HandleEvent(const sf::Event& event);
        // Once a frame: delivers what is due to the receiver.
        void HandleInput(const std::shared_ptr<InterfaceInput>& receiver);
        // Ends all pending mouse state for a receiver that is being replaced.
        void Reset(const std::shared_ptr<InterfaceInput>& receiver);

        // The swap applies from the next event on.
        void SetSwapMouseButtons(bool swap);
        bool MouseButtonsAreSwapped() const;

    private:
        struct Data;
        std::unique_ptr<Data> m_data;

        Data& GetData() const;
    };
}
