#include "polygon_motif.h"

#include <drawkit.h>

Uint32 white, black, light_red, light_yellow, green, blue;

namespace {

constexpr float dodecagon_angle = 0.52359879016876220703125f;  // pi/6 as a float

}  // namespace

float edge_angle = dodecagon_angle;

void draw_polygon_motif(int x, int y)
{
    edge_angle = dodecagon_angle;
    draw_edges_and_squares(x, y, 12);

    // The dodecagon itself, from its centre.
    guarded_fill(x, y, light_red, black);
}
