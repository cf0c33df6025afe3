// The recursive concave tiling program as users run it, under the capture tool.
#include "capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

constexpr const char* program = "recursive_concave_tiling";
constexpr uint32_t grey = rgb(230, 230, 230);
constexpr uint32_t white = rgb(255, 255, 255);

TEST(RecursiveConcaveTilingProgram, ShowsOneFramePerTileDepthFirst)
{
    CaptureOptions options;
    options.frames = true;
    const Capture c = run_program(program, options);
    ASSERT_EQ(c.status, 0) << c.stderr_text;
    EXPECT_EQ(c.stderr_text, "");
    ASSERT_EQ(c.stage_hashes.size(), 1u);
    // 247 tiles, one frame each, then the final flip before the wait.
    ASSERT_EQ(c.frame_hashes.size(), 248u);
    EXPECT_EQ(c.stage_hashes[0], c.frame_hashes.back());
    EXPECT_EQ(c.frame_hashes[248 - 2], c.frame_hashes[248 - 1]);

    // Frame 1 is the seed alone; frame 2 adds its neighbour across edge 0.
    const Image first = c.frame(1);
    EXPECT_EQ(first.at(427, 287), grey);
    EXPECT_EQ(first.at(412, 272), white);
    const Image second = c.frame(2);
    EXPECT_EQ(second.at(412, 272), grey);
    EXPECT_EQ(second.at(442, 262), white);

    // The finished picture: grey tiles outlined in black on white.
    const Image& done = c.stages[0];
    std::set<uint32_t> colours(done.rgb.begin(), done.rgb.end());
    EXPECT_EQ(colours, (std::set<uint32_t>{rgb(0, 0, 0), grey, white}));
    int left = 800, right = -1, top = 600, bottom = -1;
    for (int y = 0; y < done.h; ++y)
        for (int x = 0; x < done.w; ++x)
            if (done.at(x, y) != white) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    const int span[4] = {130, 650, 130, 470};
    EXPECT_EQ(left, span[0]);
    EXPECT_EQ(right, span[1]);
    EXPECT_EQ(top, span[2]);
    EXPECT_EQ(bottom, span[3]);

    EXPECT_EQ(compare_with_golden(program, c), "");
}

TEST(RecursiveConcaveTilingProgram, SamePicturesWhateverEndsTheWait)
{
    const Capture by_key = run_program(program);
    ASSERT_EQ(by_key.status, 0) << by_key.stderr_text;
    EXPECT_EQ(same_pictures_for_every_answer(program, by_key), "");
}

}  // namespace
