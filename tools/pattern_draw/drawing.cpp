#include "drawing.h"

#include <walk.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace {

// A run of pixels of one row: columns x0 to x1.
struct pixel_run {
    int y, x0, x1;
};

// A disc of radius r as drawkit draws it: the rows of fill_circle's disc
// from -r to r, each the columns [first, last] about the centre (every row
// of the disc is one run that holds the centre's column); radius 0 is the
// one pixel. Drawn once per radius on the scratch surface. The pen of a
// stroke of width w is the disc of radius w / 2.
struct pen_rows {
    std::vector<int> first, last;
};

const pen_rows& pen_of(int r)
{
    static std::vector<pen_rows> pens(largest_disc + 1);
    pen_rows& pen = pens[r];
    if (!pen.first.empty())
        return pen;
    SDL_Surface* const window = screen;
    screen = scratch_surface();
    const int cx = SCREEN_WIDTH / 2, cy = SCREEN_HEIGHT / 2;
    for (int y = cy - r; y <= cy + r; ++y)
        std::fill_n(pixel_row(y) + cx - r - 1, 2 * r + 3, 0u);
    if (r == 0)
        put_pixel(cx, cy, 1);
    else
        fill_circle(cx, cy, r, 1);
    for (int y = cy - r; y <= cy + r; ++y) {
        int first = INT_MAX, last = INT_MIN;
        for (int x = cx - r - 1; x <= cx + r + 1; ++x)
            if (pixel_row(y)[x] != 0)
                first = std::min(first, x - cx), last = std::max(last, x - cx);
        pen.first.push_back(first);
        pen.last.push_back(last);
    }
    screen = window;
    return pen;
}

// The pen set on every pixel of draw_line's walk from p to q, as one run per
// row (added to `runs`). Consecutive pixels of the walk differ by one step
// and every row of the pen holds its centre's column, so on each row the
// pens that reach it overlap or touch: their union is one run.
void segment_runs(pixel_point p, pixel_point q, int r, std::vector<pixel_run>& runs)
{
    const pen_rows& pen = pen_of(r);
    const int y0 = std::min(p.y, q.y) - r, rows = std::abs(q.y - p.y) + 2 * r + 1;
    std::vector<int> first(rows, INT_MAX), last(rows, INT_MIN);
    walk_4connected(p.x, p.y, q.x, q.y, [&](int x, int y) {
        for (int v = 0; v <= 2 * r; ++v) {
            const int k = y - r + v - y0;
            first[k] = std::min(first[k], x + pen.first[v]);
            last[k] = std::max(last[k], x + pen.last[v]);
        }
    });
    for (int k = 0; k < rows; ++k)
        if (first[k] <= last[k])
            runs.push_back({y0 + k, first[k], last[k]});
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
    if (g.shape != group_shape::plane) {
        // A frieze's translations are i a; a rosette's only the identity.
        const long reach = g.shape == group_shape::strip ? largest_canvas * 4 / std::max(1, std::abs(g.a[0])) + 4 : 0;
        for (long i = -reach; i <= reach; ++i) {
            const long dx = i * g.a[0], dy = i * g.a[1];
            if (dx >= tx0 && dx <= tx1 && dy >= ty0 && dy <= ty1)
                f(static_cast<int>(dx), static_cast<int>(dy));
        }
        return;
    }
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

// One image of a stroke (or of a piece of it) before the translations: its
// pixels as runs, by row and then column, none touching another; its box;
// and for each band of rows the columns its runs reach.
constexpr int band_rows = 64;
struct stroke_image {
    std::vector<pixel_run> runs;
    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
    std::vector<pixel_run> bands;  // band k: rows y0 + 64 k on, columns x0 to x1
};

// Points k0 to k1 of the stroke under g.
stroke_image image_of(const plane_isometry& g, const stroke& s, size_t k0, size_t k1)
{
    stroke_image image;
    std::vector<pixel_run> runs;
    pixel_point last = image_pixel(g, s.points[k0]);
    if (s.tool == stroke_tool::disc)
        k1 = k0;  // the centre: a disc is its radius's pen set on it
    const int r = s.tool == stroke_tool::disc ? disc_radius(s) : s.width / 2;
    if (k0 == k1)
        segment_runs(last, last, r, runs);
    for (size_t k = k0 + 1; k <= k1; ++k) {
        const pixel_point next = image_pixel(g, s.points[k]);
        segment_runs(last, next, r, runs);
        last = next;
    }
    std::sort(runs.begin(), runs.end(),
              [](const pixel_run& a, const pixel_run& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
    for (const pixel_run& run : runs) {
        if (!image.runs.empty() && image.runs.back().y == run.y && run.x0 <= image.runs.back().x1 + 1)
            image.runs.back().x1 = std::max(image.runs.back().x1, run.x1);
        else
            image.runs.push_back(run);
        image.x0 = std::min(image.x0, run.x0), image.x1 = std::max(image.x1, run.x1);
        image.y0 = std::min(image.y0, run.y), image.y1 = std::max(image.y1, run.y);
    }
    for (const pixel_run& run : image.runs) {
        const size_t k = static_cast<size_t>(run.y - image.y0) / band_rows;
        if (k >= image.bands.size())
            image.bands.resize(k + 1, {0, INT_MAX, INT_MIN});
        image.bands[k].x0 = std::min(image.bands[k].x0, run.x0), image.bands[k].x1 = std::max(image.bands[k].x1, run.x1);
    }
    return image;
}

// The window's rows as the runs a stroke's images put on them, so that
// each pixel is set once however often the images overlap.
using window_rows = std::vector<std::vector<std::pair<int, int>>>;

// The image at every lattice translate that reaches the window whose corner
// is canvas pixel (ox, oy), as runs added to `rows`.
void add_translates(const group_images& images, const stroke_image& image, int ox, int oy, window_rows& rows)
{
    translations_reaching(*images.layout.group, image.x0, image.y0, image.x1, image.y1, ox, oy, SCREEN_WIDTH,
                          SCREEN_HEIGHT, [&](int dx, int dy) {
        // Only the bands whose columns and rows reach the window.
        const int wx = ox - dx, wy = oy - dy;  // the window's corner, seen from this image
        for (size_t k = 0; k < image.bands.size(); ++k) {
            const int b0 = image.y0 + static_cast<int>(k) * band_rows, b1 = b0 + band_rows - 1;
            if (b1 < wy || b0 >= wy + SCREEN_HEIGHT || image.bands[k].x1 < wx ||
                image.bands[k].x0 >= wx + SCREEN_WIDTH)
                continue;
            const auto first = std::lower_bound(image.runs.begin(), image.runs.end(), std::max(b0, wy),
                                                [](const pixel_run& run, int y) { return run.y < y; });
            for (auto run = first; run != image.runs.end() && run->y <= std::min(b1, wy + SCREEN_HEIGHT - 1); ++run) {
                const int x0 = std::max(0, run->x0 - wx), x1 = std::min(SCREEN_WIDTH - 1, run->x1 - wx);
                if (x0 <= x1)
                    rows[run->y - wy].push_back({x0, x1});
            }
        }
    });
}

// Sets the runs of `rows` in `colour`, each pixel once, and empties them.
void fill_rows(window_rows& rows, Uint32 colour)
{
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        std::vector<std::pair<int, int>>& row = rows[y];
        if (row.empty())
            continue;
        std::sort(row.begin(), row.end());
        int x0 = row[0].first, x1 = row[0].second;
        for (size_t k = 1; k <= row.size(); ++k) {
            if (k < row.size() && row[k].first <= x1 + 1) {
                x1 = std::max(x1, row[k].second);
                continue;
            }
            std::fill(pixel_row(y) + x0, pixel_row(y) + x1 + 1, colour);
            if (k < row.size())
                x0 = row[k].first, x1 = row[k].second;
        }
        row.clear();
    }
}

// A stroke's images on the window whose corner is canvas pixel (ox, oy).
void draw_images(const group_images& images, const stroke& s, const std::vector<stroke_image>& all, int ox, int oy)
{
    static window_rows rows(SCREEN_HEIGHT);
    for (const stroke_image& image : all)
        add_translates(images, image, ox, oy, rows);
    fill_rows(rows, SDL_MapRGB(screen->format, s.rgb >> 16 & 0xff, s.rgb >> 8 & 0xff, s.rgb & 0xff));
}

// Every image of the whole stroke.
std::vector<stroke_image> images_of_stroke(const group_images& images, const stroke& s)
{
    std::vector<stroke_image> all;
    if (!s.points.empty())
        for (const plane_isometry& g : images.operations)
            all.push_back(image_of(g, s, 0, s.points.size() - 1));
    return all;
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
    images.operations = stage_copies(images.layout);
    return images;
}

void draw_stroke_images(const group_images& images, const stroke& s, int ox, int oy)
{
    draw_images(images, s, images_of_stroke(images, s), ox, oy);
}

void draw_last_segment_images(const group_images& images, const stroke& s, int ox, int oy)
{
    if (s.points.size() < 2 || s.tool != stroke_tool::freehand)
        return draw_stroke_images(images, s, ox, oy);
    std::vector<stroke_image> pieces;
    for (const plane_isometry& g : images.operations)
        pieces.push_back(image_of(g, s, s.points.size() - 2, s.points.size() - 1));
    draw_images(images, s, pieces, ox, oy);
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
    std::vector<std::vector<stroke_image>> all;
    for (const stroke& s : d.strokes)
        all.push_back(images_of_stroke(images, s));
    for (int oy = 0; oy < h; oy += SCREEN_HEIGHT)
        for (int ox = 0; ox < w; ox += SCREEN_WIDTH) {
            SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 255, 255, 255));
            for (size_t k = 0; k < d.strokes.size(); ++k)
                draw_images(images, d.strokes[k], all[k], ox, oy);
            for (int y = oy; y < std::min(h, oy + SCREEN_HEIGHT); ++y)
                std::copy_n(pixel_row(y - oy), std::min(w - ox, SCREEN_WIDTH), out.data() + static_cast<size_t>(y) * w + ox);
        }
    return out;
}

void seamless_cell(const wallpaper_group& group, int& w, int& h)
{
    if (group.shape != group_shape::plane) {
        w = group.shape == group_shape::strip ? std::abs(group.a[0]) : 0;  // the strips run along x
        h = group.shape == group_shape::strip ? canvas_height : 0;
        return;
    }
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
    return std::string(text) + "<title>A pattern in the " + kind_of(*d.group) + " group " + d.group->name +
           "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n<defs>\n" + defs + "</defs>\n" +
           uses + "</svg>\n";
}

const char* kind_of(const wallpaper_group& group)
{
    return group.shape == group_shape::strip ? "frieze" : group.shape == group_shape::point ? "rosette" : "wallpaper";
}

const wallpaper_group* find_kind_group(const std::string& kind, const std::string& name)
{
    if (kind == "wallpaper")
        return find_group(name.c_str());
    if (kind == "frieze")
        return find_frieze(name.c_str());
    if (kind == "rosette")
        return find_rosette(name.c_str());
    return nullptr;
}

void group_relation(const wallpaper_group& chosen, const std::string& found_kind, const std::string& found,
                    std::string& relation, std::string& sentence)
{
    const wallpaper_group* other = find_kind_group(found_kind, found);
    // "p4m", "the frieze group p2mg", "the rosette D6".
    const auto called = [](const std::string& kind, const std::string& name) {
        return kind == "frieze" ? "the frieze group " + name : kind == "rosette" ? "the rosette " + name : name;
    };
    const std::string name = called(kind_of(chosen), chosen.name), them = called(found_kind, found);
    if (!other) {
        relation = "none";
        sentence = "Check finds no symmetry pattern here: draw a little more, in strokes that stand out from the "
                   "white.";
        return;
    }
    // The copies of the fundamental region in one cell (all of a rosette):
    // more for the same kind of group is a larger group.
    const size_t mine = stage_copies(lay_out_group(chosen)).size(), theirs = stage_copies(lay_out_group(*other)).size();
    if (other == &chosen) {
        relation = "same";
        sentence = "Check names " + them + ", the group you are drawing in.";
    } else if (other->shape == chosen.shape && theirs > mine) {
        relation = "larger";
        sentence = "Check names " + them + ", a larger group than " + name +
                   ": your motif has a symmetry of its own, and the operations of " + name +
                   " repeat it into a pattern with more symmetries than they make alone.";
    } else if (other->shape == chosen.shape && theirs < mine) {
        relation = "smaller";
        sentence = "Check names " + them + ", a smaller group than " + name + ": some operations of " + name +
                   " do not show in the pixels (strokes too thin or too few to tell).";
    } else {
        relation = "other";
        sentence = "Check names " + them + " rather than " + name + ": your motif's own symmetry and the operations of " +
                   name + " make another group.";
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
