// Test support shared by the two polygon motif tilings (the construction
// polygon_motif_edges): headless windows drawn with a program's figure
// routines, motifs drawn from tables of window coordinates, and comparisons
// with the pictures the programs show.
// Include after the program's polygon_motif.h.
#pragma once

#include <capture.h>
#include <headless.h>
#include <drawkit.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

constexpr uint32_t white_rgb = rgb(255, 255, 255);
constexpr uint32_t black_rgb = rgb(0, 0, 0);
constexpr uint32_t light_red_rgb = rgb(255, 50, 50);
constexpr uint32_t light_yellow_rgb = rgb(250, 250, 100);
constexpr uint32_t green_rgb = rgb(0, 205, 0);
constexpr uint32_t blue_rgb = rgb(0, 0, 205);

// The picture `draw` makes on a headless white window with the programs'
// one-pixel black frame. Its pixel values are 0xRRGGBB, as captured.
template <typename Draw>
rgb_image headless(Draw draw)
{
    headless_screen headless;
    map_palette();
    SDL_FillRect(screen, nullptr, white);
    draw_window_frame(black);
    draw();
    return rgb_image{800, 600, screen_pixels()};
}

// One edge of a motif in window coordinates: vertex i, vertex i + 1 and, for
// an even edge, the square corners Q, R and its fill seed.
struct edge_row {
    pixel_point from{}, to{}, q{}, r{}, seed{};
};

inline bool inside_frame(pixel_point p) { return p.x >= 1 && p.x <= 798 && p.y >= 1 && p.y <= 598; }

// Draws the motif those rows describe in the motif routine's order: each
// edge, then for even edges the square and its fill; last the polygon's own
// fill from its centre when a colour is given.
inline void draw_motif_from_table(const std::vector<edge_row>& rows, pixel_point centre = {},
                                  Uint32 polygon_fill = 0)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        const edge_row& e = rows[i];
        draw_thick_line(e.from.x, e.from.y, e.to.x, e.to.y, 1, black);
        if (i % 2 != 0)
            continue;
        draw_thick_line(e.from.x, e.from.y, e.q.x, e.q.y, 1, black);
        draw_thick_line(e.to.x, e.to.y, e.r.x, e.r.y, 1, black);
        draw_thick_line(e.q.x, e.q.y, e.r.x, e.r.y, 1, black);
        if (inside_frame(e.seed))
            flood_fill(e.seed.x, e.seed.y, green, black);
    }
    if (polygon_fill != 0 && inside_frame(centre))
        flood_fill(centre.x, centre.y, polygon_fill, black);
}

// "" when the pictures agree, otherwise the count and the first difference.
inline std::string difference(const rgb_image& a, const rgb_image& b)
{
    int count = 0;
    std::string first;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            if (a.at(x, y) != b.at(x, y) && count++ == 0)
                first = "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return count == 0 ? "" : std::to_string(count) + " pixels differ, " + first;
}

// Pixels within `radius` of (x, y) in `stage` that differ from the lone
// motif about (400, 300) in `motif`; a neighbour's outline may add black.
// The thick lines sample in single precision, so a motif elsewhere may
// differ in a pixel or two; one moved by a pixel differs in 25 or more.
inline int disc_differences(const rgb_image& stage, int x, int y, const rgb_image& motif, int radius)
{
    int count = 0;
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const uint32_t seen = stage.at(x + dx, y + dy);
            if (dx * dx + dy * dy <= radius * radius && seen != motif.at(400 + dx, 300 + dy) && seen != black_rgb)
                ++count;
        }
    }
    return count;
}

// Every visible lattice motif of `stage` (centre at least `radius` inside
// the window) compared with the lone motif; returns how many were compared.
inline int expect_motifs_on_lattice(const rgb_image& stage, const rgb_image& motif, int radius)
{
    int compared = 0;
    for (int i = -4; i <= 4; ++i) {
        for (int j = -4; j <= 4; ++j) {
            const pixel_point p = lattice_anchor(scale, e1, e2, i, j);
            if (p.x < radius || p.x > 799 - radius || p.y < radius || p.y > 599 - radius)
                continue;
            EXPECT_LE(disc_differences(stage, p.x, p.y, motif, radius), 4) << "motif at " << p.x << ", " << p.y;
            ++compared;
        }
    }
    return compared;
}

inline bool frame_is_black(const rgb_image& image)
{
    for (int x = 0; x < 800; ++x)
        if (image.at(x, 0) != black_rgb || image.at(x, 599) != black_rgb)
            return false;
    for (int y = 0; y < 600; ++y)
        if (image.at(0, y) != black_rgb || image.at(799, y) != black_rgb)
            return false;
    return true;
}
