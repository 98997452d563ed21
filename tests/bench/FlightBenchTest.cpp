// A short run of the flight benchmark, so that it keeps building and running:
// in a scratch game root on its own X server it flies a few frames of its busy
// flight, starts the real game once, and prints every figure.
#include "support/GameHarness.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

using Kestrum::Testing::GameHarness;

TEST(FlightBenchTest, AShortRunFliesTheBusyFlightAndPrintsEveryFigure)
{
    GameHarness harness;
    const std::string output = (harness.Root().parent_path() / "bench.txt").string();
    const std::string command = "cd '" + harness.Root().string() + "' && DISPLAY=" + harness.Display() +
                                " ALSOFT_DRIVERS=null '" KESTRUM_FLIGHT_BENCH_EXE "' 3 > '" + output + "' 2>&1";
    const auto printed = [&] {
        std::ifstream in(output);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    ASSERT_EQ(0, std::system(command.c_str())) << printed();

    std::ifstream in(output);
    std::map<std::string, double> figures;
    std::string line;
    while (std::getline(in, line))
    {
        const std::size_t colon = line.find(": ");
        ASSERT_NE(std::string::npos, colon) << line;
        std::istringstream value(line.substr(colon + 2));
        double number = NAN;
        value >> number;
        EXPECT_TRUE(std::isfinite(number) && number >= 0.) << line;
        EXPECT_TRUE(figures.emplace(line.substr(0, colon), number).second) << "twice: " << line;
    }
    for (const char* name : {"update_ms", "update_p95_ms", "collision_ms", "collision_p95_ms", "draw_ms", "draw_p95_ms",
                             "batched_draw_ms", "rss_mb", "startup_ms"})
        EXPECT_EQ(1u, figures.count(name)) << name;
    // The scene is as busy as it claims.
    EXPECT_EQ(100., figures["flying_enemies"]);
    EXPECT_EQ(20., figures["turrets"]);
    EXPECT_GE(figures["shots"], 1000.);
    EXPECT_GE(figures["particle_systems"], 50.);
    EXPECT_GT(figures["startup_ms"], 0.);
    EXPECT_GT(figures["rss_mb"], 0.);
    // Start-up was timed to the game's own line.
    EXPECT_NE(std::string::npos, harness.ReadLog().find("first frame shown"));
}
