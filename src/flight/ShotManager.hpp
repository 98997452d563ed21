// Hands out the shots that weapons fire.
#pragma once

namespace Kestrum
{
    class ShotManager
    {
    public:
        ShotManager();
        virtual ~ShotManager();
        ShotManager(const ShotManager&) = delete;
        ShotManager& operator=(const ShotManager&) = delete;
    };
}
