#include "campaign/ExitableScreen.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/DefaultFont.hpp"
#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "flight/Inventory.hpp"
#include "interface/ComplexButton.hpp"
#include "interface/ScreenManager.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <cstdio>

namespace Kestrum
{
    namespace
    {
        const char* const backdropPath = "resources|gui|screens|common_backdrop.jpg";
        const std::string buttonFolder = "resources|gui|screens|buttons|";
    }

    std::string FormatCashLine(unsigned long money)
    {
        char amount[32];
        std::snprintf(amount, sizeof(amount), "% 10lld", static_cast<long long>(money));
        return std::string("Cash: ") + amount;
    }

    ExitableScreen::ExitableScreen(bool showCash) : m_showCash(showCash), m_shownMoney(0) {}

    ExitableScreen::~ExitableScreen()
    {
        m_exitDestination.reset();
    }

    bool ExitableScreen::HandleAction(Action action)
    {
        if (Widget::HandleAction(action))
            return true;
        if (action == escape)
        {
            Exit();
            return true;
        }
        return false;
    }

    void ExitableScreen::OnEnter()
    {
        // The backdrop is first brought to the window's width, then fitted to its
        // height; both scalings stay in force.
        const stable_ptr<sf::Sprite> backdrop = GetFromRegistry<ResourceManager>()->CreateSprite(backdropPath, true);
        const sf::VideoMode& mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
        const float factor = static_cast<float>(mode.width) / backdrop->getGlobalBounds().width;
        backdrop->scale(factor, factor);
        FitBackground(backdrop.get_shared());

        const stable_ptr<ComplexButton> exitButton = ComplexButton::Create(
            buttonFolder + "exit.png", buttonFolder + "exit_click_area.txt", sf::Vector2f(0.f, 0.f));
        const float windowWidth = static_cast<float>(GetFromRegistry<sf::RenderWindow>()->getSize().x);
        exitButton->SetPosition(sf::Vector2f(windowWidth - exitButton->GetSize().x, 0.f));
        AddButton(exitButton, 0);
        exitButton->GetClickSignal().connect([this](MouseButton) { Exit(); });
    }

    void ExitableScreen::OnExit()
    {
        ClearButtons();
        FitBackground(std::shared_ptr<sf::Sprite>());
    }

    void ExitableScreen::Draw()
    {
        Screen::Draw();
        // Without a game in progress there is no money to show.
        if (!m_showCash || !Registry::Instance()->IsRegistered<Inventory>())
            return;
        const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
        const sf::Uint32 money = GetFromRegistry<Inventory>()->money;
        if (!m_cash || money != m_shownMoney)
        {
            if (!m_font)
                m_font = ShareDefaultFont().get_shared();
            m_cash = std::make_unique<sf::Text>(FormatCashLine(money), *m_font, 20);
            m_shownMoney = money;
        }
        const float width = m_cash->getLocalBounds().width;
        m_cash->setPosition((static_cast<float>(window->getSize().x) - width) / 2.f, 5.f);
        window->draw(*m_cash);
    }

    void ExitableScreen::SetExitDestination(const stable_ptr<Screen>& screen)
    {
        if (screen.get() == this)
            *Log(LogLevel::warning) << "exitable screen received itself as exit destination";
        m_exitDestination = screen.get_shared();
    }

    void ExitableScreen::Exit()
    {
        if (m_exitDestination)
            GetFromRegistry<ScreenManager>()->SetNextScreen(create_stable_ptr(m_exitDestination));
    }
}
