// Rhombitrihexagonal tiling: at every point of a 60-degree lattice a light
// yellow hexagon, three red squares on its edges and two green triangles
// between them (3.4.6.4), laid down kind by kind and then edged, in four
// stages.
#include <tile_polygons.h>

// 60 pixels a unit edge. Two neighbouring hexagons have a square between
// them: their centres are 1 + sqrt(3) units apart, along 0 and 60 degrees.
constexpr double scale = 60;
constexpr double spacing = 1 + 2 * half_root3;
constexpr lattice_vector e1{static_cast<float>(spacing), 0};
constexpr lattice_vector e2{static_cast<float>(spacing / 2), static_cast<float>(spacing * half_root3)};

// The polygons of one cell about its lattice point, the hexagon's centre:
// the hexagon with a vertex at 30 degrees, the squares on its edges facing
// 0, 60 and 120 degrees, and the triangles at 30 and 90 degrees, where a
// vertex of the hexagon meets two squares.
constexpr double h = half_root3;
constexpr tile_polygon cell[] = {
    {{0, 0}, {h, 0.5}, 6},
    {{h + 0.5, 0}, {h, -0.5}, 4},
    {{(h + 0.5) / 2, (h + 0.5) * h}, {h, 0.5}, 4},
    {{-(h + 0.5) / 2, (h + 0.5) * h}, {0, 1}, 4},
    {{h + 0.5, 0.5 + h / 3}, {h, 0.5}, 3},
    {{0, 1 + 2 * h / 3}, {0, 1}, 3},
};

void lay_hexagons(window_point at) { fill_tile_polygons(at, scale, cell, 6); }
void lay_squares(window_point at) { fill_tile_polygons(at, scale, cell, 4); }
void lay_triangles(window_point at) { fill_tile_polygons(at, scale, cell, 3); }
void draw_cell_edges(window_point at) { draw_tile_edges(at, scale, cell); }

// The lattice points whose cells reach the window.
constexpr int i_first = -4, i_last = 4, j_first = -2, j_last = 2;

int SDL_main(int, char**)
{
    start_program("rhombitrihexagonal_tiling");

    map_palette();
    SDL_FillRect(screen, nullptr, white);

    // Stage 1: inside the black frame, a hexagon at every lattice point
    draw_window_frame(black);
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, lay_hexagons);
    end_stage();

    // Stage 2: a square on every edge between two hexagons
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, lay_squares);
    end_stage();

    // Stage 3: a triangle in every gap between three squares
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, lay_triangles);
    end_stage();

    // Stage 4: every edge drawn thick
    sweep_lattice_points(i_first, i_last, j_first, j_last, scale, e1, e2, draw_cell_edges);
    end_stage();
    return 0;
}
