// Reads the layers of a level, in their drawing order.
#pragma once

#include <memory>
#include <vector>

namespace Kestrum
{
    class Layer;

    class LayerLoader
    {
    public:
        LayerLoader();
        virtual ~LayerLoader();
        LayerLoader(const LayerLoader&) = delete;
        LayerLoader& operator=(const LayerLoader&) = delete;

        virtual std::vector<std::shared_ptr<Layer>> Load() const = 0;
    };
}
