#include "interface/InputSystem.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "interface/InputConfiguration.hpp"
#include "interface/KeyboardSystem.hpp"
#include "interface/MouseSystem.hpp"
#include "interface/ScreenManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>
#include <filesystem>
#include <pugixml.hpp>

namespace Kestrum
{
    namespace
    {
        const char* const s_userFileName = "input_configuration.xml";
        const char* const s_defaultFileName = "default_input_configuration.xml";

        // The game root is the directory the game runs in; it never changes directory.
        std::string GetConfigurationPath(const std::string& fileName)
        {
            return std::filesystem::current_path().string() + "/configuration/" + fileName;
        }
    }

    struct InputSystem::Data
    {
        MouseSystem m_mouse;
        KeyboardSystem m_keyboard;
        std::shared_ptr<InterfaceInput> m_receiver;
        bool m_pausedBeforeFocusLoss = false;
        // Set from a focus loss until the focus returns, so that a second loss in a
        // row does not take the pause it made itself for the player's own.
        bool m_focusLost = false;
    };

    InputSystem::InputSystem() = default;
    InputSystem::~InputSystem() = default;

    InputSystem::Data& InputSystem::GetData() const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call Load()?"));
        return *m_data;
    }

    void InputSystem::Load()
    {
        if (m_data)
            BOOST_THROW_EXCEPTION(LogicError(std::string(BOOST_CURRENT_FUNCTION) + " must not be called twice"));
        std::string path = GetConfigurationPath(s_userFileName);
        if (!std::filesystem::exists(path))
        {
            path = GetConfigurationPath(s_defaultFileName);
            if (!std::filesystem::exists(path))
                BOOST_THROW_EXCEPTION(ResourceMissingError("could not find " + path));
        }
        pugi::xml_document document;
        const pugi::xml_parse_result result =
            document.load_file(path.c_str(), pugi::parse_default | pugi::parse_trim_pcdata, pugi::encoding_utf8);
        if (!result)
            BOOST_THROW_EXCEPTION(XmlError(path + ": " + result.description()));
        std::unique_ptr<Data> data(new Data());
        data->m_mouse.Load(document);
        data->m_keyboard.Load(document);
        m_data = std::move(data);
    }

    void InputSystem::SetReceiver(const stable_ptr<InterfaceInput>& receiver)
    {
        Data& data = GetData();
        if (receiver.get() == data.m_receiver.get())
            return;
        data.m_mouse.Reset(data.m_receiver);
        data.m_keyboard.Reset(data.m_receiver);
        data.m_receiver = receiver.get_shared();
    }

    void InputSystem::OnUpdate()
    {
        Data& data = GetData();
        const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
        sf::Event event;
        while (window->pollEvent(event))
            HandleWindowEvent(event);
        data.m_mouse.HandleInput(data.m_receiver);
        data.m_keyboard.HandleInput(data.m_receiver);
    }

    void InputSystem::HandleWindowEvent(const sf::Event& event)
    {
        Data& data = GetData();
        switch (event.type)
        {
        case sf::Event::Closed:
            GetFromRegistry<ScreenManager>()->ShutDown();
            break;
        case sf::Event::Resized:
            *Log(LogLevel::warning) << "window resize event not handled yet";
            break;
        case sf::Event::LostFocus:
        {
            const stable_ptr<TimeSystem> time = GetFromRegistry<TimeSystem>();
            if (!data.m_focusLost)
            {
                data.m_pausedBeforeFocusLoss = time->paused;
                data.m_focusLost = true;
            }
            time->paused = true;
            break;
        }
        case sf::Event::GainedFocus:
            if (data.m_focusLost)
            {
                GetFromRegistry<TimeSystem>()->paused = data.m_pausedBeforeFocusLoss;
                data.m_focusLost = false;
            }
            break;
        default:
            if (!data.m_mouse.HandleEvent(event))
                data.m_keyboard.HandleEvent(event);
            break;
        }
    }

    MouseSystem& InputSystem::GetMouseSystem() const
    {
        return GetData().m_mouse;
    }
}
