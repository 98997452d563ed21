#include "levels/ArcadeScreen.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "flight/DefaultShip.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/ScoreSystem.hpp"
#include "flight/StatisticSystem.hpp"
#include "interface/GoToStartScreen.hpp"
#include "levels/ArcadeMission.hpp"
#include "levels/MissionFactory.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/Sprite.hpp>

namespace Kestrum
{
    namespace
    {
        const char* const loadingImage = "$resources|gui|screens|flight|loading.jpg";

        // The ship of the registered inventory at its start, three quarters down
        // the middle of the play field, alone in the flight.
        void ResetShipAndObjects()
        {
            const stable_ptr<PlayerShip> ship = GetFromRegistry<Inventory>()->GetShip();
            const EdgeRect area = GetFlightArea();
            ship->Reset(sf::Vector2f(area.left + (area.right - area.left) * 0.5f,
                                     area.top + (area.bottom - area.top) * 0.75f));
            const stable_ptr<GameObjectManager> objects = GetFromRegistry<GameObjectManager>();
            objects->Clear();
            objects->Add(ship);
        }
    }

    // Prepares the screen's current mission number.
    class ArcadeScreen::Loader
    {
    public:
        explicit Loader(ArcadeScreen& screen) : m_screen(screen), m_step(0) {}
        Loader(const Loader&) = delete;
        Loader& operator=(const Loader&) = delete;

        // One step a frame: the picture, then the ship and the mission, then an
        // idle frame; from then on it returns the mission to hand over, before
        // that nothing.
        std::shared_ptr<ArcadeMission> Step()
        {
            switch (m_step)
            {
            case 0:
                LoadScreen();
                m_step = 1;
                return nullptr;
            case 1:
                PrepareLevel();
                m_step = 2;
                return nullptr;
            case 2:
                m_step = 3;
                return nullptr;
            default:
                return m_mission;
            }
        }

        // Leaves the mission that was entered but never handed over.
        void Abandon()
        {
            if (m_mission && m_mission->IsEntered())
                m_mission->OnExit();
            m_mission.reset();
        }

    private:
        // The loading picture becomes the screen's background until the
        // mission takes over.
        void LoadScreen()
        {
            m_screen.FitBackground(GetFromRegistry<ResourceManager>()->CreateSprite(loadingImage, true).get_shared());
        }

        void PrepareLevel()
        {
            if (m_mission)
                BOOST_THROW_EXCEPTION(LogicError());
            const stable_ptr<PlayerShip> ship = CreateDefaultShip();
            Registry::Instance()->Register<Inventory>(Inventory::Create({ship.get_shared()}, ship));
            LoadMission();
            ResetShipAndObjects();
        }

        void LoadMission()
        {
            const stable_ptr<MissionFactory> missions = GetFromRegistry<MissionFactory>();
            if (!missions->ArcadeMissionExists(m_screen.m_missionNumber))
                BOOST_THROW_EXCEPTION(LogicError("initial mission not found"));
            m_mission = missions->CreateArcadeMission(m_screen.m_missionNumber);
            m_mission->OnEnter();
        }

        ArcadeScreen& m_screen;
        int m_step;
        std::shared_ptr<ArcadeMission> m_mission;
    };

    ArcadeScreen::ArcadeScreen() : m_missionNumber(0) {}
    ArcadeScreen::~ArcadeScreen() = default;

    bool ArcadeScreen::HandleAction(Action action)
    {
        if (FlightScreen::HandleAction(action))
            return true;
        if (action == escape)
        {
            GoToStartScreen();
            return true;
        }
        if (action == pause)
        {
            const stable_ptr<TimeSystem> time = GetFromRegistry<TimeSystem>();
            time->paused = !time->paused;
            return true;
        }
        return false;
    }

    void ArcadeScreen::OnEnter()
    {
        if (m_mission)
            BOOST_THROW_EXCEPTION(LogicError("no mission must be available on entering screen"));
        FlightScreen::OnEnter();
        m_missionNumber = 0;
        m_loader = std::make_unique<Loader>(*this);
    }

    void ArcadeScreen::OnUpdate()
    {
        if (m_loader)
        {
            std::shared_ptr<ArcadeMission> mission = m_loader->Step();
            if (!mission)
                return;
            m_loader.reset();
            FitBackground(nullptr);
            m_mission = std::move(mission);
            GetFromRegistry<StatisticSystem>()->ResetCurrent(m_missionNumber, m_mission->GetTotalEnemyCount());
            *Log(LogLevel::info) << "arcade mission " << m_missionNumber << " begins";
        }
        FlightScreen::OnUpdate();
        if (!m_mission)
            BOOST_THROW_EXCEPTION(LogicError("mission is not available"));
        m_mission->OnUpdate();
        if (m_mission->Failed())
        {
            std::uint32_t& score = GetFromRegistry<ScoreSystem>()->score;
            *Log(LogLevel::info) << "arcade mission " << m_missionNumber << " failed: the score halves from "
                                 << score << " to " << (score >> 1);
            score >>= 1;
            ResetShipAndObjects();
            BeginLoading();
        }
        else if (m_mission->Completed())
        {
            *Log(LogLevel::info) << "arcade mission " << m_missionNumber << " completed";
            ResetShipAndObjects();
            ++m_missionNumber;
            if (GetFromRegistry<MissionFactory>()->ArcadeMissionExists(m_missionNumber))
                BeginLoading();
            else
            {
                *Log(LogLevel::info) << "finished last mission!";
                GoToStartScreen();
            }
        }
    }

    void ArcadeScreen::BeginLoading()
    {
        m_mission->OnExit();
        m_mission.reset();
        m_loader = std::make_unique<Loader>(*this);
        m_loader->Step();
    }

    void ArcadeScreen::OnExit()
    {
        // Left while loading, the mission being prepared may have been entered
        // already: it is left as a flown one would be.
        if (m_loader)
            m_loader->Abandon();
        m_loader.reset();
        FitBackground(nullptr);
        if (m_mission)
            m_mission->OnExit();
        m_mission.reset();
        GetFromRegistry<GameObjectManager>()->Clear();
        Registry::Instance()->Unregister<Inventory>();
        GetFromRegistry<TimeSystem>()->paused = false;
        FlightScreen::OnExit();
    }

    bool ArcadeScreen::CoversWindow() const
    {
        return !m_loader && m_mission && OverlayCoversAllButFlightArea();
    }

    void ArcadeScreen::Draw()
    {
        if (m_loader)
        {
            if (!GetBackground())
                BOOST_THROW_EXCEPTION(LogicError("loading screen image not available"));
            Screen::Draw();
            return;
        }
        if (!m_mission)
            BOOST_THROW_EXCEPTION(LogicError());
        m_mission->Draw();
        DrawGUI();
    }
}
