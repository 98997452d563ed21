#include "campaign/SavingButton.hpp"

#include "campaign/MissionsScreen.hpp"
#include "campaign/Saving.hpp"
#include "core/DefaultFont.hpp"
#include "core/Registry.hpp"
#include "interface/ScreenManager.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <boost/date_time/posix_time/posix_time.hpp>

namespace Kestrum
{
    namespace
    {
        const std::string folder = "resources|gui|screens|saving|buttons|slot|";
        // Where the time stands on the slot, from its top-left corner.
        const sf::Vector2f textOffset(10.f, 30.f);
        const unsigned int characterSize = 12;
        // Date and time of day; a fraction of a second would follow.
        const std::size_t timeLength = 20;
    }

    stable_ptr<SavingButton> CreateSavingButton(const stable_ptr<Saving>& saving, const sf::Vector2f& position)
    {
        stable_ptr<SavingButton> button(new SavingButton(saving));
        button->Initialize(folder + "graphics.png", folder + "click_area.txt", position);
        button->GetClickSignal().connect([saving](InterfaceInput::MouseButton) { SavingButton::Select(saving); });
        return button;
    }

    std::string FormatSavingTime(const boost::posix_time::ptime& time)
    {
        return boost::posix_time::to_simple_string(time).substr(0, timeLength);
    }

    SavingButton::SavingButton(const stable_ptr<Saving>& saving) : m_saving(saving) {}

    SavingButton::~SavingButton() = default;

    void SavingButton::Draw()
    {
        ComplexButton::Draw();
        if (!m_text)
        {
            m_font = ShareDefaultFont().get_shared();
            m_text = std::make_shared<sf::Text>(FormatSavingTime(m_saving->GetTime()), *m_font, characterSize);
            m_text->setFillColor(sf::Color(0, 0, 0, 255));
        }
        m_text->setPosition(GetPosition() + textOffset);
        GetFromRegistry<sf::RenderWindow>()->draw(*m_text);
    }

    void SavingButton::Select(const stable_ptr<Saving>& saving)
    {
        RegisterSaving(saving);
        saving->RegisterInventory();
        GetFromRegistry<ScreenManager>()->SetNextScreen(GetFromRegistry<MissionsScreen>());
    }
}
