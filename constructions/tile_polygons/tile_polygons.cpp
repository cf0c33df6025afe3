#include "tile_polygons.h"

#include <algorithm>
#include <cmath>

Uint32 white, black, green, red, light_yellow;

void map_palette()
{
    white = SDL_MapRGB(screen->format, 255, 255, 255);
    black = SDL_MapRGB(screen->format, 0, 0, 0);
    green = SDL_MapRGB(screen->format, 0, 205, 0);
    red = SDL_MapRGB(screen->format, 255, 0, 0);
    light_yellow = SDL_MapRGB(screen->format, 250, 250, 100);
}

namespace {

// Cosine and sine of m * 30 degrees, m = 0..11.
constexpr double cos_30[12] = {1, half_root3, 0.5, 0, -0.5, -half_root3, -1, -half_root3, -0.5, 0, 0.5, half_root3};
constexpr double sin_30[12] = {0, 0.5, half_root3, 1, half_root3, 0.5, 0, -0.5, -half_root3, -1, -half_root3, -0.5};

// The pixel of the point q of a cell whose lattice point is the window
// point `at`: trunc(at.x + scale q.x), trunc(at.y - scale q.y).
pixel_point pixel_of(window_point at, double scale, unit_point q)
{
    return {trunc_px(at.x + scale * q.x), trunc_px(at.y - scale * q.y)};
}

// The edge from vertex k to vertex k + 1 as pixels, its upper end point
// (the left one on a row) first.
void edge_ends(window_point at, double scale, const tile_polygon& p, int k, pixel_point& from, pixel_point& to)
{
    from = pixel_of(at, scale, tile_vertex(p, k));
    to = pixel_of(at, scale, tile_vertex(p, (k + 1) % p.sides));
    if (to.y < from.y || (to.y == from.y && to.x < from.x)) {
        const pixel_point upper = to;
        to = from;
        from = upper;
    }
}

// The point three fifths of the way from p's centre to q.
unit_point toward(const tile_polygon& p, unit_point q)
{
    return {p.centre.x + 0.6 * (q.x - p.centre.x), p.centre.y + 0.6 * (q.y - p.centre.y)};
}

// Whether the middle of pixel s lies at least two pixels inside p, placed
// at `at` with `scale` pixels a unit: on the inner side of every edge,
// two pixels clear of its line.
bool well_inside(window_point at, double scale, const tile_polygon& p, pixel_point s)
{
    const double sx = s.x + 0.5, sy = s.y + 0.5;
    for (int k = 0; k < p.sides; ++k) {
        const unit_point a = tile_vertex(p, k), b = tile_vertex(p, (k + 1) % p.sides);
        // In window pixels, y downward: the vertices turn clockwise, so the
        // inside lies to the right of every edge.
        const double ax = at.x + scale * a.x, ay = at.y - scale * a.y;
        const double dx = scale * (b.x - a.x), dy = -scale * (b.y - a.y);
        const double right = (dx * (sy - ay) - dy * (sx - ax)) / std::sqrt(dx * dx + dy * dy);
        if (right > -2)
            return false;
    }
    return true;
}

// A fill of p from the pixel of q, moved into the window's interior when
// it lies outside, and made only when that pixel is well inside p.
void fill_from(window_point at, double scale, const tile_polygon& p, unit_point q, Uint32 colour)
{
    pixel_point s = pixel_of(at, scale, q);
    s.x = std::clamp(s.x, 1, SCREEN_WIDTH - 2);
    s.y = std::clamp(s.y, 1, SCREEN_HEIGHT - 2);
    if (well_inside(at, scale, p, s))
        guarded_fill(s, colour, black);
}

// One polygon laid down, as fill_tile_polygons says.
void fill_tile_polygon(window_point at, double scale, const tile_polygon& p, Uint32 colour)
{
    for (int k = 0; k < p.sides; ++k) {
        pixel_point from, to;
        edge_ends(at, scale, p, k, from, to);
        draw_line(from.x, from.y, to.x, to.y, black);
    }
    fill_from(at, scale, p, p.centre, colour);
    for (int k = 0; k < p.sides; ++k) {
        const unit_point a = tile_vertex(p, k), b = tile_vertex(p, (k + 1) % p.sides);
        fill_from(at, scale, p, toward(p, a), colour);
        fill_from(at, scale, p, toward(p, {0.5 * (a.x + b.x), 0.5 * (a.y + b.y)}), colour);
    }
}

} // namespace

unit_point tile_vertex(const tile_polygon& p, int k)
{
    const int m = k * (12 / p.sides) % 12;
    const double dx = p.first_vertex.x - p.centre.x, dy = p.first_vertex.y - p.centre.y;
    return {p.centre.x + (cos_30[m] * dx - sin_30[m] * dy), p.centre.y + (sin_30[m] * dx + cos_30[m] * dy)};
}

Uint32 kind_colour(int sides) { return sides == 3 ? green : sides == 4 ? red : light_yellow; }

void fill_tile_polygons(window_point at, double scale, std::span<const tile_polygon> cell, int sides)
{
    for (const tile_polygon& p : cell)
        if (p.sides == sides)
            fill_tile_polygon(at, scale, p, kind_colour(sides));
}

void draw_tile_edges(window_point at, double scale, std::span<const tile_polygon> cell)
{
    for (const tile_polygon& p : cell)
        for (int k = 0; k < p.sides; ++k) {
            pixel_point from, to;
            edge_ends(at, scale, p, k, from, to);
            draw_edge(from, to, black);
        }
}
