// flight-bench: a busy flight on a real flight screen, and the game's start-up.
//
// The flight: the ground of two tile layers, 100 flying enemies and 20 turrets
// (let in again wherever they leave), about 1,000 shots in flight (the enemies'
// fire topped up every frame), at least 50 particle effects (topped up; hits and
// explosions add more), shadows, the player's ship steering and firing all the
// time (brought back when destroyed), and the flight interface over it all. Every
// frame lasts 1/60 s of game time and the game's generator starts from a fixed
// seed. Per frame it times, up to glFinish where drawing is involved:
//   update_ms         the objects' update pass,
//   collision_ms      the collision pass,
//   draw_ms           the objects' drawing as the game does it,
//   batched_draw_ms   the same vertices (same textures, same places) drawn as
//                     one vertex array per texture and blend mode: the floor;
// and prints the median and 95th percentile of each, the resident memory at the
// end of the flight (rss_mb) and the median time from starting the game to its
// first start-screen frame (startup_ms, from the real game binary and its log
// line "first frame shown"). Before them it prints what the scene held (the
// mean numbers of enemies, shots and effects), the draw calls of the objects'
// pass, the vertex arrays of the floor and the heap allocations of the timed
// passes (medians; not counted in a sanitizer build).
//
// Run it with the game root as the current directory and a display (Xvfb will
// do): `flight-bench [frames [last-frame.png]]` measures 600 frames unless told
// otherwise, and saves the picture of the last one when given a file name.
#include "AllocationCount.hpp"
#include "BenchFigures.hpp"
#include "DrawCapture.hpp"
#include "FlightServices.hpp"
#include "campaign/AdventureScreen.hpp"
#include "core/FlatLineGraph.hpp"
#include "core/FrameClock.hpp"
#include "core/GraphFactory.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "flight/Categories.hpp"
#include "flight/Enemy.hpp"
#include "flight/EnemyFactory.hpp"
#include "flight/FlyingEnemy.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/MissionProgress.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/ScrollSystem.hpp"
#include "flight/ShotBase.hpp"
#include "flight/ShotManager.hpp"
#include "flight/StatisticSystem.hpp"
#include "flight/Turret.hpp"
#include "interface/ScreenManager.hpp"
#include "levels/ArcadeScreen.hpp"
#include "levels/TileManager.hpp"
#include "presentation/ParticleFactory.hpp"
#include "presentation/ParticleSystem.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/SpriteBatch.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <new>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using AllocationCount::allocations;
using AllocationCount::counting;

using namespace Kestrum;
using namespace BenchFigures;

namespace
{
    const float frame = 1.f / 60.f;
    const unsigned flyingEnemies = 100;
    const unsigned turrets = 20;
    const unsigned shotsInFlight = 1000;
    const unsigned particleSystems = 50;

    // ---- start-up --------------------------------------------------------------

    // Starts the game and waits for its log line after the first frame; the game
    // is then stopped. Answers the milliseconds from the start of the process.
    double MeasureStartup()
    {
        int output[2];
        if (pipe(output) != 0)
            throw std::runtime_error("no pipe for the game's output");
        const Clock::time_point start = Clock::now();
        const pid_t game = fork();
        if (game < 0)
            throw std::runtime_error("could not start the game");
        if (game == 0)
        {
            dup2(output[1], STDOUT_FILENO);
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDERR_FILENO);
            close(output[0]);
            close(output[1]);
            setenv("ALSOFT_DRIVERS", "null", 0);
            execl(KESTRUM_GAME_EXE, KESTRUM_GAME_EXE, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(output[1]);
        std::string text;
        double milliseconds = -1.;
        pollfd wait{output[0], POLLIN, 0};
        while (milliseconds < 0. && Milliseconds(start, Clock::now()) < 60000. && poll(&wait, 1, 1000) >= 0)
        {
            if (!(wait.revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[4096];
            const ssize_t read = ::read(output[0], buffer, sizeof buffer);
            if (read <= 0)
                break;
            text.append(buffer, std::size_t(read));
            if (text.find("first frame shown") != std::string::npos)
                milliseconds = Milliseconds(start, Clock::now());
        }
        kill(game, SIGTERM);
        waitpid(game, nullptr, 0);
        close(output[0]);
        if (milliseconds < 0.)
            throw std::runtime_error("the game showed no first frame; its output:\n" + text);
        return milliseconds;
    }

    // ---- the flight ------------------------------------------------------------

    // The arcade screen as a mission runs it; the benchmark runs the ground, the
    // objects and the interface itself to time them apart.
    class BenchScreen : public ArcadeScreen
    {
    public:
        void OnEnter() override
        {
            FlightScreen::OnEnter();
            GetFromRegistry<TileManager>()->OnEnter();
        }
        void OnUpdate() override { FlightScreen::OnUpdate(); }
        void OnExit() override
        {
            GetFromRegistry<TileManager>()->OnExit();
            FlightScreen::OnExit();
        }
        void Draw() override {}
    };

    // Grassland with patches of dry earth.
    std::vector<TileGrid> Ground()
    {
        TileGrid grass(40, TileRow(26, Tile(true, true, true, true, 0)));
        TileGrid earth(40, TileRow(26, Tile()));
        for (int row = 0; row < 40; ++row)
            for (int column = 0; column < 26; ++column)
                if (std::sin(float(column) * 0.45f) * std::cos(float(row) * 0.37f) > 0.3f)
                    earth[std::size_t(row)][std::size_t(column)] = Tile(true, true, true, true, 1);
        return {grass, earth};
    }

    double ResidentMegabytes()
    {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line))
            if (line.compare(0, 6, "VmRSS:") == 0)
                return std::atof(line.c_str() + 6) / 1024.;
        return 0.;
    }

    struct Figures
    {
        std::vector<double> update, collision, draw, batched, objects, drawCalls, arrays, allocations;
        double flying = 0., grounded = 0., shots = 0., effects = 0., shipFlying = 0.;
    };

    class Flight
    {
    public:
        explicit Flight(unsigned seed)
            : m_random(seed), m_window(OpenWindow()), m_services(m_window, std::int32_t(seed)),
              m_time(m_services.time), m_shots(m_services.shots), m_objects(m_services.objects),
              m_tiles(m_services.tiles), m_particles(m_services.particles), m_scroll(m_services.scroll),
              m_ship(m_services.ship)
        {
            m_scroll->Reset(stable_ptr<Graph>(new FlatLineGraph(0.05f)));
            m_services.statistics->ResetCurrent(0, 1000);
            CreateAndRegister(new MissionProgress());
            const std::shared_ptr<EnemyFactory>& enemies = m_services.enemies;

            m_screen = CreateAndRegister<ArcadeScreen>(new BenchScreen());
            CreateAndRegister(new AdventureScreen());
            m_screens = CreateAndRegister(new ScreenManager(create_stable_ptr(std::shared_ptr<Screen>(m_screen))));
            m_ground = Ground();

            const char* flyers[] = {"airship000", "airship001", "airship002", "airship005"};
            for (unsigned i = 0; i < flyingEnemies; ++i)
                m_flyers.push_back(create_stable_ptr(
                    std::dynamic_pointer_cast<Enemy>(enemies->Create(flyers[i % 4]).get_shared())));
            for (unsigned i = 0; i < turrets; ++i)
                m_turrets.push_back(create_stable_ptr(
                    std::dynamic_pointer_cast<Enemy>(enemies->Create(i % 2 ? "turret001" : "turret000").get_shared())));
            m_objects->GetSpriteBatch().SetObserver(nullptr);
        }

        ~Flight()
        {
            m_objects->Clear();
            m_screens.reset();
            m_screen.reset();
        }

        // One frame; measured frames add their figures.
        void Run(Figures* figures)
        {
            FrameClock::SetFrameTime(frame);
            m_time->paused = false;
            m_objects->RemoveDead();
            m_screens->Update();
            LetIn();
            Steer();

            m_screen->OnUpdate();
            const unsigned long allocated = allocations;
            counting = figures != nullptr;
            const Clock::time_point updateStart = Clock::now();
            m_objects->UpdatePass();
            const Clock::time_point updateEnd = Clock::now();
            m_objects->CollisionPass();
            const Clock::time_point collisionEnd = Clock::now();
            counting = false;

            m_window->clear(sf::Color::Black);
            const float offset = m_scroll->GetPosition() * float(m_window->getSize().y);
            for (const TileGrid& layer : m_ground)
                m_tiles->DrawGrid(layer, offset);
            glFinish();
            counting = figures != nullptr;
            const Clock::time_point drawStart = Clock::now();
            m_objects->Draw();
            glFinish();
            const Clock::time_point drawEnd = Clock::now();
            counting = false;
            const std::size_t drawCalls = m_objects->GetSpriteBatch().GetDrawCalls();
            m_screen->DrawGUI();
            if (!m_picture.empty())
            {
                sf::Texture picture;
                picture.create(m_window->getSize().x, m_window->getSize().y);
                picture.update(*m_window);
                picture.copyToImage().saveToFile(m_picture);
            }
            m_window->display();

            if (!figures)
                return;
            // The same frame once more, taken down by texture, then drawn that way.
            m_capture.TakeAnew(m_objects->GetSpriteBatch(), [this] { m_objects->Draw(); });
            m_window->clear(sf::Color::Black);
            glFinish();
            const Clock::time_point batchedStart = Clock::now();
            m_capture.Draw(*m_window);
            glFinish();
            const Clock::time_point batchedEnd = Clock::now();

            figures->update.push_back(Milliseconds(updateStart, updateEnd));
            figures->collision.push_back(Milliseconds(updateEnd, collisionEnd));
            figures->draw.push_back(Milliseconds(drawStart, drawEnd));
            figures->batched.push_back(Milliseconds(batchedStart, batchedEnd));
            figures->drawCalls.push_back(double(drawCalls));
            figures->allocations.push_back(double(allocations - allocated));
            figures->arrays.push_back(double(m_capture.GetArrays()));
            figures->objects.push_back(double(m_objects->GetObjects<GameObject>().size()));
            figures->flying += double(m_objects->GetObjects<FlyingEnemy>().size());
            figures->shipFlying += m_ship->IsExpired() || m_ship->GetHitPoints() == 0 ? 0. : 1.;
            figures->grounded += double(m_objects->GetObjects<Turret>().size());
            figures->shots += double(m_objects->GetObjects<ShotBase>().size());
            figures->effects += double(m_objects->GetObjects<ParticleSystem>().size());
        }

        // The picture of every later frame goes to this file.
        void SavePictures(const std::string& path) { m_picture = path; }

    private:
        static std::shared_ptr<sf::RenderWindow> OpenWindow()
        {
            const auto window = std::make_shared<sf::RenderWindow>(sf::VideoMode(1024, 768), "flight-bench",
                                                                   sf::Style::Titlebar | sf::Style::Close);
            window->setVerticalSyncEnabled(false);
            return window;
        }

        float Between(float low, float high) { return std::uniform_real_distribution<float>(low, high)(m_random); }

        // Brings back the ship, the enemies that left, shots and effects.
        void LetIn()
        {
            const EdgeRect field = GetFlightArea();
            if (m_frame == 0 || m_ship->IsExpired())
            {
                m_ship->Reset(sf::Vector2f((field.left + field.right) / 2.f, field.bottom - 80.f));
                m_objects->Add(stable_ptr<GameObject>(create_stable_ptr(std::shared_ptr<GameObject>(m_ship))));
            }
            for (const stable_ptr<Enemy>& enemy : m_flyers)
                if (m_frame == 0 || enemy->IsExpired())
                {
                    enemy->Reset(sf::Vector2f(Between(field.left + 40.f, field.right - 40.f),
                                              Between(field.top + 20.f, field.top + 420.f)));
                    m_objects->Add(stable_ptr<GameObject>(enemy));
                }
            for (const stable_ptr<Enemy>& turret : m_turrets)
                if (m_frame == 0 || turret->IsExpired())
                {
                    turret->Reset(sf::Vector2f(Between(field.left + 40.f, field.right - 40.f),
                                               Between(field.top - 40.f, field.bottom - 200.f)));
                    m_objects->Add(stable_ptr<GameObject>(turret));
                }
            ++m_frame;

            // The enemies' fire, topped up to the shots in flight; the player's
            // shots are the ship's own.
            const unsigned long hostileTypes[] = {500, 501, 502, 504};
            for (std::size_t shots = m_objects->GetObjects<ShotBase>().size(); shots < shotsInFlight; ++shots)
            {
                const stable_ptr<ShotBase> shot = m_shots->Get(hostileTypes[m_random() % 4], true);
                shot->Launch(sf::Vector2f(Between(field.left, field.right), Between(field.top, field.bottom)),
                             sf::Vector2f(Between(-80.f, 80.f), 300.f), 1);
                m_objects->Add(stable_ptr<GameObject>(shot));
            }
            for (std::size_t effects = m_objects->GetObjects<ParticleSystem>().size(); effects < particleSystems;
                 ++effects)
                m_objects->Add(stable_ptr<GameObject>(m_particles->Get(
                    101 + m_random() % 3,
                    sf::Vector2f(Between(field.left, field.right), Between(field.top, field.bottom)))));
        }

        // The ship fires all the time and sweeps left and right.
        void Steer()
        {
            m_screen->HandleAction(InterfaceInput::fire);
            m_screen->HandleAction((m_frame / 45) % 2 ? InterfaceInput::move_left : InterfaceInput::move_right);
        }

        std::mt19937 m_random;
        std::shared_ptr<sf::RenderWindow> m_window;
        FlightServices m_services;
        std::shared_ptr<TimeSystem> m_time;
        std::shared_ptr<ShotManager> m_shots;
        std::shared_ptr<GameObjectManager> m_objects;
        std::shared_ptr<TileManager> m_tiles;
        std::shared_ptr<ParticleFactory> m_particles;
        std::shared_ptr<ScrollSystem> m_scroll;
        std::shared_ptr<PlayerShip> m_ship;
        std::shared_ptr<ArcadeScreen> m_screen;
        std::shared_ptr<ScreenManager> m_screens;
        std::vector<TileGrid> m_ground;
        std::vector<stable_ptr<Enemy>> m_flyers;
        std::vector<stable_ptr<Enemy>> m_turrets;
        DrawCapture m_capture;
        unsigned m_frame = 0;
        std::string m_picture;
    };

    int Run(unsigned frames, const char* picture)
    {
        const bool quick = frames < 100;
        std::vector<double> startups;
        for (unsigned i = 0; i < (quick ? 1u : 5u); ++i)
            startups.push_back(MeasureStartup());

        LogSystem log;  // unconnected: the flight's notes go nowhere
        Figures figures;
        double resident = 0.;
        {
            Flight flight(20261207);
            for (unsigned f = 0; f < (quick ? 2u : 60u); ++f)
                flight.Run(nullptr);
            for (unsigned f = 0; f < frames; ++f)
            {
                if (picture && f + 1 == frames)
                    flight.SavePictures(picture);
                flight.Run(&figures);
            }
            resident = ResidentMegabytes();
        }

        const double count = double(frames);
        Print("objects", Median(figures.objects));
        Print("flying_enemies", figures.flying / count);
        Print("turrets", figures.grounded / count);
        Print("ship_flying", figures.shipFlying / count);
        Print("shots", figures.shots / count);
        Print("particle_systems", figures.effects / count);
        Print("draw_calls", Median(figures.drawCalls));
        Print("batched_arrays", Median(figures.arrays));
#ifdef KESTRUM_COUNTS_ALLOCATIONS
        Print("allocations", Median(figures.allocations));
#endif
        Print("update_ms", Median(figures.update));
        Print("update_p95_ms", Percentile(figures.update, 0.95));
        Print("collision_ms", Median(figures.collision));
        Print("collision_p95_ms", Percentile(figures.collision, 0.95));
        Print("draw_ms", Median(figures.draw));
        Print("draw_p95_ms", Percentile(figures.draw, 0.95));
        Print("batched_draw_ms", Median(figures.batched));
        Print("rss_mb", resident);
        Print("startup_ms", Median(startups));
        return 0;
    }
}

int main(int argc, char** argv)
{
    return BenchFigures::Main(argc, argv, "flight-bench", &Run);
}
