// Synthetic friezes and rosettes for the symmetry tests and benchmark: a
// motif of a few random discs (ellipses about a centre) copied by the
// operations of one frieze group along a strip, or of Cn or Dn about a
// centre, each pixel coloured by its centre.
#pragma once

#include <picture_file.h>

#include <string>

// A horizontal strip of `group` (p1 p11g p1m1 p2 p2mg p11m p2mm) across a
// w x h picture on white: period `period`, `width` pixels wide, its axis at
// y = h / 2, a mirror or half-turn centre (where the group has one) at x = x0.
rgb_picture frieze_picture(const std::string& group, int w, int h, int period, int width, int x0, unsigned seed);

// A rosette Cn (Dn when `dihedral`) of radius R about (cx, cy) on white,
// a mirror (Dn) along the x axis.
rgb_picture rosette_picture(int n, bool dihedral, int w, int h, double cx, double cy, double R, unsigned seed);
