// Makes particle systems from the particle definitions.
#pragma once

namespace Kestrum
{
    class ParticleFactory
    {
    public:
        ParticleFactory();
        virtual ~ParticleFactory();
        ParticleFactory(const ParticleFactory&) = delete;
        ParticleFactory& operator=(const ParticleFactory&) = delete;
        void Load();
    };
}
