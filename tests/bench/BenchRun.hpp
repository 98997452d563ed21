// Runs a benchmark program in a harness's scratch game root on the harness's
// X server and reads what it printed: one `name: value` a line, every value a
// finite number of at least 0, no name twice (each breach is a test failure).
#pragma once

#include "support/GameHarness.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

namespace Kestrum::Testing
{
    // The figures, by name; `exitCode` gets the program's exit status and
    // `printed` all it wrote.
    inline std::map<std::string, double> RunBench(GameHarness& harness, const std::string& program,
                                                  const std::string& arguments, int& exitCode, std::string& printed)
    {
        const std::string output = (harness.Root().parent_path() / "bench.txt").string();
        const std::string command = "cd '" + harness.Root().string() + "' && DISPLAY=" + harness.Display() +
                                    " ALSOFT_DRIVERS=null '" + program + "' " + arguments + " > '" + output + "' 2>&1";
        exitCode = std::system(command.c_str());
        std::ifstream in(output);
        printed.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());

        std::map<std::string, double> figures;
        std::istringstream lines(printed);
        std::string line;
        while (std::getline(lines, line))
        {
            const std::size_t colon = line.find(": ");
            EXPECT_NE(std::string::npos, colon) << line;
            if (colon == std::string::npos)
                continue;
            std::istringstream value(line.substr(colon + 2));
            double number = NAN;
            value >> number;
            EXPECT_TRUE(std::isfinite(number) && number >= 0.) << line;
            EXPECT_TRUE(figures.emplace(line.substr(0, colon), number).second) << "twice: " << line;
        }
        return figures;
    }
}
