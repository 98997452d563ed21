#include "levels/LevelAttribute.hpp"

#include "core/Exception.hpp"
#include "core/XmlReading.hpp"

#include <boost/lexical_cast.hpp>

namespace Kestrum
{
    template <typename T>
    T GetLevelAttribute(const pugi::xml_node& element, const std::string& name)
    {
        try
        {
            return GetAttributeValue<T>(element, name);
        }
        catch (const boost::bad_lexical_cast&)
        {
            BOOST_THROW_EXCEPTION(XmlError("attribute " + name + " of element " + element.name() + " holds " +
                                           element.attribute(name.c_str()).value() + ", which is not a number"));
        }
    }

    template float GetLevelAttribute<float>(const pugi::xml_node&, const std::string&);
    template unsigned int GetLevelAttribute<unsigned int>(const pugi::xml_node&, const std::string&);
}
