// Integer line rasteriser. The minor coordinate steps only when the
// accumulated error reaches the full major length, so a line from A to B
// and one from B to A can differ.
#include "raster.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using wide_product = __int128;

// n / d for n >= 0 and d > 0, in 64 bits whenever n fits.
inline wide_int quotient(wide_product n, wide_int d)
{
    if (n <= static_cast<wide_product>(INT64_MAX))
        return static_cast<wide_int>(n) / d;
    return static_cast<wide_int>(n / d);
}

// Sets the pixels of the walk's steps first..last that lie inside the window.
// Step i (1..major) moves the major coordinate to a0 + sa*i and sets the
// corner pixel at minor offset m(i - 1), then, when the minor coordinate
// steps, the pixel at m(i), where m(i) = floor(i * minor / major) and the
// error term after step i is i * minor mod major: both are closed forms of
// the step, so the walk starts at `first` without taking the steps before.
// The steps whose offsets all lie in m_low..m_high (all but at most one at
// each end) write without a test per pixel.
void walk_steps(bool x_major, wide_int a0, int sa, wide_int b0, int sb, wide_int major, wide_int minor,
                wide_int first, wide_int last, wide_int m_low, wide_int m_high, Uint32 colour)
{
    wide_product before = static_cast<wide_product>(first - 1) * minor;
    wide_int m = quotient(before, major), e = static_cast<wide_int>(before - static_cast<wide_product>(m) * major);
    auto plot = [&](wide_int a, wide_int b) {
        if (x_major)
            plot_clipped(a, b, colour);
        else
            plot_clipped(b, a, colour);
    };
    auto checked_step = [&](wide_int i) {
        wide_int a = a0 + sa * i;
        plot(a, b0 + sb * m);
        e += minor;
        if (e >= major) {
            e -= major;
            ++m;
            plot(a, b0 + sb * m);
        }
    };

    wide_int inner_first = first, inner_last = last;
    if (minor > 0) {
        // m(i - 1) >= m_low and m(i) <= m_high.
        wide_product low = static_cast<wide_product>(m_low) * major;
        inner_first = std::max(first, quotient(low + minor - 1, minor) + 1);
        wide_product high = static_cast<wide_product>(m_high + 1) * major - 1;
        inner_last = std::min(last, quotient(high, minor));
    }
    wide_int i = first;
    for (; i <= last && i < inner_first; ++i)
        checked_step(i);
    if (i <= inner_last) {
        // Walk an index into the pixels: a major step moves it by
        // major_stride, a minor step by minor_stride.
        Uint32* pixels = pixel_row(0);
        const std::ptrdiff_t pitch = screen->pitch / static_cast<std::ptrdiff_t>(sizeof(Uint32));
        const std::ptrdiff_t major_stride = x_major ? sa : sa * pitch, minor_stride = x_major ? sb * pitch : sb;
        wide_int a = a0 + sa * (i - 1), b = b0 + sb * m;
        std::ptrdiff_t at = x_major ? b * pitch + a : a * pitch + b;
        // Without branches: the second write repeats the first pixel when
        // the minor coordinate does not step.
        for (wide_int count = inner_last - i + 1; count > 0; --count) {
            at += major_stride;
            pixels[at] = colour;
            e += minor;
            const bool steps = e >= major;
            e -= steps ? major : 0;
            at += steps ? minor_stride : 0;
            pixels[at] = colour;
        }
        i = inner_last + 1;
        m = quotient(static_cast<wide_product>(inner_last) * minor, major);
    }
    for (; i <= last; ++i)
        checked_step(i);
}

// The steps i in 1..major whose major coordinate a0 + sa*i lies in 0..size-1.
void clip_major(wide_int a0, int sa, wide_int size, wide_int& first, wide_int& last)
{
    if (sa > 0) {
        first = std::max(first, -a0);
        last = std::min(last, size - 1 - a0);
    } else {
        first = std::max(first, a0 - (size - 1));
        last = std::min(last, a0);
    }
}

} // namespace

// Every pixel of the walk lies in the rectangle spanned by the end points,
// so a line whose rectangle misses the window sets nothing, and one whose
// rectangle lies inside it needs no test per pixel. Any other line visits
// only the steps that can set a pixel inside the window: those whose major
// coordinate is inside and whose minor offsets m(i - 1)..m(i) meet the
// window's range, both found by division.
void draw_line_wide(wide_int x0, wide_int y0, wide_int x1, wide_int y1, Uint32 colour)
{
    wide_int left = std::min(x0, x1), right = std::max(x0, x1);
    wide_int top = std::min(y0, y1), bottom = std::max(y0, y1);
    if (right < 0 || left >= SCREEN_WIDTH || bottom < 0 || top >= SCREEN_HEIGHT)
        return;
    if (inside_window(left, top) && inside_window(right, bottom)) {
        walk_4connected(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1),
                        static_cast<int>(y1), [colour](int x, int y) { put_pixel(x, y, colour); });
        return;
    }
    plot_clipped(x0, y0, colour);
    wide_int dx = x1 - x0, dy = y1 - y0;
    wide_int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    // A diagonal line steps like an x-major one; a vertical one is y-major
    // with no minor steps, a horizontal one x-major with none.
    bool x_major = adx >= ady;
    wide_int major = x_major ? adx : ady, minor = x_major ? ady : adx;
    if (major == 0)
        return;
    int sa = (x_major ? dx : dy) > 0 ? 1 : -1, sb = (x_major ? dy : dx) > 0 ? 1 : -1;
    wide_int a0 = x_major ? x0 : y0, b0 = x_major ? y0 : x0;
    wide_int a_size = x_major ? SCREEN_WIDTH : SCREEN_HEIGHT, b_size = x_major ? SCREEN_HEIGHT : SCREEN_WIDTH;

    wide_int first = 1, last = major;
    clip_major(a0, sa, a_size, first, last);
    // The minor offsets m (0..minor) whose coordinate b0 + sb*m is inside.
    wide_int m_low = sb > 0 ? -b0 : b0 - (b_size - 1), m_high = sb > 0 ? b_size - 1 - b0 : b0;
    m_low = std::max<wide_int>(m_low, 0);
    m_high = std::min(m_high, minor);
    if (m_low > m_high)
        return;
    if (minor > 0) {
        // m(i) >= m_low and m(i - 1) <= m_high.
        wide_product low = static_cast<wide_product>(m_low) * major;
        first = std::max(first, quotient(low + minor - 1, minor));
        wide_product high = static_cast<wide_product>(m_high + 1) * major - 1;
        last = std::min(last, quotient(high, minor) + 1);
    }
    if (first <= last)
        walk_steps(x_major, a0, sa, b0, sb, major, minor, first, last, m_low, m_high, colour);
}

void draw_line(int x0, int y0, int x1, int y1, Uint32 colour)
{
    draw_line_wide(x0, y0, x1, y1, colour);
}

void draw_line_thin(int x0, int y0, int x1, int y1, Uint32 colour)
{
    int dx = x1 - x0, dy = y1 - y0;
    int sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
    int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    int x = x0, y = y0, e = 0;

    put_pixel(x, y, colour);
    if (dx == 0) {
        for (int i = 0; i < ady; ++i) {
            y += sy;
            put_pixel(x, y, colour);
        }
    } else if (dy == 0) {
        for (int i = 0; i < adx; ++i) {
            x += sx;
            put_pixel(x, y, colour);
        }
    } else if (adx == ady) {
        for (int i = 0; i < adx; ++i) {
            x += sx;
            y += sy;
            put_pixel(x, y, colour);
        }
    } else if (adx > ady) {
        for (int i = 0; i < adx; ++i) {
            e += ady;
            x += sx;
            if (e >= adx) {
                e -= adx;
                y += sy;
            }
            put_pixel(x, y, colour);
        }
    } else {
        for (int i = 0; i < ady; ++i) {
            e += adx;
            y += sy;
            if (e >= ady) {
                e -= ady;
                x += sx;
            }
            put_pixel(x, y, colour);
        }
    }
}
