// The p2_wallpaper_animation program's recorded run: what every frame shows
// (tests/programs checks status, pictures and answers).
#include <capture.h>

#include <gtest/gtest.h>

namespace {

constexpr uint32_t white_rgb = rgb(255, 255, 255);
constexpr uint32_t black_rgb = rgb(0, 0, 0);
constexpr uint32_t red_rgb = rgb(255, 0, 0);

int count(const rgb_image& image, uint32_t colour)
{
    int n = 0;
    for (uint32_t c : image.rgb) n += c == colour;
    return n;
}

TEST(P2AnimationProgram, CellThenTwoHundredFiftyFramesThenWhite)
{
    const captured_run& c = recorded_run("p2_wallpaper_animation");
    ASSERT_EQ(c.frame_hashes.size(), 252u);
    ASSERT_EQ(c.stage_hashes.size(), 2u);
    EXPECT_EQ(c.stage_hashes[0], c.frame_hashes[0]);
    EXPECT_EQ(c.stage_hashes[1], c.frame_hashes[251]);

    // Stage 1: only the black cell and its diagonal.
    const rgb_image cell = c.stages[0];
    EXPECT_EQ(count(cell, black_rgb) + count(cell, white_rgb), 800 * 600);
    for (auto [x, y] : {std::pair{330, 310}, {430, 310}, {353, 244}, {453, 244}, {391, 278}})
        EXPECT_EQ(cell.at(x, y), black_rgb) << x << "," << y;

    // Animation frames 1 and 250 are presented frames 2 and 251.
    const rgb_image first = c.frame(2);
    EXPECT_EQ(first.at(442, 260), red_rgb);  // M
    EXPECT_EQ(first.at(340, 293), red_rgb);  // M'
    EXPECT_GT(count(first, black_rgb), 0);
    const rgb_image last = c.frame(251);
    EXPECT_EQ(last.at(441, 263), red_rgb);
    EXPECT_EQ(last.at(342, 290), red_rgb);

    for (int n = 2; n <= 251; ++n) {
        const rgb_image frame = n == 2 ? first : n == 251 ? last : c.frame(n);
        ASSERT_EQ(frame.w, 800) << n;
        if (n > 2) {
            ASSERT_EQ(count(frame, black_rgb), 0) << "black in frame " << n;
        }
        for (int x = 0; x < 800; ++x) ASSERT_NE(frame.at(x, 0), red_rgb) << "row 0, frame " << n;
        for (int y = 0; y < 600; ++y) ASSERT_NE(frame.at(0, y), red_rgb) << "column 0, frame " << n;
        ASSERT_GT(count(frame, red_rgb), 10000) << n;
    }
    EXPECT_EQ(count(c.stages[1], white_rgb), 800 * 600);
}

}  // namespace
