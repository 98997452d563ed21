// Stands for the threat values of enemies in level generation. Registered at
// start-up; the segment builder asks for it where it rates its enemies. Its
// table (enemy names to named values) is made empty and stays empty: no
// threat is looked up yet, so every generated segment has the threat 0.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace Kestrum
{
    class ThreatSystem
    {
    public:
        ThreatSystem();
        virtual ~ThreatSystem();
        ThreatSystem(const ThreatSystem&) = delete;
        ThreatSystem& operator=(const ThreatSystem&) = delete;

    private:
        std::map<std::string, std::map<std::string, std::int32_t>> m_threats;
    };
}
