#include "presentation/SoundEmitter.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Registry.hpp"

#include <SFML/Audio/SoundBuffer.hpp>

namespace Kestrum
{
    sf::Vector3f PlaceSound(const sf::Vector2f& position, const sf::Vector2f& screenSize, float minimumDistance)
    {
        return sf::Vector3f(position.x / screenSize.x - 0.5f, position.y / screenSize.y - 0.5f, -minimumDistance);
    }

    stable_ptr<SoundEmitter> SoundEmitter::Create(const stable_ptr<sf::SoundBuffer>& buffer, bool loop,
                                                  const sf::Vector2f& position)
    {
        return stable_ptr<SoundEmitter>(new SoundEmitter(buffer, loop, position));
    }

    SoundEmitter::SoundEmitter(const stable_ptr<sf::SoundBuffer>& buffer, bool loop, const sf::Vector2f& position)
        : GameObject(LayerGround), m_buffer(buffer), m_sound(*buffer), m_started(false)
    {
        const stable_ptr<ConfigurationSystem> configuration = GetFromRegistry<ConfigurationSystem>();
        const stable_ptr<SoundConfiguration> sound = configuration->GetSoundConfiguration();
        m_screenSize = configuration->GetScreenSize();
        m_sound.setVolume(sound->GetSoundVolume());
        m_sound.setLoop(loop);
        m_sound.setPosition(PlaceSound(position, m_screenSize, sound->GetMinimumDistance()));
        m_sound.setAttenuation(sound->GetAttenuation());
        m_sound.setMinDistance(sound->GetMinimumDistance());
    }

    SoundEmitter::~SoundEmitter() = default;

    void SoundEmitter::OnUpdate()
    {
        if (m_started)
            return;
        m_sound.play();
        m_started = true;
    }

    void SoundEmitter::Draw() {}

    bool SoundEmitter::IsExpired() const
    {
        return m_started && m_sound.getStatus() == sf::Sound::Stopped;
    }

    void SoundEmitter::SetPosition(const sf::Vector2f& position)
    {
        const float depth = m_sound.getPosition().z;
        m_sound.setPosition(PlaceSound(position, m_screenSize, -depth));
    }

    void SoundEmitter::Stop()
    {
        m_sound.stop();
    }
}
