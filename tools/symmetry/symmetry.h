// The wallpaper group of a picture: its translation lattice and every
// isometry that maps it onto itself, named as one of the seventeen plane
// groups. Works on an RGB pixel array (0xRRGGBB, row-major), for the
// command line tool, the tests and the browser page alike.
//
// Coordinates are continuous pixel coordinates: pixel (i, j) covers the
// square [i, i+1) x [j, j+1), so its centre is (i + 0.5, j + 0.5).
#pragma once

#include <plane_groups.h>

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

// One operation the lattice allows, scored by how well the picture agrees
// with its image, relative to how well it agrees with its own translations:
// about 1 for an operation that holds as well as the translations do, near
// 0 or below for one that does not hold.
struct operation_score {
    std::string operation;    // "rotation 2", "rotation 3", "rotation 4", "rotation 6", "mirror" or "glide"
    double axis_degrees = 0;  // a mirror's or glide's direction, degrees from the x axis towards y (0 to 180)
    double score = 0;
    bool accepted = false;    // one of the generators of the group named
};

// A frieze: a strip that repeats along one direction only.
struct frieze_symmetry {
    real_point axis_from, axis_to;  // the axis, the strip's middle line, where it crosses the compared part
    double period[2] = {};          // the period vector along the axis, in pixels
    double width = 0;               // the strip's width across the axis, in pixels
};

// A rosette: turns about a centre and no translation.
struct rosette_symmetry {
    real_point centre;
    int order = 0;                 // n of Cn or Dn: turns by 360 / n degrees
    bool dihedral = false;         // Dn: n mirrors through the centre
    double radius = 0;             // of the disc compared about the centre, in pixels
    std::vector<double> mirrors;   // the mirrors' directions, degrees from the x axis towards y (0 to 180)
};

struct wallpaper_symmetry {
    // "wallpaper" (two independent periods), "frieze" (one), "rosette" (a
    // centre, no translation) or "none".
    std::string kind = "none";
    // A wallpaper: p1 ... p6m; a frieze: p1 p11g p1m1 p2 p2mg p11m p2mm; a
    // rosette: C2 ... C12, D1 ... D12; "none" when it is none of the three.
    std::string group = "none";
    std::string orbifold;        // e.g. "4*2"
    double lattice[2][2] = {};   // the two lattice vectors in pixels: whole ones unless approximate_lattice
    bool approximate_lattice = false;  // hexagonal, translations accepted at the agreement threshold
    real_point origin;                // the corner of the cell the elements are given in
    int compared[4] = {};        // x0, y0, x1, y1: the rectangle compared, frame and margins left out
    bool approximate = false;    // a hexagonal group: accepted at the agreement threshold
    double lowest_agreement = 1; // the lowest share of agreeing pixels among the accepted operations
    std::vector<rotation_centre> centres;  // one per class under translations, by order
    std::vector<reflection_line> lines;    // every mirror and glide segment in the cell

    // How the group was found: "exact" (the operations hold pixel for pixel,
    // or to the hexagonal agreement above), "robust" (scored, for pictures
    // that are not exact to the pixel: photos, JPEG, resized, noisy), or ""
    // for "none".
    std::string method;
    // How sure the answer is, 0 to 1, and in words: "high", "medium", "low".
    double confidence = 0;
    std::string confidence_words;
    // How well the picture agrees with its own translations (robust: the
    // correlation of two independent averages of its cell; 1 when exact).
    double translation_score = 0;
    // The operations scored: each generator of the group named (accepted)
    // and each one the lattice allows that was turned down, best first.
    std::vector<operation_score> scores;
    double threshold = 0;  // the score an operation needs to count (robust)
    // The nearest subgroup or supergroup that came next, and the score that
    // decided between the two ("" when there is none).
    std::string runner_up;
    double runner_up_score = 0;
    // For a frieze, its axis and period; its half-turn centres (order 2) and
    // its mirror and glide lines within the picture are in `centres` and
    // `lines`. For a rosette, its centre and mirrors; `centres` holds the
    // centre with its order, `lines` the mirrors across the disc compared.
    frieze_symmetry frieze;
    rosette_symmetry rosette;
};

// The share of compared pixels that must agree for a rotation or mirror of a
// hexagonal group (which square pixels cannot carry exactly), and for the
// translations of a hexagonal lattice whose vectors are not whole pixels.
constexpr double hexagonal_agreement = 0.97;

// orbifold_of(group), the orbifold name of a group given by its short
// international name, comes from the plane groups' table (plane_groups.h).

// Classifies the w x h picture `rgb`. A frame of uniform rows and columns
// at the edges is left out, and when the rest has no lattice, margins of up
// to 64 pixels (an eighth of the picture at most) where tiles cut by the
// edges may differ; every comparison is between two pixels that lie inside
// what is left. The operations of the twelve groups without 3- or 6-fold
// rotations, and the translations of any lattice that is not hexagonal,
// must hold pixel for pixel.
wallpaper_symmetry classify(const uint32_t* rgb, int w, int h);

// A picture of no lattice looked at as a frieze, then as a rosette (see
// kinds.cpp): the result with kind "frieze" or "rosette", or kind "none".
// `few_colours`: drawn in a few colours, so its operations are also checked
// pixel for pixel (to the hexagonal agreement) for the method "exact".
wallpaper_symmetry classify_frieze_or_rosette(const uint32_t* rgb, int w, int h, bool few_colours);

// Whether the figure the picture shows on a plain background spans more than
// two and a half rows of the lattice (two vectors in pixels) across each
// vector, as a patch of wallpaper does; true as well when the pattern reaches
// the picture's edges both ways. Two rows of a rosette's copies are no lattice.
bool repeats_by_lattice(const uint32_t* rgb, int w, int h, const double lattice[2][2]);

// The report: first line "group: NAME" (a frieze "frieze: NAME", a rosette
// "rosette: NAME"), then the lattice, the orbifold, how
// the operations were checked, the rotation centres, the mirror and glide
// lines, one per line. Each line ends with a newline.
std::string describe(const wallpaper_symmetry& symmetry);

// The same as one JSON object: group, orbifold, method, confidence,
// confidence_words, lattice [[ax, ay], [bx, by]], cell [x, y], compared
// [x0, y0, x1, y1], translation_score, scores [{operation, axis_degrees,
// score, accepted}], runner_up {group, score} or null, centres [{x, y,
// order}], lines [{from: [x, y], to: [x, y], glide}]; for "none" only the
// group, method and confidence fields.
std::string describe_json(const wallpaper_symmetry& symmetry);
