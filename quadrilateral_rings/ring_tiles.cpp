#include "ring_tiles.h"

#include <cstdio>
#include <cstdlib>

Uint32 palette[palette_size];
Uint32 white;
Uint32 black;

tile_record* queue_sentinel = nullptr;
tile_record* queue_head = nullptr;

float tile_count = 0.0f;
bool done = false;

void map_palette()
{
    // Red, green, blue, yellow in turn, darker by 7 every generation.
    for (int g = 0; g < palette_size; ++g) {
        const auto v = static_cast<Uint8>(255 - (7 * g) % 256);
        switch (g % 4) {
        case 0: palette[g] = SDL_MapRGB(screen->format, v, 0, 0); break;
        case 1: palette[g] = SDL_MapRGB(screen->format, 0, v, 0); break;
        case 2: palette[g] = SDL_MapRGB(screen->format, 0, 0, v); break;
        default: palette[g] = SDL_MapRGB(screen->format, v, v, 0); break;
        }
    }
}

void draw_tile(const tile_record& t)
{
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        const pixel_point from = tile_pixel(t.x[i], t.y[i]), to = tile_pixel(t.x[j], t.y[j]);
        draw_line(from.x, from.y, to.x, to.y, black);
    }
    const long double sx = static_cast<long double>(t.x[1]) + t.x[0] + t.x[2] + t.x[3];
    const long double sy = static_cast<long double>(t.y[1]) + t.y[0] + t.y[2] + t.y[3];
    const pixel_point seed = tile_pixel(0.25L * sx, 0.25L * sy);
    flood_fill(seed.x, seed.y, palette[t.generation], black);
}

pixel_point neighbour_test_pixel(const tile_record& h, int i)
{
    const int j1 = (i + 1) % 4, j2 = (i + 2) % 4, j3 = (i + 3) % 4;
    const long double ex = static_cast<long double>(h.x[j1]) + h.x[i];
    const long double ey = static_cast<long double>(h.y[j1]) + h.y[i];
    const auto u = static_cast<float>(ex - (ex + h.x[j2] + h.x[j3]) * 0.25L);
    const auto w = static_cast<float>(ey - (ey + h.y[j2] + h.y[j3]) * 0.25L);
    return tile_pixel(u, w);
}

void neighbour_vertices(const tile_record& h, int i, float x[4], float y[4])
{
    // Half-turn about the midpoint of edge i, listed from the image of j1.
    const int j1 = (i + 1) % 4, j2 = (i + 2) % 4, j3 = (i + 3) % 4;
    const long double ex = static_cast<long double>(h.x[j1]) + h.x[i];
    const long double ey = static_cast<long double>(h.y[j1]) + h.y[i];
    x[0] = h.x[i];
    y[0] = h.y[i];
    x[1] = h.x[j1];
    y[1] = h.y[j1];
    x[2] = static_cast<float>(ex - h.x[j3]);
    y[2] = static_cast<float>(ey - h.y[j3]);
    x[3] = static_cast<float>(ex - h.x[j2]);
    y[3] = static_cast<float>(ey - h.y[j2]);
}

tile_record* new_tile_record()
{
    auto* t = static_cast<tile_record*>(std::malloc(sizeof(tile_record)));
    if (t == nullptr) {
        std::fputs("quadrilateral_rings: out of memory for the tile queue\n", stderr);
        SDL_Quit();
        std::exit(1);
    }
    *t = tile_record{};
    return t;
}

// Links t between the tail and the sentinel.
static void append(tile_record* t)
{
    t->prev = queue_sentinel->prev;
    t->next = queue_sentinel;
    queue_sentinel->prev->next = t;
    queue_sentinel->prev = t;
}

void start_queue()
{
    queue_sentinel = new_tile_record();
    queue_sentinel->next = queue_sentinel;
    queue_sentinel->prev = queue_sentinel;

    tile_record* seed = new_tile_record();
    const float sx[4] = {0.0f, 1.0f, 0.85f, 0.27f};
    const float sy[4] = {0.0f, 0.0f, 0.8f, 0.5f};
    for (int k = 0; k < 4; ++k) {
        seed->x[k] = sx[k];
        seed->y[k] = sy[k];
    }
    seed->generation = 0;
    append(seed);
    queue_head = seed;
    draw_tile(*seed);
    tile_count = 1.0f;
    done = false;
}

void grow_pass()
{
    if (done || queue_head == queue_sentinel)
        return;
    tile_record* h = queue_head;
    for (int i = 0; i < 4; ++i) {
        // A neighbour tested outside the window is never made, so no pixel
        // beyond the surface is read.
        const pixel_point test = neighbour_test_pixel(*h, i);
        if (!inside_window(test.x, test.y) || get_pixel(test.x, test.y) != white)
            continue;
        tile_record* n = new_tile_record();
        neighbour_vertices(*h, i, n->x, n->y);
        n->generation = h->generation + 1;
        append(n);
        draw_tile(*n);
        tile_count = tile_count + 1.0f;
        if (tile_count == static_cast<float>(tile_limit))
            done = true;
    }

    // Release the head; its successor becomes the head.
    tile_record* following = h->next;
    queue_sentinel->next = following;
    following->prev = queue_sentinel;
    std::free(h);
    queue_head = following;
}

void release_queue()
{
    if (queue_sentinel == nullptr)
        return;
    tile_record* t = queue_sentinel->next;
    while (t != queue_sentinel) {
        tile_record* following = t->next;
        std::free(t);
        t = following;
    }
    std::free(queue_sentinel);
    queue_sentinel = nullptr;
    queue_head = nullptr;
}
