// The square lattice of the truncated square tiling, turned so that its
// vectors point at 67.5 and 157.5 degrees, spacing 2 cos(pi/8) motif units.
#pragma once

struct lattice_vector {
    float x;
    float y;  // upward
};

struct window_point {
    int x;
    int y;
};

// The window point of the central motif and of the lattice origin.
extern int centre_x, centre_y;

// Lattice vectors in motif units (50 pixels), stored as floats.
extern lattice_vector e1, e2;

// Computes e1 and e2 (e2 is e1 turned by 90 degrees, from the stored floats).
void set_lattice_vectors();

// Window point of lattice point (i, j), truncated toward zero.
window_point lattice_centre(int i, int j);
