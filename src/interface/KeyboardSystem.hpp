// The keyboard device: keys bound to game actions by the input configuration,
// held keys of movement and fire acting every frame, Delete and M fixed to nuke
// and mute, F1 showing and hiding the debug overlay.
#pragma once

#include "interface/InterfaceInput.hpp"

#include <memory>
#include <vector>

namespace pugi { class xml_document; }
namespace sf { class Event; }

namespace Kestrum
{
    class KeyboardSystem
    {
    public:
        KeyboardSystem();
        virtual ~KeyboardSystem();
        KeyboardSystem(const KeyboardSystem&) = delete;
        KeyboardSystem& operator=(const KeyboardSystem&) = delete;

        // Reads the "key" children of the action elements; once only.
        void Load(const pugi::xml_document& document);
        // Appends the bindings as "key" children to the action elements under the root.
        void Save(pugi::xml_document& document) const;
        // Forgets the held keys (the receiver is about to change).
        void Reset(const std::shared_ptr<InterfaceInput>& receiver);
        // True for a key event, which it then takes.
        bool HandleEvent(const sf::Event& event);
        // Hands this frame's actions to the receiver.
        void HandleInput(const std::shared_ptr<InterfaceInput>& receiver);

    private:
        struct Data;
        std::unique_ptr<Data> m_data;

        Data& GetData() const;
    };

    // The actions the input configuration binds, in the order it lists them.
    std::vector<InterfaceInput::Action> GetConfiguredActions();

    // False for nuke and mute (fixed keys); `admitNoAction` for no_action; true otherwise.
    bool IsConfigurableAction(InterfaceInput::Action action, bool admitNoAction);

    // Movement and fire act in every frame while their key or button is held, and
    // in the frame of its press also when it is released before that frame ends.
    bool IsContinuousAction(InterfaceInput::Action action);
}
