#include "motif_edges.h"

#include <drawkit.h>

#include <cmath>

namespace {

constexpr long double radius = 50.0L;

struct motif_point {
    double x;
    double y;
};

// Vertex k on the unit circle. The cosine takes the product k * edge_angle
// exactly (it fits a double); the sine takes that product rounded to float.
motif_point vertex(int k)
{
    const double angle = static_cast<double>(k) * static_cast<double>(edge_angle);
    return {std::cos(angle), std::sin(static_cast<double>(static_cast<float>(angle)))};
}

void thick_edge(int x, int y, motif_point a, motif_point b)
{
    draw_thick_line(motif_column(x, a.x), motif_row(y, a.y), motif_column(x, b.x), motif_row(y, b.y), 1,
                    black);
}

}  // namespace

int motif_column(int x, double X) { return static_cast<int>(static_cast<long double>(x) + radius * X); }

int motif_row(int y, double Y) { return static_cast<int>(static_cast<long double>(y) - radius * Y); }

void draw_edges_and_squares(int x, int y, int edge_count)
{
    for (int i = 0; i < edge_count; ++i) {
        const motif_point a = vertex(i);
        const motif_point b = vertex((i + 1) % edge_count);
        thick_edge(x, y, a, b);
        if (i % 2 != 0)
            continue;

        // Square on the outer side of the edge (right of its direction):
        // corners a, b, r, q with q - a = r - b = the edge turned clockwise.
        const motif_point q = {a.x + (b.y - a.y), a.y + (a.x - b.x)};
        const motif_point r = {b.x + (b.y - a.y), b.y + (a.x - b.x)};
        thick_edge(x, y, a, q);
        thick_edge(x, y, b, r);
        thick_edge(x, y, q, r);

        const motif_point middle = {(((q.x + a.x) + b.x) + r.x) * 0.25, (((q.y + a.y) + b.y) + r.y) * 0.25};
        guarded_fill(motif_column(x, middle.x), motif_row(y, middle.y), green, black);
    }
}
