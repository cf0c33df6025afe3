#include "quad_queue.h"

#include <cstdio>
#include <cstdlib>

Uint32 white;
Uint32 black;
Uint32 red;
Uint32 tile_colour;

int fill_level = 20;
bool rising = true;

void step_tile_colour()
{
    fill_level += rising ? 1 : -1;
    if (fill_level == 150)
        rising = false;
    else if (fill_level == 20)
        rising = true;
    tile_colour = SDL_MapRGB(screen->format, static_cast<Uint8>(245 - fill_level),
                             static_cast<Uint8>(fill_level - 20), 0);
}

pixel_point tile_centroid(const quad_node& t)
{
    return {(t.x0 + t.x1 + t.x2 + t.x3) / 4, (t.y0 + t.y1 + t.y2 + t.y3) / 4};
}

quad_node neighbour_across(const quad_node& t, int edge)
{
    const int px[4] = {t.x0, t.x1, t.x2, t.x3};
    const int py[4] = {t.y0, t.y1, t.y2, t.y3};
    const int i = edge;
    const int j = (edge + 1) % 4;
    // The half-turn about the midpoint of Pi and Pj maps V to Pi + Pj - V.
    const int sx = px[i] + px[j];
    const int sy = py[i] + py[j];
    return {sx - px[0], sy - py[0], sx - px[1], sy - py[1],
            sx - px[2], sy - py[2], sx - px[3], sy - py[3], nullptr, nullptr};
}

quad_node* new_quad_node(const quad_node& shape)
{
    auto* node = static_cast<quad_node*>(std::malloc(sizeof(quad_node)));
    if (node == nullptr) {
        std::fputs("quadrilateral_tiling: out of memory for the tile queue\n", stderr);
        SDL_Quit();
        std::exit(1);
    }
    *node = shape;
    node->next = nullptr;
    node->prev = nullptr;
    return node;
}

quad_node* make_seed_ring()
{
    quad_node* seed = new_quad_node(seed_tile);
    seed->next = seed;
    seed->prev = seed;
    return seed;
}

void insert_before(quad_node* head, quad_node* node)
{
    node->next = head;
    node->prev = head->prev;
    head->prev->next = node;
    head->prev = node;
}

quad_node* release_head(quad_node* head)
{
    quad_node* rest = head->next == head ? nullptr : head->next;
    if (rest != nullptr) {
        rest->prev = head->prev;
        head->prev->next = rest;
    }
    head->next = nullptr;
    head->prev = nullptr;
    std::free(head);
    return rest;
}

void free_ring(quad_node* head)
{
    while (head != nullptr)
        head = release_head(head);
}

// A pause between frames that the optimiser cannot remove.
static void busy_delay()
{
    volatile int ticks = 0;
    for (int i = 0; i < busy_delay_iterations; ++i)
        ticks = ticks + 1;
}

quad_node* draw_head_tile(quad_node* head)
{
    const quad_node& h = *head;
    step_tile_colour();

    // Outline 0-1-2-3-0, then fill from the centroid.
    draw_line_thin(h.x0, h.y0, h.x1, h.y1, black);
    draw_line_thin(h.x1, h.y1, h.x2, h.y2, black);
    draw_line_thin(h.x2, h.y2, h.x3, h.y3, black);
    draw_line_thin(h.x3, h.y3, h.x0, h.y0, black);
    const pixel_point centroid = tile_centroid(h);
    flood_fill_4way(centroid.x, centroid.y, tile_colour, black);

    SDL_Flip(screen);
    busy_delay();

    // Queue every neighbour whose centroid is inside the rectangle and still
    // white, and mark it red so that it is never queued twice.
    for (int edge = 0; edge < 4; ++edge) {
        const quad_node n = neighbour_across(h, edge);
        const auto [cx, cy] = tile_centroid(n);
        if (cx < min_centroid_x || cx > max_centroid_x || cy < min_centroid_y || cy > max_centroid_y)
            continue;
        if (get_pixel(cx, cy) != white)
            continue;
        insert_before(head, new_quad_node(n));
        put_pixel(cx, cy, red);
        draw_circle(cx, cy, 1, red);
    }

    return release_head(head);
}
