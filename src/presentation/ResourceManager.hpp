// The cache of loaded resources: images, sounds, sprite lists, animations.
#pragma once

namespace Kestrum
{
    class ResourceManager
    {
    public:
        ResourceManager();
        virtual ~ResourceManager();
        ResourceManager(const ResourceManager&) = delete;
        ResourceManager& operator=(const ResourceManager&) = delete;
    };
}
