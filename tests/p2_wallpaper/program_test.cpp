// The p2_wallpaper program's recorded run: the cell and its translates
// (tests/programs checks status, pictures and answers).
#include <capture.h>

#include <gtest/gtest.h>

namespace {

constexpr uint32_t black_rgb = rgb(0, 0, 0);
constexpr uint32_t grey_rgb = rgb(150, 150, 150);

TEST(P2WallpaperProgram, CellThenTranslates)
{
    const captured_run& c = recorded_run("p2_wallpaper");
    ASSERT_EQ(c.stage_hashes.size(), 2u);
    const rgb_image& cell = c.stages[0];
    const rgb_image& wallpaper = c.stages[1];
    EXPECT_EQ(cell.at(200, 300), black_rgb);
    EXPECT_EQ(cell.at(447, 168), black_rgb);
    EXPECT_EQ(cell.at(385, 214), rgb(255, 255, 255));  // no diagonal
    for (auto [x, y] : {std::pair{310, 200}, {337, 268}, {247, 168}, {400, 300}, {223, 234}, {347, 168}, {323, 234}, {423, 234}, {300, 300}})
        EXPECT_EQ(cell.at(x, y), grey_rgb) << x << "," << y;

    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (cell.at(x, y) == grey_rgb) {
                ASSERT_EQ(wallpaper.at(x, y), grey_rgb) << x << "," << y;
            }
            if (wallpaper.at(x, y) == black_rgb) {
                ASSERT_EQ(cell.at(x, y), black_rgb) << x << "," << y;
            }
            if (x == 0 || y == 0) {
                ASSERT_NE(wallpaper.at(x, y), grey_rgb) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(wallpaper.at(510, 200), grey_rgb);  // M one cell to the right
}

}  // namespace
