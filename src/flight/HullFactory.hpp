// Makes hulls from their definitions.
#pragma once

namespace Kestrum
{
    class HullFactory
    {
    public:
        HullFactory();
        virtual ~HullFactory();
        HullFactory(const HullFactory&) = delete;
        HullFactory& operator=(const HullFactory&) = delete;
        void Load();
    };
}
