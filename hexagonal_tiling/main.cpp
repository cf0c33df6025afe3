// Hexagonal tiling: a light yellow hexagon at every point of a 60-degree
// lattice, three meeting at every vertex (6.6.6), laid down and then
// edged, in two stages.
#include <tile_polygons.h>

// 40 pixels a unit edge. Neighbouring hexagons share an edge: their
// centres are sqrt(3) units apart, along 30 and 90 degrees.
constexpr double scale = 40;
constexpr lattice_vector e1{1.5, static_cast<float>(half_root3)};
constexpr lattice_vector e2{0, static_cast<float>(2 * half_root3)};

// The one polygon of a cell: the hexagon about the lattice point with a
// vertex at 0 degrees.
constexpr tile_polygon cell[] = {{{0, 0}, {1, 0}, 6}};

void lay_hexagons(window_point at) { fill_tile_polygons(at, scale, cell, 6); }
void draw_cell_edges(window_point at) { draw_tile_edges(at, scale, cell); }

// The lattice points whose cells reach the window.
constexpr int i_first = -7, i_last = 7, j_first = -8, j_last = 8;

int SDL_main(int, char**)
{
    start_program("hexagonal_tiling");

    map_palette();
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: inside the black frame, a hexagon at every lattice point
    draw_window_frame(black);
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, lay_hexagons);
    end_stage();

    // Stage 2: every edge drawn thick
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, draw_cell_edges);
    end_stage();
    return 0;
}
