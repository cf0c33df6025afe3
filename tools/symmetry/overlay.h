// The symmetry elements drawn over a picture in the usual notation, as
// wallpaper_group draws them (plane_groups.h): mirrors as solid lines,
// glides as dashed lines, rotation centres as small polygons of their
// order (a lens for the half-turn), one lattice cell outlined; a frieze's
// or rosette's elements the same way, over its strip or its disc.
#pragma once

#include "symmetry.h"

#include <cstdint>

// Draws every translate of the elements of `symmetry` that falls on the
// w x h picture `rgb` (0xRRGGBB, row-major); a picture of no group stays
// as it is.
void draw_elements(uint32_t* rgb, int w, int h, const wallpaper_symmetry& symmetry);
