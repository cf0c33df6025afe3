// The terdragon_rosette program's recorded run (the fixed clock): which
// colours the clock decides (tests/programs checks status, pictures and
// answers).
#include <capture.h>
#include <terdragon.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr long other_clock = 1234567;

TEST(TerdragonProgram, ElevenFramesOneWaitAndFixedColoursOfGenerationsOneToFour)
{
    const captured_run& c = recorded_run("terdragon_rosette");
    ASSERT_EQ(c.frame_hashes.size(), 11u);
    ASSERT_EQ(c.stage_hashes.size(), 1u);
    EXPECT_EQ(c.stage_hashes[0], c.frame_hashes[10]);
    EXPECT_EQ(c.frame_hashes[9], c.frame_hashes[10]);  // the last flip adds nothing

    const uint32_t fixed[5] = {0, rgb(255, 50, 50), rgb(10, 255, 0), rgb(50, 50, 255), rgb(255, 0, 0)};
    terdragon_walk walk;
    for (int p = 1; p <= 4; ++p) {
        for (int j = static_cast<int>(std::pow(3.0, p - 1)); j < static_cast<int>(std::pow(3.0, p)); ++j)
            step_walk(walk, segment_direction(j, p));
        const rgb_image frame = c.frame(p);
        EXPECT_EQ(frame.at(200, 100), rgb(255, 255, 255)) << p;
        // The end of the generation's last segment, in every copy.
        for (int k = 0; k < 6; ++k) {
            const pixel_point end = copy_to_window(walk.x, walk.y, k);
            EXPECT_EQ(frame.at(end.x, end.y), fixed[p]) << "generation " << p << " copy " << k;
        }
    }
    EXPECT_EQ(c.frame(1).at(406, 296), rgb(255, 50, 50));  // end of generation 1
    EXPECT_EQ(c.frame(1).at(410, 290), rgb(255, 255, 255));
}

TEST(TerdragonProgram, ClockSeedsOnlyTheColoursFromGenerationFive)
{
    const captured_run& a = recorded_run("terdragon_rosette");
    capture_options options;
    options.fixed_time = other_clock;
    const captured_run b = run_program("terdragon_rosette", options);
    ASSERT_EQ(a.frame_hashes.size(), 11u);
    ASSERT_EQ(b.frame_hashes.size(), 11u);
    for (int p = 1; p <= 4; ++p) EXPECT_EQ(a.frame_hashes[p - 1], b.frame_hashes[p - 1]) << p;
    EXPECT_NE(a.frame_hashes[4], b.frame_hashes[4]);
    EXPECT_NE(a.stage_hashes, b.stage_hashes);
}

}  // namespace
