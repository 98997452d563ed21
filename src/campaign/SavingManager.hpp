// Lists, loads, writes and deletes the save slots.
#pragma once

namespace Kestrum
{
    class SavingManager
    {
    public:
        SavingManager();
        virtual ~SavingManager();
        SavingManager(const SavingManager&) = delete;
        SavingManager& operator=(const SavingManager&) = delete;
    };
}
