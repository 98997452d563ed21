// A short run of the flight benchmark, so that it keeps building and running:
// in a scratch game root on its own X server it flies a few frames of its busy
// flight, starts the real game once, and prints every figure.
#include "bench/BenchRun.hpp"

#include <map>
#include <string>

using Kestrum::Testing::GameHarness;

TEST(FlightBenchTest, AShortRunFliesTheBusyFlightAndPrintsEveryFigure)
{
    GameHarness harness;
    int exitCode = -1;
    std::string printed;
    std::map<std::string, double> figures =
        Kestrum::Testing::RunBench(harness, KESTRUM_FLIGHT_BENCH_EXE, "3", exitCode, printed);
    ASSERT_EQ(0, exitCode) << printed;
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
