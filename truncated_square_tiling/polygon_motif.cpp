#include "polygon_motif.h"

Uint32 white, black, light_red, light_yellow, green, blue;

namespace {

constexpr float octagon_angle = 0.785398185253143310546875f;  // pi/4 as a float

}  // namespace

float edge_angle = octagon_angle;

void draw_polygon_motif(int x, int y)
{
    edge_angle = octagon_angle;
    draw_edges_and_squares(x, y, 8);
}
