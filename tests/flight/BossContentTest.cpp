// The bodies of the two bosses, as the game ships them, play their transitions
// and send their signals at the right moments; the picture of both bosses is
// kept beside the game root (boss-bodies.png) to be looked at.
#include "core/RandomizationSystem.hpp"
#include "presentation/AnimationFixture.hpp"
#include "presentation/ParticleFactory.hpp"
#include "presentation/Shadow.hpp"
#include "presentation/StateMachineBase.hpp"

#include <cmath>

#include <vector>

using namespace Kestrum;

namespace
{
    class BossContent : public Testing::AnimationFixture
    {
    protected:
        BossContent()
        {
            std::filesystem::copy(std::filesystem::path(KESTRUM_GAME_ROOT) / "resources", root.GetPath() / "resources",
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::overwrite_existing);
            CreateLoadAndRegister(new RandomizationSystem());
            OpenWindow(1024, 768);
            CreateLoadAndRegister(new ParticleFactory());
        }

        // A machine whose signals land in `signals`, placed and turned.
        stable_ptr<StateMachineBase> Body(const std::string& path, const sf::Vector2f& position, float rotation)
        {
            const stable_ptr<StateMachineBase> body = GetFromRegistry<ResourceManager>()->CreateStateMachine(path);
            body->SetSignalHandler([this](const std::string& signal) { signals.push_back(signal); });
            body->SetPosition(position.x, position.y);
            body->SetRotation(rotation);
            return body;
        }

        // Plays the seconds in frames of 0.05 s; the signals that came.
        std::vector<std::string> Play(StateMachineBase& body, float seconds)
        {
            signals.clear();
            for (float t = 0.f; t < seconds; t += 0.05f)
                Step(body, 0.05f);
            return signals;
        }

        std::vector<std::string> signals;
    };
}

TEST_F(BossContent, BodiesSignalWhenTheirTransitionsAreOver)
{
    using Signals = std::vector<std::string>;
    const stable_ptr<StateMachineBase> disk = Body("$resources|enemies|airbosss|001|ingame.statemachine", {330, 250}, 20);
    for (const char* slot : {"slot0|open", "slot1|open", "slot2|open", "slot3|open"})
        EXPECT_TRUE(disk->Execute(slot)) << slot;
    EXPECT_EQ(Signals(), Play(*disk, 0.4f));
    EXPECT_EQ(Signals({"slot0|opened", "slot1|opened", "slot2|opened", "slot3|opened"}), Play(*disk, 0.2f));
    // Open: the muzzle sits beyond the rim, pointing outwards.
    Socket muzzle;
    ASSERT_TRUE(disk->GetSocket("slot1|weapon|muzzle", muzzle));
    EXPECT_NEAR(110.f, muzzle.orientation, 0.01f);
    EXPECT_GT(std::hypot(muzzle.position.x - 330.f, muzzle.position.y - 250.f), 140.f);

    const stable_ptr<StateMachineBase> phase1 = Body("resources|enemies|groundbosss|000|phase1.statemachine", {614, 192}, 90);
    const stable_ptr<StateMachineBase> phase2 = Body("resources|enemies|groundbosss|000|phase2.statemachine", {614, 520}, 90);
    EXPECT_TRUE(phase2->Execute("extend"));
    EXPECT_EQ(Signals(), Play(*phase2, 1.6f));
    EXPECT_EQ(Signals({"extension_finished"}), Play(*phase2, 0.2f));
    Play(*phase1, 0.2f);

    sf::RenderWindow& window = *GetFromRegistry<sf::RenderWindow>();
    window.clear(sf::Color(70, 84, 52));
    for (StateMachineBase* body : {&*disk, &*phase1, &*phase2})
        body->EnableShadow()->Draw();
    for (StateMachineBase* body : {&*disk, &*phase1, &*phase2})
        body->Draw(false, sf::Color::White);
    Capture().saveToFile((std::filesystem::path(KESTRUM_GAME_ROOT).parent_path() / "boss-bodies.png").string());

    EXPECT_TRUE(disk->Execute("slot2|close"));
    EXPECT_EQ(Signals({"slot2|closed"}), Play(*disk, 0.6f));
    EXPECT_TRUE(phase1->Execute("turret|phase_end"));
    EXPECT_TRUE(phase2->Execute("phase_end"));
    EXPECT_EQ(Signals({"kill_me"}), Play(*phase2, 3.f));
    EXPECT_EQ(Signals(), Play(*phase1, 1.f));
    EXPECT_TRUE(disk->Execute("explode"));
    Play(*disk, 0.1f);
    EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();
}
