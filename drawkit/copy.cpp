#include "drawkit.h"

#include <algorithm>
#include <cmath>

namespace {

// Whether the copy holds the pixels of its area, and the area lies in the
// window (an empty copy holds none).
bool whole(const window_copy& c)
{
    return c.area.x >= 0 && c.area.y >= 0 && c.area.w > 0 && c.area.h > 0 && c.area.x + c.area.w <= SCREEN_WIDTH &&
           c.area.y + c.area.h <= SCREEN_HEIGHT && c.pixels.size() == static_cast<size_t>(c.area.w) * c.area.h;
}

// The pixel (x, y) of the window in the copy, which holds it.
const Uint32* copied(const window_copy& c, int x, int y)
{
    return c.pixels.data() + static_cast<size_t>(y - c.area.y) * c.area.w + (x - c.area.x);
}

// The window's pixels in `area` into `into`, its storage kept.
void save_area(window_copy& into, SDL_Rect area)
{
    into.area = area;
    into.pixels.clear();
    // Room for the whole window at once: a figure that grows from stage to
    // stage reuses the memory it has written before (new memory costs a
    // page fault per page written first).
    if (into.pixels.capacity() < static_cast<size_t>(area.w) * area.h)
        into.pixels.reserve(static_cast<size_t>(SCREEN_WIDTH) * SCREEN_HEIGHT);
    for (int y = area.y; y < area.y + area.h; ++y)
        into.pixels.insert(into.pixels.end(), pixel_row(y) + area.x, pixel_row(y) + area.x + area.w);
}

// The smallest rectangle in `area` holding every pixel that is not
// `background`, each row of the area read from row_at(y) (its pixel at
// area.x first); w = h = 0 when there is none.
template <typename rows>
SDL_Rect bounds_within(SDL_Rect area, rows row_at, Uint32 background)
{
    int x0 = SCREEN_WIDTH, y0 = SCREEN_HEIGHT, x1 = -1, y1 = -1;
    for (int y = area.y; y < area.y + area.h; ++y) {
        const Uint32* row = row_at(y);
        for (int x = area.x; x < area.x + area.w; ++x)
            if (row[x - area.x] != background) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = y;
            }
    }
    if (x1 < 0)
        return {0, 0, 0, 0};
    return {static_cast<Sint16>(x0), static_cast<Sint16>(y0), static_cast<Uint16>(x1 - x0 + 1),
            static_cast<Uint16>(y1 - y0 + 1)};
}

}  // namespace

window_copy save_window()
{
    window_copy saved;
    save_area(saved, {0, 0, static_cast<Uint16>(SCREEN_WIDTH), static_cast<Uint16>(SCREEN_HEIGHT)});
    return saved;
}

void save_figure(window_copy& into, Uint32 background)
{
    const SDL_Rect figure = bounds_within({0, 0, static_cast<Uint16>(SCREEN_WIDTH), static_cast<Uint16>(SCREEN_HEIGHT)},
                                          pixel_row, background);
    if (figure.w == 0) {
        into.pixels.clear();
        into.area = figure;
        return;
    }
    save_area(into, figure);
}

void restore_window(const window_copy& saved)
{
    if (!whole(saved))
        return;
    for (int y = saved.area.y; y < saved.area.y + saved.area.h; ++y)
        std::copy_n(copied(saved, saved.area.x, y), saved.area.w, pixel_row(y) + saved.area.x);
}

SDL_Rect figure_bounds(const window_copy& picture, Uint32 background)
{
    if (!whole(picture))
        return {0, 0, 0, 0};
    return bounds_within(picture.area, [&](int y) { return copied(picture, picture.area.x, y); }, background);
}

void copy_figure(const window_copy& picture, SDL_Rect from, const plane_isometry& g, Uint32 background)
{
    if (!whole(picture) || from.w == 0 || from.h == 0)
        return;
    const SDL_Rect& held = picture.area;
    const int fx0 = std::max(static_cast<int>(held.x), static_cast<int>(from.x));
    const int fy0 = std::max(static_cast<int>(held.y), static_cast<int>(from.y));
    const int fx1 = std::min(held.x + held.w, from.x + from.w), fy1 = std::min(held.y + held.h, from.y + from.h);
    if (fx0 >= fx1 || fy0 >= fy1)
        return;
    // The window pixels that the image of `from` can reach.
    double lo_x = 1e18, lo_y = 1e18, hi_x = -1e18, hi_y = -1e18;
    for (int corner = 0; corner < 4; ++corner) {
        double x = corner & 1 ? fx1 : fx0, y = corner & 2 ? fy1 : fy0;
        map_point(g, x, y);
        lo_x = std::min(lo_x, x), hi_x = std::max(hi_x, x);
        lo_y = std::min(lo_y, y), hi_y = std::max(hi_y, y);
    }
    if (!(hi_x >= 0 && lo_x <= SCREEN_WIDTH && hi_y >= 0 && lo_y <= SCREEN_HEIGHT))
        return;  // also when g is not finite
    const int x0 = std::max(0, static_cast<int>(std::floor(lo_x)) - 1);
    const int x1 = std::min(SCREEN_WIDTH - 1, static_cast<int>(std::ceil(hi_x)) + 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(lo_y)) - 1);
    const int y1 = std::min(SCREEN_HEIGHT - 1, static_cast<int>(std::ceil(hi_y)) + 1);
    // A whole translation reads each row of `from` as it stands: the same
    // pixels as the general loop below, without its floor per pixel.
    if (g.xx == 1 && g.yy == 1 && g.xy == 0 && g.yx == 0 && g.tx == std::floor(g.tx) && g.ty == std::floor(g.ty)) {
        const int dx = static_cast<int>(g.tx), dy = static_cast<int>(g.ty);
        const int first = std::max(x0, fx0 + dx), last = std::min(x1, fx1 - 1 + dx);
        for (int y = std::max(y0, fy0 + dy); y <= std::min(y1, fy1 - 1 + dy); ++y) {
            Uint32* row = pixel_row(y);
            const Uint32* source = copied(picture, first - dx, y - dy);
            for (int x = first; x <= last; ++x)
                if (source[x - first] != background)
                    row[x] = source[x - first];
        }
        return;
    }
    // g^-1(q) = m^T (q - t), m orthogonal.
    for (int y = y0; y <= y1; ++y) {
        Uint32* row = pixel_row(y);
        const double qy = y + 0.5 - g.ty;
        for (int x = x0; x <= x1; ++x) {
            const double qx = x + 0.5 - g.tx;
            const double sx = std::floor(g.xx * qx + g.yx * qy), sy = std::floor(g.xy * qx + g.yy * qy);
            if (sx < fx0 || sx >= fx1 || sy < fy0 || sy >= fy1)
                continue;
            const Uint32 colour = *copied(picture, static_cast<int>(sx), static_cast<int>(sy));
            if (colour != background)
                row[x] = colour;
        }
    }
}
