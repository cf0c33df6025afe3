#include <hex_cell.h>
#include <headless.h>

#include <drawkit.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// A headless white window with the cell palette mapped on it.
struct HexCellTest : ::testing::Test {
    headless_screen headless;

    HexCellTest()
    {
        white = SDL_MapRGB(screen->format, 255, 255, 255);
        black = SDL_MapRGB(screen->format, 0, 0, 0);
        red = SDL_MapRGB(screen->format, 255, 0, 0);
        green = SDL_MapRGB(screen->format, 0, 205, 0);
        SDL_FillRect(screen, nullptr, white);
    }
    static void frame()
    {
        draw_window_frame(black);
    }
};

// Offsets from the centre for a cell whose pixels all come out non-negative.
struct sector_offsets {
    pixel_point u0, o0, p, u1, o1, seed_a, seed_b, seed_c;
};
constexpr sector_offsets table[6] = {
    {{50, 0}, {100, 0}, {75, -44}, {24, -44}, {49, -87}, {75, -15}, {49, -29}, {49, -58}},
    {{24, -44}, {49, -87}, {-1, -87}, {-26, -44}, {-51, -87}, {24, -73}, {-1, -58}, {-26, -73}},
    {{-26, -44}, {-51, -87}, {-76, -44}, {-50, 0}, {-100, 0}, {-51, -58}, {-51, -29}, {-76, -15}},
    {{-50, 0}, {-100, 0}, {-75, 43}, {-25, 43}, {-50, 86}, {-75, 14}, {-50, 28}, {-50, 57}},
    {{-25, 43}, {-50, 86}, {0, 86}, {25, 43}, {49, 86}, {-25, 72}, {0, 57}, {25, 72}},
    {{25, 43}, {50, 86}, {75, 43}, {50, 0}, {100, 0}, {50, 57}, {50, 28}, {75, 14}},
};

// Truncation toward zero: a negative coordinate that is not a whole number
// comes out one above centre + offset.
int expected(int centre, int offset, bool whole)
{
    const int c = centre + offset;
    return c < 0 && !whole ? c + 1 : c;
}

void expect_point(pixel_point got, int col, int row, pixel_point offset, bool whole_x, bool whole_y,
                  const char* what, int k)
{
    EXPECT_EQ(got.x, expected(col, offset.x, whole_x)) << what << " x, sector " << k;
    EXPECT_EQ(got.y, expected(row, offset.y, whole_y)) << what << " y, sector " << k;
}

void expect_sector_table(int col, int row)
{
    for (int k = 0; k < 6; ++k) {
        const hex_sector s = hex_cell_sector(col, row, k);
        const sector_offsets& t = table[k];
        // Only the points at angle 0 sit on whole numbers: U_0, O_0, and
        // the x of P_0 (1.5 sides) and of the seed of T_a in sector 0.
        expect_point(s.u0, col, row, t.u0, k == 0, k == 0, "U_k", k);
        expect_point(s.o0, col, row, t.o0, k == 0, k == 0, "O_k", k);
        expect_point(s.p, col, row, t.p, k == 0, false, "P_k", k);
        expect_point(s.u1, col, row, t.u1, k == 5, k == 5, "U_k+1", k);
        expect_point(s.o1, col, row, t.o1, k == 5, k == 5, "O_k+1", k);
        expect_point(s.seed_a, col, row, t.seed_a, k == 0, false, "seed T_a", k);
        expect_point(s.seed_b, col, row, t.seed_b, false, false, "seed T_b", k);
        expect_point(s.seed_c, col, row, t.seed_c, false, false, "seed T_c", k);
    }
}

}  // namespace

TEST(SnubHexagonalLattice, ConstantsAndCheckValues)
{
    EXPECT_EQ(hex_angle_step, static_cast<float>(std::numbers::pi / 3));
    EXPECT_EQ(static_cast<double>(hex_angle_step), 1.0471975803375244);

    const struct { int i, j, col, row; } checks[] = {
        {0, 0, 400, 300},   {1, 0, 500, 213},   {0, 1, 525, 343},   {-1, 0, 300, 386},  {1, 1, 625, 256},
        {4, -3, 425, -176}, {2, -3, 225, -3},   {-4, -3, -375, 516}, {4, 3, 1175, 83},
    };
    for (const auto& c : checks) {
        const pixel_point p = lattice_anchor(scale, e1, e2, c.i, c.j);
        EXPECT_EQ(p.x, c.col) << c.i << "," << c.j;
        EXPECT_EQ(p.y, c.row) << c.i << "," << c.j;
    }
    // Every centre is 400 + 100 i + 125 j exactly.
    for (int i = -4; i <= 4; ++i)
        for (int j = -3; j <= 3; ++j)
            EXPECT_EQ(lattice_anchor(scale, e1, e2, i, j).x, 400 + 100 * i + 125 * j);
}

TEST(HexCellGeometry, OffsetsAndSeedsMatchTheTables)
{
    expect_sector_table(400, 300);
    expect_sector_table(425, -176);  // negative rows
    expect_sector_table(-375, 516);  // negative columns
    expect_sector_table(-20, -30);   // straddling both window edges
}

TEST(HexCellGeometry, OuterVertexAt300DegreesHasTwoPositions)
{
    EXPECT_EQ(hex_cell_sector(400, 300, 5).o0.x, 450);
    EXPECT_EQ(hex_cell_sector(400, 300, 4).o1.x, 449);
    for (int k = 0; k < 6; ++k) {
        const hex_sector s = hex_cell_sector(400, 300, k), next = hex_cell_sector(400, 300, (k + 1) % 6);
        EXPECT_EQ(s.u1.x, next.u0.x);
        EXPECT_EQ(s.u1.y, next.u0.y);
    }
}

TEST_F(HexCellTest, CentredCellIsFilledWithoutLeaking)
{
    frame();
    draw_hex_cell(400, 300);
    EXPECT_EQ(get_pixel(400, 300), red);
    for (int k = 0; k < 6; ++k) {
        const hex_sector s = hex_cell_sector(400, 300, k);
        for (pixel_point seed : {s.seed_a, s.seed_b, s.seed_c})
            EXPECT_EQ(get_pixel(seed.x, seed.y), green) << "sector " << k;
        for (pixel_point v : {s.u0, s.o0, s.p})
            EXPECT_EQ(get_pixel(v.x, v.y), black) << "sector " << k;
    }
    // Red only inside the inner hexagon, green only inside the outer one,
    // nothing white well inside the outer one.
    for (int y = 1; y < 599; ++y)
        for (int x = 1; x < 799; ++x) {
            const double d = std::hypot(x - 400, y - 300);
            const Uint32 c = get_pixel(x, y);
            if (c == red) {
                ASSERT_LE(d, 50.0) << x << "," << y;
            }
            if (c == green) {
                ASSERT_LE(d, 100.0) << x << "," << y;
            }
            if (d < 84.0) {
                ASSERT_NE(c, white) << x << "," << y;
            }
            if (d > 104.0) {
                ASSERT_EQ(c, white) << x << "," << y;
            }
        }
}

TEST_F(HexCellTest, CellsOutsideTheFrameAreOutlinedButTheirHexagonStaysUnfilled)
{
    frame();
    for (pixel_point centre : {pixel_point{400, 0}, {799, 300}, {425, -176}, {-20, 300}})
        draw_hex_cell(centre.x, centre.y);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            ASSERT_NE(get_pixel(x, y), red) << x << "," << y;
    // Triangles whose seeds lie inside the frame are filled all the same.
    EXPECT_EQ(get_pixel(325, 14), green);  // T_a of sector 3 of the cell at (400, 0)
    EXPECT_EQ(get_pixel(724, 314), green); // T_a of sector 3 of the cell at (799, 300)
}

TEST_F(HexCellTest, SeedsOnTheWindowBorderAreSkipped)
{
    // No frame: a fill from row 0 would paint the triangle (450, 15)-(500, 15)-(475, -29).
    draw_hex_cell(400, 15);
    EXPECT_EQ(hex_cell_sector(400, 15, 0).seed_a.y, 0);
    EXPECT_EQ(get_pixel(475, 5), white);
    EXPECT_EQ(get_pixel(400, 15), red);
}
