// The tilings laid down kind by kind, measured from the pictures they show:
// the connected regions of each polygon's colour, counted per lattice cell
// and weighed against the area of a regular polygon of the tiling's edge.
#include <capture.h>
#include <symmetry.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr uint32_t white_rgb = rgb(255, 255, 255), black_rgb = rgb(0, 0, 0);
constexpr uint32_t triangle_rgb = rgb(0, 205, 0), square_rgb = rgb(255, 0, 0), hexagon_rgb = rgb(250, 250, 100);

struct polygon_kind {
    uint32_t colour;
    int sides;
    int per_cell;
};

// A tiling: its wallpaper group, its edge in pixels, its lattice (unit
// edge, y upward) and its kinds in the order of their stages; the edges
// come last.
struct tiling {
    const char* program;
    const char* group;
    double edge;
    double e1[2], e2[2];
    std::vector<polygon_kind> kinds;
};

constexpr double h = 0.8660254037844386;  // sqrt(3) / 2
const tiling tilings[] = {
    {"triangular_tiling", "p6m", 80, {1, 0}, {0.5, h}, {{triangle_rgb, 3, 2}}},
    {"square_tiling", "p4m", 60, {1, 0}, {0, 1}, {{square_rgb, 4, 1}}},
    {"hexagonal_tiling", "p6m", 40, {1.5, h}, {0, 2 * h}, {{hexagon_rgb, 6, 1}}},
    {"trihexagonal_tiling", "p6m", 40, {2, 0}, {1, 2 * h}, {{hexagon_rgb, 6, 1}, {triangle_rgb, 3, 2}}},
    {"rhombitrihexagonal_tiling", "p6m", 60, {1 + 2 * h, 0}, {(1 + 2 * h) / 2, (1 + 2 * h) * h},
     {{hexagon_rgb, 6, 1}, {square_rgb, 4, 3}, {triangle_rgb, 3, 2}}},
};

struct region {
    uint32_t colour;
    long area = 0;
    double sx = 0, sy = 0;  // sums of the pixel centres
    bool cut = false;       // touches the frame
};

// The 4-connected regions of every colour but black.
std::vector<region> regions_of(const rgb_image& image)
{
    std::vector<int> label(image.rgb.size(), -1);
    std::vector<region> found;
    std::vector<int> stack;
    for (int start = 0; start < image.w * image.h; ++start) {
        if (label[start] >= 0 || image.rgb[start] == black_rgb)
            continue;
        region r{image.rgb[start]};
        label[start] = static_cast<int>(found.size());
        stack.push_back(start);
        while (!stack.empty()) {
            const int k = stack.back();
            stack.pop_back();
            const int x = k % image.w, y = k / image.w;
            ++r.area;
            r.sx += x + 0.5;
            r.sy += y + 0.5;
            r.cut = r.cut || x <= 1 || y <= 1 || x >= image.w - 2 || y >= image.h - 2;
            const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& n : next) {
                if (n[0] < 0 || n[1] < 0 || n[0] >= image.w || n[1] >= image.h)
                    continue;
                const int m = n[1] * image.w + n[0];
                if (label[m] < 0 && image.rgb[m] == r.colour) {
                    label[m] = label[start];
                    stack.push_back(m);
                }
            }
        }
        found.push_back(r);
    }
    return found;
}

// The area of the regular polygon of `sides` sides and edge a.
double polygon_area(int sides, double a) { return sides * a * a / (4 * std::tan(M_PI / sides)); }

TEST(TilePolygonProgram, EveryStageLaysOneKindAndTheLastDrawsOnlyEdges)
{
    for (const tiling& t : tilings) {
        const captured_run& run = recorded_run(t.program);
        ASSERT_EQ(run.stages.size(), t.kinds.size() + 1) << t.program;
        for (size_t s = 0; s < run.stages.size(); ++s) {
            const rgb_image& now = run.stages[s];
            for (size_t k = 0; k < now.rgb.size(); ++k) {
                const uint32_t before = s ? run.stages[s - 1].rgb[k] : white_rgb, after = now.rgb[k];
                // A fill stage paints white with its kind's colour or an
                // outline's black; the edge stage paints only black.
                const bool laid = s < t.kinds.size() && before == white_rgb && after == t.kinds[s].colour;
                const bool edged = after == black_rgb;
                ASSERT_TRUE(before == after || laid || edged)
                    << t.program << " stage " << s + 1 << " pixel " << k % now.w << ", " << k / now.w;
            }
        }
        // Polygons cover the plane: nothing is white when all are laid.
        const rgb_image& last = run.stages[t.kinds.size() - 1];
        EXPECT_EQ(std::count(last.rgb.begin(), last.rgb.end(), white_rgb), 0) << t.program;
    }
}

TEST(TilePolygonProgram, RegionsPerCellAndTheirAreasAreThoseOfTheTiling)
{
    for (const tiling& t : tilings) {
        const captured_run& run = recorded_run(t.program);
        ASSERT_FALSE(run.stages.empty()) << t.program;
        const std::vector<region> regions = regions_of(run.stages.back());
        // A block of n by n cells about the window's centre, its sides a
        // tenth of a cell off the lattice points, so that no polygon's
        // centre lies on them.
        const double s = t.edge;
        const double a[2] = {s * t.e1[0], -s * t.e1[1]}, b[2] = {s * t.e2[0], -s * t.e2[1]};
        const double det = a[0] * b[1] - a[1] * b[0];
        const int n = 2;
        std::printf("%s:", t.program);
        for (const polygon_kind& kind : t.kinds) {
            int in_block = 0;
            double area_sum = 0;
            const double exact = polygon_area(kind.sides, s), perimeter = kind.sides * s;
            for (const region& r : regions) {
                ASSERT_NE(r.colour, white_rgb) << t.program;
                if (r.colour != kind.colour || r.cut)
                    continue;
                // An edge is 3 to 4 pixels wide, drawn across the line
                // between two polygons: 1 to 2.5 pixels of it lie inside each.
                EXPECT_GE(r.area, exact - 2.5 * perimeter) << t.program << " " << kind.sides;
                EXPECT_LE(r.area, exact - 1.0 * perimeter) << t.program << " " << kind.sides;
                const double cx = r.sx / r.area - 400, cy = r.sy / r.area - 300;
                const double u = (cx * b[1] - cy * b[0]) / det, v = (a[0] * cy - a[1] * cx) / det;
                if (u >= -n / 2.0 + 0.1 && u < n / 2.0 + 0.1 && v >= -n / 2.0 + 0.1 && v < n / 2.0 + 0.1) {
                    ++in_block;
                    area_sum += r.area;
                }
            }
            EXPECT_EQ(in_block, n * n * kind.per_cell) << t.program << ": " << kind.sides << "-gons";
            if (in_block)
                std::printf("  %d-gons %g per cell, mean area + edge band %.0f px of %.0f (ratio %.3f)",
                            kind.sides, in_block / double(n * n), area_sum / in_block + 1.5 * perimeter, exact,
                            (area_sum / in_block + 1.5 * perimeter) / exact);
        }
        std::printf("\n");
    }
}

// Drawn on the pixel grid, each tiling keeps the whole symmetry of the
// plane tiling: exactly for the squares, and for the hexagonal ones at the
// classifier's agreement threshold.
TEST(TilePolygonProgram, LastStageHasTheWallpaperGroupOfTheTiling)
{
    for (const tiling& t : tilings) {
        const captured_run& run = recorded_run(t.program);
        ASSERT_FALSE(run.stages.empty()) << t.program;
        const rgb_image& last = run.stages.back();
        EXPECT_EQ(classify(last.rgb.data(), last.w, last.h).group, t.group) << t.program;
    }
}

}  // namespace
