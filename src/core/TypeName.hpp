#pragma once

#include <string>
#include <typeinfo>

namespace Kestrum
{
    // The readable name of a type as messages show it: "class " and the
    // namespace-qualified name, e.g. "class Kestrum::ScrollSystem".
    std::string ReadableTypeName(const std::type_info& type);

    template <typename T>
    std::string ReadableTypeName()
    {
        return ReadableTypeName(typeid(T));
    }
}
