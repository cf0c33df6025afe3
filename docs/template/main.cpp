// my_picture: a motif drawn in one square cell, then mirrored and copied
// over the whole window, pixel by pixel. Two stages, a key after each.
#include <drawkit.h>

// The palette, mapped once the window is open.
Uint32 white, black, red, green, blue;

// The cell is columns 0..cell_size and rows 0..cell_size; its mirror images
// make a block of block_size by block_size pixels that repeats over the window.
constexpr int cell_size = 100;
constexpr int block_size = 2 * cell_size;

// The motif: the cell's right and bottom edges, a thick diagonal, the
// triangle they close filled green, a quarter disc in the window's corner.
static void draw_motif()
{
    draw_line(cell_size, 0, cell_size, cell_size, black);
    draw_line(cell_size, cell_size, 0, cell_size, black);
    draw_thick_line(0, cell_size, cell_size, 0, 2, black);
    flood_fill(cell_size - 20, cell_size - 20, green, black);
    fill_circle(0, 0, 40, red);
    draw_circle(cell_size, cell_size, 25, blue);
}

// Mirrors the cell across its right edge (column cell_size) and the result
// across the bottom edge (row cell_size), then copies that block to every
// translate in the window. Columns outer, rows inner: each pixel read is
// already final.
static void mirror_and_tile()
{
    for (int x = cell_size + 1; x <= block_size; ++x)
        for (int y = 0; y <= cell_size; ++y)
            put_pixel(x, y, get_pixel(block_size - x, y));
    for (int x = 0; x <= block_size; ++x)
        for (int y = cell_size + 1; y <= block_size; ++y)
            put_pixel(x, y, get_pixel(x, block_size - y));
    for (int x = 0; x < SCREEN_WIDTH; ++x)
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            if (x >= block_size || y >= block_size)
                put_pixel(x, y, get_pixel(x % block_size, y % block_size));
}

int SDL_main(int, char**)
{
    start_program("my_picture");

    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    blue = SDL_MapRGB(screen->format, 0, 0, 205);
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: the motif in the top left cell
    draw_motif();
    end_stage();

    // Stage 2: mirrored and copied over the window
    mirror_and_tile();
    end_stage();

    return 0;
}
