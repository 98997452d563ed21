// The frame profiler: named samples of per-frame durations.
#pragma once

#include <ostream>
#include <string>

namespace Kestrum
{
    class ProfileSystem
    {
    public:
        ProfileSystem();
        virtual ~ProfileSystem();
        ProfileSystem(const ProfileSystem&) = delete;
        ProfileSystem& operator=(const ProfileSystem&) = delete;

        void NextFrame();
    };

    // Measures a stretch of work under a name until Stop or its end.
    class ProfileSample
    {
    public:
        explicit ProfileSample(const std::string& name);
        ~ProfileSample();
        void Stop();
    };

    void WriteProfile(const ProfileSystem& profile, std::ostream& out);
}
