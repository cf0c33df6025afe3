// Tiles of the quadrilateral tiling and the ring queue that holds them.
#pragma once

#include <drawkit.h>

// One tile and one queue entry: four integer vertices in pixels, linked
// into a circular doubly linked ring.
struct quad_node {
    int x0, y0;
    int x1, y1;
    int x2, y2;
    int x3, y3;
    quad_node* next;
    quad_node* prev;
};

// The seed tile: concave at vertex 2, 600 square pixels.
constexpr quad_node seed_tile = {400, 300, 440, 260, 430, 290, 440, 300, nullptr, nullptr};

// New tiles must have their centroid in columns 101..699 and rows 51..549.
constexpr int min_centroid_x = 101;
constexpr int max_centroid_x = 699;
constexpr int min_centroid_y = 51;
constexpr int max_centroid_y = 549;

// Empty loop iterations between frames.
constexpr int busy_delay_iterations = 50000;

extern Uint32 white;
extern Uint32 black;
extern Uint32 red;
extern Uint32 tile_colour;

// The colour ramp: fill_level runs 21, 22, ..., 150, 149, ..., 20, 21, ...
extern int fill_level;
extern bool rising;

// Moves fill_level one step along the ramp and maps tile_colour anew.
void step_tile_colour();

// Centroid of a tile, each coordinate the truncated quarter of the sum.
pixel_point tile_centroid(const quad_node& t);

// The half-turn image of t about the midpoint of edge `edge` (0: 0-1,
// 1: 1-2, 2: 2-3, 3: 3-0); vertex k of the result is the image of vertex k.
quad_node neighbour_across(const quad_node& t, int edge);

// A heap copy of `shape`, linked to nothing. Ends the program with a
// message on stderr and status 1 when memory runs out.
quad_node* new_quad_node(const quad_node& shape);

// A ring of one record holding the seed tile.
quad_node* make_seed_ring();

// Links `node` into the ring just before `head`, at the tail of the queue.
void insert_before(quad_node* head, quad_node* node);

// Unlinks and frees the head; returns the new head, or nullptr when the
// ring held only that record.
quad_node* release_head(quad_node* head);

// Frees every record of the ring that `head` belongs to (nullptr: none).
void free_ring(quad_node* head);

// Draws and shows the head tile, queues and marks its new neighbours and
// releases it. Returns the new head, or nullptr when the ring is empty.
quad_node* draw_head_tile(quad_node* head);
