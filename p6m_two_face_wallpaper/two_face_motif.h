// The motif of the p6m two-face wallpaper: a 30-60-90 triangle cut by one
// segment into a red and a green face.
#pragma once

#include <drawkit.h>

// Palette, mapped by SDL_main in this order.
extern Uint32 white, black, red, green;

// The triangle (330, 260), (400, 260), (400, 300) with its two faces.
void draw_two_faces();
