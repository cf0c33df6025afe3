// The wallpaper group of a picture: its translation lattice and every
// isometry that maps it onto itself, named as one of the seventeen plane
// groups. Works on an RGB pixel array (0xRRGGBB, row-major), for the
// command line tool, the tests and the browser page alike.
//
// Coordinates are continuous pixel coordinates: pixel (i, j) covers the
// square [i, i+1) x [j, j+1), so its centre is (i + 0.5, j + 0.5).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct real_point {
    double x = 0;
    double y = 0;
};

// A rotation centre and the order of the rotations about it (2, 3, 4, 6).
struct rotation_centre {
    real_point at;
    int order = 0;
};

// A mirror line or glide line, as the segment where it crosses the cell.
struct reflection_line {
    real_point from;
    real_point to;
    bool glide = false;  // a glide reflection (translation by half a period)
};

struct wallpaper_symmetry {
    std::string group = "none";  // p1 ... p6m; "none": no two independent periods
    std::string orbifold;        // e.g. "4*2"
    double lattice[2][2] = {};   // the two lattice vectors in pixels: whole ones unless approximate_lattice
    bool approximate_lattice = false;  // hexagonal, translations accepted at the agreement threshold
    real_point origin;                // the corner of the cell the elements are given in
    int compared[4] = {};        // x0, y0, x1, y1: the rectangle compared, frame and margins left out
    bool approximate = false;    // a hexagonal group: accepted at the agreement threshold
    double lowest_agreement = 1; // the lowest share of agreeing pixels among the accepted operations
    std::vector<rotation_centre> centres;  // one per class under translations, by order
    std::vector<reflection_line> lines;    // every mirror and glide segment in the cell
};

// The share of compared pixels that must agree for a rotation or mirror of a
// hexagonal group (which square pixels cannot carry exactly), and for the
// translations of a hexagonal lattice whose vectors are not whole pixels.
constexpr double hexagonal_agreement = 0.97;

// The orbifold name of a group given by its short international name
// ("*442" for p4m), or "" for a name that is none of the seventeen.
std::string orbifold_of(const std::string& group);

// Classifies the w x h picture `rgb`. A frame of uniform rows and columns
// at the edges is left out, and when the rest has no lattice, margins of up
// to 64 pixels (an eighth of the picture at most) where tiles cut by the
// edges may differ; every comparison is between two pixels that lie inside
// what is left. The operations of the twelve groups without 3- or 6-fold
// rotations, and the translations of any lattice that is not hexagonal,
// must hold pixel for pixel.
wallpaper_symmetry classify(const uint32_t* rgb, int w, int h);

// The report: first line "group: NAME", then the lattice, the orbifold, how
// the operations were checked, the rotation centres, the mirror and glide
// lines, one per line. Each line ends with a newline.
std::string describe(const wallpaper_symmetry& symmetry);
