// Synthetic wallpapers for the symmetry tests and benchmark: a random,
// asymmetric motif (a few discs of random colours) copied by the operations
// of one plane group over an integer lattice.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An operation in lattice coordinates: u -> M u + t/2.
struct pattern_operation {
    int m[2][2];
    int t[2];
};

struct pattern_group_spec {
    std::string name;
    std::vector<pattern_operation> generators;  // the identity left out
};

// The seventeen groups by their generators, in the lattice basis they need:
// oblique, rectangular (pm ... pgg), rhombic (cm, cmm: swapping the two
// vectors is a mirror), square, and a 60-degree basis for the hexagonal ones.
const std::vector<pattern_group_spec>& pattern_groups();
const pattern_group_spec& pattern_group(const std::string& name);

// Every operation of `group` modulo the lattice (translations t in 0 or 1,
// meaning 0 or 1/2), the identity first.
std::vector<pattern_operation> pattern_operations(const pattern_group_spec& group);

// The w x h picture (0xRRGGBB) of `group` on the lattice a, b with the
// lattice origin at (origin2 / 2) in index coordinates, its motif drawn
// from `seed`. Every colour is computed in integers: where the group's
// operations are isometries of the pixel grid, the picture holds them
// pixel for pixel.
std::vector<uint32_t> make_pattern(const pattern_group_spec& group, const int a[2], const int b[2], const int origin2[2],
                                   int w, int h, unsigned seed);

// A w x h picture of p6m (p6 with `turned`) on the hexagonal lattice
// (side, 0) (side / 2, side sqrt(3) / 2), each pixel coloured by its centre:
// with a side such as 80 sqrt(3), no period is a whole number of pixels.
std::vector<uint32_t> make_real_hexagonal_pattern(double side, bool turned, int w, int h);
