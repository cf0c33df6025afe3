// Triangular tiling: two green triangles, one pointing up and one down, at
// every point of a 60-degree lattice, six meeting at every vertex
// (3.3.3.3.3.3), laid down and then edged, in two stages.
#include <tile_polygons.h>

// 80 pixels a unit edge; the lattice is the triangles' corners.
constexpr double scale = 80;
constexpr lattice_vector e1{1, 0};
constexpr lattice_vector e2{0.5, static_cast<float>(half_root3)};

// The polygons of one cell: the triangle on the lattice points 0, e1 and
// e2, pointing up, and the one on e1, e1 + e2 and e2, pointing down.
constexpr double h = half_root3;
constexpr tile_polygon cell[] = {
    {{0.5, h / 3}, {0, 0}, 3},
    {{1, 2 * h / 3}, {1, 0}, 3},
};

void lay_triangles(window_point at) { fill_tile_polygons(at, scale, cell, 3); }
void draw_cell_edges(window_point at) { draw_tile_edges(at, scale, cell); }

// The lattice points whose cells reach the window.
constexpr int i_first = -9, i_last = 9, j_first = -6, j_last = 6;

int SDL_main(int, char**)
{
    start_program("triangular_tiling");

    map_palette();
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: inside the black frame, two triangles at every lattice point
    draw_window_frame(black);
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, lay_triangles);
    end_stage();

    // Stage 2: every edge drawn thick
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, draw_cell_edges);
    end_stage();
    return 0;
}
