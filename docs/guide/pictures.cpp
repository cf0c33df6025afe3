// The pictures of docs/guide.md: one stage per picture. Each stage draws a
// few drawkit calls into the window's top left 40x30 pixels and then blows
// that corner up twenty times, with a grey grid between the pixels, so that
// every pixel the calls set can be seen. docs/guide/regenerate runs it
// through the capture tool and names the stages.
#include <drawkit.h>

Uint32 white, black, red, green, blue, grid;

constexpr int zoom = 20;
constexpr int area_width = SCREEN_WIDTH / zoom;   // 40 columns
constexpr int area_height = SCREEN_HEIGHT / zoom; // 30 rows

// Enlarges the top left area_width x area_height pixels to the whole window,
// a grid line along the top and left of every enlarged pixel.
static void zoom_corner()
{
    Uint32 area[area_height][area_width];
    for (int y = 0; y < area_height; ++y)
        for (int x = 0; x < area_width; ++x)
            area[y][x] = get_pixel(x, y);
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            put_pixel(x, y, x % zoom == 0 || y % zoom == 0 ? grid : area[y / zoom][x / zoom]);
}

// One picture: a white window, the drawing, the zoom, then a key.
static void show(void (*drawing)())
{
    SDL_FillRect(screen, nullptr, white);
    drawing();
    zoom_corner();
    end_stage();
}

// pixels.png: a small red and green shape set with put_pixel, and its mirror
// image to the right, copied pixel by pixel with get_pixel.
static void pixels()
{
    for (int i = 0; i < 8; ++i) {
        put_pixel(4 + i, 22, red);
        put_pixel(4, 22 - i, red);
        put_pixel(5 + i, 21 - i, green);
    }
    for (int x = 0; x < 16; ++x)
        for (int y = 10; y < 25; ++y)
            put_pixel(35 - x, y, get_pixel(x, y));
}

// line.png: draw_line, 4-connected: a corner pixel at every step across.
static void line()
{
    draw_line(2, 3, 37, 12, black);
    draw_line(4, 27, 12, 8, red);
    draw_line(18, 26, 28, 16, blue);
}

// line_thin.png: draw_line_thin, the same lines 8-connected.
static void line_thin()
{
    draw_line_thin(2, 3, 37, 12, black);
    draw_line_thin(4, 27, 12, 8, red);
    draw_line_thin(18, 26, 28, 16, blue);
}

// flood_fill.png: a triangle outlined with draw_line, filled from inside.
static void fill()
{
    draw_line(4, 26, 20, 3, black);
    draw_line(20, 3, 36, 26, black);
    draw_line(36, 26, 4, 26, black);
    flood_fill(20, 18, green, black);
}

// flood_fill_4way.png: a diamond of draw_line_thin, filled 4-connected.
static void fill_4way()
{
    draw_line_thin(20, 2, 34, 15, black);
    draw_line_thin(34, 15, 20, 28, black);
    draw_line_thin(20, 28, 6, 15, black);
    draw_line_thin(6, 15, 20, 2, black);
    flood_fill_4way(20, 15, green, black);
}

// thick_line.png: draw_thick_line with half-widths 2 and 0, the centre
// line of each drawn over it in red.
static void thick_line()
{
    draw_thick_line(4, 24, 34, 6, 2, black);
    draw_line(4, 24, 34, 6, red);
    draw_thick_line(20, 28, 38, 20, 0, black);
}

// thick_line_thin.png: the same band with draw_thick_line_thin.
static void thick_line_thin()
{
    draw_thick_line_thin(4, 24, 34, 6, 2, black);
    draw_line_thin(4, 24, 34, 6, red);
    draw_thick_line_thin(20, 28, 38, 20, 0, black);
}

// circles.png: fill_circle and draw_circle, radius 8, and radii 0 to 2.
static void circles()
{
    fill_circle(10, 11, 8, red);
    draw_circle(29, 11, 8, blue);
    fill_circle(6, 25, 2, red);
    draw_circle(14, 25, 2, blue);
    fill_circle(22, 25, 1, red);
    draw_circle(28, 25, 1, blue);
    fill_circle(34, 25, 0, red);
}

// clipping.png: the window's edges cut a disc about the corner pixel, a
// line and a thick line that start outside; only pixels inside are set.
static void clipping()
{
    fill_circle(0, 0, 8, red);
    draw_line(-20, 29, 30, -6, black);
    draw_thick_line(24, -4, 38, 20, 1, blue);
}

// window_frame.png: the window frame in the corner, a line against it, and
// guarded fills: the corner it closes fills green, a seed on the frame
// itself (column 0) paints nothing.
static void window_frame()
{
    draw_window_frame(black);
    draw_line(0, 22, 30, 0, black);
    guarded_fill(5, 5, green, black);
    guarded_fill(0, 26, red, black);
}

int SDL_main(int, char**)
{
    start_program("guide_pictures");

    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    blue = SDL_MapRGB(screen->format, 0, 0, 205);
    grid = SDL_MapRGB(screen->format, 220, 220, 220);

    show(pixels);
    show(line);
    show(line_thin);
    show(fill);
    show(fill_4way);
    show(thick_line);
    show(thick_line_thin);
    show(circles);
    show(clipping);
    show(window_frame);
    return 0;
}
