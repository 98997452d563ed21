// Judges the threat of generated mission segments.
#pragma once

namespace Kestrum
{
    class ThreatSystem
    {
    public:
        ThreatSystem();
        virtual ~ThreatSystem();
        ThreatSystem(const ThreatSystem&) = delete;
        ThreatSystem& operator=(const ThreatSystem&) = delete;
    };
}
