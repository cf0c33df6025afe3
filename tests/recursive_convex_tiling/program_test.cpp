// The recursive convex tiling program as users run it, under the capture tool.
#include "capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

constexpr const char* program = "recursive_convex_tiling";
constexpr uint32_t grey = rgb(200, 200, 200);
constexpr uint32_t white = rgb(255, 255, 255);

TEST(RecursiveConvexTilingProgram, ShowsOneFramePerTileDepthFirst)
{
    CaptureOptions options;
    options.frames = true;
    const Capture c = run_program(program, options);
    ASSERT_EQ(c.status, 0) << c.stderr_text;
    EXPECT_EQ(c.stderr_text, "");
    ASSERT_EQ(c.stage_hashes.size(), 1u);
    // 64 tiles, one frame each, then the final flip before the wait.
    ASSERT_EQ(c.frame_hashes.size(), 65u);
    EXPECT_EQ(c.stage_hashes[0], c.frame_hashes.back());
    EXPECT_EQ(c.frame_hashes[65 - 2], c.frame_hashes[65 - 1]);

    // Frame 1 is the seed alone; frame 2 adds its neighbour across edge 0.
    const Image first = c.frame(1);
    EXPECT_EQ(first.at(447, 275), grey);
    EXPECT_EQ(first.at(452, 325), white);
    const Image second = c.frame(2);
    EXPECT_EQ(second.at(452, 325), grey);
    EXPECT_EQ(second.at(522, 285), white);

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
    const int span[4] = {90, 740, 80, 520};
    EXPECT_EQ(left, span[0]);
    EXPECT_EQ(right, span[1]);
    EXPECT_EQ(top, span[2]);
    EXPECT_EQ(bottom, span[3]);

    EXPECT_EQ(compare_with_golden(program, c), "");
}

TEST(RecursiveConvexTilingProgram, SamePicturesWhateverEndsTheWait)
{
    const Capture by_key = run_program(program);
    ASSERT_EQ(by_key.status, 0) << by_key.stderr_text;
    EXPECT_EQ(same_pictures_for_every_answer(program, by_key), "");
}

}  // namespace
