#include "levels/LayerLoader.hpp"

namespace Kestrum
{
    LayerLoader::LayerLoader() = default;
    LayerLoader::~LayerLoader() = default;
}
