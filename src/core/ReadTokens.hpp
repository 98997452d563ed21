// Reads every whitespace-separated word of a text stream, in order.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace Kestrum
{
    std::vector<std::string> ReadTokens(std::istream& stream);
}
