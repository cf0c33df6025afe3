// The terdragon rosette: six terdragon curves about the window centre,
// rotated by multiples of 60 degrees and coloured by generation.
#pragma once

#include <drawkit.h>

// Mapped colours: 254 the white background, 255 black, 1 to 4 the fixed
// colours of generations 1 to 4, 5 to 249 random. 0 and 250..253 unused.
extern Uint32 palette[256];

constexpr int generation_count = 10;
constexpr int segment_length = 4;

// Fills `palette` in its fixed order; the random entries take three rand()
// calls each (blue, green, red). Needs `screen` for the pixel format.
void fill_palette();

// The walk in window-centred units, y upward, all in single precision:
// the current point and the previous one.
struct terdragon_walk {
    float x = segment_length;
    float y = 0;
    float prev_x = segment_length;
    float prev_y = 0;
};

// Window pixel of the point (x, y) in copy k (rotated by k * 60 degrees).
pixel_point copy_to_window(float x, float y, int k);

// Direction of segment j of generation p, in steps of 120 degrees:
// the number of base-3 digits equal to 1 among the p lowest, mod 3.
int segment_direction(int j, int p);

// Moves the current point one segment in the given direction.
void step_walk(terdragon_walk& walk, int direction);

// Draws the segment from (xp, yp) to (x, y) in all six copies.
void draw_segment(float xp, float yp, float x, float y, Uint32 colour);

// Walks and draws the segments of generation p in palette[p].
void draw_generation(terdragon_walk& walk, int p);
