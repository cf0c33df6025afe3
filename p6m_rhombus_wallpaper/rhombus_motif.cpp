#include "rhombus_motif.h"

Uint32 white, black, red, olive, green;

void draw_faces()
{
    // The box at the right angle and the line to the hypotenuse
    draw_thick_line(385, 260, 385, 274, 1, black);
    draw_thick_line(385, 274, 400, 274, 1, black);
    draw_thick_line(385, 274, 378, 287, 1, black);

    // Face at the 60-degree corner, the box, face towards the 30-degree corner
    flood_fill(392, 292, green, black);
    flood_fill(396, 264, red, black);
    flood_fill(360, 264, olive, black);

    // Outer edges in the colours of their faces
    draw_thick_line(400, 300, 400, 275, 1, green);
    draw_thick_line(400, 300, 378, 287, 1, green);
    draw_thick_line(400, 274, 400, 259, 1, red);
    draw_thick_line(386, 260, 400, 262, 1, red);
    draw_thick_line(330, 260, 384, 260, 1, olive);
    draw_thick_line(330, 260, 376, 286, 1, olive);

    // Inner lines again in black
    draw_thick_line(385, 260, 385, 274, 1, black);
    draw_thick_line(385, 274, 400, 274, 1, black);
    draw_thick_line(385, 274, 378, 287, 1, black);
}
