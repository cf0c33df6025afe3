// Trihexagonal tiling: at every point of a 60-degree lattice a light yellow
// hexagon and two green triangles, each triangle between three hexagons
// that meet it at their vertices (3.6.3.6), laid down kind by kind and then
// edged, in three stages.
#include <tile_polygons.h>

// 40 pixels a unit edge. Neighbouring hexagons touch at a vertex: their
// centres are 2 units apart, along 0 and 60 degrees.
constexpr double scale = 40;
constexpr lattice_vector e1{2, 0};
constexpr lattice_vector e2{1, static_cast<float>(2 * half_root3)};

// The polygons of one cell about its lattice point, the hexagon's centre:
// the hexagon with a vertex at 0 degrees, the triangle pointing up between
// it and its neighbours along e1 and e2, and the one pointing down between
// it and its neighbours along e2 and e2 - e1.
constexpr double h = half_root3;
constexpr tile_polygon cell[] = {
    {{0, 0}, {1, 0}, 6},
    {{1, 2 * h / 3}, {1, 0}, 3},
    {{0, 4 * h / 3}, {0, 2 * h}, 3},
};

void lay_hexagons(window_point at) { fill_tile_polygons(at, scale, cell, 6); }
void lay_triangles(window_point at) { fill_tile_polygons(at, scale, cell, 3); }
void draw_cell_edges(window_point at) { draw_tile_edges(at, scale, cell); }

// The lattice points whose cells reach the window.
constexpr int i_first = -8, i_last = 8, j_first = -5, j_last = 5;

int SDL_main(int, char**)
{
    start_program("trihexagonal_tiling");

    map_palette();
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: inside the black frame, a hexagon at every lattice point,
    // each touching six others at its vertices
    draw_window_frame(black);
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, lay_hexagons);
    end_stage();

    // Stage 2: a triangle in every gap between three hexagons
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, lay_triangles);
    end_stage();

    // Stage 3: every edge drawn thick
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, draw_cell_edges);
    end_stage();
    return 0;
}
