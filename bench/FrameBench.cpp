// frame-bench: whole frames of the busiest scene of the real game, the
// tank-boss fight at the end of arcade mission 2, run the way the main loop
// runs them.
//
// The level is mission 2's own "structure.xml" with all its layers, entered
// where the boss's rows come in: the enemies of the rows before the first
// enemy that must be killed are left out, and the scroll starts a tile before
// the boss is let in. The player's default ship fires all the time, steers
// under the boss and is brought back at once whenever it is destroyed. Every
// frame lasts 1/60 s of game time, the timers' clock moves on with the frames
// and the generators start from fixed seeds, so the fight is the same in
// every run. A long run first flies on without drawing until the boss is in
// its second phase, the busiest part of the fight, then draws a second of
// frames before it measures.
//
// The fight is flown three times from its start, and prints one `name: value`
// a line (milliseconds unless named otherwise, medians unless named p95):
//   frame_ms, frame_p95_ms      the time from frame to frame with no frame-rate
//                               limit: the whole frame's work
//   update_ms                   the part of it before the drawing
//   paced_ms, paced_p95_ms,     the time from frame to frame with the game's
//   paced_mean_ms,              own frame-rate limit of 60, paced as the game
//   over_18_percent             paces it, and the share of frames over 18 ms
//   pass_*_ms                   each drawing pass alone, glFinish between them:
//                               clear, ground (the tile layers), decorations
//                               (the placed pictures), objects, overlay (the
//                               cockpit frame), interface (score, boss dial,
//                               end messages), display
//   floor_ms                    in the same frames, the same picture drawn as
//                               simply as it can be, and shown: the ground as
//                               one opaque quad, the objects' vertices as one
//                               array per texture (floor_arrays of them), the
//                               cockpit frame's opaque rectangles unblended
//                               and its translucent ones blended, the interface
// Before them it prints what the scene held: the objects (median), the boss's
// health at the start and the end of the measured frames.
//
// Run it with the game root as the current directory and a display (Xvfb will
// do): `frame-bench [frames [last-frame.png]]` measures 600 frames of each
// kind unless told otherwise, and saves the picture of the last frame of the
// first flight when given a file name. Under 100 frames it skips the wait for
// the second phase.
#include "BenchFigures.hpp"
#include "DrawCapture.hpp"
#include "FlightServices.hpp"
#include "core/DebugHUD.hpp"
#include "core/FrameClock.hpp"
#include "core/FramePacer.hpp"
#include "core/GraphFactory.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/TimeSystem.hpp"
#include "core/Timer.hpp"
#include "core/XmlReading.hpp"
#include "flight/Enemy.hpp"
#include "flight/FlightScreen.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/InterfaceBoss.hpp"
#include "flight/MissionProgress.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/ScrollSystem.hpp"
#include "flight/StatisticSystem.hpp"
#include "interface/ScreenManager.hpp"
#include "levels/GroundLayer.hpp"
#include "levels/Layer.hpp"
#include "levels/SparseLayer.hpp"
#include "levels/TangibleStage.hpp"
#include "levels/TileManager.hpp"
#include "levels/XmlLayerLoader.hpp"
#include "presentation/ParticleRandom.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/SplitSprite.hpp"
#include "presentation/SpriteBatch.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/Window/Event.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Kestrum;
using namespace BenchFigures;

namespace
{
    const float frameTime = 1.f / 60.f;
    const unsigned frameRateLimit = 60;
    const char* const levelFile = "|missions|arcade|0000000002|structure.xml";
    const char* const overlayImage = "resources|gui|screens|flight|gui.png";
    const std::int32_t seed = 20261207;

    double Mean(const std::vector<double>& values)
    {
        double sum = 0.;
        for (double value : values)
            sum += value;
        return values.empty() ? 0. : sum / double(values.size());
    }

    // Times one stretch of drawing: from the end of everything drawn before to
    // the end of its own drawing.
    class PassTimer
    {
    public:
        PassTimer() : m_start((glFinish(), Clock::now())) {}
        double Stop() const
        {
            glFinish();
            return Milliseconds(m_start, Clock::now());
        }

    private:
        Clock::time_point m_start;
    };

    // The enemies of the rows before the first one that must be killed go; the
    // answer is that first row.
    unsigned KeepBossRows(const pugi::xml_node& root)
    {
        pugi::xml_node enemies = root.child("layers").child("stage").child("enemies");
        unsigned first = ~0u;
        for (const pugi::xml_node enemy : enemies.children("enemy"))
            if (enemy.child("kill_to_win"))
                first = std::min(first, enemy.attribute("y").as_uint());
        if (first == ~0u)
            throw std::runtime_error(std::string(levelFile) + " has no enemy that must be killed");
        for (pugi::xml_node enemy = enemies.child("enemy"); enemy;)
        {
            const pugi::xml_node next = enemy.next_sibling("enemy");
            if (enemy.attribute("y").as_uint() < first)
                enemies.remove_child(enemy);
            enemy = next;
        }
        return first;
    }

    const InterfaceBoss* FindBoss()
    {
        const InterfaceBoss* found = nullptr;
        GetFromRegistry<GameObjectManager>()->ForEachObject<GameObject>([&](const GameObject& object) {
            if (!object.IsExpired() && !found)
                found = dynamic_cast<const InterfaceBoss*>(&object);
        });
        return found;
    }

    // The flight screen with the level drawn as the arcade screen draws its
    // mission: every layer, the end messages, then the flight interface.
    class BenchScreen : public FlightScreen
    {
    public:
        void Draw() override
        {
            for (const std::shared_ptr<Layer>& layer : layers)
                layer->Draw();
            progress->GetData().Draw();
            DrawGUI();
        }
        // As the arcade screen's: the ground comes first.
        bool CoversWindow() const override { return OverlayCoversAllButFlightArea(); }

        std::vector<std::shared_ptr<Layer>> layers;
        std::shared_ptr<MissionProgress> progress;
    };

    struct Passes
    {
        std::vector<double> clear, ground, decorations, objects, overlay, interface, display, floor, arrays;
    };

    // One flight of the fight, from its start.
    class Fight
    {
    public:
        Fight(const std::shared_ptr<sf::RenderWindow>& window, bool quick)
            : m_window(window), m_services(window, seed), m_registry(m_services.registry), m_time(m_services.time),
              m_objects(m_services.objects), m_tiles(m_services.tiles), m_scroll(m_services.scroll),
              m_ship(m_services.ship)
        {
            SeedParticleRandom(seed);
            m_hud = CreateAndRegister(new DebugHUD());
            const std::shared_ptr<ResourceManager>& resources = m_services.resources;
            m_screen = std::make_shared<BenchScreen>();
            m_registry->Register<FlightScreen>(create_stable_ptr(std::shared_ptr<FlightScreen>(m_screen)));
            m_screens = CreateAndRegister(new ScreenManager(create_stable_ptr(std::shared_ptr<Screen>(m_screen))));

            // The mission, entered as the arcade mission enters it.
            m_tiles->OnEnter();
            m_screen->progress = MissionProgress::Create().get_shared();
            m_registry->Register<MissionProgress>(create_stable_ptr(m_screen->progress));
            const stable_ptr<pugi::xml_document> document = LoadXmlFile(ToFilesystemPath(levelFile));
            const pugi::xml_node root = XmlLayerLoader::GetLevelRoot(*document, levelFile);
            const unsigned bossRow = KeepBossRows(root);
            m_screen->layers = GroundLayer::Gather(XmlLayerLoader::LoadLayers(root, levelFile));
            unsigned enemies = 0;
            for (const std::shared_ptr<Layer>& layer : m_screen->layers)
                enemies += layer->GetEnemyCount();
            m_services.statistics->ResetCurrent(2, enemies);
            m_scroll->Reset(m_services.graphs->Create(
                root.child("scroll_behaviour").find_child([](const pugi::xml_node& node) { return node.type() == pugi::node_element; })));
            // A tile before the boss's row is let in (27 rows above the bottom
            // row of a 768-pixel screen).
            const float start = 32.f * (float(bossRow) - 28.f) / float(m_window->getSize().y);
            FrameClock::SetFrameTime(frameTime);
            while (m_scroll->GetPosition() < start)
                m_scroll->Update();

            const EdgeRect field = GetFlightArea();
            m_home = sf::Vector2f((field.left + field.right) / 2.f, field.bottom - 100.f);
            m_ship->Reset(m_home);
            m_objects->Add(stable_ptr<GameObject>(create_stable_ptr(std::shared_ptr<GameObject>(m_ship))));

            m_ground.create(m_window->getSize().x, m_window->getSize().y);
            m_overlay = std::make_unique<SplitSprite>(
                stable_ptr<const sf::Texture>(resources->GetTexture(overlayImage, false)),
                *resources->GetImage(overlayImage, false));
            const sf::Vector2u size = resources->GetImage(overlayImage, false)->getSize();
            m_overlay->SetPosition(sf::Vector2f((float(m_window->getSize().x) - float(size.x)) / 2.f,
                                                (float(m_window->getSize().y) - float(size.y)) / 2.f));

            if (!quick)
            {
                // On to the boss's second phase, then a second of whole frames.
                for (unsigned frame = 0; frame < 20000; ++frame)
                {
                    const InterfaceBoss* boss = FindBoss();
                    if (boss && boss->GetHealthRatio() < 0.56f)
                        break;
                    Update();
                }
                for (unsigned frame = 0; frame < 60; ++frame)
                {
                    Update();
                    Draw();
                    m_window->display();
                }
            }
        }

        ~Fight()
        {
            m_objects->Clear();
            m_screen->layers.clear();
            m_registry->Unregister<MissionProgress>();
            m_tiles->OnExit();
            m_screens.reset();
            m_screen.reset();
        }

        // Everything of a frame up to the drawing, as the main loop does it.
        void Update()
        {
            FrameClock::SetFrameTime(frameTime);
            m_time->paused = false;
            m_objects->RemoveDead();
            m_screens->Update();
            for (sf::Event event; m_window->pollEvent(event);)
            {
            }
            Steer();
            m_screen->OnUpdate();
            m_screen->progress->GetData().OnUpdate();
            for (const std::shared_ptr<Layer>& layer : m_screen->layers)
                layer->OnUpdate();
            // Kept in the fight: a destroyed ship flies on at once.
            if (m_ship->GetHitPoints() == 0)
            {
                m_ship->Reset(m_home);
                m_objects->Add(stable_ptr<GameObject>(create_stable_ptr(std::shared_ptr<GameObject>(m_ship))));
            }
            Timer::AdvanceClock(frameTime);
            ++m_frame;
        }

        // The frame's drawing, as the main loop does it.
        void Draw()
        {
            if (!m_screen->CoversWindow())
                m_window->clear(sf::Color::Black);
            m_screen->Draw();
            m_hud->Draw();
        }

        // The same drawing pass by pass, shown; then the floor.
        void DrawPasses(Passes& passes)
        {
            PassTimer clear;
            if (!m_screen->CoversWindow())
                m_window->clear(sf::Color::Black);
            passes.clear.push_back(clear.Stop());
            double ground = 0., decorations = 0.;
            for (const std::shared_ptr<Layer>& layer : m_screen->layers)
            {
                const bool stage = dynamic_cast<const TangibleStage*>(layer.get());
                if (stage)
                {
                    // The ground as it stands under the objects, for the floor.
                    m_ground.update(*m_window);
                }
                PassTimer pass;
                layer->Draw();
                const double time = pass.Stop();
                if (stage)
                    passes.objects.push_back(time);
                else if (dynamic_cast<const SparseLayer*>(layer.get()))
                    decorations += time;
                else
                    ground += time;
            }
            passes.ground.push_back(ground);
            passes.decorations.push_back(decorations);
            PassTimer messages;
            m_screen->progress->GetData().Draw();
            const double messagesTime = messages.Stop();
            PassTimer overlay;
            m_screen->DrawOverlay();
            passes.overlay.push_back(overlay.Stop());
            PassTimer interface;
            m_screen->DrawReadouts();
            m_hud->Draw();
            passes.interface.push_back(messagesTime + interface.Stop());
            if (!m_picture.empty())
                Save(m_picture);
            PassTimer display;
            m_window->display();
            passes.display.push_back(display.Stop());

            // The objects' vertices of this frame, taken down untimed.
            m_capture.TakeAnew(m_objects->GetSpriteBatch(), [this] { m_objects->Draw(); });

            PassTimer floor;
            DrawFloor();
            m_window->display();
            passes.floor.push_back(floor.Stop());
            passes.arrays.push_back(double(m_capture.GetArrays()));
        }

        void Save(const std::string& path) const
        {
            sf::Texture picture;
            picture.create(m_window->getSize().x, m_window->getSize().y);
            picture.update(*m_window);
            picture.copyToImage().saveToFile(path);
        }

        // The last frame drawn by DrawPasses goes to this file.
        void SavePicture(const std::string& path) { m_picture = path; }

        std::size_t GetObjectCount() const { return m_objects->GetObjects<GameObject>().size(); }

    private:
        // Under the boss (or in the middle before it comes), weaving a little,
        // firing all the time.
        void Steer()
        {
            const InterfaceBoss* boss = FindBoss();
            const GameObject* object = dynamic_cast<const GameObject*>(boss);
            const Enemy* enemy = dynamic_cast<const Enemy*>(object);
            const float aim = (enemy ? enemy->GetPosition().x : m_home.x) + 60.f * std::sin(float(m_frame) * 0.03f);
            const float x = m_ship->GetPosition().x;
            m_screen->HandleAction(InterfaceInput::fire);
            if (x < aim - 6.f)
                m_screen->HandleAction(InterfaceInput::move_right);
            else if (x > aim + 6.f)
                m_screen->HandleAction(InterfaceInput::move_left);
        }

        void DrawFloor()
        {
            const EdgeRect field = GetFlightArea();
            const float right = std::min(field.right, float(m_window->getSize().x));
            const sf::Vertex ground[4] = {
                sf::Vertex({field.left, field.top}, sf::Color::White, {field.left, field.top}),
                sf::Vertex({field.left, field.bottom}, sf::Color::White, {field.left, field.bottom}),
                sf::Vertex({right, field.top}, sf::Color::White, {right, field.top}),
                sf::Vertex({right, field.bottom}, sf::Color::White, {right, field.bottom})};
            m_window->draw(ground, 4, sf::TriangleStrip, sf::RenderStates(sf::BlendNone, sf::Transform(), &m_ground, nullptr));
            m_capture.Draw(*m_window);
            m_overlay->Draw(*m_window);
            m_screen->progress->GetData().Draw();
            m_screen->DrawReadouts();
        }

        // Held first: every timer of the flight runs on frames.
        struct HeldTimers
        {
            HeldTimers() { Timer::HoldClock(); }
            ~HeldTimers() { Timer::ReleaseClock(); }
        } m_heldTimers;
        std::shared_ptr<sf::RenderWindow> m_window;
        FlightServices m_services;
        stable_ptr<Registry> m_registry;
        std::shared_ptr<TimeSystem> m_time;
        std::shared_ptr<GameObjectManager> m_objects;
        std::shared_ptr<TileManager> m_tiles;
        std::shared_ptr<ScrollSystem> m_scroll;
        std::shared_ptr<DebugHUD> m_hud;
        std::shared_ptr<PlayerShip> m_ship;
        std::shared_ptr<BenchScreen> m_screen;
        std::shared_ptr<ScreenManager> m_screens;
        std::unique_ptr<SplitSprite> m_overlay;
        sf::Texture m_ground;
        DrawCapture m_capture;
        sf::Vector2f m_home;
        unsigned m_frame = 0;
        std::string m_picture;
    };

    float BossHealth()
    {
        const InterfaceBoss* boss = FindBoss();
        return boss ? boss->GetHealthRatio() : 0.f;
    }

    int Run(unsigned frames, const char* picture)
    {
        const bool quick = frames < 100;
        LogSystem log;  // unconnected: the flight's notes go nowhere
        const auto window = std::make_shared<sf::RenderWindow>(sf::VideoMode(1024, 768), "frame-bench",
                                                               sf::Style::Titlebar | sf::Style::Close);
        window->setVerticalSyncEnabled(false);

        // With no limit: frame to frame.
        std::vector<double> free, update, objects;
        double healthStart = 0., healthEnd = 0.;
        {
            Fight fight(window, quick);
            healthStart = BossHealth();
            Clock::time_point last = Clock::now();
            for (unsigned f = 0; f < frames; ++f)
            {
                const Clock::time_point start = Clock::now();
                fight.Update();
                update.push_back(Milliseconds(start, Clock::now()));
                fight.Draw();
                window->display();
                const Clock::time_point shown = Clock::now();
                free.push_back(Milliseconds(last, shown));
                last = shown;
                objects.push_back(double(fight.GetObjectCount()));
            }
            healthEnd = BossHealth();
        }

        // With the game's limit, paced as the game paces its frames.
        std::vector<double> paced;
        {
            Fight fight(window, quick);
            FramePacer pacer(frameRateLimit);
            Clock::time_point last = Clock::now();
            for (unsigned f = 0; f < frames; ++f)
            {
                fight.Update();
                fight.Draw();
                pacer.Show(*window);
                const Clock::time_point shown = Clock::now();
                if (f > 0)
                    paced.push_back(Milliseconds(last, shown));
                last = shown;
            }
        }

        // Pass by pass, and the floor.
        Passes passes;
        {
            Fight fight(window, quick);
            for (unsigned f = 0; f < frames; ++f)
            {
                fight.Update();
                if (picture && f + 1 == frames)
                    fight.SavePicture(picture);
                fight.DrawPasses(passes);
            }
        }

        Print("frames", double(frames));
        Print("objects", Median(objects));
        Print("boss_health_start", healthStart);
        Print("boss_health_end", healthEnd);
        Print("frame_ms", Median(free));
        Print("frame_p95_ms", Percentile(free, 0.95));
        Print("update_ms", Median(update));
        Print("paced_ms", Median(paced));
        Print("paced_p95_ms", Percentile(paced, 0.95));
        Print("paced_mean_ms", Mean(paced));
        Print("over_18_percent",
              paced.empty() ? 0. : 100. * double(std::count_if(paced.begin(), paced.end(), [](double t) { return t > 18.; })) /
                                       double(paced.size()));
        Print("pass_clear_ms", Median(passes.clear));
        Print("pass_ground_ms", Median(passes.ground));
        Print("pass_decorations_ms", Median(passes.decorations));
        Print("pass_objects_ms", Median(passes.objects));
        Print("pass_overlay_ms", Median(passes.overlay));
        Print("pass_interface_ms", Median(passes.interface));
        Print("pass_display_ms", Median(passes.display));
        Print("floor_ms", Median(passes.floor));
        Print("floor_arrays", Median(passes.arrays));
        window->close();
        return 0;
    }
}

int main(int argc, char** argv)
{
    return BenchFigures::Main(argc, argv, "frame-bench", &Run);
}
