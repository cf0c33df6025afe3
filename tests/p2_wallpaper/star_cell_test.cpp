// Cell points, motif and tile copy of the static p2 wallpaper, headless.
#include <star_cell.h>
#include <headless.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// The tile copy as first written: all 441 translates of every grey cell
// pixel, each computed and bounds-tested on its own.
void copy_every_translate()
{
    const float dx = static_cast<float>(200 * static_cast<long double>(cx));
    const float dy = static_cast<float>(200 * static_cast<long double>(sy));
    for (int i = 200; i <= 447; ++i)
        for (int j = 168; j <= 300; ++j) {
            if (!in_cell(i, j) || get_pixel(i, j) != grey) continue;
            for (int k = -10; k <= 10; ++k)
                for (int l = -10; l <= 10; ++l) {
                    const int col = static_cast<int>(i + 200 * k + static_cast<double>(dx) * l);
                    const int row = static_cast<int>(j - static_cast<double>(dy) * l);
                    if (col >= 1 && col <= 799 && row >= 1 && row <= 599) put_pixel(col, row, grey);
                }
        }
}

class StarCell : public ::testing::Test {
protected:
    headless_screen headless;

    void SetUp() override
    {
        map_palette();
        SDL_FillRect(screen, nullptr, white);
    }
};

TEST(StarCellGeometry, PointsOfTheHomeCell)
{
    const home_cell_points c = cell_points();
    const struct {
        pixel_point got;
        int x, y;
        const char* name;
    } table[] = {
        {c.a, 200, 300, "A"},           {c.b, 400, 300, "B"},           {c.p, 247, 168, "P"},
        {c.q, 447, 168, "Q"},           {c.mid_ap, 223, 234, "mid AP"}, {c.mid_pq, 347, 168, "mid PQ"},
        {c.mid_aq, 323, 234, "mid AQ"}, {c.mid_bq, 423, 234, "mid BQ"}, {c.mid_ab, 300, 300, "mid AB"},
        {c.m, 310, 200, "M"},           {c.m_image, 337, 268, "M'"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(row.got.x, row.x) << row.name;
        EXPECT_EQ(row.got.y, row.y) << row.name;
    }
}

TEST_F(StarCell, StageOneOutlinesTheCellAndDrawsBothStars)
{
    draw_cell_and_stars();
    EXPECT_EQ(get_pixel(250, 300), black);  // A-B
    EXPECT_EQ(get_pixel(447, 168), black);  // Q
    EXPECT_EQ(get_pixel(200, 300), black);  // A
    EXPECT_EQ(get_pixel(323, 234), grey);  // both stars meet at mid AQ
    for (pixel_point p : {pixel_point{310, 200}, pixel_point{337, 268}, pixel_point{280, 184}, pixel_point{368, 284}})
        EXPECT_EQ(get_pixel(p.x, p.y), grey) << p.x << "," << p.y;
    // No diagonal A-Q: its middle, away from the stars, stays white.
    EXPECT_EQ(get_pixel(385, 214), white);
}

TEST_F(StarCell, TileCopyKeepsTheMotifAndTheOutlineOnlyAroundTheHomeCell)
{
    draw_cell_and_stars();
    const std::vector<Uint32> before = screen_pixels();
    copy_cell_to_translates();
    const std::vector<Uint32> after = screen_pixels();
    int edge_copies = 0;
    for (size_t n = 0; n < after.size(); ++n) {
        const int x = n % 800, y = n / 800;
        if (before[n] == grey) {
            ASSERT_EQ(after[n], grey) << x << "," << y;
        }
        if (after[n] == black) {
            ASSERT_EQ(before[n], black) << x << "," << y;
        }
        if (x == 0 || y == 0) {
            ASSERT_EQ(after[n], white) << "row or column 0: " << x << "," << y;
        }
        edge_copies += (x == 1 || x == 799 || y == 1 || y == 599) && after[n] == grey;
    }
    EXPECT_GT(edge_copies, 0);  // cut translates are clipped, not dropped
    // M copied by k = 1, by l = 1 (dx = 47.88, dy = 131.56) and by l = -1.
    EXPECT_EQ(get_pixel(510, 200), grey);
    EXPECT_EQ(get_pixel(357, 68), grey);
    EXPECT_EQ(get_pixel(262, 331), grey);
}

TEST_F(StarCell, OnlyCellPixelsAreCopied)
{
    put_pixel(201, 299, grey);  // in the cell
    put_pixel(201, 200, grey);  // left of side A-P: outside
    copy_cell_to_translates();
    EXPECT_EQ(get_pixel(401, 299), grey);
    EXPECT_EQ(get_pixel(401, 200), white);
    EXPECT_EQ(get_pixel(248, 167), grey);  // l = 1: 201 + 47.88, 299 - 131.56
}

// The fast copy writes what the literal one writes, for a fully grey box
// (every translate of every cell pixel) and for a grey and black checker.
TEST_F(StarCell, FastCopyMatchesTheLiteralCopy)
{
    for (int pattern = 0; pattern < 2; ++pattern) {
        SDL_FillRect(screen, nullptr, white);
        for (int i = 190; i <= 457; ++i)
            for (int j = 158; j <= 310; ++j)
                put_pixel(i, j, pattern == 0 || (i * 7 + j * 3) % 5 < 2 ? grey : black);
        const std::vector<Uint32> before = screen_pixels();
        copy_every_translate();
        const std::vector<Uint32> expected = screen_pixels();
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) put_pixel(x, y, before[y * 800 + x]);
        copy_cell_to_translates();
        EXPECT_TRUE(screen_pixels() == expected) << "pattern " << pattern;
    }
}

}  // namespace
