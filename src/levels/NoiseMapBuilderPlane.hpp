// Fills a noise map from a noise module over a rectangle of the plane y = 0:
// column x of row z holds the module's value at (x0 + x * dx, 0, z0 + z * dz),
// where dx and dz split the rectangle's extent evenly among the columns and
// rows. The steps are added up point by point, so the samples of a map lie
// where a running sum puts them, not where a product would.
#pragma once

#include "levels/NoiseMap.hpp"

namespace noise
{
    namespace module
    {
        class Module;
    }
}

namespace Kestrum
{
    class NoiseMapBuilderPlane
    {
    public:
        // A builder of maps of the size over the module, which must outlive it.
        NoiseMapBuilderPlane(const noise::module::Module& source, unsigned width, unsigned height);

        // The rectangle x in [lowerX, upperX), z in [lowerZ, upperZ).
        void SetBounds(double lowerX, double upperX, double lowerZ, double upperZ);

        // An upper bound not above its lower one, or a map without points:
        // InvalidArgumentError.
        NoiseMap Build() const;

    private:
        const noise::module::Module& m_source;
        unsigned m_width;
        unsigned m_height;
        double m_lowerX;
        double m_upperX;
        double m_lowerZ;
        double m_upperZ;
    };
}
