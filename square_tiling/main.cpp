// Square tiling: a red square at every point of a square lattice, four
// meeting at every vertex (4.4.4.4), laid down and then edged, in two
// stages.
#include <tile_polygons.h>

// 60 pixels a unit edge; the lattice is the squares' corners.
constexpr double scale = 60;
constexpr lattice_vector e1{1, 0};
constexpr lattice_vector e2{0, 1};

// The one polygon of a cell: the square with the lattice point as its
// lower left corner.
constexpr tile_polygon cell[] = {{{0.5, 0.5}, {0, 0}, 4}};

void lay_squares(window_point at) { fill_tile_polygons(at, scale, cell, 4); }
void draw_cell_edges(window_point at) { draw_tile_edges(at, scale, cell); }

// The lattice points whose cells reach the window.
constexpr int i_first = -8, i_last = 8, j_first = -6, j_last = 6;

int SDL_main(int, char**)
{
    start_program("square_tiling");

    map_palette();
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: inside the black frame, a square at every lattice point
    draw_window_frame(black);
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, lay_squares);
    end_stage();

    // Stage 2: every edge drawn thick
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, draw_cell_edges);
    end_stage();
    return 0;
}
