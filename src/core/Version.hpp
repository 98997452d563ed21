#pragma once

#include <string>

namespace Kestrum
{
    std::string GetVersionNumber();
    std::string GetVersionStage();
}
