#include "core/AudioDevice.hpp"

#include <AL/alc.h>

namespace Kestrum
{
    namespace
    {
        bool OpenDefaultDevice()
        {
            ALCdevice* const device = alcOpenDevice(nullptr);
            if (!device)
                return false;
            alcCloseDevice(device);
            return true;
        }
    }

    bool AudioDevice::IsAvailable()
    {
        static const bool available = OpenDefaultDevice();
        return available;
    }
}
