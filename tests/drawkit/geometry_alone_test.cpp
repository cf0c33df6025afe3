// geometry.h on its own: no SDL and no other drawkit header come with it, so
// the geometry is used apart from the raster (this file includes nothing
// else before the check).
#include <geometry.h>

#if defined(_SDL_H) || defined(SDL_h_)
#error "geometry.h includes SDL"
#endif

#include <gtest/gtest.h>

#include <vector>

TEST(GeometryHeader, PlacesAndRoundsWithoutTheRaster)
{
    constexpr lattice_vector e1{1.0f, 0.0f}, e2{0.5f, 0.75f};
    const pixel_point p = lattice_anchor(100.0, e1, e2, 1, -1);
    EXPECT_EQ(p.x, 450);
    EXPECT_EQ(p.y, 375);
    EXPECT_EQ(unit_pixel(lattice_origin, 10.0, {-0.55, 0.55}).x, 394);  // 394.5 truncated toward zero
    EXPECT_FALSE(inside_window(SCREEN_WIDTH, 0));
}

// The unrounded sweep visits the points of the anchor sweep in its order,
// each the window point its anchor truncates (toward zero, also left of and
// above the window).
std::vector<window_point> swept;
void keep_point(window_point p) { swept.push_back(p); }

TEST(GeometryHeader, UnroundedSweepGivesThePointsTheAnchorsTruncate)
{
    constexpr lattice_vector e1{1.5f, 0.8660254f}, e2{0.0f, 1.7320508f};
    swept.clear();
    sweep_lattice_points(-9, 9, -2, 1, 40.0, e1, e2, keep_point);
    ASSERT_EQ(swept.size(), 19u * 4u);
    size_t k = 0;
    for (int i = -9; i <= 9; ++i)
        for (int j = -2; j <= 1; ++j, ++k) {
            const pixel_point anchor = lattice_anchor(40.0, e1, e2, i, j);
            EXPECT_EQ(anchor.x, static_cast<int>(swept[k].x)) << i << ", " << j;
            EXPECT_EQ(anchor.y, static_cast<int>(swept[k].y)) << i << ", " << j;
            EXPECT_NEAR(swept[k].x, 400 + 40 * (1.5 * i), 1e-4);
            EXPECT_NEAR(swept[k].y, 300 - 40 * (0.8660254 * i + 1.7320508 * j), 1e-4);
        }
    EXPECT_LT(swept[0].x, 0);  // i = -9: x = -140, left of the window
}
