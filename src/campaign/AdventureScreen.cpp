#include "campaign/AdventureScreen.hpp"

#include "campaign/ExitableScreen.hpp"
#include "campaign/MissionsScreen.hpp"
#include "campaign/Saving.hpp"
#include "core/DefaultFont.hpp"
#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/Inventory.hpp"
#include "flight/MissionProgress.hpp"
#include "flight/PlayerShip.hpp"
#include "interface/ScreenManager.hpp"
#include "interface/SimpleButton.hpp"
#include "levels/Mission.hpp"
#include "levels/MissionBlueprint.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <functional>
#include <limits>
#include <optional>

namespace Kestrum
{
    namespace
    {
        const char* const buttonFolder = "resources|flightscreen|buttons|";
        const float buttonTop = 100.f;
        const sf::Vector2f shipStart(200.f, 200.f);
        const unsigned cashSize = 15;
        const float cashMargin = 5.f;

        void SetCursorVisible(bool visible)
        {
            GetFromRegistry<sf::RenderWindow>()->setMouseCursorVisible(visible);
        }

        // The money holds 32 bits: a payment that would carry it past the largest
        // such number fills it up to that number instead of wrapping round.
        void PayInto(Inventory& inventory, unsigned long payment)
        {
            const unsigned long long sum = static_cast<unsigned long long>(inventory.money) + payment;
            const sf::Uint32 most = std::numeric_limits<sf::Uint32>::max();
            if (sum < payment || sum > most)
            {
                *Log(LogLevel::warning) << "the payment of " << payment << " would carry the money of "
                                        << inventory.money << " past " << most << ": it stays at " << most;
                inventory.money = most;
            }
            else
                inventory.money = static_cast<sf::Uint32>(sum);
        }

        void ReturnToMissionsScreen()
        {
            GetFromRegistry<TimeSystem>()->paused = false;
            GetFromRegistry<ScreenManager>()->SetNextScreen(GetFromRegistry<MissionsScreen>());
        }

        stable_ptr<Button> CreateMenuButton(const std::string& name, float x)
        {
            const std::string folder = buttonFolder + name + "|";
            return SimpleButton::Create(folder + "idle", folder + "clicked", sf::Vector2f(x, buttonTop), false);
        }

        // The pause menu: the flight dimmed, "continue" and "exit" side by side.
        // Its buttons are built on entry and dropped on exit; in between the
        // adventure screen shows and hides it as its child.
        class Menu : public Screen
        {
        public:
            explicit Menu(const std::function<void()>& onContinue) : m_continue(onContinue) {}

            // Built twice without an exit in between: LogicError.
            void OnEnter() override
            {
                if (m_dimming || GetBackground())
                    BOOST_THROW_EXCEPTION(LogicError());
                const sf::Vector2u size = GetFromRegistry<sf::RenderWindow>()->getSize();
                m_dimming.emplace();
                m_dimming->create(size.x, size.y, sf::Color(0, 0, 0, 64));
                if (!m_texture.loadFromImage(*m_dimming))
                    BOOST_THROW_EXCEPTION(RuntimeError("could not make the texture of the pause menu"));
                FitBackground(std::make_shared<sf::Sprite>(m_texture));

                const stable_ptr<Button> resume = CreateMenuButton("continue", 75.f);
                AddButton(resume, 0);
                const std::function<void()> onContinue = m_continue;
                resume->GetClickSignal().connect([onContinue](MouseButton) { onContinue(); });
                const stable_ptr<Button> leave = CreateMenuButton("exit", 225.f);
                AddButton(leave, 0);
                leave->GetClickSignal().connect([](MouseButton) { ReturnToMissionsScreen(); });
            }

            // Not built: LogicError.
            void OnExit() override
            {
                ClearButtons();
                FitBackground(nullptr);
                if (!m_dimming)
                    BOOST_THROW_EXCEPTION(LogicError());
                m_dimming.reset();
            }

        private:
            std::function<void()> m_continue;
            std::optional<sf::Image> m_dimming;
            sf::Texture m_texture;
        };
    }

    AdventureScreen::AdventureScreen() : m_menu(new Menu([this] { Continue(); })) {}

    AdventureScreen::~AdventureScreen() = default;

    void AdventureScreen::LoadMission(const stable_ptr<Mission>& mission)
    {
        const unsigned long id = mission->GetBlueprint()->m_id;
        *Log(LogLevel::info) << "start loading mission " << id;
        const LogIndent indent;
        const stable_ptr<GameObjectManager> objects = GetFromRegistry<GameObjectManager>();
        objects->Clear();
        const stable_ptr<PlayerShip> ship = GetFromRegistry<Inventory>()->GetShip();
        ship->Reset(shipStart);
        objects->Add(ship);
        m_mission = mission.get_shared();
        *Log(LogLevel::info) << "finished loading mission " << id;
    }

    bool AdventureScreen::HandleAction(Action action)
    {
        if (FlightScreen::HandleAction(action))
            return true;
        if (action != escape || IsMenuOpen() || GetFromRegistry<MissionProgress>()->IsFinished())
            return false;
        GetFromRegistry<TimeSystem>()->paused = true;
        SetCursorVisible(true);
        AddChild(m_menu);
        return true;
    }

    void AdventureScreen::OnEnter()
    {
        FlightScreen::OnEnter();
        if (!m_mission)
            BOOST_THROW_EXCEPTION(LogicError());
        m_mission->OnEnter();
        m_menu->OnEnter();
    }

    void AdventureScreen::OnUpdate()
    {
        FlightScreen::OnUpdate();
        if (IsMenuOpen())
            return;
        if (!m_mission)
            BOOST_THROW_EXCEPTION(LogicError());
        m_mission->OnUpdate();
        const std::shared_ptr<MissionProgress>& progress = m_mission->GetProgress();
        if (!progress)
            return;
        const MissionBlueprint& blueprint = *m_mission->GetBlueprint();
        if (progress->Completed())
        {
            *Log(LogLevel::info) << "mission " << blueprint.m_id << " completed, paying " << blueprint.m_payment;
            PayInto(*GetFromRegistry<Inventory>(), blueprint.m_payment);
            const stable_ptr<Saving> saving = GetFromRegistry<Saving>();
            for (const std::string& item : blueprint.Goodies)
                saving->AddToShop(item);
            ReturnToMissionsScreen();
        }
        else if (progress->Failed())
        {
            // Nothing else leads out of a lost mission: back to the map, unpaid.
            *Log(LogLevel::info) << "mission " << blueprint.m_id << " failed";
            ReturnToMissionsScreen();
        }
    }

    void AdventureScreen::OnExit()
    {
        ClearChildren();
        m_menu->OnExit();
        if (!m_mission)
            BOOST_THROW_EXCEPTION(LogicError());
        m_mission->OnExit();
        m_mission.reset();
        FlightScreen::OnExit();
    }

    void AdventureScreen::Draw()
    {
        if (!m_mission)
            BOOST_THROW_EXCEPTION(LogicError());
        m_mission->Draw();
        DrawGUI();

        const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
        if (!m_font)
        {
            m_font = ShareDefaultFont().get_shared();
            m_cash.setFont(*m_font);
            m_cash.setCharacterSize(cashSize);
            // A dark rim keeps the white letters readable over any ground.
            m_cash.setOutlineColor(sf::Color(0, 0, 0, 255));
            m_cash.setOutlineThickness(1.f);
        }
        m_cash.setString(FormatCashLine(GetFromRegistry<Inventory>()->money));
        const float width = m_cash.getLocalBounds().width;
        m_cash.setPosition(static_cast<float>(window->getSize().x) - width - cashMargin, cashMargin);
        window->draw(m_cash);

        Screen::Draw();
    }

    void AdventureScreen::Continue()
    {
        ClearChildren();
        GetFromRegistry<TimeSystem>()->paused = false;
        SetCursorVisible(false);
    }
}
