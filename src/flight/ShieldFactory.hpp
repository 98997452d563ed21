// Makes shields from their definitions.
#pragma once

namespace Kestrum
{
    class ShieldFactory
    {
    public:
        ShieldFactory();
        virtual ~ShieldFactory();
        ShieldFactory(const ShieldFactory&) = delete;
        ShieldFactory& operator=(const ShieldFactory&) = delete;
        void Load();
    };
}
