// A drawing in a plane group: the visitor's strokes, their images under
// every operation of the group over a canvas, and their pixels, drawn with
// drawkit on its `screen`. The same code draws the page's canvas (in the
// browser), the command line's pictures and the tests' ones.
//
// The group is a wallpaper group (two independent translations), a frieze
// group (translations along a strip) or a rosette group (turns, and for Dn
// mirrors, about a point). Coordinates are canvas pixels, x to the right, y
// downwards; the group is laid out as `wallpaper_group NAME`,
// `frieze_group NAME` or `rosette_group NAME` lays it out in its 800x600
// window, and a larger canvas shows more of the same plane to the right and
// below.
#pragma once

#include <construction.h>

#include <cstdint>
#include <string>
#include <vector>

enum class stroke_tool { freehand, line, disc };

// One stroke as drawn: a freehand path, a straight line (two points) or a
// disc (its centre and a point of its rim), in whole canvas pixels.
struct stroke {
    stroke_tool tool = stroke_tool::freehand;
    uint32_t rgb = 0;  // 0xRRGGBB
    int width = 1;     // the pen's width in pixels: a round pen of radius width / 2
    std::vector<pixel_point> points;
};

// A disc's radius: the distance from its centre to its rim point, rounded.
int disc_radius(const stroke& s);

// The three kinds of group, by the words the file and the page use:
// "wallpaper", "frieze", "rosette"; the group of a kind by its name, or null.
const char* kind_of(const wallpaper_group& group);
const wallpaper_group* find_kind_group(const std::string& kind, const std::string& name);

struct drawing {
    const wallpaper_group* group = nullptr;
    std::vector<stroke> strokes;
};

// The widths and sizes a drawing keeps to.
constexpr int widest_pen = 64;
constexpr int largest_canvas = 4096;
constexpr int farthest_point = largest_canvas;  // the largest |x| and |y| of a point
constexpr int largest_disc = 299;                // the largest radius of a disc
// A drawing holds at most this many strokes and points: a redraw stays
// within a few seconds in the browser.
constexpr size_t most_strokes = 2000, most_points = 50000;

// The canvas a drawing is shown on in the page.
constexpr int canvas_width = SCREEN_WIDTH, canvas_height = SCREEN_HEIGHT;

// The isometries of the group at its layout: those that take the
// fundamental region to each of its copies in one cell (the identity
// first; for a rosette every isometry of the group), in window pixels; the
// translations are the whole-pixel vectors of the group's row: a and b, a
// frieze's a alone, none for a rosette.
struct group_images {
    group_layout layout;
    std::vector<plane_isometry> operations;
};
group_images images_of(const wallpaper_group& group);

// Draws the stroke under every image that reaches the part of the plane
// shown on the window when the window's corner is at canvas pixel (ox, oy).
// Each image's points are taken to whole pixels (the pixel holding the image
// of the point's pixel centre) before the lattice translation, and the pen
// is drawn on those whole pixels only, so that every image is the same
// pixels moved by a whole lattice vector, on any window of any canvas.
void draw_stroke_images(const group_images& images, const stroke& s, int ox, int oy);

// The same for only the last segment of a freehand stroke (points n - 2 and
// n - 1): what a pointer move adds.
void draw_last_segment_images(const group_images& images, const stroke& s, int ox, int oy);

// The drawing on the window: the background, then every stroke in order.
void draw_drawing(const group_images& images, const drawing& d, int ox, int oy);

// The drawing rendered on a w x h canvas (1 to largest_canvas each), as
// 0xRRGGBB pixels, row-major, window by window of the screen.
std::vector<uint32_t> render_drawing(const drawing& d, int w, int h);

// The smallest upright rectangle that repeats seamlessly: a w x h picture
// rendered from canvas (0, 0) tiles the plane (a frieze's: along its strip,
// as high as the page's canvas); 0 x 0 for a rosette, which does not repeat.
void seamless_cell(const wallpaper_group& group, int& w, int& h);

// Whether the pixel whose centre is (x + 0.5, y + 0.5) lies in the convex
// polygon `corners` (the fundamental region's: region_points), counting a
// centre on an edge for one side only.
bool in_region(const std::vector<window_point>& corners, int x, int y);

// "Build it": the stages of `wallpaper_group`, whose motif is the drawing cut
// to one fundamental region; each stage's window pixels. `drawn`, when
// given, is the drawing's 800x600 picture already made.
std::vector<std::vector<uint32_t>> build_stages(const drawing& d);
std::vector<std::vector<uint32_t>> build_stages(const drawing& d, const std::vector<uint32_t>& drawn);

// The drawing as JSON, and back. parse_drawing leaves `d` as it was and
// returns a one-line message when the text is not a drawing; "" on success.
std::string drawing_json(const drawing& d);
std::string parse_drawing(const std::string& text, drawing& d);

// The strokes as SVG: every image on a w x h canvas as a vector path.
std::string drawing_svg(const drawing& d, int w, int h);

// How the group `found` of kind `found_kind` ("wallpaper", "frieze",
// "rosette"; anything else for none) stands to the drawing's group: "same",
// "larger" (the same kind, more copies of its fundamental region to a cell),
// "smaller", "other" or "none", and a sentence that tells a visitor what it
// means.
void group_relation(const wallpaper_group& chosen, const std::string& found_kind, const std::string& found,
                    std::string& relation, std::string& sentence);

// An 800x600 surface in memory for drawkit to draw on, without a window;
// `screen` is set to it. Its pixels are 0xRRGGBB natively, R, G, B, A bytes
// in the browser.
void open_offscreen();

// A second such surface, where a stroke's image is drawn once before it is
// set at each of its translates.
SDL_Surface* scratch_surface();
