#include "levels/NoiseMapBuilderPlane.hpp"

#include "core/Exception.hpp"

#include <boost/format.hpp>
#include <libnoise/model/plane.h>
#include <libnoise/module/modulebase.h>

namespace Kestrum
{
    NoiseMapBuilderPlane::NoiseMapBuilderPlane(const noise::module::Module& source, unsigned width, unsigned height)
        : m_source(source), m_width(width), m_height(height), m_lowerX(0.0), m_upperX(0.0), m_lowerZ(0.0),
          m_upperZ(0.0)
    {
    }

    void NoiseMapBuilderPlane::SetBounds(double lowerX, double upperX, double lowerZ, double upperZ)
    {
        m_lowerX = lowerX;
        m_upperX = upperX;
        m_lowerZ = lowerZ;
        m_upperZ = upperZ;
    }

    NoiseMap NoiseMapBuilderPlane::Build() const
    {
        if (!(m_lowerX < m_upperX) || !(m_lowerZ < m_upperZ) || m_width == 0 || m_height == 0)
            BOOST_THROW_EXCEPTION(InvalidArgumentError(
                (boost::format("invalid noise map: %1% x %2% points over x [%3%, %4%], z [%5%, %6%]") % m_width %
                 m_height % m_lowerX % m_upperX % m_lowerZ % m_upperZ)
                    .str()));
        const noise::model::Plane plane(m_source);
        const double xDelta = (m_upperX - m_lowerX) / m_width;
        const double zDelta = (m_upperZ - m_lowerZ) / m_height;
        NoiseMap map(m_width, m_height);
        double z = m_lowerZ;
        for (unsigned row = 0; row < m_height; ++row)
        {
            double x = m_lowerX;
            for (unsigned column = 0; column < m_width; ++column)
            {
                map.SetValue(column, row, static_cast<float>(plane.GetValue(x, z)));
                x += xDelta;
            }
            z += zDelta;
        }
        return map;
    }
}
