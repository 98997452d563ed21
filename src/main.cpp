// The program: start-up, the main loop, shut-down and the last-resort handlers.
#include "campaign/AdventureScreen.hpp"
#include "campaign/EquipmentScreen.hpp"
#include "campaign/HangarScreen.hpp"
#include "campaign/InventoryScreen.hpp"
#include "campaign/MissionsScreen.hpp"
#include "campaign/SavingManager.hpp"
#include "campaign/SavingsScreen.hpp"
#include "campaign/ShopScreen.hpp"
#include "campaign/TechnologyScreen.hpp"
#include "campaign/TechnologyTreeFactory.hpp"
#include "core/AudioDevice.hpp"
#include "core/ConfigurationSystem.hpp"
#include "core/DebugHUD.hpp"
#include "core/DisplayConnection.hpp"
#include "core/Exception.hpp"
#include "core/FrameClock.hpp"
#include "core/FramePacer.hpp"
#include "core/GraphFactory.hpp"
#include "core/LogSystem.hpp"
#include "core/ProfileSystem.hpp"
#include "core/RandomizationSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "core/Version.hpp"
#include "flight/EnemyFactory.hpp"
#include "flight/EquipmentFactory.hpp"
#include "flight/FlyingEnemy.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/HullFactory.hpp"
#include "flight/ScoreSystem.hpp"
#include "flight/ScrollSystem.hpp"
#include "flight/ShieldFactory.hpp"
#include "flight/ShotBase.hpp"
#include "flight/ShotManager.hpp"
#include "flight/StatisticSystem.hpp"
#include "flight/Turret.hpp"
#include "flight/WeaponFactory.hpp"
#include "interface/InputSystem.hpp"
#include "interface/OptionScreen.hpp"
#include "interface/ScreenManager.hpp"
#include "interface/StartScreen.hpp"
#include "levels/ArcadeScreen.hpp"
#include "levels/MissionFactory.hpp"
#include "levels/PathFactory.hpp"
#include "levels/ThreatSystem.hpp"
#include "levels/TileManager.hpp"
#include "levels/WorldMapFactory.hpp"
#include "presentation/ParticleFactory.hpp"
#include "presentation/ParticleSystem.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <boost/exception/diagnostic_information.hpp>
#include <boost/format.hpp>
#include <boost/signals2/connection.hpp>
#include <fstream>
#include <iostream>
#include <memory>

using namespace Kestrum;

namespace
{
    void WriteToLogFile(const std::string& line)
    {
        static std::ofstream file("log.txt", std::ios::out | std::ios::app);
        file << line;
        file.flush();
    }

    void WriteToConsole(const std::string& line)
    {
        std::cout << line;
        std::cout.flush();
    }

    void ConnectLogSinks(LogSystem& log)
    {
        const LogLevel levels[] = {LogLevel::error, LogLevel::warning, LogLevel::info, LogLevel::debug};
        for (LogLevel level : levels)
            log.Connect(level, &WriteToLogFile);
        for (LogLevel level : levels)
            log.Connect(level, &WriteToConsole);
    }

    void WriteProfileFile(const ProfileSystem& profile)
    {
        std::ofstream file("profile.csv", std::ios::out | std::ios::trunc);
        WriteProfile(profile.GetSamples(), file);
    }

    // Writes "profile.csv" when it goes, on the normal way out and while an
    // exception unwinds the main function alike.
    class ProfileGuard
    {
    public:
        explicit ProfileGuard(const stable_ptr<ProfileSystem>& profile) : m_profile(profile) {}
        ~ProfileGuard()
        {
            KESTRUM_GUARDED(WriteProfileFile(*m_profile);)
        }

    private:
        stable_ptr<ProfileSystem> m_profile;
    };

    // The lines of the debug overlay. The rate line keeps its clock and its text
    // from the start of the program and refreshes at most twice a second.
    sf::Clock s_framesPerSecondClock;
    std::string s_framesPerSecondText = "FPS:    0.0";

    std::string GetFramesPerSecondLine()
    {
        if (s_framesPerSecondClock.getElapsedTime().asSeconds() > 0.5f)
        {
            s_framesPerSecondText = FormatFramesPerSecond(FrameClock::GetFrameTime(), s_framesPerSecondText);
            s_framesPerSecondClock.restart();
        }
        return s_framesPerSecondText;
    }

    template <typename T>
    std::string GetCountLine(const char* format)
    {
        const std::size_t count = GetFromRegistry<GameObjectManager>()->GetObjects<T>().size();
        return (boost::format(format) % count).str();
    }

    std::string GetFlyingEnemiesLine()
    {
        return GetCountLine<FlyingEnemy>("Flying enemies: % 3d");
    }

    std::string GetTurretsLine()
    {
        return GetCountLine<Turret>("Turrets: % 3d");
    }

    std::string GetShotsLine()
    {
        return GetCountLine<ShotBase>("Shots: % 3d");
    }

    std::string GetParticleSystemsLine()
    {
        return GetCountLine<ParticleSystem>("Particle Systems: % 3d");
    }

    sf::Uint32 ChooseWindowStyle(const ConfigurationSystem& configuration)
    {
        const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
        if (!configuration.IsFullScreen() && desktop.width >= 1100 && desktop.height >= 850)
            return sf::Style::Titlebar | sf::Style::Close;
        return sf::Style::Fullscreen;
    }

    // The systems of the core, each loaded where it has a file.
    void CreateCoreSystems()
    {
        CreateLoadAndRegister(new RandomizationSystem());
        CreateLoadAndRegister(new ConfigurationSystem());
        CreateAndRegister(new ResourceManager());
        CreateAndRegister(new TimeSystem());
        CreateAndRegister(new ProfileSystem());
    }

    // The window in the video mode the configuration chose, with its vertical sync.
    void OpenWindow(const ConfigurationSystem& configuration)
    {
        const sf::Uint32 style = ChooseWindowStyle(configuration);
        const std::string title = "Quorvallis " + GetVersionNumber() + " (" + GetVersionStage() + ")";
        auto window = create_stable_ptr(std::make_shared<sf::RenderWindow>(
            configuration.GetVideoMode(), title, style, sf::ContextSettings(24, 8, 0)));
        if (style != sf::Style::Fullscreen)
        {
            // Centre the window on the desktop ourselves.
            const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
            window->setPosition(sf::Vector2i((int(desktop.width) - int(window->getSize().x)) / 2,
                                             (int(desktop.height) - int(window->getSize().y)) / 2));
        }
        Registry::Instance()->Register<sf::RenderWindow>(window);
        window->setVerticalSyncEnabled(configuration.IsVerticalBlankSyncEnabled());
    }

    // The input, the factories, the managers and the flight's systems.
    void CreateServices()
    {
        CreateLoadAndRegister(new InputSystem());
        CreateAndRegister(new GraphFactory());
        CreateAndRegister(new ShotManager());
        CreateLoadAndRegister(new WeaponFactory());
        CreateLoadAndRegister(new ShieldFactory());
        CreateLoadAndRegister(new HullFactory());
        CreateLoadAndRegister(new EquipmentFactory());
        CreateAndRegister(new WorldMapFactory());
        CreateAndRegister(new PathFactory());
        CreateAndRegister(new MissionFactory());
        CreateAndRegister(new SavingManager());
        auto objects = CreateLoadAndRegister(new GameObjectManager());
        Registry::Instance()->Register<ObjectSink>(stable_ptr<ObjectSink>(objects));
        CreateAndRegister(new TileManager());
        CreateLoadAndRegister(new EnemyFactory());
        CreateAndRegister(new ThreatSystem());
        CreateAndRegister(new TechnologyTreeFactory());
        CreateLoadAndRegister(new ParticleFactory());
        CreateAndRegister(new ScrollSystem());
        CreateAndRegister(new ScoreSystem());
        CreateLoadAndRegister(new StatisticSystem());
    }

    // The debug overlay with its five lines.
    void CreateDebugHUD()
    {
        auto hud = create_stable_ptr(std::make_shared<DebugHUD>());
        Registry::Instance()->Register<DebugHUD>(hud);
        hud->SetLine(0, &GetFramesPerSecondLine);
        hud->SetLine(1, &GetFlyingEnemiesLine);
        hud->SetLine(2, &GetTurretsLine);
        hud->SetLine(3, &GetShotsLine);
        hud->SetLine(4, &GetParticleSystemsLine);
    }

    // The eleven screens; the start screen's arcade button leads to the arcade screen.
    void CreateScreens()
    {
        auto startScreen = CreateAndRegister(new StartScreen());
        CreateAndRegister(new SavingsScreen());
        CreateAndRegister(new MissionsScreen());
        CreateAndRegister(new AdventureScreen());
        auto arcadeScreen = CreateAndRegister(new ArcadeScreen());
        CreateAndRegister(new ShopScreen());
        CreateAndRegister(new HangarScreen());
        CreateAndRegister(new InventoryScreen());
        CreateAndRegister(new EquipmentScreen());
        CreateAndRegister(new TechnologyScreen());
        CreateAndRegister(new OptionScreen());
        startScreen->SetArcadeDestination(arcadeScreen);
    }

    // The screen manager, which enters the start screen at once.
    void CreateScreenManager()
    {
        const stable_ptr<Screen> start(GetFromRegistry<StartScreen>());
        Registry::Instance()->Register<ScreenManager>(create_stable_ptr(std::make_shared<ScreenManager>(start)));
    }

    // One pass per frame while the screen manager runs, each step timed by its
    // profile sample; the loop paces the frames to the limit itself (FramePacer),
    // at fixed deadlines, instead of the window's limiter.
    class MainLoop
    {
    public:
        MainLoop()
            : m_profile(GetFromRegistry<ProfileSystem>()), m_objects(GetFromRegistry<GameObjectManager>()),
              m_screenManager(GetFromRegistry<ScreenManager>()), m_input(GetFromRegistry<InputSystem>()),
              m_window(GetFromRegistry<sf::RenderWindow>()), m_hud(GetFromRegistry<DebugHUD>()),
              m_pacer(GetFromRegistry<ConfigurationSystem>()->GetFrameRateLimit()), m_firstFrameShown(false)
        {
        }

        void Run()
        {
            while (m_screenManager->IsRunning())
            {
                ProfileSample whole("ML");
                Begin();
                const stable_ptr<Screen> screen = UpdateScreenManager();
                UpdateInput(screen);
                UpdateScreen(*screen);
                Draw(*screen);
                DisplayWindow();
                ReportFirstFrame();
                whole.Stop();
            }
        }

    private:
        // A new frame for the profiler; the objects that report themselves expired go;
        // what other threads wrote to the error streams is logged.
        void Begin()
        {
            ProfileSample sample("ML_Begin");
            m_profile->NextFrame();
            m_objects->RemoveDead();
            FlushCapturedStreams();
        }

        // A pending switch of screens is carried out; the current screen.
        stable_ptr<Screen> UpdateScreenManager()
        {
            ProfileSample sample("ML_ScreenMng_Update");
            m_screenManager->Update();
            return m_screenManager->GetCurrentScreen();
        }

        // The window's events, turned into actions and mouse events, go to the screen.
        void UpdateInput(const stable_ptr<Screen>& screen)
        {
            ProfileSample sample("ML_Input_Update");
            m_input->SetReceiver(stable_ptr<InterfaceInput>(screen));
            m_input->OnUpdate();
        }

        void UpdateScreen(Screen& screen)
        {
            ProfileSample sample("ML_Screen_Update");
            screen.OnUpdate();
        }

        // Black where the screen does not cover the window, the screen, then the debug overlay.
        void Draw(Screen& screen)
        {
            ProfileSample sample("ML_Draw");
            if (!screen.CoversWindow())
                m_window->clear(sf::Color(0, 0, 0, 255));
            screen.Draw();
            m_hud->Draw();
        }

        void DisplayWindow()
        {
            ProfileSample sample("ML_Win_Display");
            m_pacer.Show(*m_window);
            FrameClock::FrameDisplayed();
        }

        // Start-up ends with the first frame shown (measured by the flight benchmark).
        void ReportFirstFrame()
        {
            if (m_firstFrameShown)
                return;
            *Log(LogLevel::info) << "first frame shown";
            m_firstFrameShown = true;
        }

        stable_ptr<ProfileSystem> m_profile;
        stable_ptr<GameObjectManager> m_objects;
        stable_ptr<ScreenManager> m_screenManager;
        stable_ptr<InputSystem> m_input;
        stable_ptr<sf::RenderWindow> m_window;
        stable_ptr<DebugHUD> m_hud;
        FramePacer m_pacer;
        bool m_firstFrameShown;
    };

    // Start-up after the log, the main loop, and the window closed at its end.
    int Run(const stable_ptr<LogSystem>& log)
    {
        const stable_ptr<Registry> registry = Registry::Create();
        registry->Register<LogSystem>(log);
        // Before any sound or music is made: without a device the game makes none.
        if (!AudioDevice::IsAvailable())
            *Log(LogLevel::warning) << "no audio device could be opened: the game runs without sound";
        CreateCoreSystems();
        ProfileGuard profileGuard(GetFromRegistry<ProfileSystem>());
        OpenWindow(*GetFromRegistry<ConfigurationSystem>());
        CreateServices();
        CreateDebugHUD();
        CreateScreens();
        CreateScreenManager();

        MainLoop().Run();

        GetFromRegistry<sf::RenderWindow>()->close();
        return 0;
    }
}

int main(int argc, char** argv)
{
    std::shared_ptr<LogSystem> logOwner;
    try
    {
        logOwner = std::make_shared<LogSystem>();
        ConnectLogSinks(*logOwner);
    }
    catch (...)
    {
        return 1;
    }
    const stable_ptr<LogSystem> log = create_stable_ptr(logOwner);

    LogSystem::WriteNewLine();
    *Log(LogLevel::info) << "Log system is running";
    if (argc > 1)
    {
        *Log(LogLevel::warning) << "found command line parameters: they will be ignored";
        LogIndent indent;
        for (int i = 1; i < argc; ++i)
            *Log(LogLevel::warning) << argv[i];
    }

    // Held until the game ends, so that an X server of the game's own does not
    // reset between the window library's connections.
    const DisplayConnection display;
    if (!display.IsOpen())
        return 1;

    // A run that an error ended says so to whoever started the game.
    int exitCode = 0;
    try
    {
        Run(log);
    }
    catch (...)
    {
        LogCurrentException(BOOST_CURRENT_FUNCTION);
        exitCode = 1;
    }
    return exitCode;
}
