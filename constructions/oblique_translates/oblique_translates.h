// The lattice translates of both p2 wallpapers, built as the library
// oblique_translates: translate (k, l), k and l in -10..10, of pixel (i, j)
// lies at column trunc(i + period k + dx l) and row trunc(j - dy l).
#pragma once

#include <drawkit.h>

// Wherever a translate lies in columns 1..799 and rows 1..599 its sums are
// positive, so truncation is flooring and the offset of translate row l is
// the same for every pixel: column_shift[l + 10] = floor(dx l) and
// row_shift[l + 10] = floor(-(dy l)), formed in double.
struct translate_shifts {
    int period;
    int column_shift[21];
    int row_shift[21];
};
translate_shifts make_translate_shifts(int period, double dx, double dy);

// Writes `colour` to every translate of (i, j) inside columns 1..799 and
// rows 1..599: for each l one row, and in it every period-th column.
void copy_to_translates(const translate_shifts& shifts, int i, int j, Uint32 colour);
