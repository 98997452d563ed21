// A sound that belongs to a place in the flight (a shot, an action's sound, a
// boss's machine noise): a game object on the ground layer that owns one
// sf::Sound, starts it on its first update and expires when it has finished.
// Draws nothing.
//
// Sounds are placed in the 3-D sound space by their screen position: the
// screen's centre is (0, 0), its edges at -0.5 and 0.5, and every sound lies at
// z = minus the configured minimum distance in front of the listener (which
// stays at the origin). A sound at the centre is thus exactly at the minimum
// distance and plays at full volume; the configured attenuation softens the
// others. Only mono buffers are placed; stereo ones play unplaced.
//
// The sound object (and with it one of the audio device's few sources) exists
// only as long as the emitter: definitions keep sound buffers
// (ResourceManager::GetSoundBuffer) and make an emitter when the sound is due.
// A game without an audio device has no buffers and so makes no emitters.
#pragma once

#include "core/StablePtr.hpp"
#include "presentation/GameObject.hpp"

#include <SFML/Audio/Sound.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/System/Vector3.hpp>

namespace sf
{
    class SoundBuffer;
}

namespace Kestrum
{
    class SoundEmitter : public GameObject
    {
    public:
        // A new emitter of the buffer at the configured sound volume, looping or
        // not, placed at the screen position. It plays from its first update;
        // the caller adds it to the GameObjectManager.
        static stable_ptr<SoundEmitter> Create(const stable_ptr<sf::SoundBuffer>& buffer, bool loop,
                                               const sf::Vector2f& position);
        ~SoundEmitter() override;

        // The first call plays the sound; later calls do nothing.
        void OnUpdate() override;
        void Draw() override;
        // Started, and the sound has stopped: a looping sound lives until Stop.
        bool IsExpired() const override;

        // Places the sound at another screen position, keeping its depth.
        void SetPosition(const sf::Vector2f& position);
        void Stop();

        const sf::Sound& GetSound() const { return m_sound; }

    private:
        SoundEmitter(const stable_ptr<sf::SoundBuffer>& buffer, bool loop, const sf::Vector2f& position);

        stable_ptr<sf::SoundBuffer> m_buffer;  // outlives the sound
        sf::Sound m_sound;
        sf::Vector2f m_screenSize;
        bool m_started;
    };

    // The place in the sound space of a screen position (pixels) on a screen of
    // the given size: (x / width - 0.5, y / height - 0.5, -minimumDistance).
    sf::Vector3f PlaceSound(const sf::Vector2f& position, const sf::Vector2f& screenSize, float minimumDistance);
}
