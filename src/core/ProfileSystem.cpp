#include "core/ProfileSystem.hpp"

namespace Kestrum
{
    ProfileSystem::ProfileSystem() = default;
    ProfileSystem::~ProfileSystem() = default;

    void ProfileSystem::NextFrame()
    {
    }

    ProfileSample::ProfileSample(const std::string&) {}
    ProfileSample::~ProfileSample() { Stop(); }
    void ProfileSample::Stop() {}

    void WriteProfile(const ProfileSystem&, std::ostream&)
    {
    }
}
