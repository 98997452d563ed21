// The message of the exception that an action throws, for tests that check
// exact error texts:
//     EXPECT_EQ("seed -3 is too small", ThrownMessage<LogicError>([&] { generator.Seed(-3); }));
// An exception of another type passes through; nothing thrown gives "<nothing thrown>".
#pragma once

#include <string>

namespace Kestrum
{
    namespace Testing
    {
        template <typename E, typename F>
        std::string ThrownMessage(F action)
        {
            try
            {
                action();
            }
            catch (const E& e)
            {
                return e.what();
            }
            return "<nothing thrown>";
        }
    }
}
