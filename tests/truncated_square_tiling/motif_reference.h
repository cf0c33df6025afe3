// Headless surfaces for the polygon motif tests of both tiling programs:
// the motif as the routine draws it, and the motif drawn from a table of
// window coordinates in the routine's order. Include after the program's
// polygon_motif.h and lattice.h.
#pragma once

#include <drawkit.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// One edge of a motif in window coordinates: vertex i, vertex i + 1 and, for
// an even edge, the square corners Q, R and its fill seed.
struct edge_row {
    window_point from{}, to{}, q{}, r{}, seed{};
};

class MotifSurfaces : public ::testing::Test {
protected:
    SDL_Surface* drawn = nullptr;
    SDL_Surface* expected = nullptr;

    void SetUp() override
    {
        drawn = blank_surface();
        expected = blank_surface();
        screen = drawn;
    }
    void TearDown() override
    {
        screen = nullptr;
        SDL_FreeSurface(drawn);
        SDL_FreeSurface(expected);
    }

    // A white window with the programs' one-pixel black frame.
    static SDL_Surface* blank_surface()
    {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        screen = s;
        white = SDL_MapRGB(s->format, 255, 255, 255);
        black = SDL_MapRGB(s->format, 0, 0, 0);
        light_red = SDL_MapRGB(s->format, 255, 50, 50);
        light_yellow = SDL_MapRGB(s->format, 250, 250, 100);
        green = SDL_MapRGB(s->format, 0, 205, 0);
        blue = SDL_MapRGB(s->format, 0, 0, 205);
        SDL_FillRect(s, nullptr, white);
        draw_line(0, 0, 799, 0, black);
        draw_line(0, 0, 0, 599, black);
        draw_line(799, 0, 799, 599, black);
        draw_line(0, 599, 799, 599, black);
        return s;
    }

    // Draws onto `expected` the motif those rows describe, in the routine's
    // order: each edge, then for even edges the square and its fill; last the
    // polygon's own fill from its centre when a colour is given.
    void draw_expected(const std::vector<edge_row>& rows, window_point centre = {}, Uint32 polygon_fill = 0)
    {
        screen = expected;
        for (size_t i = 0; i < rows.size(); ++i) {
            const edge_row& e = rows[i];
            draw_thick_line(e.from.x, e.from.y, e.to.x, e.to.y, 1, black);
            if (i % 2 != 0)
                continue;
            draw_thick_line(e.from.x, e.from.y, e.q.x, e.q.y, 1, black);
            draw_thick_line(e.to.x, e.to.y, e.r.x, e.r.y, 1, black);
            draw_thick_line(e.q.x, e.q.y, e.r.x, e.r.y, 1, black);
            if (e.seed.x >= 1 && e.seed.x <= 798 && e.seed.y >= 1 && e.seed.y <= 598)
                flood_fill(e.seed.x, e.seed.y, green, black);
        }
        if (polygon_fill != 0 && centre.x >= 1 && centre.x <= 798 && centre.y >= 1 && centre.y <= 598)
            flood_fill(centre.x, centre.y, polygon_fill, black);
        screen = drawn;
    }

    // "" when both surfaces agree, otherwise the count and the first difference.
    std::string difference() const
    {
        int count = 0;
        std::string first;
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                const Uint32 a = static_cast<Uint32*>(drawn->pixels)[y * 800 + x];
                const Uint32 b = static_cast<Uint32*>(expected->pixels)[y * 800 + x];
                if (a != b && count++ == 0)
                    first = "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
        return count == 0 ? "" : std::to_string(count) + " pixels differ, " + first;
    }
};

