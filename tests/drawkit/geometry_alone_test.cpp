// geometry.h on its own: no SDL and no other drawkit header come with it, so
// the geometry is used apart from the raster (this file includes nothing
// else before the check).
#include <geometry.h>

#if defined(_SDL_H) || defined(SDL_h_)
#error "geometry.h includes SDL"
#endif

#include <gtest/gtest.h>

TEST(GeometryHeader, PlacesAndRoundsWithoutTheRaster)
{
    constexpr lattice_vector e1{1.0f, 0.0f}, e2{0.5f, 0.75f};
    const pixel_point p = lattice_anchor(100.0, e1, e2, 1, -1);
    EXPECT_EQ(p.x, 450);
    EXPECT_EQ(p.y, 375);
    EXPECT_EQ(unit_pixel(lattice_origin, 10.0, {-0.55, 0.55}).x, 394);  // 394.5 truncated toward zero
    EXPECT_FALSE(inside_window(SCREEN_WIDTH, 0));
}
