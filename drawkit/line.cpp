// Integer line rasteriser. The minor coordinate steps only when the
// accumulated error reaches the full major length, so a line from A to B
// and one from B to A can differ.
#include "raster.h"

// Every pixel of the walk lies in the rectangle spanned by the end points,
// so a line whose rectangle misses the window sets nothing, and one whose
// rectangle lies inside it needs no test per pixel.
void draw_line(int x0, int y0, int x1, int y1, Uint32 colour)
{
    int left = x0 < x1 ? x0 : x1, right = x0 < x1 ? x1 : x0;
    int top = y0 < y1 ? y0 : y1, bottom = y0 < y1 ? y1 : y0;
    if (right < 0 || left >= SCREEN_WIDTH || bottom < 0 || top >= SCREEN_HEIGHT)
        return;
    if (inside_window(left, top) && inside_window(right, bottom))
        walk_4connected(x0, y0, x1, y1, [colour](int x, int y) { put_pixel(x, y, colour); });
    else
        walk_4connected(x0, y0, x1, y1, [colour](int x, int y) { plot_clipped(x, y, colour); });
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
