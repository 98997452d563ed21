// Makes the world map of a campaign.
#pragma once

namespace Kestrum
{
    class WorldMapFactory
    {
    public:
        WorldMapFactory();
        virtual ~WorldMapFactory();
        WorldMapFactory(const WorldMapFactory&) = delete;
        WorldMapFactory& operator=(const WorldMapFactory&) = delete;
    };
}
