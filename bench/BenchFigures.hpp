// What the benchmark programs share: their clock, the statistics of their
// timings, their output, one `name: value` a line, and their command line,
// `name [frames [last-frame.png]]`.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace BenchFigures
{
    typedef std::chrono::steady_clock Clock;

    inline double Milliseconds(Clock::time_point from, Clock::time_point to)
    {
        return std::chrono::duration<double, std::milli>(to - from).count();
    }

    // The value below which the fraction of the values lies; 0 without values.
    inline double Percentile(std::vector<double> values, double fraction)
    {
        if (values.empty())
            return 0.;
        std::sort(values.begin(), values.end());
        return values[std::min(values.size() - 1, std::size_t(fraction * double(values.size())))];
    }

    inline double Median(const std::vector<double>& values)
    {
        return Percentile(values, 0.5);
    }

    inline void Print(const char* name, double value)
    {
        std::printf("%s: %.3f\n", name, value);
    }

    // Runs the measurement of the frames asked for (600 unless told
    // otherwise) with the picture's file name or none, and answers the exit
    // code: 1 after printing a failure.
    inline int Main(int argc, char** argv, const char* name, int (*run)(unsigned frames, const char* picture))
    {
        try
        {
            const unsigned frames = argc > 1 ? unsigned(std::strtoul(argv[1], nullptr, 10)) : 600u;
            if (frames == 0)
            {
                std::fprintf(stderr, "usage: %s [frames [last-frame.png]]\n", name);
                return 1;
            }
            return run(frames, argc > 2 ? argv[2] : nullptr);
        }
        catch (const std::exception& e)
        {
            std::fprintf(stderr, "%s failed: %s\n", name, e.what());
            return 1;
        }
    }
}
