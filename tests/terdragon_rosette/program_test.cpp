// The whole terdragon_rosette program, run under the capture tool.
#include "capture.h"
#include "terdragon.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr long clock_a = 1700000000;
constexpr long clock_b = 1234567;

TEST(TerdragonProgram, ElevenFramesOneWaitAndFixedColoursOfGenerationsOneToFour)
{
    CaptureOptions options;
    options.frames = true;
    options.fixed_time = clock_a;
    const Capture c = run_program("terdragon_rosette", options);
    ASSERT_EQ(c.status, 0) << c.stderr_text;
    ASSERT_EQ(c.frame_hashes.size(), 11u);
    ASSERT_EQ(c.stage_hashes.size(), 1u);
    EXPECT_EQ(c.stage_hashes[0], c.frame_hashes[10]);
    EXPECT_EQ(c.frame_hashes[9], c.frame_hashes[10]);  // the last flip adds nothing

    const uint32_t fixed[5] = {0, rgb(255, 50, 50), rgb(10, 255, 0), rgb(50, 50, 255), rgb(255, 0, 0)};
    TerdragonWalk walk;
    for (int p = 1; p <= 4; ++p) {
        for (int j = static_cast<int>(std::pow(3.0, p - 1)); j < static_cast<int>(std::pow(3.0, p)); ++j)
            step_walk(walk, segment_direction(j, p));
        const Image frame = c.frame(p);
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

TEST(TerdragonProgram, SameClockSamePictureForEveryAnswer)
{
    CaptureOptions options;
    options.fixed_time = clock_a;
    const Capture first = run_program("terdragon_rosette", options);
    ASSERT_EQ(first.status, 0) << first.stderr_text;
    EXPECT_EQ(compare_with_golden("terdragon_rosette", first), "");
    EXPECT_EQ(same_pictures_for_every_answer("terdragon_rosette", first, options), "");
}

TEST(TerdragonProgram, ClockSeedsOnlyTheColoursFromGenerationFive)
{
    CaptureOptions options;
    options.fixed_time = clock_a;
    const Capture a = run_program("terdragon_rosette", options);
    options.fixed_time = clock_b;
    const Capture b = run_program("terdragon_rosette", options);
    ASSERT_EQ(a.frame_hashes.size(), 11u);
    ASSERT_EQ(b.frame_hashes.size(), 11u);
    for (int p = 1; p <= 4; ++p) EXPECT_EQ(a.frame_hashes[p - 1], b.frame_hashes[p - 1]) << p;
    EXPECT_NE(a.frame_hashes[4], b.frame_hashes[4]);
    EXPECT_NE(a.stage_hashes, b.stage_hashes);
}

}  // namespace
