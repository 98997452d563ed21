// Makes enemies from their definitions.
#pragma once

namespace Kestrum
{
    class EnemyFactory
    {
    public:
        EnemyFactory();
        virtual ~EnemyFactory();
        EnemyFactory(const EnemyFactory&) = delete;
        EnemyFactory& operator=(const EnemyFactory&) = delete;
        void Load();
    };
}
