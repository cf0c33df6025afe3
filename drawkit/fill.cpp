// Boundary fills. Both paint exactly the pixels of their recursive
// definitions, but keep pending seeds on one heap work stack that is
// reused from call to call, so no region can exhaust the thread's stack.
//
// The painted set does not depend on the order in which seeds are taken: a
// run is fixed by the border pixels of its row. A seed is pushed only for
// the first pixel of each stretch of pixels that are neither border nor fill
// colour; the others would find the fill colour once that seed's run is
// painted and return at once, so leaving them out paints the same pixels.
#include "raster.h"

#include <vector>

namespace {

// The pending seeds.
std::vector<pixel_point> work;

// Pushes a seed at the start of every stretch of fillable pixels in
// columns first..last of row y.
void push_stretches(int first, int last, int y, Uint32 fill_colour, Uint32 border_colour)
{
    const Uint32* row = pixel_row(y);
    bool in_stretch = false;
    for (int i = first; i <= last; ++i) {
        Uint32 c = row[i];
        bool fillable = c != border_colour && c != fill_colour;
        if (fillable && !in_stretch)
            work.push_back({i, y});
        in_stretch = fillable;
    }
}

} // namespace

// Scanline fill. From a seed the run is painted leftwards down to column 1
// (a left scan never touches column 0) and rightwards up to column 799,
// stopping only at the border colour and painting over the fill colour.
// The rows above and below (within rows 1..599) are then seeded from the
// border column left of the run to the last painted column.
void flood_fill(int x, int y, Uint32 fill_colour, Uint32 border_colour)
{
    if (!inside_window(x, y))
        return;
    work.clear();
    work.push_back({x, y});
    while (!work.empty()) {
        pixel_point seed = work.back();
        work.pop_back();
        Uint32* row = pixel_row(seed.y);
        Uint32 c = row[seed.x];
        if (c == border_colour || c == fill_colour)
            continue;
        row[seed.x] = fill_colour;

        int left = seed.x - 1;
        while (left > 0 && row[left] != border_colour) {
            row[left] = fill_colour;
            --left;
        }
        int right = seed.x + 1;
        while (right < SCREEN_WIDTH && row[right] != border_colour) {
            row[right] = fill_colour;
            ++right;
        }

        // Column -1 (seeded when the seed itself was in column 0) is outside
        // the window, where a seed returns at once.
        int first = left < 0 ? 0 : left;
        if (seed.y > 1)
            push_stretches(first, right - 1, seed.y - 1, fill_colour, border_colour);
        if (seed.y < SCREEN_HEIGHT - 1)
            push_stretches(first, right - 1, seed.y + 1, fill_colour, border_colour);
    }
}

// Four-way fill: every pixel 4-connected to the seed through pixels that are
// neither border nor fill colour. Callers close the region with an outline;
// should one leak, the fill stops at the window's edge instead of running
// outside the surface.
void flood_fill_4way(int x, int y, Uint32 fill_colour, Uint32 border_colour)
{
    if (!inside_window(x, y))
        return;
    work.clear();
    work.push_back({x, y});
    while (!work.empty()) {
        pixel_point seed = work.back();
        work.pop_back();
        Uint32* row = pixel_row(seed.y);
        Uint32 c = row[seed.x];
        if (c == border_colour || c == fill_colour)
            continue;

        int left = seed.x;
        while (left > 0 && row[left - 1] != border_colour && row[left - 1] != fill_colour)
            --left;
        int right = seed.x;
        while (right < SCREEN_WIDTH - 1 && row[right + 1] != border_colour &&
               row[right + 1] != fill_colour)
            ++right;
        for (int i = left; i <= right; ++i)
            row[i] = fill_colour;

        if (seed.y > 0)
            push_stretches(left, right, seed.y - 1, fill_colour, border_colour);
        if (seed.y < SCREEN_HEIGHT - 1)
            push_stretches(left, right, seed.y + 1, fill_colour, border_colour);
    }
}
