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
#include "core/ConfigurationSystem.hpp"
#include "core/DebugHUD.hpp"
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

    int Run(const stable_ptr<LogSystem>& log)
    {
        const stable_ptr<Registry> registry = Registry::Create();
        registry->Register<LogSystem>(log);
        auto randomization = CreateLoadAndRegister(new RandomizationSystem());
        auto configuration = CreateLoadAndRegister(new ConfigurationSystem());
        auto resources = CreateAndRegister(new ResourceManager());
        auto time = CreateAndRegister(new TimeSystem());
        auto profile = CreateAndRegister(new ProfileSystem());
        ProfileGuard profileGuard(profile);

        const sf::Uint32 style = ChooseWindowStyle(*configuration);
        const std::string title = "Quorvallis " + GetVersionNumber() + " (" + GetVersionStage() + ")";
        auto window = create_stable_ptr(std::make_shared<sf::RenderWindow>(
            configuration->GetVideoMode(), title, style, sf::ContextSettings(24, 8, 0)));
        if (style != sf::Style::Fullscreen)
        {
            // Centre the window on the desktop ourselves.
            const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
            window->setPosition(sf::Vector2i((int(desktop.width) - int(window->getSize().x)) / 2,
                                             (int(desktop.height) - int(window->getSize().y)) / 2));
        }
        registry->Register<sf::RenderWindow>(window);
        // The loop paces the frames to the limit itself (FramePacer), at fixed
        // deadlines, instead of the window's limiter.
        FramePacer pacer(configuration->GetFrameRateLimit());
        window->setVerticalSyncEnabled(configuration->IsVerticalBlankSyncEnabled());

        auto input = CreateLoadAndRegister(new InputSystem());
        auto graphs = CreateAndRegister(new GraphFactory());
        auto shots = CreateAndRegister(new ShotManager());
        auto weapons = CreateLoadAndRegister(new WeaponFactory());
        auto shields = CreateLoadAndRegister(new ShieldFactory());
        auto hulls = CreateLoadAndRegister(new HullFactory());
        auto equipment = CreateLoadAndRegister(new EquipmentFactory());
        auto worldMaps = CreateAndRegister(new WorldMapFactory());
        auto paths = CreateAndRegister(new PathFactory());
        auto missions = CreateAndRegister(new MissionFactory());
        auto savings = CreateAndRegister(new SavingManager());
        auto objects = CreateLoadAndRegister(new GameObjectManager());
        registry->Register<ObjectSink>(stable_ptr<ObjectSink>(objects));
        auto tiles = CreateAndRegister(new TileManager());
        auto enemies = CreateLoadAndRegister(new EnemyFactory());
        auto threats = CreateAndRegister(new ThreatSystem());
        auto technologies = CreateAndRegister(new TechnologyTreeFactory());
        auto particles = CreateLoadAndRegister(new ParticleFactory());
        auto scroll = CreateAndRegister(new ScrollSystem());
        auto score = CreateAndRegister(new ScoreSystem());
        auto statistics = CreateLoadAndRegister(new StatisticSystem());

        auto hud = create_stable_ptr(std::make_shared<DebugHUD>());
        registry->Register<DebugHUD>(hud);
        hud->SetLine(0, &GetFramesPerSecondLine);
        hud->SetLine(1, &GetFlyingEnemiesLine);
        hud->SetLine(2, &GetTurretsLine);
        hud->SetLine(3, &GetShotsLine);
        hud->SetLine(4, &GetParticleSystemsLine);

        auto startScreen = CreateAndRegister(new StartScreen());
        auto savingsScreen = CreateAndRegister(new SavingsScreen());
        auto missionsScreen = CreateAndRegister(new MissionsScreen());
        auto adventureScreen = CreateAndRegister(new AdventureScreen());
        auto arcadeScreen = CreateAndRegister(new ArcadeScreen());
        auto shopScreen = CreateAndRegister(new ShopScreen());
        auto hangarScreen = CreateAndRegister(new HangarScreen());
        auto inventoryScreen = CreateAndRegister(new InventoryScreen());
        auto equipmentScreen = CreateAndRegister(new EquipmentScreen());
        auto technologyScreen = CreateAndRegister(new TechnologyScreen());
        auto optionScreen = CreateAndRegister(new OptionScreen());
        startScreen->SetArcadeDestination(arcadeScreen);

        auto screenManager = create_stable_ptr(std::make_shared<ScreenManager>(stable_ptr<Screen>(startScreen)));
        registry->Register<ScreenManager>(screenManager);

        bool firstFrameShown = false;
        while (screenManager->IsRunning())
        {
            ProfileSample whole("ML");

            ProfileSample begin("ML_Begin");
            profile->NextFrame();
            objects->RemoveDead();
            begin.Stop();

            ProfileSample screenUpdate("ML_ScreenMng_Update");
            screenManager->Update();
            const stable_ptr<Screen> screen = screenManager->GetCurrentScreen();
            screenUpdate.Stop();

            ProfileSample inputUpdate("ML_Input_Update");
            input->SetReceiver(stable_ptr<InterfaceInput>(screen));
            input->OnUpdate();
            inputUpdate.Stop();

            ProfileSample update("ML_Screen_Update");
            screen->OnUpdate();
            update.Stop();

            ProfileSample draw("ML_Draw");
            if (!screen->CoversWindow())
                window->clear(sf::Color(0, 0, 0, 255));
            screen->Draw();
            hud->Draw();
            draw.Stop();

            ProfileSample display("ML_Win_Display");
            pacer.Show(*window);
            FrameClock::FrameDisplayed();
            display.Stop();
            if (!firstFrameShown)
            {
                // Start-up ends here (measured by the flight benchmark).
                *Log(LogLevel::info) << "first frame shown";
                firstFrameShown = true;
            }

            whole.Stop();
        }

        window->close();
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
