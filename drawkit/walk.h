// The 4-connected walk of draw_line, with no SDL and no window: drawkit's
// lines and the plane groups' notation on any pixel canvas take their
// pixels from it.
#pragma once

// The 4-connected walk of draw_line; Plot sets one pixel. Only for end
// points whose differences fit in an int.
template <typename Plot>
inline void walk_4connected(int x0, int y0, int x1, int y1, Plot plot)
{
    int dx = x1 - x0, dy = y1 - y0;
    int sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
    int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    int x = x0, y = y0, e = 0;

    plot(x, y);
    if (dx == 0) {
        for (int i = 0; i < ady; ++i) {
            y += sy;
            plot(x, y);
        }
    } else if (dy == 0) {
        for (int i = 0; i < adx; ++i) {
            x += sx;
            plot(x, y);
        }
    } else if (adx == ady) {
        for (int i = 0; i < adx; ++i) {
            x += sx;
            plot(x, y);
            y += sy;
            plot(x, y);
        }
    } else if (adx > ady) {
        for (int i = 0; i < adx; ++i) {
            x += sx;
            plot(x, y);
            e += ady;
            if (e >= adx) {
                e -= adx;
                y += sy;
                plot(x, y);
            }
        }
    } else {
        for (int i = 0; i < ady; ++i) {
            y += sy;
            plot(x, y);
            e += adx;
            if (e >= ady) {
                e -= ady;
                x += sx;
                plot(x, y);
            }
        }
    }
}
