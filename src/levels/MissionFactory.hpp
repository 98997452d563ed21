// Makes missions.
#pragma once

namespace Kestrum
{
    class MissionFactory
    {
    public:
        MissionFactory();
        virtual ~MissionFactory();
        MissionFactory(const MissionFactory&) = delete;
        MissionFactory& operator=(const MissionFactory&) = delete;
    };
}
