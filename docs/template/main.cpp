// my_picture: a motif drawn in one square cell, then mirrored and copied
// over the whole window, pixel by pixel. Two stages, a key after each.
#include <drawkit.h>

// The palette, mapped once the window is open.
Uint32 white, black, red, green, blue;

// The cell is columns 0..CELL and rows 0..CELL; its mirror images make a
// block of 2*CELL by 2*CELL pixels that repeats over the window.
constexpr int CELL = 100;
constexpr int BLOCK = 2 * CELL;

// The motif: the cell's right and bottom edges, a thick diagonal, the
// triangle they close filled green, a quarter disc in the window's corner.
static void draw_motif()
{
    draw_line(CELL, 0, CELL, CELL, black);
    draw_line(CELL, CELL, 0, CELL, black);
    draw_thick_line(0, CELL, CELL, 0, 2, black);
    flood_fill(CELL - 20, CELL - 20, green, black);
    fill_circle(0, 0, 40, red);
    draw_circle(CELL, CELL, 25, blue);
}

// Mirrors the cell across its right edge (column CELL) and the result across
// the bottom edge (row CELL), then copies that block to every translate in
// the window. Columns outer, rows inner: each pixel read is already final.
static void mirror_and_tile()
{
    for (int x = CELL + 1; x <= BLOCK; ++x)
        for (int y = 0; y <= CELL; ++y)
            put_pixel(x, y, get_pixel(BLOCK - x, y));
    for (int x = 0; x <= BLOCK; ++x)
        for (int y = CELL + 1; y <= BLOCK; ++y)
            put_pixel(x, y, get_pixel(x, BLOCK - y));
    for (int x = 0; x < SCREEN_WIDTH; ++x)
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            if (x >= BLOCK || y >= BLOCK)
                put_pixel(x, y, get_pixel(x % BLOCK, y % BLOCK));
}

int SDL_main(int, char**)
{
    start_sdl("my_picture");
    open_window("my_picture");

    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    blue = SDL_MapRGB(screen->format, 0, 0, 205);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: the motif in the top left cell
    draw_motif();
    SDL_Flip(screen);
    wait_for_key();

    // Stage 2: mirrored and copied over the window
    mirror_and_tile();
    SDL_Flip(screen);
    wait_for_key();

    return 0;
}
