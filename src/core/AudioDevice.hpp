// Whether the game has an audio device to play through. The multimedia library
// opens OpenAL's default device when the first sound, sound buffer or music
// stream is made; where none opens (no sound card, a server, a remote desktop,
// a sound server that is not running) every later call of it fails with an
// error line, and its music thread spins on the failures. So the game asks
// once, at start-up before it makes any sound, and where there is no device it
// makes none for the whole run: no music stream, no sound buffer, no sound
// (see ResourceManager). The sound and music volumes are kept all the same.
#pragma once

namespace Kestrum
{
    class AudioDevice
    {
    public:
        // Whether OpenAL's default device opens. The first call asks (the device
        // is closed again at once, for the multimedia library to open); what the
        // libraries write to the standard-error descriptor meanwhile (ALSA's and
        // OpenAL's complaints where no device opens) goes to std::cerr instead,
        // a line at a time, which the log takes as error lines. Every later call gives the
        // same answer.
        static bool IsAvailable();
    };
}
