#include "core/TypeName.hpp"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace Kestrum
{
    std::string ReadableTypeName(const std::type_info& type)
    {
        int status = 0;
        std::unique_ptr<char, void (*)(void*)> demangled(
            abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
        const std::string name = (status == 0 && demangled) ? demangled.get() : type.name();
        return "class " + name;
    }
}
