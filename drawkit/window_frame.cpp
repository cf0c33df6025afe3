// The window frame and the fills guarded by it.
#include "drawkit.h"

void draw_window_frame(Uint32 colour)
{
    draw_line(0, 0, SCREEN_WIDTH - 1, 0, colour);
    draw_line(0, 0, 0, SCREEN_HEIGHT - 1, colour);
    draw_line(SCREEN_WIDTH - 1, 0, SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1, colour);
    draw_line(0, SCREEN_HEIGHT - 1, SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1, colour);
}

void guarded_fill(int x, int y, Uint32 fill_colour, Uint32 border_colour)
{
    if (x >= 1 && x <= SCREEN_WIDTH - 2 && y >= 1 && y <= SCREEN_HEIGHT - 2)
        flood_fill(x, y, fill_colour, border_colour);
}
