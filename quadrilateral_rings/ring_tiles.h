// Tiles of the quadrilateral ring tiling, their breadth-first queue and
// the growth step.
#pragma once

#include <drawkit.h>

// One tile and one queue entry. Vertices are in tile units, y up.
struct tile_record {
    float x[4];
    float y[4];
    int generation;
    tile_record* next;
    tile_record* prev;
};

constexpr int palette_size = 50;
constexpr int tile_limit = 613;  // the seed and 17 rings around it
constexpr int max_passes = 800;

extern Uint32 palette[palette_size];
extern Uint32 white;
extern Uint32 black;

// The queue: a ring through the sentinel, oldest entry first.
extern tile_record* queue_sentinel;
extern tile_record* queue_head;

// The last entry added: the sentinel's predecessor (the sentinel itself
// when the queue is empty, nullptr when there is no queue).
inline tile_record* queue_tail() { return queue_sentinel != nullptr ? queue_sentinel->prev : nullptr; }

extern float tile_count;
extern bool done;

// The pixel of a point in tile units: 25 pixels per unit, origin at
// (400, 310), y up, the sums carried with a 64-bit significand.
inline pixel_point tile_pixel(long double x, long double y)
{
    return unit_pixel_extended({400, 310}, 25, x, y);
}

// Maps the 50 generation colours on the format of `screen`.
void map_palette();

// Outlines the tile in black and fills it with its generation's colour.
void draw_tile(const tile_record& t);

// The pixel tested for the neighbour across edge i (the centroid of that
// neighbour in pixels), and the neighbour's vertices.
pixel_point neighbour_test_pixel(const tile_record& h, int i);
void neighbour_vertices(const tile_record& h, int i, float x[4], float y[4]);

// A fresh zeroed record, linked to nothing. Ends the program with a
// message on stderr and status 1 when memory runs out.
tile_record* new_tile_record();

// Sets up the queue as the sentinel plus the seed tile and draws the seed.
void start_queue();

// One growth pass: makes and draws every new neighbour of the head, then
// releases the head. Does nothing once `done` is set or the queue is empty.
void grow_pass();

// Frees every record still queued and the sentinel.
void release_queue();
