#include "presentation/StateMachinePath.hpp"

namespace Kestrum
{
    std::string SplitPath(std::string& path)
    {
        const std::string::size_type first = path.find_first_not_of('|');
        if (first == std::string::npos)
        {
            path.clear();
            return std::string();
        }
        const std::string::size_type last = path.find_last_not_of('|');
        const std::string trimmed = path.substr(first, last - first + 1);
        const std::string::size_type bar = trimmed.find('|');
        if (bar == std::string::npos)
        {
            path.clear();
            return trimmed;
        }
        path = trimmed.substr(bar);
        return trimmed.substr(0, bar);
    }
}
