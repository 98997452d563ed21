#include "interface/InputSystem.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/LogSystem.hpp"
#include "core/RandomizationSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "core/XmlReading.hpp"
#include "interface/InputConfiguration.hpp"
#include "interface/KeyboardSystem.hpp"
#include "interface/MouseSystem.hpp"
#include "interface/ScreenManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>
#include <boost/format.hpp>
#include <filesystem>
#include <functional>
#include <pugixml.hpp>

namespace Kestrum
{
    namespace
    {
        const char* const s_userFileName = "input_configuration.xml";
        const char* const s_defaultFileName = "default_input_configuration.xml";
        // How many random names the save tries before it gives up.
        const int s_temporaryNameDraws = 21;

        std::string GetConfigurationPath(const std::string& fileName)
        {
            return GetGameRoot().string() + "/configuration/" + fileName;
        }

        // Draws the names of the player's file's temporary files from the game's
        // random numbers ("<path>.<eight hex digits>", the game's temporary file
        // names), 21 at most.
        std::function<std::string()> DrawTemporaryNames(const std::string& userPath)
        {
            return [userPath, draws = 0]() mutable {
                if (draws++ == s_temporaryNameDraws)
                    BOOST_THROW_EXCEPTION(RuntimeError("could not create all temporary files"));
                return (boost::format("%s.%08x") % userPath % GetFromRegistry<RandomizationSystem>()->Next()).str();
            };
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
        const stable_ptr<pugi::xml_document> document = LoadXmlFile(path);
        std::unique_ptr<Data> data(new Data());
        data->m_mouse.Load(*document);
        data->m_keyboard.Load(*document);
        m_data = std::move(data);
    }

    void InputSystem::Save()
    {
        Data& data = GetData();
        pugi::xml_document document;
        AddDeclaration(document);
        const pugi::xml_node root = document.append_child("input_configuration");
        data.m_mouse.Save(document);
        data.m_keyboard.Save(document);
        // Every action keeps its element, also one left without any binding, so the
        // file always loads again.
        for (InterfaceInput::Action action : GetConfiguredActions())
            GetOrCreateChildElement(root, ToString(action));
        // The complete new file replaces the player's file in one step, so the old
        // one stays whole until the new one is in place.
        const std::string path = GetConfigurationPath(s_userFileName);
        WriteThroughTemporaryFile(path, ToXmlString(document), DrawTemporaryNames(path));
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
