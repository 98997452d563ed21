// A short run of the frame benchmark, so that it keeps building and running:
// in a scratch game root on its own X server it enters the tank-boss fight of
// arcade mission 2, flies a few frames of each kind and prints every figure.
#include "bench/BenchRun.hpp"

#include <SFML/Graphics/Image.hpp>

#include <map>
#include <string>

using Kestrum::Testing::GameHarness;

TEST(FrameBenchTest, AShortRunFliesTheBossFightAndPrintsEveryFigure)
{
    GameHarness harness;
    const std::string picture = (harness.Root().parent_path() / "frame.png").string();
    int exitCode = -1;
    std::string printed;
    std::map<std::string, double> figures =
        Kestrum::Testing::RunBench(harness, KESTRUM_FRAME_BENCH_EXE, "3 '" + picture + "'", exitCode, printed);
    ASSERT_EQ(0, exitCode) << printed;
    for (const char* name :
         {"frame_ms", "frame_p95_ms", "update_ms", "paced_ms", "paced_p95_ms", "paced_mean_ms", "over_18_percent",
          "pass_clear_ms", "pass_ground_ms", "pass_decorations_ms", "pass_objects_ms", "pass_overlay_ms",
          "pass_interface_ms", "pass_display_ms", "floor_ms"})
        EXPECT_EQ(1u, figures.count(name)) << name;
    EXPECT_EQ(3., figures["frames"]);
    EXPECT_GE(figures["objects"], 1.);  // the ship at least
    EXPECT_GE(figures["floor_arrays"], 1.);
    EXPECT_LE(figures["over_18_percent"], 100.);
    sf::Image frame;
    ASSERT_TRUE(frame.loadFromFile(picture));
    EXPECT_EQ(sf::Vector2u(1024, 768), frame.getSize());
}
