#include "core/AudioDevice.hpp"

#include "core/StandardErrorCapture.hpp"

#include <AL/alc.h>
#include <iostream>
#include <sstream>

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

        // Hands each line that the sound libraries wrote to the error stream of
        // C++, which the log system takes as an error line (and which is the
        // terminal's while no log system runs), and says what was left out for
        // its length.
        void PassOnLibraryText(const std::string& text, std::size_t more)
        {
            std::istringstream lines(text);
            for (std::string line; std::getline(lines, line);)
                if (!line.empty())
                    std::cerr << line << '\n';
            if (more > 0)
                std::cerr << more << " more bytes that the sound libraries wrote were not logged\n";
        }

        bool AskForDevice()
        {
            // What the sound system and OpenAL say while they look for a device
            // goes into the log, not onto the terminal.
            StandardErrorCapture capture;
            const bool available = OpenDefaultDevice();
            std::size_t more = 0;
            const std::string text = capture.Release(more);
            PassOnLibraryText(text, more);
            return available;
        }
    }

    bool AudioDevice::IsAvailable()
    {
        static const bool available = AskForDevice();
        return available;
    }
}
