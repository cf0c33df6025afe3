#include "motif_edges.h"

namespace {

constexpr long double radius = 50.0L;

pixel_point to_window(pixel_point centre, unit_point p)
{
    return unit_pixel_extended(centre, radius, p.x, p.y);
}

}  // namespace

void draw_edges_and_squares(int x, int y, int edge_count, float edge_angle, Uint32 outline,
                            Uint32 square_colour)
{
    const pixel_point centre{x, y};
    for (int i = 0; i < edge_count; ++i) {
        const unit_point a = turn_direction(i, edge_angle);
        const unit_point b = turn_direction((i + 1) % edge_count, edge_angle);
        draw_edge(to_window(centre, a), to_window(centre, b), outline);
        if (i % 2 != 0)
            continue;

        // Square on the outer side of the edge (right of its direction):
        // corners a, b, r, q with q - a = r - b = the edge turned clockwise.
        const unit_point q = {a.x + (b.y - a.y), a.y + (a.x - b.x)};
        const unit_point r = {b.x + (b.y - a.y), b.y + (a.x - b.x)};
        draw_edge(to_window(centre, a), to_window(centre, q), outline);
        draw_edge(to_window(centre, b), to_window(centre, r), outline);
        draw_edge(to_window(centre, q), to_window(centre, r), outline);

        const unit_point middle = {(((q.x + a.x) + b.x) + r.x) * 0.25, (((q.y + a.y) + b.y) + r.y) * 0.25};
        guarded_fill(to_window(centre, middle), square_colour, outline);
    }
}
