#include "interface/StartScreen.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/DefaultFont.hpp"
#include "core/Registry.hpp"
#include "core/Version.hpp"
#include "interface/ComplexButton.hpp"
#include "interface/OptionScreen.hpp"
#include "interface/ScreenManager.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <boost/format.hpp>

namespace Kestrum
{
    namespace
    {
        const std::string folder = "resources|gui|screens|start|";

        stable_ptr<ComplexButton> CreateButton(const std::string& name, float x)
        {
            const std::string path = folder + "buttons|" + name + "|";
            return ComplexButton::Create(path + "graphics.png", path + "click_area.txt", sf::Vector2f(x, 637.f));
        }
    }

    StartScreen::StartScreen() = default;
    StartScreen::~StartScreen() = default;

    void StartScreen::OnEnter()
    {
        FitBackground(GetFromRegistry<ResourceManager>()->CreateSprite(folder + "background.jpg", false));

        const float width = static_cast<float>(GetFromRegistry<ConfigurationSystem>()->GetVideoMode().width);
        const stable_ptr<ComplexButton> arcade = CreateButton("arcade", width / 2.f - 200.f);
        arcade->GetClickSignal().connect([this](InterfaceInput::MouseButton) { OnArcadeButton(); });
        AddButton(arcade, 0);
        SetFocusedButton(arcade.get_shared());

        const stable_ptr<ComplexButton> options = CreateButton("options", width / 2.f + 10.f);
        options->GetClickSignal().connect([this](InterfaceInput::MouseButton) { OnOptionsButton(); });
        AddButton(options, 0);

        const stable_ptr<ComplexButton> exit = CreateButton("exit", width - 215.f);
        exit->GetClickSignal().connect([this](InterfaceInput::MouseButton) { OnExitButton(); });
        AddButton(exit, 0);

        // Last: a font that cannot be read costs only the version line, not the screen.
        if (!m_font)
            m_font = ShareDefaultFont().get_shared();
    }

    void StartScreen::OnExit()
    {
        FitBackground(nullptr);
        ClearButtons();
    }

    bool StartScreen::HandleAction(Action action)
    {
        if (Widget::HandleAction(action))
            return true;
        if (action == escape)
        {
            GetFromRegistry<ScreenManager>()->ShutDown();
            return true;
        }
        return false;
    }

    void StartScreen::Draw()
    {
        Screen::Draw();
        if (!m_font)
            return;

        // 14 pixels from the right and the bottom edge.
        sf::Text version((boost::format("version %1% (%2%)") % GetVersionNumber() % GetVersionStage()).str(),
                         *m_font, 14);
        version.setStyle(sf::Text::Bold | sf::Text::Italic);
        const sf::FloatRect bounds = version.getLocalBounds();
        const sf::VideoMode& mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
        version.setPosition(static_cast<float>(mode.width) - (bounds.width + 14.f),
                            static_cast<float>(mode.height) - (bounds.height + 14.f));
        DrawWithShadow(version);
    }

    void StartScreen::SetArcadeDestination(const stable_ptr<Screen>& screen)
    {
        m_arcade = screen.get_shared();
    }

    void StartScreen::OnArcadeButton()
    {
        if (!m_arcade)
            BOOST_THROW_EXCEPTION(LogicError());
        GetFromRegistry<ScreenManager>()->SetNextScreen(create_stable_ptr(m_arcade));
    }

    void StartScreen::OnOptionsButton()
    {
        GetFromRegistry<ScreenManager>()->SetNextScreen(GetFromRegistry<OptionScreen>());
    }

    void StartScreen::OnExitButton()
    {
        GetFromRegistry<ScreenManager>()->ShutDown();
    }
}
