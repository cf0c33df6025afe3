// The motif of the p6m rhombus wallpaper: a 30-60-90 triangle cut into a
// corner box and two faces.
#pragma once

#include <drawkit.h>

// Palette, mapped by SDL_main in this order.
extern Uint32 white, black, red, olive, green;

// The three faces of the triangle (330, 260), (400, 260), (400, 300).
void draw_faces();
