#include "presentation/SoundEmitter.hpp"

#include "flight/FlightFixture.hpp"

#include <SFML/Audio/OutputSoundFile.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <chrono>
#include <cmath>
#include <thread>

using namespace Kestrum;

namespace
{
    class SoundEmitterTest : public Testing::FlightFixture
    {
    protected:
        SoundEmitterTest()
        {
            // A twentieth of a second of a mono tone.
            std::vector<sf::Int16> samples(1103);
            for (std::size_t i = 0; i < samples.size(); ++i)
                samples[i] = static_cast<sf::Int16>(8000 * std::sin(i * 0.1));
            {
                sf::OutputSoundFile output;
                EXPECT_TRUE(output.openFromFile("beep.wav", 22050, 1));
                output.write(samples.data(), samples.size());
            }
            buffer = GetFromRegistry<ResourceManager>()->GetSoundBuffer("beep.wav");
        }

        stable_ptr<SoundEmitter> Create(bool loop, const sf::Vector2f& at)
        {
            return SoundEmitter::Create(create_stable_ptr(buffer), loop, at);
        }

        std::shared_ptr<sf::SoundBuffer> buffer;
    };
}

TEST(SoundPlacement, TheScreenCentreLiesAtTheMinimumDistanceInFrontOfTheListener)
{
    const sf::Vector2f screen(1024.f, 768.f);
    EXPECT_EQ(sf::Vector3f(0.f, 0.f, -3.f), PlaceSound({512.f, 384.f}, screen, 3.f));
    EXPECT_EQ(sf::Vector3f(-0.5f, -0.5f, -3.f), PlaceSound({0.f, 0.f}, screen, 3.f));
    EXPECT_EQ(sf::Vector3f(0.5f, 0.25f, -1.f), PlaceSound({1024.f, 576.f}, screen, 1.f));
}

TEST_F(SoundEmitterTest, PlaysFromItsFirstUpdateUntilTheSoundEnds)
{
    // The configuration of the fixture: attenuation 2, minimum distance 3.
    const sf::Vector2f screen = GetFromRegistry<ConfigurationSystem>()->GetScreenSize();
    const stable_ptr<SoundEmitter> once = Create(false, screen * 0.5f);
    EXPECT_EQ(LayerGround, once->GetLayer());
    EXPECT_EQ(sf::Vector3f(0.f, 0.f, -3.f), once->GetSound().getPosition());
    EXPECT_EQ(2.f, once->GetSound().getAttenuation());
    EXPECT_EQ(3.f, once->GetSound().getMinDistance());
    once->SetPosition(sf::Vector2f(0.f, 0.f));
    EXPECT_EQ(sf::Vector3f(-0.5f, -0.5f, -3.f), once->GetSound().getPosition());

    once->Stop();
    EXPECT_FALSE(once->IsExpired()) << "not started yet";
    once->OnUpdate();
    EXPECT_EQ(sf::Sound::Playing, once->GetSound().getStatus());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!once->IsExpired() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(once->IsExpired());
    once->OnUpdate();
    EXPECT_TRUE(once->IsExpired()) << "played once only";

    const stable_ptr<SoundEmitter> looping = Create(true, screen * 0.5f);
    looping->OnUpdate();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_FALSE(looping->IsExpired());
    looping->Stop();
    EXPECT_TRUE(looping->IsExpired());
}
