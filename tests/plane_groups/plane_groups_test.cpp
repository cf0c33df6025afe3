// The plane groups library, checked against the crystallographers' counts:
// per primitive cell, the rotation centres of each order and the classes of
// mirror and glide lines of every group.
#include <construction.h>
#include <plane_groups.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(PlaneGroups, TheNamesTableHoldsEachGroupOnceInTheUsualOrder)
{
    for (int i = 0; i < plane_group_count; ++i) {
        const plane_group_names& g = plane_groups[i];
        SCOPED_TRACE(g.name);
        EXPECT_STREQ(g.name, wallpaper_groups[i].name);
        EXPECT_EQ(find_plane_group(g.name), &g);
        EXPECT_EQ(orbifold_of(g.name), g.orbifold);
        // The full name starts as the short one and a mirror group's
        // orbifold has a star.
        EXPECT_EQ(g.full[0], g.name[0]);
        EXPECT_EQ(std::string(g.orbifold).find('*') != std::string::npos, std::string(g.full).find('m') != std::string::npos);
    }
    EXPECT_STREQ(find_plane_group("p4m")->full, "p4mm");
    EXPECT_STREQ(find_plane_group("p4g")->orbifold, "4*2");
    EXPECT_STREQ(find_plane_group("pg")->full, "p1g1");
    EXPECT_EQ(find_plane_group("p5"), nullptr);
    EXPECT_EQ(orbifold_of(""), "");
}

// Per primitive cell: centres of order 2, 3, 4, 6; mirror and glide line classes.
struct cell_counts {
    int centres[4];
    int mirrors, glides;
};
constexpr cell_counts counts[plane_group_count] = {
    {{0, 0, 0, 0}, 0, 0}, {{4, 0, 0, 0}, 0, 0}, {{0, 0, 0, 0}, 2, 0}, {{0, 0, 0, 0}, 0, 2}, {{0, 0, 0, 0}, 1, 1},
    {{4, 0, 0, 0}, 4, 0}, {{4, 0, 0, 0}, 2, 2}, {{4, 0, 0, 0}, 0, 4}, {{4, 0, 0, 0}, 2, 2}, {{2, 0, 2, 0}, 0, 0},
    {{2, 0, 2, 0}, 6, 2}, {{2, 0, 2, 0}, 2, 6}, {{0, 3, 0, 0}, 0, 0}, {{0, 3, 0, 0}, 3, 3}, {{0, 3, 0, 0}, 3, 3},
    {{3, 2, 0, 1}, 0, 0}, {{3, 2, 0, 1}, 6, 6},
};

TEST(PlaneGroups, EachGroupsOperationsHaveItsElementsAndItsName)
{
    for (int i = 0; i < group_count; ++i) {
        const wallpaper_group& g = wallpaper_groups[i];
        SCOPED_TRACE(g.name);
        double a[2], b[2];
        geometric_lattice(g, a, b);
        std::vector<plane_operation> ops;
        for (const plane_isometry& isometry : operations_modulo_lattice(g)) {
            plane_operation op;
            ASSERT_TRUE(lattice_operation(isometry, a, b, op));
            ops.push_back(op);
        }
        EXPECT_EQ(name_group(a, b, ops, 1e-6), g.name);
        // Written about any other origin, the same group.
        EXPECT_EQ(name_group(a, b, about(ops, {0.3, 0.1}), 1e-6), g.name);

        const plane_elements e = elements_of(ops, 1e-6);
        int centres[4] = {}, mirrors = 0, glides = 0;
        for (const centre_class& c : e.centres) {
            const int slot = c.order == 2 ? 0 : c.order == 3 ? 1 : c.order == 4 ? 2 : c.order == 6 ? 3 : -1;
            ASSERT_GE(slot, 0) << "order " << c.order;
            ++centres[slot];
            EXPECT_TRUE(c.at.x > -1e-6 && c.at.x < 1 && c.at.y > -1e-6 && c.at.y < 1);
        }
        for (const line_class& line : e.lines)
            ++(line.glide ? glides : mirrors);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(centres[k], counts[i].centres[k]) << "order " << (k == 0 ? 2 : k == 1 ? 3 : k == 2 ? 4 : 6);
        EXPECT_EQ(mirrors, counts[i].mirrors);
        EXPECT_EQ(glides, counts[i].glides);
        for (size_t k = 1; k < e.centres.size(); ++k)
            EXPECT_GE(e.centres[k - 1].order, e.centres[k].order) << "highest order first";
    }
}

// p2 and pmm on a small lattice over a rectangle many cells wide: every
// element inside is found (the translates reach past twelve cells), each
// once.
TEST(PlaneGroups, ElementsMeetingARectangleAreAllThereOnce)
{
    const double a[2] = {20, 0}, b[2] = {0, 20};
    const pixel_rectangle r{0, 0, 400, 300};
    const placed_elements p2 = elements_meeting({translate_by(0, 0), turn_about(0, 0, 180)}, a, b, {5, 5}, r, 0);
    // Half-turn centres at 5 + 10k across and down.
    EXPECT_EQ(p2.centres.size(), 40u * 30u);
    for (const placed_centre& c : p2.centres)
        EXPECT_EQ(c.order, 2);
    EXPECT_TRUE(p2.lines.empty());

    const std::vector<plane_isometry> pmm = {reflect_along(0, 0, 0, 20, 0), reflect_along(0, 0, 20, 0, 0),
                                             turn_about(0, 0, 180)};
    const placed_elements e = elements_meeting(pmm, a, b, {5, 5}, r, 0);
    // Each mirror x = 5 + 10k or y = 5 + 10k across the rectangle, once.
    std::vector<int> vertical(40), horizontal(30);
    for (const placed_line& line : e.lines) {
        EXPECT_TRUE(line.mirror);
        const double at = line.dx == 0 ? line.px : line.py;
        std::vector<int>& seen = line.dx == 0 ? vertical : horizontal;
        const long k = std::lround((at - 5) / 10);
        EXPECT_NEAR(at, 5 + 10 * k, 1e-9);
        if (k >= 0 && k < static_cast<long>(seen.size()))
            ++seen[k];
    }
    EXPECT_EQ(vertical, std::vector<int>(40, 1));
    EXPECT_EQ(horizontal, std::vector<int>(30, 1));
    EXPECT_EQ(e.centres.size(), 40u * 30u);
}

// On an RGB canvas: a mirror solid, a glide in dashes, a centre filled and
// rimmed, and nothing off the canvas.
TEST(PlaneGroups, TheNotationDrawsOnAnRgbCanvas)
{
    constexpr int w = 120, h = 90;
    constexpr uint32_t white = 0xffffff;
    std::vector<uint32_t> rgb(w * h, white);
    rgb_pixels pixels{rgb.data(), w, h};
    const notation_canvas canvas = rgb_canvas(pixels);
    placed_elements e;
    e.lines = {{40, 0, 0, 1, true}, {0, 20, 1, 0, false}, {5000, 0, 0, 1, true}};
    e.centres = {{90, 60, 4}, {-30, 60, 6}};
    draw_notation(canvas, e, notation_rgb);
    auto at = [&](int x, int y) { return rgb[static_cast<size_t>(y) * w + x]; };
    for (int y = 0; y < h; ++y)
        EXPECT_TRUE((y >= 18 && y <= 22) || at(40, y) == notation_rgb.mirror) << y;  // off the glide's band
    int dashed = 0, gaps = 0;
    for (int x = 0; x < w; ++x)
        (at(x, 20) == notation_rgb.glide ? dashed : gaps) += x != 40;
    EXPECT_GT(dashed, w / 2);
    EXPECT_GT(gaps, 10);
    EXPECT_EQ(at(90, 60), notation_rgb.centre);
    EXPECT_EQ(at(90, 54), notation_rgb.rim);  // the square's top edge, 8 / sqrt(2) above
    EXPECT_EQ(at(90, 52), white);
    for (int y = 0; y < h; ++y)
        EXPECT_NE(at(0, y), notation_rgb.centre);
}

}  // namespace
