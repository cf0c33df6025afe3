// Realistic wallpaper pictures for measuring the symmetry classifier: each of
// the seventeen groups on a lattice of random size, angle and proportions,
// drawn four ways (shapes, colour waves, band-pass noise, outlined tilings),
// and pictures of no lattice at all. The degradations a real picture suffers
// (JPEG, resizing, noise, blur, lighting, frames, crops, defects, warps) are
// in degrade.h.
//
// A pattern is made as one periodic texture on an R x R grid of lattice
// coordinates: every operation of the group maps grid points to grid points,
// so the texture is exactly symmetric; the picture samples it, 2 x 2 per
// pixel, at u = A^-1 (x - origin).
#pragma once

#include <patterns.h>
#include <picture_file.h>

#include <string>
#include <vector>

// The kinds of pattern: "shapes" (a motif of anti-aliased ellipses and
// polygons), "waves" (a symmetric Fourier series through a colour map),
// "noise" (grey band-pass noise), "tiling" (regions about two orbits,
// outlined thin or thick).
const std::vector<std::string>& realistic_kinds();

// The pictures of no lattice: "white-noise", "photo" (one shaded object on a
// smooth scene), "scattered" (random shapes at random places).
const std::vector<std::string>& negative_kinds();

struct realistic_picture {
    rgb_picture picture;
    std::string group;        // p1 ... p6m, or "none" for a picture of no lattice
    std::string kind;
    double lattice[2][2] = {};  // the two lattice vectors a, b in pixels (none: zero)
    double origin[2] = {};      // where lattice coordinate (0, 0) lies, in pixels
};

// A picture of `group` drawn as `kind`, all its choices drawn from `seed`:
// the longer lattice vector 40 to 300 pixels, the lattice turned at random,
// its shape the one the group needs with random proportions well away from
// any more symmetric shape; the picture 640x480 to 800x600, larger when
// needed for about three cells each way. Throws std::invalid_argument for an
// unknown group or kind.
realistic_picture make_realistic(const std::string& group, const std::string& kind, unsigned seed);

// A picture of no lattice of the negative `kind` (see negative_kinds), about
// 640x480 to 800x600. Throws std::invalid_argument for an unknown kind.
realistic_picture make_negative(const std::string& kind, unsigned seed);

// Every operation u -> M u + t / 2 (t in {0, 1}^2, M with entries -1 to 1)
// that maps the lattice a = lattice[0], b = lattice[1] onto itself keeping
// lengths and angles: the candidates a picture on that lattice may hold.
std::vector<pattern_operation> lattice_operations(const double lattice[2][2]);

// The pixel-space isometry of a lattice operation on `p`'s lattice:
// x -> A (M A^-1 (x - o) + t / 2) + o, as x -> L x + c.
void pixel_operation(const realistic_picture& p, const pattern_operation& op, double linear[2][2], double shift[2]);

// How well the picture holds the operation: the correlation of the grey
// values at x and at its image (sampled bilinearly), over a grid of points
// at least `margin` pixels inside the picture whose images are too. About 1
// for a symmetry of the picture, well below for any other operation.
double operation_correlation(const realistic_picture& p, const pattern_operation& op, int margin = 4);
