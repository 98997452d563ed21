#include "core/Version.hpp"

namespace Kestrum
{
    std::string GetVersionNumber()
    {
        return "0.4";
    }

    std::string GetVersionStage()
    {
        return "alpha";
    }
}
