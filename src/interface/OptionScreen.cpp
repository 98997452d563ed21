#include "interface/OptionScreen.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/DefaultFont.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "interface/ComplexButton.hpp"
#include "interface/CreateGrid.hpp"
#include "interface/GaugeButton.hpp"
#include "interface/GoToStartScreen.hpp"
#include "interface/InputSystem.hpp"
#include "interface/MouseSystem.hpp"
#include "interface/TakeFirst.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <algorithm>
#include <optional>
#include <vector>

namespace Kestrum
{
    namespace
    {
        const std::string folder = "$resources|gui|screens|option|";

        enum Control
        {
            musicVolume,
            soundVolume,
            colorDepth,
            fullScreen,
            verticalSync,
            swapMouseButtons,
            controlCount
        };

        float ToGaugeValue(float volume)
        {
            return std::min(std::max(volume, 0.f), 100.f) / 100.f;
        }

        stable_ptr<GaugeButton> CreateControl(int faceVariant, unsigned long steps)
        {
            stable_ptr<GaugeButton> control = GaugeButton::Create(faceVariant);
            control->ConnectAmplitudeChange(steps, true);
            return control;
        }

        stable_ptr<GaugeButton> CreateVolumeControl() { return CreateControl(1, 4); }
        stable_ptr<GaugeButton> CreateColorDepthControl() { return CreateControl(3, 1); }
        stable_ptr<GaugeButton> CreateSwitchControl() { return CreateControl(0, 1); }

        bool IsOn(const stable_ptr<GaugeButton>& control) { return control->GetValue() >= 0.5f; }

        stable_ptr<ComplexButton> CreateButton(const std::string& name, const sf::Vector2f& position)
        {
            const std::string path = folder + "buttons|" + name + "|";
            return ComplexButton::Create(path + "graphics.png", path + "click_area.txt", position);
        }
    }

    class OptionScreen::Data
    {
    public:
        explicit Data(const std::vector<stable_ptr<GaugeButton>>& controls) : m_controls(controls)
        {
            // What waits for the next start when the screen is entered, so that
            // leaving without ok can withdraw the choices made here.
            const stable_ptr<ConfigurationSystem> configuration = GetFromRegistry<ConfigurationSystem>();
            m_pendingBitDepthOnEntry = configuration->GetPendingBitDepth();
            m_pendingFullScreenOnEntry = configuration->GetPendingFullScreen();
        }

        const stable_ptr<GaugeButton>& GetControl(Control control) const { return m_controls[control]; }

        void LoadOptionTags()
        {
            if (!m_labels.empty())
                BOOST_THROW_EXCEPTION(LogicError(std::string(BOOST_CURRENT_FUNCTION) + " must not be called twice"));
            m_labels.reserve(controlCount);
            m_labelImage = GetFromRegistry<ResourceManager>()->GetTexture(folder + "option_tags.png", true);
            m_labelImage->setSmooth(false);
            sf::Sprite sprite(*m_labelImage);
            sf::IntRect part(0, 0, 200, 64);
            for (const stable_ptr<GaugeButton>& control : m_controls)
            {
                m_labels.push_back(sprite);
                m_labels.back().setTextureRect(part);
                m_labels.back().setPosition(control->GetPosition() + sf::Vector2f(-32.f, 140.f));
                part.top += part.height;
            }
        }

        void FillControls()
        {
            const stable_ptr<ConfigurationSystem> configuration = GetFromRegistry<ConfigurationSystem>();
            const stable_ptr<SoundConfiguration> sound = configuration->GetSoundConfiguration();
            GetControl(musicVolume)->SetValue(ToGaugeValue(sound->GetMusicVolume()));
            GetControl(soundVolume)->SetValue(ToGaugeValue(sound->GetSoundVolume()));
            GetControl(colorDepth)->SetValue(ToColorDepth(configuration->GetVideoMode().bitsPerPixel) == Depth32 ? 1.f : 0.f);
            GetControl(fullScreen)->SetValue(configuration->IsFullScreen() ? 1.f : 0.f);
            GetControl(verticalSync)->SetValue(configuration->IsVerticalBlankSyncEnabled() ? 1.f : 0.f);
            GetControl(swapMouseButtons)
                ->SetValue(GetFromRegistry<InputSystem>()->GetMouseSystem().MouseButtonsAreSwapped() ? 1.f : 0.f);
        }

        void ApplyOptions()
        {
            const stable_ptr<ConfigurationSystem> configuration = GetFromRegistry<ConfigurationSystem>();
            const stable_ptr<SoundConfiguration> sound = configuration->GetSoundConfiguration();
            sound->SetMusicVolume(GetControl(musicVolume)->GetValue() * 100.f);
            sound->SetSoundVolume(GetControl(soundVolume)->GetValue() * 100.f);
            configuration->SetBitDepth(IsOn(GetControl(colorDepth)) ? 32 : 16);
            configuration->SetFullScreen(IsOn(GetControl(fullScreen)));
            configuration->SetVerticalBlankSync(IsOn(GetControl(verticalSync)));
            const stable_ptr<InputSystem> input = GetFromRegistry<InputSystem>();
            input->GetMouseSystem().SetSwapMouseButtons(IsOn(GetControl(swapMouseButtons)));
            m_applied = true;
            configuration->Save();
            input->Save();
        }

        // Colour depth and full screen take effect at the next start: a click
        // records the choice at once, so that the restart notice shows.
        void OnColorDepthClicked()
        {
            GetFromRegistry<ConfigurationSystem>()->SetBitDepth(IsOn(GetControl(colorDepth)) ? 32 : 16);
        }

        void OnFullScreenClicked()
        {
            GetFromRegistry<ConfigurationSystem>()->SetFullScreen(IsOn(GetControl(fullScreen)));
        }

        // Leaving without ok: the colour depth and full screen wait for the next
        // start as they did before the screen was entered.
        void WithdrawUnappliedChoices() const
        {
            if (m_applied)
                return;
            const stable_ptr<ConfigurationSystem> configuration = GetFromRegistry<ConfigurationSystem>();
            configuration->SetBitDepth(m_pendingBitDepthOnEntry.value_or(configuration->GetVideoMode().bitsPerPixel));
            configuration->SetFullScreen(m_pendingFullScreenOnEntry.value_or(configuration->IsFullScreen()));
        }

        void DrawOptionTags() const
        {
            const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
            for (const sf::Sprite& label : m_labels)
                window->draw(label);
        }

        void DrawRestartNotice()
        {
            const stable_ptr<ConfigurationSystem> configuration = GetFromRegistry<ConfigurationSystem>();
            if (!configuration->GetPendingFullScreen() && !configuration->GetPendingBitDepth())
                return;
            if (!m_font)
                m_font = ShareDefaultFont().get_shared();
            sf::Text notice("You will need to restart the game for some changes to take effect.", *m_font, 30);
            notice.setCharacterSize(20);
            const sf::FloatRect bounds = notice.getLocalBounds();
            const sf::Vector2f size = configuration->GetScreenSize();
            notice.setPosition((size.x - bounds.width) / 2.f, size.y - 1.5f * bounds.height);
            DrawWithShadow(notice);
        }

    private:
        std::vector<stable_ptr<GaugeButton>> m_controls;
        std::vector<sf::Sprite> m_labels;
        std::shared_ptr<sf::Texture> m_labelImage;
        std::shared_ptr<sf::Font> m_font;
        std::optional<unsigned int> m_pendingBitDepthOnEntry;
        std::optional<bool> m_pendingFullScreenOnEntry;
        bool m_applied = false;
    };

    OptionScreen::OptionScreen() = default;
    OptionScreen::~OptionScreen() = default;

    void OptionScreen::OnEnter()
    {
        if (m_data)
            BOOST_THROW_EXCEPTION(LogicError("m_data must be empty on entering option screen"));

        FitBackground(GetFromRegistry<ResourceManager>()->CreateSprite(folder + "background.jpg", true));

        const sf::Vector2f size = GetFromRegistry<ConfigurationSystem>()->GetScreenSize();
        const float column = (size.x / 2.f - 40.f) / 2.f;
        std::vector<sf::Vector2<float>> positions =
            CreateGrid(sf::Vector2f(20.f + (column - 128.f) / 2.f, 20.f), sf::Vector2f(column, 242.66667f), 2, 3);

        std::vector<stable_ptr<GaugeButton>> controls{CreateVolumeControl(),     CreateVolumeControl(),
                                                      CreateColorDepthControl(), CreateSwitchControl(),
                                                      CreateSwitchControl(),     CreateSwitchControl()};
        for (const stable_ptr<GaugeButton>& control : controls)
            control->SetPosition(TakeFirst(positions));

        m_data.reset(new Data(controls));
        m_data->LoadOptionTags();

        // The dial's own stepping slot was connected first, so these see the new value.
        Data* data = m_data.get();
        controls[colorDepth]->GetClickSignal().connect([data](MouseButton) { data->OnColorDepthClicked(); });
        controls[fullScreen]->GetClickSignal().connect([data](MouseButton) { data->OnFullScreenClicked(); });

        for (const stable_ptr<GaugeButton>& control : controls)
            AddButton(control, 0);

        m_data->FillControls();

        const sf::Vector2f okPosition(size.x / 2.f + 40.f, size.y - 120.f);
        const stable_ptr<ComplexButton> ok = CreateButton("ok", okPosition);
        ok->GetClickSignal().connect([data](MouseButton) { data->ApplyOptions(); });
        ok->GetClickSignal().connect([](MouseButton) { GoToStartScreen(); });
        AddButton(ok, 0);
        SetFocusedButton(ok.get_shared());

        const stable_ptr<ComplexButton> exit = CreateButton("exit", okPosition + sf::Vector2f(232.f, 0.f));
        exit->GetClickSignal().connect([](MouseButton) { GoToStartScreen(); });
        AddButton(exit, 0);
    }

    void OptionScreen::OnExit()
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("option screen seems to be invalid"));
        const std::unique_ptr<Data> data(std::move(m_data));
        ClearButtons();
        data->WithdrawUnappliedChoices();
    }

    bool OptionScreen::HandleAction(Action action)
    {
        if (Widget::HandleAction(action))
            return true;
        if (action == escape)
        {
            GoToStartScreen();
            return true;
        }
        return false;
    }

    void OptionScreen::Draw()
    {
        Screen::Draw();
        if (!m_data)
            return;
        m_data->DrawOptionTags();
        m_data->DrawRestartNotice();
    }
}
