#include "interface/KeyboardSystem.hpp"

#include "core/DebugHUD.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "interface/InputConfiguration.hpp"

#include <SFML/Window/Event.hpp>
#include <boost/algorithm/string/case_conv.hpp>
#include <boost/algorithm/string/predicate.hpp>
#include <boost/format.hpp>
#include <iterator>
#include <map>
#include <pugixml.hpp>
#include <set>

namespace Kestrum
{
    namespace
    {
        // Keys are numbered the classic way: letters by their lower-case ASCII codes,
        // digits by theirs, every other key from 256 on. The saved file lists keys in
        // this order (digits, letters, then the rest).
        typedef int KeyCode;

        const KeyCode s_firstOtherKey = 256;

        // Every key the game knows by name, in the window library's key order.
        const char* const s_keyNames[] = {
            "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
            "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
            "Num0", "Num1", "Num2", "Num3", "Num4", "Num5", "Num6", "Num7", "Num8", "Num9",
            "Escape", "LControl", "LShift", "LAlt", "LSystem", "RControl", "RShift", "RAlt",
            "RSystem", "Menu", "LBracket", "RBracket", "SemiColon", "Comma", "Period", "Quote",
            "Slash", "BackSlash", "Tilde", "Equal", "Dash", "Space", "Return", "Back", "Tab",
            "PageUp", "PageDown", "End", "Home", "Insert", "Delete", "Add", "Subtract",
            "Multiply", "Divide", "Left", "Right", "Up", "Down",
            "Numpad0", "Numpad1", "Numpad2", "Numpad3", "Numpad4",
            "Numpad5", "Numpad6", "Numpad7", "Numpad8", "Numpad9",
            "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10",
            "F11", "F12", "F13", "F14", "F15", "Pause"};

        const int s_keyCount = static_cast<int>(std::size(s_keyNames));
        const int s_letterCount = 26;
        const int s_digitCount = 10;

        static_assert(std::size(s_keyNames) == 101, "one name for every key");
        static_assert(sf::Keyboard::Pause == 100 && sf::Keyboard::Escape == 36 &&
                          sf::Keyboard::F1 == 85 && sf::Keyboard::Delete == 66,
                      "the window library's key order");

        KeyCode FromIndex(int index)
        {
            if (index < s_letterCount)
                return 'a' + index;
            if (index < s_letterCount + s_digitCount)
                return '0' + (index - s_letterCount);
            return s_firstOtherKey + (index - s_letterCount - s_digitCount);
        }

        // The table index of a key code, or -1 for a code without a name.
        int ToIndex(KeyCode code)
        {
            if (code >= 'a' && code <= 'z')
                return code - 'a';
            if (code >= '0' && code <= '9')
                return s_letterCount + (code - '0');
            const int index = s_letterCount + s_digitCount + (code - s_firstOtherKey);
            if (code >= s_firstOtherKey && index < s_keyCount)
                return index;
            return -1;
        }

        // The window library's key for an event, or -1 for a key the game does not know.
        KeyCode FromWindowKey(sf::Keyboard::Key key)
        {
            const int index = static_cast<int>(key);
            return index >= 0 && index < s_keyCount ? FromIndex(index) : -1;
        }

        const KeyCode s_keyF1 = FromIndex(sf::Keyboard::F1);
        const KeyCode s_keyDelete = FromIndex(sf::Keyboard::Delete);
        const KeyCode s_keyM = FromIndex(sf::Keyboard::M);

        std::string ToString(KeyCode code)
        {
            const int index = ToIndex(code);
            if (index < 0)
                BOOST_THROW_EXCEPTION(LogicError((boost::format("received unknown key code %d") % code).str()));
            return boost::algorithm::to_lower_copy(std::string(s_keyNames[index]));
        }

        KeyCode ToKey(const std::string& text)
        {
            for (int index = 0; index < s_keyCount; ++index)
            {
                const char* name = s_keyNames[index];
                if (std::char_traits<char>::length(name) == text.size() && boost::algorithm::iequals(name, text))
                    return FromIndex(index);
            }
            BOOST_THROW_EXCEPTION(UnknownTypeError("received unknown key string " + text));
        }
    }

    std::vector<InterfaceInput::Action> GetConfiguredActions()
    {
        std::vector<InterfaceInput::Action> actions;
        for (int value = InterfaceInput::move_left; value <= InterfaceInput::mute; ++value)
        {
            const InterfaceInput::Action action = static_cast<InterfaceInput::Action>(value);
            if (IsConfigurableAction(action, false))
                actions.push_back(action);
        }
        return actions;
    }

    bool IsConfigurableAction(InterfaceInput::Action action, bool admitNoAction)
    {
        switch (action)
        {
        case InterfaceInput::nuke:
        case InterfaceInput::mute:
            return false;
        case InterfaceInput::no_action:
            return admitNoAction;
        default:
            return true;
        }
    }

    bool IsContinuousAction(InterfaceInput::Action action)
    {
        return action >= InterfaceInput::move_left && action <= InterfaceInput::fire;
    }

    struct KeyboardSystem::Data
    {
        std::map<KeyCode, InterfaceInput::Action> m_mapping;
        std::set<KeyCode> m_heldKeys;
        std::set<InterfaceInput::Action> m_pendingActions;

        void OnKeyPressed(KeyCode key);
        bool IsKeyHeld(KeyCode key) const { return m_heldKeys.count(key) != 0; }
    };

    void KeyboardSystem::Data::OnKeyPressed(KeyCode key)
    {
        const auto binding = m_mapping.find(key);
        if (binding == m_mapping.end())
            return;
        // A held key acts in every frame until its release; the frame of its first
        // press delivers the action as well, so a tap released before the frame
        // ends still acts once. The platform's key repeat adds nothing.
        if (!IsContinuousAction(binding->second) || m_heldKeys.insert(key).second)
            m_pendingActions.insert(binding->second);
    }

    KeyboardSystem::KeyboardSystem() = default;
    KeyboardSystem::~KeyboardSystem() = default;

    KeyboardSystem::Data& KeyboardSystem::GetData() const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call Load()?"));
        return *m_data;
    }

    void KeyboardSystem::Load(const pugi::xml_document& document)
    {
        if (m_data)
            BOOST_THROW_EXCEPTION(LogicError(std::string(BOOST_CURRENT_FUNCTION) + " must not be called twice"));
        const pugi::xml_node root = GetInputConfigurationRoot(document);
        std::unique_ptr<Data> data(new Data());
        // A key listed under two actions belongs to the later one.
        ReadBindings(root, "key", [&data](InterfaceInput::Action action, const std::string& name) {
            data->m_mapping[ToKey(name)] = action;
        });
        data->m_mapping[s_keyDelete] = InterfaceInput::nuke;
        data->m_mapping[s_keyM] = InterfaceInput::mute;
        m_data = std::move(data);
    }

    void KeyboardSystem::Save(pugi::xml_document& document) const
    {
        const Data& data = GetData();
        const pugi::xml_node root = GetInputConfigurationRoot(document);
        for (const auto& binding : data.m_mapping)
            WriteBinding(root, binding.second, "key", ToString(binding.first));
    }

    void KeyboardSystem::Reset(const std::shared_ptr<InterfaceInput>&)
    {
        GetData().m_heldKeys.clear();
    }

    bool KeyboardSystem::HandleEvent(const sf::Event& event)
    {
        Data& data = GetData();
        switch (event.type)
        {
        case sf::Event::KeyPressed:
            data.OnKeyPressed(FromWindowKey(event.key.code));
            return true;
        case sf::Event::KeyReleased:
        {
            const KeyCode key = FromWindowKey(event.key.code);
            if (key == s_keyF1)
                GetFromRegistry<DebugHUD>()->Toggle();
            // F1 is released like any other key, so an action bound to it cannot stick.
            data.m_heldKeys.erase(key);
            return true;
        }
        default:
            return false;
        }
    }

    void KeyboardSystem::HandleInput(const std::shared_ptr<InterfaceInput>& receiver)
    {
        Data& data = GetData();
        if (!receiver)
            return;
        for (const auto& binding : data.m_mapping)
        {
            if (data.IsKeyHeld(binding.first))
                data.m_pendingActions.insert(binding.second);
        }
        for (InterfaceInput::Action action : data.m_pendingActions)
            receiver->HandleAction(action);
        data.m_pendingActions.clear();
    }
}
