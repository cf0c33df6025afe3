// drawkit: the frame, pixel access, key wait and raster primitives shared
// by every tiling and wallpaper program.
//
// Coordinates are pixels: x is the column (0..799, rightwards), y the row
// (0..599, downwards). Colours are pixel values made by SDL_MapRGB on the
// format of `screen` and are compared by plain 32-bit equality.
//
// Naming, here and in every program: types, functions, variables and
// constexpr constants are lower_snake_case (pixel_point, draw_line,
// tile_limit). The one exception is the window's extent, SCREEN_WIDTH and
// SCREEN_HEIGHT (geometry.h), spelt as SDL programs have always spelt it.
// SDL's own names (SDL_Surface, Uint32) stay SDL's, and so do the test
// suites' names (GoogleTest's CamelCase) and the benchmarks' BM_ names, which
// name tests and benchmarks rather than code. A header of a linked
// library is included with angle brackets (#include <drawkit.h>), a header
// of the same folder with quotes (#include "geometry.h").
#pragma once

#include <SDL.h>

#include <vector>

// Window points, the window's extent, lattice placement and the pixel
// roundings: pure geometry, no drawing.
#include "geometry.h"

// The window surface, set once by open_window() and kept for the whole run.
extern SDL_Surface* screen;

// Each program defines its own SDL_main; drawkit's process entry calls it,
// shuts SDL down and returns its status.
int SDL_main(int argc, char** argv);

// Initialises SDL video for a window a person can see. Without
// SDL_VIDEODRIVER it uses X11 when DISPLAY is set and never falls back to a
// text-mode or offscreen driver; when no window can be had it prints
// "<program>: cannot open a window: <reason>" (e.g. that DISPLAY is not set)
// on stderr and ends the process with status 1. With SDL_VIDEODRIVER set, a
// failure prints "<program>: cannot initialise SDL: <reason>" and ends with
// status 1. SIGINT and SIGTERM keep the dispositions they had before SDL
// started: by default they end the program at once, in a wait or not.
void start_sdl(const char* program);

// Sets the 800x600x32 video mode (hardware, double-buffered) into `screen`,
// in a window titled with the program's name. On failure prints
// "<program>: cannot open the 800x600 window: <reason>" on stderr and ends
// the process with status 1; it never returns without a surface. Locks the
// surface for the whole run when SDL says it must be.
void open_window(const char* program);

// The program skeleton. start_program(name) is start_sdl(name) then
// open_window(name): on return `screen` is the program's window, titled
// with its name. end_stage() ends a stage: SDL_Flip(screen), then
// wait_for_key(), whose answer it returns. Frames shown in the middle of a
// stage (animations, one frame per tile) call SDL_Flip themselves.
void start_program(const char* name);
int end_stage();

// Pixel access, unchecked: no bounds test at all, so (x, y) outside the
// window reads or writes outside the surface. The caller keeps (x, y)
// inside the window. Rows are addressed with the surface's pitch.
inline Uint32* pixel_row(int y)
{
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(screen->pixels) + y * screen->pitch);
}
inline Uint32 get_pixel(int x, int y) { return pixel_row(y)[x]; }
inline void put_pixel(int x, int y, Uint32 colour) { pixel_row(y)[x] = colour; }

// Blocks until a key is pressed (returns 0) or the window is asked to close
// (returns 1); every other event is discarded. A window uncovered or shown
// again gets its picture back (without a flip). An error from SDL_WaitEvent
// counts as a close request.
int wait_for_key();

// Integer lines from (x0, y0) to (x1, y1); the direction matters.
// draw_line: 4-connected (corner pixel at every minor step), clipped to the
// window; takes any int end points and sets exactly the pixels of its walk
// that lie inside the window, at a cost bounded by the window, not by the
// line's length. draw_line_thin: 8-connected and unchecked: every pixel it
// visits is written, so the caller keeps both end points inside the window.
void draw_line(int x0, int y0, int x1, int y1, Uint32 colour);
void draw_line_thin(int x0, int y0, int x1, int y1, Uint32 colour);

// Boundary fills from the seed (x, y) up to `border`; a seed on the border
// or fill colour paints nothing. flood_fill is the scanline fill that seeds
// the neighbouring rows one column beyond the run on the left and never
// seeds row 0 from below or row 600; flood_fill_4way fills the 4-connected
// region, stopping at the window's edge. Both work on a heap work stack,
// never on deep recursion, and take any seed: one outside the window
// paints nothing.
void flood_fill(int x, int y, Uint32 fill_colour, Uint32 border_colour);
void flood_fill_4way(int x, int y, Uint32 fill_colour, Uint32 border_colour);

// A band about 2*w + 1 pixels across: the centre line plus perpendicular
// strokes of length w sampled every tenth of a pixel. draw_thick_line takes
// any int arguments and clips to the window, drawing only the samples whose
// strokes can reach it; on a segment so long (about 1.7 million pixels) that
// the sample parameter stops advancing before its end, sampling ends there.
// The _thin form draws every stroke with draw_line_thin and is unchecked:
// the caller keeps every stroke inside the window.
void draw_thick_line(int x0, int y0, int x1, int y1, int w, Uint32 colour);
void draw_thick_line_thin(int x0, int y0, int x1, int y1, int w, Uint32 colour);

// Circles about (cx, cy) of radius r, clipped to the window: fill_circle
// paints the disc, draw_circle its 4-connected rim. Any int centre and
// radius: each window row is painted from a closed form of the walk, so the
// cost is bounded by the window; a negative radius draws nothing.
void fill_circle(int cx, int cy, int r, Uint32 colour);
void draw_circle(int cx, int cy, int r, Uint32 colour);

// The one-pixel frame along the window's border, drawn with draw_line:
// top, left, right, bottom. Pictures that fill regions touching the edge
// draw it first, so that every such region is closed.
void draw_window_frame(Uint32 colour);

// flood_fill started only from a seed strictly inside that frame (columns
// 1..798, rows 1..598); a seed anywhere else paints nothing.
void guarded_fill(int x, int y, Uint32 fill_colour, Uint32 border_colour);

// guarded_fill from a seed point: nothing unless the seed lies strictly
// inside the window's one-pixel frame.
inline void guarded_fill(pixel_point seed, Uint32 fill_colour, Uint32 border_colour)
{
    guarded_fill(seed.x, seed.y, fill_colour, border_colour);
}

// An edge of a lattice figure: draw_thick_line of half-width 1 between two
// points, clipped to the window.
inline void draw_edge(pixel_point from, pixel_point to, Uint32 colour)
{
    draw_thick_line(from.x, from.y, to.x, to.y, 1, colour);
}

// The window's pixels, copied out row by row (SCREEN_WIDTH x SCREEN_HEIGHT),
// or those of a part of it (`area`): a picture to copy figures from, or to
// put back over what was drawn since.
struct window_copy {
    std::vector<Uint32> pixels;  // area.w x area.h
    SDL_Rect area{0, 0, static_cast<Uint16>(SCREEN_WIDTH), static_cast<Uint16>(SCREEN_HEIGHT)};
};
window_copy save_window();
// Only the smallest rectangle of the window holding every pixel that is not
// `background`, into `into`, whose storage is kept: the figure drawn so far
// on a plain window, saved stage after stage without copying the whole window.
void save_figure(window_copy& into, Uint32 background);
// Puts the copy back over its area; the rest of the window stays as it is.
void restore_window(const window_copy& saved);

// The smallest rectangle holding every pixel of `picture` that is not
// `background`; w = h = 0 when there is none.
SDL_Rect figure_bounds(const window_copy& picture, Uint32 background);

// Copies a figure under the isometry g: every window pixel whose centre q
// has its preimage g^-1(q) in a pixel of `from` takes that pixel's colour in
// `picture`, unless the colour is `background`, so only the figure is
// copied and the rest of the window stays as it is. The pixel of a point is
// the one containing it (the nearest pixel centre, by floor). When g maps
// pixel centres onto pixel centres (a matrix of 0 and +-1 and a translation
// of whole or half pixels: mirrors and glides along rows, columns and
// diagonals, half- and quarter-turns about pixel centres and corners, whole
// translations) every copy is exact. The cost is bounded by the image of
// `from`, clipped to the window.
void copy_figure(const window_copy& picture, SDL_Rect from, const plane_isometry& g, Uint32 background);

#ifdef __EMSCRIPTEN__
// In a web page the browser's SDL_Flip shows nothing and its SDL_FillRect
// paints only the canvas: drawkit's own forms present and fill the surface
// (frame_web.cpp). The programs' calls stay as they are.
int web_flip(SDL_Surface* surface);
int web_fill_rect(SDL_Surface* surface, SDL_Rect* rect, Uint32 colour);
#define SDL_Flip web_flip
#define SDL_FillRect web_fill_rect
#endif
