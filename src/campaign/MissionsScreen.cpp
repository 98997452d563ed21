#include "campaign/MissionsScreen.hpp"

#include "campaign/AdventureScreen.hpp"
#include "campaign/HangarScreen.hpp"
#include "campaign/Saving.hpp"
#include "campaign/SavingManager.hpp"
#include "campaign/ShopScreen.hpp"
#include "campaign/TechnologyScreen.hpp"
#include "campaign/WorldView.hpp"
#include "core/DefaultFont.hpp"
#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/Sellable.hpp"
#include "interface/CreateGrid.hpp"
#include "interface/GoToStartScreen.hpp"
#include "interface/ScreenManager.hpp"
#include "interface/SimpleButton.hpp"
#include "interface/TakeFirst.hpp"
#include "interface/ToScreen.hpp"
#include "levels/Mission.hpp"
#include "levels/MissionBlueprint.hpp"
#include "levels/MissionFactory.hpp"
#include "levels/MissionMarker.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cstdio>
#include <functional>

namespace Kestrum
{
    namespace
    {
        // The button pictures lie below the base folder joined with a second
        // separator: "resources|missionsscreen||buttons|shop|idle". The empty
        // part adds nothing to the file's path; the pictures have no extension.
        const std::string folder = "resources|missionsscreen|";
        const sf::Vector2f mapPosition(0.012f, 0.019f);
        const float buttonRowY = 0.019f + 0.9f;
        const float buttonStep = 0.15f;
        const unsigned textSize = 12;
        const sf::Vector2f paymentPosition(520.f, 8.f);
        const sf::Vector2f difficultyPosition(520.f, 48.f);

        template <typename T>
        void GoTo()
        {
            GetFromRegistry<ScreenManager>()->SetNextScreen(GetFromRegistry<T>());
        }

        // A save that fails is said in the log and changes nothing else: the
        // game goes on with the campaign as it is, and the file stays as the
        // last save left it.
        void SaveCampaign()
        {
            try
            {
                GetFromRegistry<SavingManager>()->Save(GetFromRegistry<Saving>());
            }
            catch (const std::exception& error)
            {
                *Log(LogLevel::error) << "the campaign is not saved: " << error.what();
            }
        }

        stable_ptr<Button> CreateImageButton(const sf::Vector2f& position, const std::string& idlePath,
                                             const std::string& clickedPath)
        {
            return SimpleButton::Create(idlePath, clickedPath, position, true);
        }

        // The label, a blank, and the number right-aligned in five places
        // after a blank where a sign would go.
        std::string FormatNumberLine(const std::string& label, unsigned long number)
        {
            char text[32];
            std::snprintf(text, sizeof(text), "% 5lld", static_cast<long long>(number));
            return label + " " + text;
        }
    }

    MissionsScreen::MissionsScreen() = default;
    MissionsScreen::~MissionsScreen() = default;

    void MissionsScreen::OnEnter()
    {
        FitBackground(GetFromRegistry<ResourceManager>()->CreateSprite(folder + "background.jpg", true).get_shared());
        m_view.reset(new WorldView(GetFromRegistry<Saving>(), mapPosition));

        m_markers = m_view->CreateMarkers();
        for (const stable_ptr<MissionMarker>& marker : m_markers)
        {
            AddButton(marker, 0);
            // The marker holds its slot: a weak hold keeps the two from holding each other.
            const std::weak_ptr<MissionMarker> held = marker.get_shared();
            marker->GetClickSignal().connect([this, held](MouseButton) {
                if (const std::shared_ptr<MissionMarker> clicked = held.lock())
                    SelectMission(create_stable_ptr(clicked));
            });
        }

        const struct
        {
            const char* name;
            std::function<void()> action;
        } buttons[] = {
            {"shop", &GoTo<ShopScreen>},
            {"inventory", &GoTo<HangarScreen>},
            {"technology", &GoTo<TechnologyScreen>},
            {"exit", &GoToStartScreen},
            {"save", &SaveCampaign},
            {"start", [this] { Start(); }},
        };
        std::vector<sf::Vector2f> positions =
            CreateGrid(ToScreen(mapPosition.x, buttonRowY), ToScreen(buttonStep, 0.f), 6, 1);
        m_menu.clear();
        for (const auto& entry : buttons)
        {
            const std::string path = folder + "|buttons|" + entry.name + "|";
            const stable_ptr<Button> button = CreateImageButton(TakeFirst(positions), path + "idle", path + "clicked");
            AddButton(button, 0);
            const std::function<void()> action = entry.action;
            button->GetClickSignal().connect([action](MouseButton) { action(); });
            m_menu.push_back(button);
        }
        m_menu.back()->SetEnabled(false);
    }

    void MissionsScreen::OnExit()
    {
        m_selected.reset();
        m_missionTexts.clear();
        m_markers.clear();
        m_view.reset();
        FitBackground(nullptr);
        m_menu.clear();
        ClearButtons();
    }

    void MissionsScreen::Draw()
    {
        if (!GetBackground())
            BOOST_THROW_EXCEPTION(LogicError());
        const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
        window->draw(*GetBackground());
        if (!m_view)
            BOOST_THROW_EXCEPTION(LogicError());
        m_view->Draw();
        DrawButtons([](const stable_ptr<Button>& button) { button->DrawIfVisible(); });

        for (const sf::Text& text : m_missionTexts)
            window->draw(text);
    }

    std::vector<std::string> MissionsScreen::GetMissionTexts() const
    {
        if (!m_selected)
            return {};
        const MissionBlueprint& mission = *m_selected->GetMission();
        return {FormatNumberLine("Payment:", mission.m_payment), FormatNumberLine("Difficulty:", mission.m_difficulty)};
    }

    void MissionsScreen::SelectMission(const stable_ptr<MissionMarker>& marker)
    {
        if (m_menu.empty())
            BOOST_THROW_EXCEPTION(LogicError());
        m_selected = marker.get_shared();
        if (!m_font)
            m_font = ShareDefaultFont().get_shared();
        m_missionTexts.clear();
        const sf::Vector2f places[] = {paymentPosition, difficultyPosition};
        for (const std::string& line : GetMissionTexts())
        {
            sf::Text text(line, *m_font, textSize);
            text.setFillColor(sf::Color(255, 255, 255, 255));
            text.setPosition(places[m_missionTexts.size()]);
            m_missionTexts.push_back(text);
        }
        std::set<std::string> fitted;
        for (const stable_ptr<Sellable>& item : GetFromRegistry<Inventory>()->GetShip()->GetEquipment())
            fitted.insert(item->GetID());
        const stable_ptr<Button>& start = m_menu.back();
        start->SetEnabled(false);
        for (const std::string& key : marker->GetMission()->KeyEquipment)
            if (fitted.count(key) == 0)
                return;
        start->SetEnabled(true);
    }

    void MissionsScreen::Start()
    {
        if (!m_selected)
            BOOST_THROW_EXCEPTION(LogicError());
        const stable_ptr<AdventureScreen> adventure = GetFromRegistry<AdventureScreen>();
        const stable_ptr<Mission> mission = GetFromRegistry<MissionFactory>()->CreateMission(m_selected->GetMission());
        adventure->LoadMission(mission);
        GetFromRegistry<ScreenManager>()->SetNextScreen(adventure);
    }
}
