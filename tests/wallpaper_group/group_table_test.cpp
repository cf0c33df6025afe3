// The table of the seventeen groups, checked without drawing: the regions
// and operations make exactly the group named, by the chart a learner uses
// to tell the groups apart.
#include <construction.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// The chart: the number of operations modulo the lattice, the highest
// rotation order, mirrors, glide lines that are not mirrors, and whether
// every centre of the highest order lies on a mirror.
struct chart_row {
    const char* name;
    int order, rotation;
    bool mirrors, glides, highest_on_mirror;
};
constexpr chart_row chart[group_count] = {
    {"p1", 1, 1, false, false, false},  {"p2", 2, 2, false, false, false},  {"pm", 2, 1, true, false, false},
    {"pg", 2, 1, false, true, false},   {"cm", 2, 1, true, true, false},    {"pmm", 4, 2, true, false, true},
    {"pmg", 4, 2, true, true, false},   {"pgg", 4, 2, false, true, false},  {"cmm", 4, 2, true, true, false},
    {"p4", 4, 4, false, false, false},  {"p4m", 8, 4, true, true, true},    {"p4g", 8, 4, true, true, false},
    {"p3", 3, 3, false, false, false},  {"p3m1", 6, 3, true, true, true},   {"p31m", 6, 3, true, true, false},
    {"p6", 6, 6, false, false, false},  {"p6m", 12, 6, true, true, true},
};

double polygon_area(const wallpaper_group& g, const double a[2], const double b[2])
{
    double area = 0;
    for (int k = 0; k < g.region_corners; ++k) {
        const window_point p = lattice_place({0, 0}, a, b, g.region[k]);
        const window_point q = lattice_place({0, 0}, a, b, g.region[(k + 1) % g.region_corners]);
        area += p.x * q.y - q.x * p.y;
    }
    return std::fabs(area) / 2;
}

bool on_line(const placed_line& line, double x, double y)
{
    return std::fabs((x - line.px) * line.dy - (y - line.py) * line.dx) < 1e-6;
}

TEST(GroupTable, EachRowMakesTheGroupOfTheChart)
{
    for (int i = 0; i < group_count; ++i) {
        const wallpaper_group& g = wallpaper_groups[i];
        const chart_row& want = chart[i];
        SCOPED_TRACE(g.name);
        ASSERT_STREQ(g.name, want.name) << "not in the usual order";
        EXPECT_EQ(find_group(g.name), &g);

        // The region, copied by every operation, fills the cell exactly once.
        const std::vector<plane_isometry> operations = operations_modulo_lattice(g);
        EXPECT_EQ(static_cast<int>(operations.size()), want.order);
        double a[2], b[2];
        geometric_lattice(g, a, b);
        EXPECT_NEAR(polygon_area(g, a, b) * want.order, std::fabs(a[0] * b[1] - a[1] * b[0]), 1e-6);

        const placed_elements e = elements_in_window(lay_out_group(g), 0);
        int rotation = 1;
        for (const placed_centre& c : e.centres)
            rotation = std::max(rotation, c.order);
        bool mirrors = false, glides = false, highest_on_mirror = rotation > 1;
        for (const placed_line& line : e.lines)
            (line.mirror ? mirrors : glides) = true;
        for (const placed_centre& c : e.centres)
            if (c.order == rotation) {
                bool on_mirror = false;
                for (const placed_line& line : e.lines)
                    on_mirror = on_mirror || (line.mirror && on_line(line, c.x, c.y));
                highest_on_mirror = highest_on_mirror && on_mirror;
            }
        EXPECT_EQ(rotation, want.rotation);
        EXPECT_EQ(mirrors, want.mirrors);
        EXPECT_EQ(glides, want.glides);
        EXPECT_EQ(highest_on_mirror, want.highest_on_mirror);
    }
}

// The stages copy the region once per operation of the group: the centres
// of its copies (under every power of every stage's operation, in turn)
// are the region's centre under each operation modulo the lattice, each
// once; and the lattice origin is a pixel corner, so that the operations
// of the twelve groups without 3- or 6-fold turns stay on the pixel grid.
TEST(GroupTable, TheStagesBuildOneCopyOfTheRegionPerOperation)
{
    for (const wallpaper_group& g : wallpaper_groups) {
        SCOPED_TRACE(g.name);
        const group_layout layout = lay_out_group(g);
        double cx = 0, cy = 0;
        for (int k = 0; k < g.region_corners; ++k) {
            const window_point p = lattice_place(layout.home, layout.a, layout.b, g.region[k]);
            cx += p.x / g.region_corners, cy += p.y / g.region_corners;
        }
        std::vector<window_point> copies;
        for (const plane_isometry& copy : stage_copies(layout)) {
            window_point p{cx, cy};
            map_point(copy, p.x, p.y);
            copies.push_back(p);
        }
        EXPECT_EQ(copies.size(), operations_modulo_lattice(g).size());
        const double det = layout.a[0] * layout.b[1] - layout.a[1] * layout.b[0];
        for (size_t i = 0; i < copies.size(); ++i)
            for (size_t j = 0; j < i; ++j) {
                const double dx = copies[i].x - copies[j].x, dy = copies[i].y - copies[j].y;
                const double u = (dx * layout.b[1] - dy * layout.b[0]) / det, v = (layout.a[0] * dy - layout.a[1] * dx) / det;
                EXPECT_FALSE(std::fabs(u - std::round(u)) < 1e-6 && std::fabs(v - std::round(v)) < 1e-6)
                    << "copies " << i << " and " << j << " are lattice translates";
            }
    }
}

}  // namespace
