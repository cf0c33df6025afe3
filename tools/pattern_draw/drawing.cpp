#include "drawing.h"

#include <walk.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace {

// The round pen of radius r set on pixel (x, y): one pixel for radius 0,
// otherwise drawkit's disc.
void pen_dot(int x, int y, int r, Uint32 colour)
{
    if (r == 0) {
        if (inside_window(x, y))
            put_pixel(x, y, colour);
        return;
    }
    fill_circle(x, y, r, colour);
}

// The pen drawn along draw_line's walk from p to q, on the window whose
// corner is canvas pixel (ox, oy). Only the steps whose pen reaches the
// window are drawn.
void pen_segment(pixel_point p, pixel_point q, int r, Uint32 colour, int ox, int oy)
{
    const int x0 = p.x - ox, y0 = p.y - oy, x1 = q.x - ox, y1 = q.y - oy;
    if (std::max(x0, x1) + r < 0 || std::min(x0, x1) - r >= SCREEN_WIDTH || std::max(y0, y1) + r < 0 ||
        std::min(y0, y1) - r >= SCREEN_HEIGHT)
        return;
    // A long slanted segment whose box meets the window may pass it by: the
    // window's centre farther from its line than the window's half diagonal
    // and the pen.
    const double dx = x1 - x0, dy = y1 - y0, length = std::sqrt(dx * dx + dy * dy);
    constexpr double half_diagonal = 500;
    if (length > 0 && std::abs(dx * (SCREEN_HEIGHT / 2.0 - y0) - dy * (SCREEN_WIDTH / 2.0 - x0)) / length >
                          half_diagonal + r + 2)
        return;
    if (r == 0) {
        draw_line(x0, y0, x1, y1, colour);
        return;
    }
    walk_4connected(x0, y0, x1, y1, [&](int x, int y) {
        if (x + r >= 0 && x - r < SCREEN_WIDTH && y + r >= 0 && y - r < SCREEN_HEIGHT)
            fill_circle(x, y, r, colour);
    });
}

// The pixel holding the image of pixel p's centre under g.
pixel_point image_pixel(const plane_isometry& g, pixel_point p)
{
    double x = p.x + 0.5, y = p.y + 0.5;
    map_point(g, x, y);
    return {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
}

// The lattice translations (whole pixels) that bring the rectangle
// [x0, x1] x [y0, y1] to meet the w x h window whose corner is canvas pixel
// (ox, oy): f(dx, dy) for each.
template <typename Each>
void translations_reaching(const wallpaper_group& g, int x0, int y0, int x1, int y1, int ox, int oy, int w, int h,
                           Each f)
{
    // t must lie in [ox - x1, ox + w - 1 - x0] x [oy - y1, oy + h - 1 - y0].
    const double tx0 = ox - x1, tx1 = ox + w - 1 - x0, ty0 = oy - y1, ty1 = oy + h - 1 - y0;
    const double det = static_cast<double>(g.a[0]) * g.b[1] - static_cast<double>(g.a[1]) * g.b[0];
    double u0 = 1e18, u1 = -1e18, v0 = 1e18, v1 = -1e18;
    for (int corner = 0; corner < 4; ++corner) {
        const double x = corner & 1 ? tx1 : tx0, y = corner & 2 ? ty1 : ty0;
        const double u = (x * g.b[1] - y * g.b[0]) / det, v = (g.a[0] * y - g.a[1] * x) / det;
        u0 = std::min(u0, u), u1 = std::max(u1, u), v0 = std::min(v0, v), v1 = std::max(v1, v);
    }
    for (long i = std::lround(std::floor(u0)); i <= std::lround(std::ceil(u1)); ++i)
        for (long j = std::lround(std::floor(v0)); j <= std::lround(std::ceil(v1)); ++j) {
            const long dx = i * g.a[0] + j * g.b[0], dy = i * g.a[1] + j * g.b[1];
            if (dx >= tx0 && dx <= tx1 && dy >= ty0 && dy <= ty1)
                f(static_cast<int>(dx), static_cast<int>(dy));
        }
}

// The stroke's points k0..k1 under one operation, drawn at every lattice
// translate that reaches the window, a run of points at a time so that each
// run is drawn only where it reaches.
void draw_image(const group_images& images, const plane_isometry& g, const stroke& s, size_t k0, size_t k1, int ox,
                int oy)
{
    const Uint32 colour = SDL_MapRGB(screen->format, s.rgb >> 16 & 0xff, s.rgb >> 8 & 0xff, s.rgb & 0xff);
    const int r = s.tool == stroke_tool::disc ? disc_radius(s) : s.width / 2;
    if (s.tool == stroke_tool::disc)
        k1 = k0;  // the centre; the radius is the same in every image
    constexpr size_t run = 16;
    std::vector<pixel_point> points;
    for (size_t first = k0; first <= k1; first += run) {
        const size_t last = std::min(k1, first + run);  // runs share their end points
        points.clear();
        int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
        for (size_t k = first; k <= last; ++k) {
            const pixel_point p = image_pixel(g, s.points[k]);
            points.push_back(p);
            x0 = std::min(x0, p.x - r), x1 = std::max(x1, p.x + r);
            y0 = std::min(y0, p.y - r), y1 = std::max(y1, p.y + r);
        }
        translations_reaching(*images.layout.group, x0, y0, x1, y1, ox, oy, SCREEN_WIDTH, SCREEN_HEIGHT, [&](int dx, int dy) {
            const int wx = ox - dx, wy = oy - dy;  // the window's corner, seen from this image
            if (s.tool == stroke_tool::disc)
                fill_circle(points[0].x - wx, points[0].y - wy, r, colour);
            else if (points.size() == 1)
                pen_dot(points[0].x - wx, points[0].y - wy, r, colour);
            else
                for (size_t k = 1; k < points.size(); ++k)
                    pen_segment(points[k - 1], points[k], r, colour, wx, wy);
        });
        if (last == k1)
            break;
    }
}

// The pixels of one image of a stroke, drawn once on the scratch surface
// and kept as runs of a row: every lattice translate is the same pixels
// moved by its whole vector.
struct pixel_run {
    int y, x0, x1;
};

// The image of the whole stroke under g as runs, drawn once on the scratch
// surface with its box's corner at (0, 0); `fits` is false (and there are
// no runs) when the box is larger than that surface.
struct image_runs {
    bool fits = false;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // the box, in canvas pixels
    Uint32 colour = 0;
    std::vector<pixel_run> runs;
};

image_runs runs_of_image(const plane_isometry& g, const stroke& s)
{
    image_runs image;
    const int r = s.tool == stroke_tool::disc ? disc_radius(s) : s.width / 2;
    const size_t n = s.tool == stroke_tool::disc ? 1 : s.points.size();
    std::vector<pixel_point> points(n);
    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
    for (size_t k = 0; k < n; ++k) {
        const pixel_point p = points[k] = image_pixel(g, s.points[k]);
        x0 = std::min(x0, p.x - r), x1 = std::max(x1, p.x + r), y0 = std::min(y0, p.y - r), y1 = std::max(y1, p.y + r);
    }
    image.x0 = x0, image.y0 = y0, image.x1 = x1, image.y1 = y1;
    image.colour = SDL_MapRGB(screen->format, s.rgb >> 16 & 0xff, s.rgb >> 8 & 0xff, s.rgb & 0xff);
    if (x1 - x0 >= SCREEN_WIDTH || y1 - y0 >= SCREEN_HEIGHT)
        return image;
    image.fits = true;
    // The image on the scratch surface: 1 on 0.
    SDL_Surface* const window = screen;
    screen = scratch_surface();
    for (int y = 0; y <= y1 - y0; ++y)
        std::fill_n(pixel_row(y), x1 - x0 + 1, 0u);
    if (s.tool == stroke_tool::disc)
        fill_circle(points[0].x - x0, points[0].y - y0, r, 1);
    else if (n == 1)
        pen_dot(points[0].x - x0, points[0].y - y0, r, 1);
    else
        for (size_t k = 1; k < n; ++k)
            pen_segment(points[k - 1], points[k], r, 1, x0, y0);
    for (int y = 0; y <= y1 - y0; ++y) {
        const Uint32* row = pixel_row(y);
        for (int x = 0; x <= x1 - x0; ++x)
            if (row[x] != 0) {
                const int first = x;
                while (x < x1 - x0 && row[x + 1] != 0)
                    ++x;
                image.runs.push_back({y + y0, first + x0, x + x0});
            }
    }
    screen = window;
    return image;
}

// Every image of the stroke, kept as runs where it fits the scratch surface.
std::vector<image_runs> runs_of_stroke(const group_images& images, const stroke& s)
{
    std::vector<image_runs> all;
    if (!s.points.empty())
        for (const plane_isometry& g : images.operations)
            all.push_back(runs_of_image(g, s));
    return all;
}

// The stroke's images drawn at every translate that reaches the window:
// from their runs, or (an image too large for them) along its points.
void draw_runs(const group_images& images, const stroke& s, const std::vector<image_runs>& all, int ox, int oy)
{
    for (size_t k = 0; k < all.size(); ++k) {
        const image_runs& image = all[k];
        if (!image.fits) {
            draw_image(images, images.operations[k], s, 0, s.points.size() - 1, ox, oy);
            continue;
        }
        translations_reaching(*images.layout.group, image.x0, image.y0, image.x1, image.y1, ox, oy, SCREEN_WIDTH,
                              SCREEN_HEIGHT, [&](int dx, int dy) {
                                  for (const pixel_run& run : image.runs) {
                                      const int y = run.y + dy - oy;
                                      if (y < 0 || y >= SCREEN_HEIGHT)
                                          continue;
                                      const int first = std::max(0, run.x0 + dx - ox);
                                      const int last = std::min(SCREEN_WIDTH - 1, run.x1 + dx - ox);
                                      if (first <= last)
                                          std::fill(pixel_row(y) + first, pixel_row(y) + last + 1, image.colour);
                                  }
                              });
    }
}

}  // namespace

int disc_radius(const stroke& s)
{
    const double dx = s.points[1].x - s.points[0].x, dy = s.points[1].y - s.points[0].y;
    return static_cast<int>(std::lround(std::sqrt(dx * dx + dy * dy)));
}

group_images images_of(const wallpaper_group& group)
{
    group_images images{lay_out_group(group), {}};
    const plane_isometry to_home = translate_by(images.layout.home.x, images.layout.home.y);
    const plane_isometry from_home = translate_by(-images.layout.home.x, -images.layout.home.y);
    for (const plane_isometry& g : operations_modulo_lattice(group))
        images.operations.push_back(compose(to_home, compose(g, from_home)));
    return images;
}

void draw_stroke_images(const group_images& images, const stroke& s, int ox, int oy)
{
    if (s.points.empty())
        return;
    draw_runs(images, s, runs_of_stroke(images, s), ox, oy);
}

void draw_last_segment_images(const group_images& images, const stroke& s, int ox, int oy)
{
    if (s.points.size() < 2)
        return draw_stroke_images(images, s, ox, oy);
    for (const plane_isometry& g : images.operations)
        draw_image(images, g, s, s.points.size() - 2, s.points.size() - 1, ox, oy);
}

void draw_drawing(const group_images& images, const drawing& d, int ox, int oy)
{
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 255, 255, 255));
    for (const stroke& s : d.strokes)
        draw_stroke_images(images, s, ox, oy);
}

std::vector<uint32_t> render_drawing(const drawing& d, int w, int h)
{
    std::vector<uint32_t> out;
    if (w < 1 || h < 1 || w > largest_canvas || h > largest_canvas)
        return out;
    out.resize(static_cast<size_t>(w) * h);
    const group_images images = images_of(*d.group);
    std::vector<std::vector<image_runs>> runs;
    for (const stroke& s : d.strokes)
        runs.push_back(runs_of_stroke(images, s));
    for (int oy = 0; oy < h; oy += SCREEN_HEIGHT)
        for (int ox = 0; ox < w; ox += SCREEN_WIDTH) {
            SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 255, 255, 255));
            for (size_t k = 0; k < d.strokes.size(); ++k)
                draw_runs(images, d.strokes[k], runs[k], ox, oy);
            for (int y = oy; y < std::min(h, oy + SCREEN_HEIGHT); ++y)
                std::copy_n(pixel_row(y - oy), std::min(w - ox, SCREEN_WIDTH), out.data() + static_cast<size_t>(y) * w + ox);
        }
    return out;
}

void seamless_cell(const wallpaper_group& group, int& w, int& h)
{
    // (x, 0) = i a + j b needs i a.y + j b.y = 0: (i, j) = (b.y, -a.y) / gcd.
    const int ax = group.a[0], ay = group.a[1], bx = group.b[0], by = group.b[1];
    const int gy = std::gcd(ay, by), gx = std::gcd(ax, bx);
    w = std::abs((by / gy) * ax - (ay / gy) * bx);
    h = std::abs((bx / gx) * ay - (ax / gx) * by);
}

bool in_region(const std::vector<window_point>& corners, int x, int y)
{
    // A point is inside a convex polygon when it lies on the inner side of
    // every edge; a point on an edge counts for one side only, the side the
    // edge's inward normal points to when it points right (or, for a
    // horizontal edge, down), so that regions that meet share no pixel.
    const double px = x + 0.5, py = y + 0.5;
    const size_t n = corners.size();
    double area = 0;
    for (size_t k = 0; k < n; ++k)
        area += corners[k].x * corners[(k + 1) % n].y - corners[(k + 1) % n].x * corners[k].y;
    const double orientation = area > 0 ? 1 : -1;
    for (size_t k = 0; k < n; ++k) {
        const window_point& p = corners[k];
        const window_point& q = corners[(k + 1) % n];
        const double ex = q.x - p.x, ey = q.y - p.y;
        const double side = orientation * (ex * (py - p.y) - ey * (px - p.x));
        if (side < 0)
            return false;
        const double nx = -orientation * ey, ny = orientation * ex;  // inward
        if (side == 0 && (nx < 0 || (nx == 0 && ny < 0)))
            return false;
    }
    return true;
}

std::string drawing_svg(const drawing& d, int w, int h)
{
    if (w < 1 || h < 1 || w > largest_canvas || h > largest_canvas)
        return "";
    const group_images images = images_of(*d.group);
    std::string defs, uses;
    char text[160];
    for (size_t i = 0; i < d.strokes.size(); ++i) {
        const stroke& s = d.strokes[i];
        if (s.points.empty())
            continue;
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%06x", static_cast<unsigned>(s.rgb & 0xffffff));
        const int r = s.tool == stroke_tool::disc ? disc_radius(s) : s.width / 2;
        for (size_t k = 0; k < images.operations.size(); ++k) {
            // The image's path about its own pixels, as draw_image places it.
            std::vector<pixel_point> points;
            for (pixel_point p : s.points)
                points.push_back(image_pixel(images.operations[k], p));
            if (s.tool == stroke_tool::disc)
                points.resize(1);
            int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
            for (pixel_point p : points)
                x0 = std::min(x0, p.x - r), x1 = std::max(x1, p.x + r), y0 = std::min(y0, p.y - r),
                y1 = std::max(y1, p.y + r);
            std::snprintf(text, sizeof text, "s%zuo%zu", i, k);
            const std::string id = text;
            if (s.tool == stroke_tool::disc) {
                std::snprintf(text, sizeof text, "<circle id=\"%s\" cx=\"%d.5\" cy=\"%d.5\" r=\"%d.5\" fill=\"%s\"/>\n",
                              id.c_str(), points[0].x, points[0].y, r, colour);
                defs += text;
            } else {
                defs += "<path id=\"" + id + "\" d=\"";
                for (size_t m = 0; m < points.size(); ++m) {
                    std::snprintf(text, sizeof text, "%s%d.5 %d.5", m == 0 ? "M" : " L", points[m].x, points[m].y);
                    defs += text;
                }
                if (points.size() == 1)
                    defs += " Z";  // a dot: a round cap on a path of no length
                std::snprintf(text, sizeof text,
                              "\" fill=\"none\" stroke=\"%s\" stroke-width=\"%d\" stroke-linecap=\"round\" "
                              "stroke-linejoin=\"round\"/>\n",
                              colour, 2 * r + 1);
                defs += text;
            }
            translations_reaching(*d.group, x0, y0, x1, y1, 0, 0, w, h, [&](int dx, int dy) {
                std::snprintf(text, sizeof text, "<use xlink:href=\"#%s\" x=\"%d\" y=\"%d\"/>\n", id.c_str(), dx, dy);
                uses += text;
            });
        }
    }
    std::snprintf(text, sizeof text,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                  "width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n",
                  w, h, w, h);
    return std::string(text) + "<title>A pattern in the wallpaper group " + d.group->name +
           "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n<defs>\n" + defs + "</defs>\n" +
           uses + "</svg>\n";
}

void group_relation(const wallpaper_group& chosen, const std::string& found, std::string& relation,
                    std::string& sentence)
{
    const wallpaper_group* other = find_group(found.c_str());
    const std::string name = chosen.name;
    if (!other) {
        relation = "none";
        sentence = "Check finds no repeating pattern here: draw a little more, in strokes that stand out from the "
                   "white.";
        return;
    }
    const size_t mine = operations_modulo_lattice(chosen).size(), theirs = operations_modulo_lattice(*other).size();
    if (other == &chosen) {
        relation = "same";
        sentence = "Check names " + name + ", the group you are drawing in.";
    } else if (theirs > mine) {
        relation = "larger";
        sentence = "Check names " + found + ", a larger group than " + name +
                   ": your motif has a symmetry of its own, and the operations of " + name +
                   " repeat it into a pattern with more symmetries than they make alone.";
    } else if (theirs < mine) {
        relation = "smaller";
        sentence = "Check names " + found + ", a smaller group than " + name +
                   ": some operations of " + name + " do not show in the pixels (strokes too thin or too few to tell).";
    } else {
        relation = "other";
        sentence = "Check names " + found + " rather than " + name +
                   ": your motif's own symmetry and the operations of " + name + " make another group.";
    }
}

namespace {

// A new 800x600 surface in memory.
SDL_Surface* memory_surface()
{
#ifdef __EMSCRIPTEN__
    // The browser's SDL makes a canvas for every surface; drawkit needs only
    // the pixels, laid out as the page's ImageData wants them.
    static SDL_PixelFormat format{};
    format.BitsPerPixel = 32, format.BytesPerPixel = 4;
    format.Rmask = 0xff, format.Gmask = 0xff00, format.Bmask = 0xff0000, format.Amask = 0xff000000;
    format.Rshift = 0, format.Gshift = 8, format.Bshift = 16, format.Ashift = 24;
    SDL_Surface* surface = new SDL_Surface{};
    surface->format = &format;
    surface->w = SCREEN_WIDTH, surface->h = SCREEN_HEIGHT, surface->pitch = SCREEN_WIDTH * 4;
    surface->pixels = new Uint32[static_cast<size_t>(SCREEN_WIDTH) * SCREEN_HEIGHT]();
    return surface;
#else
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, 32, 0xff0000, 0xff00, 0xff, 0);
    if (!surface) {
        std::fprintf(stderr, "cannot make an 800x600 picture in memory: %s\n", SDL_GetError());
        std::exit(1);
    }
    return surface;
#endif
}

}  // namespace

void open_offscreen()
{
    if (!screen)
        screen = memory_surface();
}

SDL_Surface* scratch_surface()
{
    static SDL_Surface* scratch = memory_surface();
    return scratch;
}
