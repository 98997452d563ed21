#include "interface/InputSystem.hpp"

#include "core/Registry.hpp"
#include "interface/ScreenManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

namespace Kestrum
{
    InputSystem::InputSystem() = default;
    InputSystem::~InputSystem() = default;

    void InputSystem::Load()
    {
    }

    void InputSystem::SetReceiver(const stable_ptr<InterfaceInput>& receiver)
    {
        m_receiver = receiver;
    }

    void InputSystem::OnUpdate()
    {
        const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
        sf::Event event;
        while (window->pollEvent(event))
        {
            if (event.type == sf::Event::Closed)
                GetFromRegistry<ScreenManager>()->ShutDown();
        }
    }
}
