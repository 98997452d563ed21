// Scrolls the level.
#pragma once

namespace Kestrum
{
    class ScrollSystem
    {
    public:
        ScrollSystem();
        virtual ~ScrollSystem();
        ScrollSystem(const ScrollSystem&) = delete;
        ScrollSystem& operator=(const ScrollSystem&) = delete;
    };
}
