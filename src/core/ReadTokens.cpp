#include "core/ReadTokens.hpp"

#include "core/LogSystem.hpp"

namespace Kestrum
{
    std::vector<std::string> ReadTokens(std::istream& stream)
    {
        if (!(stream.exceptions() & std::ios::badbit))
            *Log(LogLevel::warning) << "stream will not throw when encountering badbit";
        std::vector<std::string> tokens;
        std::string token;
        while (stream >> token)
            tokens.push_back(token);
        return tokens;
    }
}
