#include "two_face_motif.h"

Uint32 white, black, red, green;

void draw_two_faces()
{
    // The dividing segment, then the outline
    draw_thick_line(400, 260, 382, 290, 1, black);
    draw_line(330, 260, 400, 300, black);
    draw_line(400, 260, 400, 300, black);
    draw_line(400, 260, 330, 260, black);

    // Face towards the 30-degree corner, face at the 60-degree corner
    flood_fill(364, 268, red, black);
    flood_fill(392, 292, green, black);

    // Outer edges in the colours of their faces
    draw_thick_line(330, 260, 399, 260, 1, red);
    draw_thick_line(330, 260, 382, 290, 1, red);
    draw_thick_line(400, 300, 384, 291, 1, green);
    draw_thick_line(400, 300, 400, 262, 1, green);
}
