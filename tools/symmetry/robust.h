// The analysis for pictures that are not exact to the pixel: photos, scans,
// JPEG files, resized, blurred or noisy patterns, at any angle and scale.
// Nothing is compared pixel for pixel: the lattice comes from the picture's
// autocorrelation, refined to a fraction of a pixel; the picture is averaged
// into one cell of that lattice (two averages, from two halves of its cells);
// each operation the lattice allows is scored by how well the one average
// agrees with the other's image under it, relative to how well the two agree
// as they are (which is how well the picture agrees with its translations).
//
// Coordinates are the picture's continuous pixel coordinates (pixel (i, j)
// covers [i, i+1) x [j, j+1)); lattice coordinates u give the point
// origin + u.x a + u.y b.
#pragma once

#include "symmetry.h"

#include <plane_groups.h>

#include <complex>
#include <cstdint>
#include <string>
#include <vector>

// The RGB picture the analysis works on: three float channels in [0, 1],
// the frame left out, scaled down by a whole factor when large, a brightness
// ramp taken out of each channel.
struct work_picture {
    int w = 0, h = 0;
    std::vector<float> c[3];
    double scale = 1;        // one work pixel is `scale` picture pixels
    double x0 = 0, y0 = 0;   // the picture point of the work picture's corner
    float at(int k, int x, int y) const { return c[k][static_cast<size_t>(y) * w + x]; }
};

// The work picture of the w x h picture `rgb` (0xRRGGBB); at most
// `largest` pixels on a side.
work_picture make_work_picture(const uint32_t* rgb, int w, int h, int largest);

// The 2-D discrete Fourier transform in place of an nx x ny row-major
// array (the inverse scaled by 1 / (nx ny)).
void fft2(std::vector<std::complex<float>>& data, int nx, int ny, bool inverse);

// A size at least n whose only prime factors are 2, 3 and 5: one the FFT
// transforms quickly.
int fft_size(int n);

// A lattice found in the work picture, in work pixels.
struct found_lattice {
    bool found = false;
    double a[2] = {}, b[2] = {};
    double on_lattice = 0;   // mean autocorrelation at the lattice's points
    double contrast = 0;     // that less the highest mean at the half-way points
};

// The lattice of the work picture's periods, its basis reduced (|a| <= |b|,
// the angle between them 60 to 90 degrees), to a fraction of a pixel; not
// found when the picture has no two clear periods of at most half its size.
found_lattice find_periods(const work_picture& picture);

// The share of the work picture's variance that its average cell on the
// lattice (a, b) explains (the cell sampled coarsely).
double explained_by(const work_picture& picture, const double a[2], const double b[2]);

// An operation the lattice allows, with its score (1: agrees as well as the
// translations do).
struct scored_operation {
    plane_operation op;
    double score = 0;
};

// The picture averaged over the cells of a lattice, and the operations that
// lattice allows, scored.
struct cell_scores {
    bool periodic = false;
    double origin[2] = {};           // the lattice origin, in work pixels
    double translation_score = 0;    // correlation of the two averages of the cell
    double explained = 0;            // share of the picture's variance the average cell explains
    std::vector<scored_operation> operations;  // every point operation the lattice allows, but the identity
};

// Averages the work picture into cells of the lattice (about its centre) and
// scores every operation that maps the lattice onto itself to within
// `shape_tolerance` (a lattice a few per cent off its ideal shape, sheared or
// seen at a slant, still allows the operations of its ideal shape).
cell_scores score_operations(const work_picture& picture, const found_lattice& lattice);

// An operation scores at least this much to be a symmetry of the picture.
constexpr double accepted_score = 0.8;

// The group named from the scores.
struct robust_choice {
    std::string group = "none";
    std::vector<plane_operation> ops;  // one per coset, the identity first; lattice coordinates about cells.origin
    std::vector<operation_score> scores;  // every operation scored, the accepted first, then best first
    std::string runner_up;
    double runner_up_score = 0;
    double confidence = 0;
    std::string confidence_words;
};

// The largest group all of whose operations score at least accepted_score
// (of two as large, the one whose lowest score is higher); the runner-up
// is the nearest larger group that failed or smaller group that passed,
// whichever came closer to the threshold. "none" when the cells are not
// periodic enough to tell.
robust_choice choose_group(const found_lattice& lattice, const cell_scores& cells);
