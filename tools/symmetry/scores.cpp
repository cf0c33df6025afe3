// The operations of a picture that is not exact to the pixel, scored. The
// work picture is averaged into one cell of the lattice, an n x n grid in
// lattice coordinates, from the cells about its centre (at most
// `cells_averaged` of them, so that a slant or a slight bend of the pattern
// blurs the average little): one average from the cells with i + j even,
// one from those with i + j odd. An integer lattice map M takes the grid
// onto itself, so the image of an average under M is exact; the translation
// that goes with M is where the average and its image correlate best (by
// FFT over the cell), to a fraction of a grid step.
#include "robust.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

constexpr int cells_averaged = 48;
constexpr int cells_nearby = 12;  // when those explain the picture poorly (a slant): the nearest
constexpr int largest_grid = 96;
constexpr int smallest_grid = 24;
constexpr double shape_tolerance = 0.12;
constexpr double outlier_factor = 4;  // a cell this many times the median deviation is left out

// An average cell: n x n samples of three channels, u = (i / n, j / n).
struct cell_grid {
    int n = 0;
    std::vector<float> c[3];
    float at(int k, int i, int j) const { return c[k][static_cast<size_t>(j) * n + i]; }
};

// Pearson correlation of two cells sampled as the three channels together.
double correlation(const std::vector<float>* p, const std::vector<float>* q)
{
    double spq = 0, spp = 0, sqq = 0;
    for (int k = 0; k < 3; ++k) {
        const size_t n = p[k].size();
        double mp = 0, mq = 0;
        for (size_t i = 0; i < n; ++i)
            mp += p[k][i], mq += q[k][i];
        mp /= n;
        mq /= n;
        for (size_t i = 0; i < n; ++i) {
            const double a = p[k][i] - mp, b = q[k][i] - mq;
            spq += a * b;
            spp += a * a;
            sqq += b * b;
        }
    }
    return spp > 0 && sqq > 0 ? spq / std::sqrt(spp * sqq) : 0;
}

// A box blur of the picture's channels, radius r, for sampling a large cell
// on a coarser grid without aliasing.
work_picture box_blur(const work_picture& p, int r)
{
    work_picture out = p;
    if (r < 1)
        return out;
    std::vector<float> tmp(p.c[0].size());
    for (int k = 0; k < 3; ++k) {
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                double s = 0;
                int n = 0;
                for (int i = std::max(0, x - r); i <= std::min(p.w - 1, x + r); ++i, ++n)
                    s += p.at(k, i, y);
                tmp[static_cast<size_t>(y) * p.w + x] = static_cast<float>(s / n);
            }
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                double s = 0;
                int n = 0;
                for (int j = std::max(0, y - r); j <= std::min(p.h - 1, y + r); ++j, ++n)
                    s += tmp[static_cast<size_t>(j) * p.w + x];
                out.c[k][static_cast<size_t>(y) * p.w + x] = static_cast<float>(s / n);
            }
    }
    return out;
}

// A light blur of a cell on the torus (1 2 1 each way).
void soften(cell_grid& g)
{
    const int n = g.n;
    std::vector<float> tmp(static_cast<size_t>(n) * n);
    for (auto& c : g.c) {
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                tmp[static_cast<size_t>(j) * n + i] =
                    0.25f * c[static_cast<size_t>(j) * n + (i + n - 1) % n] + 0.5f * c[static_cast<size_t>(j) * n + i] +
                    0.25f * c[static_cast<size_t>(j) * n + (i + 1) % n];
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                c[static_cast<size_t>(j) * n + i] = 0.25f * tmp[static_cast<size_t>((j + n - 1) % n) * n + i] +
                                                    0.5f * tmp[static_cast<size_t>(j) * n + i] +
                                                    0.25f * tmp[static_cast<size_t>((j + 1) % n) * n + i];
    }
}

// The cell less its blur (a box of 2r + 1 grid steps, twice, on the
// torus): its edges and fine detail, where a thin-lined tiling and its
// mirror image differ, without the large areas where they agree.
cell_grid fine_detail(const cell_grid& g, int r)
{
    cell_grid out = g;
    const int n = g.n;
    std::vector<float> a(static_cast<size_t>(n) * n), b(a.size());
    for (int k = 0; k < 3; ++k) {
        a = g.c[k];
        for (int pass = 0; pass < 4; ++pass) {
            const bool across = pass % 2 == 0;
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i) {
                    double s = 0;
                    for (int d = -r; d <= r; ++d)
                        s += across ? a[static_cast<size_t>(j) * n + (i + d + n) % n] : a[static_cast<size_t>((j + d + n) % n) * n + i];
                    b[static_cast<size_t>(j) * n + i] = static_cast<float>(s / (2 * r + 1));
                }
            std::swap(a, b);
        }
        for (size_t i = 0; i < a.size(); ++i)
            out.c[k][i] = g.c[k][i] - a[i];
    }
    return out;
}

// The linear pixel map A M A^-1 of the lattice map M, and whether it is an
// isometry to within the tolerance.
bool near_isometry(const double a[2], const double b[2], const int m[2][2])
{
    double l[2][2];
    pixel_linear(a, b, m, l);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            const double ltl = l[0][i] * l[0][j] + l[1][i] * l[1][j];
            if (std::fabs(ltl - (i == j)) > shape_tolerance)
                return false;
        }
    return true;
}

// Every integer map other than the identity of finite order (a turn of
// order 2, 3, 4, 6 or a reflection) that the lattice allows.
std::vector<plane_operation> allowed_maps(const double a[2], const double b[2])
{
    std::vector<plane_operation> maps;
    for (int e = 0; e < 81; ++e) {
        plane_operation op;
        op.m[0][0] = e % 3 - 1;
        op.m[0][1] = e / 3 % 3 - 1;
        op.m[1][0] = e / 9 % 3 - 1;
        op.m[1][1] = e / 27 % 3 - 1;
        const int det = op.m[0][0] * op.m[1][1] - op.m[0][1] * op.m[1][0];
        const int trace = op.m[0][0] + op.m[1][1];
        const bool turn = det == 1 && trace >= -2 && trace <= 1;
        const bool reflection = det == -1 && trace == 0;
        if ((turn || reflection) && near_isometry(a, b, op.m))
            maps.push_back(op);
    }
    return maps;
}

// The two averages of the picture's cell (n x n points), and their mean;
// with `against_aliasing`, a picture whose cell is much larger than the grid
// is blurred first. At most `cells_averaged` cells about the origin.
struct averages {
    cell_grid half[2], both;
    double explained = 0;
};

averages average_cells(const work_picture& picture, const double a[2], const double b[2], const double origin[2], int n,
                       bool against_aliasing, int cells_averaged)
{
    averages out;
    const double det = a[0] * b[1] - a[1] * b[0];
    const double cell = std::sqrt(std::fabs(det));
    // A grid step of more than 2.5 pixels would alias fine detail.
    const double grid_step = cell / n;
    const int blur = against_aliasing && grid_step > 2.5 ? static_cast<int>(grid_step / 2) : 0;
    work_picture blurred;
    if (blur >= 1)
        blurred = box_blur(picture, blur);
    const work_picture& p = blur >= 1 ? blurred : picture;
    // The region averaged: the picture's proportions, about its centre, the
    // area of `cells_averaged` cells at most.
    const double shrink_by = std::min(1.0, std::sqrt(cells_averaged * std::fabs(det) / (static_cast<double>(p.w) * p.h)));
    const double rx = shrink_by * (p.w - 3) / 2, ry = shrink_by * (p.h - 3) / 2;
    const double cx = origin[0], cy = origin[1];
    // The range of cells that meets the region.
    double lo[2] = {1e18, 1e18}, hi[2] = {-1e18, -1e18};
    for (const double sx : {-rx, rx})
        for (const double sy : {-ry, ry}) {
            const double u = (sx * b[1] - sy * b[0]) / det, v = (a[0] * sy - a[1] * sx) / det;
            lo[0] = std::min(lo[0], u), hi[0] = std::max(hi[0], u);
            lo[1] = std::min(lo[1], v), hi[1] = std::max(hi[1], v);
        }
    // visit(cell, half, grid point, value of each channel) for every sample:
    // each grid point of each cell whose point lies in the region.
    const int ci0 = static_cast<int>(std::floor(lo[0])), ci1 = static_cast<int>(std::ceil(hi[0]));
    const int cj0 = static_cast<int>(std::floor(lo[1])), cj1 = static_cast<int>(std::ceil(hi[1]));
    const int across = ci1 - ci0 + 1;
    auto visit = [&](auto f) {
        for (int cj = cj0; cj <= cj1; ++cj)
            for (int ci = ci0; ci <= ci1; ++ci)
                for (int j = 0; j < n; ++j)
                    for (int i = 0; i < n; ++i) {
                        const double u = ci + static_cast<double>(i) / n, v = cj + static_cast<double>(j) / n;
                        const double dx = u * a[0] + v * b[0], dy = u * a[1] + v * b[1];
                        if (std::fabs(dx) > rx || std::fabs(dy) > ry)
                            continue;
                        const double x = cx + dx, y = cy + dy;
                        const int ix = static_cast<int>(x), iy = static_cast<int>(y);
                        const float fx = static_cast<float>(x - ix), fy = static_cast<float>(y - iy);
                        float value[3];
                        for (int k = 0; k < 3; ++k) {
                            const float* row = &p.c[k][static_cast<size_t>(iy) * p.w + ix];
                            value[k] = (1 - fy) * ((1 - fx) * row[0] + fx * row[1]) + fy * ((1 - fx) * row[p.w] + fx * row[p.w + 1]);
                        }
                        f((cj - cj0) * across + ci - ci0, (ci + cj) & 1, j * n + i, value);
                    }
    };
    const size_t points = static_cast<size_t>(n) * n;
    const size_t cell_count = static_cast<size_t>(across) * (cj1 - cj0 + 1);
    // Each cell's mean square difference from the average and its number of
    // samples; a negative difference marks a cell left out.
    std::vector<double> deviation(cell_count, 0);
    std::vector<int> cell_samples(cell_count, 0);
    // The sums of the cells kept, by half.
    std::vector<double> sum[2][3];
    std::vector<int> count[2];
    auto add_up = [&]() {
        for (int h = 0; h < 2; ++h) {
            for (auto& s : sum[h])
                s.assign(points, 0);
            count[h].assign(points, 0);
        }
        visit([&](int cell, int half, int at, const float* value) {
            if (deviation[cell] < 0)
                return;
            for (int k = 0; k < 3; ++k)
                sum[half][k][at] += value[k];
            ++count[half][at];
        });
    };
    // A cell that differs from the average far more than most (a defect: an
    // outlined cell, a signature, a stain) is left out.
    add_up();
    visit([&](int cell, int, int at, const float* value) {
        for (int k = 0; k < 3; ++k) {
            const double mean = (sum[0][k][at] + sum[1][k][at]) / (count[0][at] + count[1][at]);
            deviation[cell] += (value[k] - mean) * (value[k] - mean);
        }
        ++cell_samples[cell];
    });
    std::vector<double> deviations;
    for (size_t c = 0; c < cell_count; ++c)
        if (cell_samples[c]) {
            deviation[c] /= cell_samples[c];
            if (static_cast<size_t>(cell_samples[c]) * 2 >= points)
                deviations.push_back(deviation[c]);
        }
    if (deviations.size() >= 8) {
        std::nth_element(deviations.begin(), deviations.begin() + deviations.size() / 2, deviations.end());
        const double limit = outlier_factor * deviations[deviations.size() / 2];
        bool any = false;
        for (double& d : deviation)
            if (d > limit) {
                d = -1;
                any = true;
            }
        if (any)
            add_up();
    }
    double total = 0, total2 = 0;
    long counted = 0;
    visit([&](int cell, int, int, const float* value) {
        if (deviation[cell] < 0)
            return;
        for (int k = 0; k < 3; ++k) {
            total += value[k];
            total2 += static_cast<double>(value[k]) * value[k];
        }
        ++counted;
    });
    for (int h = 0; h < 2; ++h) {
        out.half[h].n = n;
        for (int k = 0; k < 3; ++k)
            out.half[h].c[k].assign(static_cast<size_t>(n) * n, 0);
    }
    out.both = out.half[0];
    double var_cell = 0, mean_cell = 0;
    for (size_t at = 0; at < static_cast<size_t>(n) * n; ++at)
        for (int k = 0; k < 3; ++k) {
            const int c0 = count[0][at], c1 = count[1][at];
            // A grid point that one half never reached takes the other's value.
            const double m0 = c0 ? sum[0][k][at] / c0 : (c1 ? sum[1][k][at] / c1 : 0);
            const double m1 = c1 ? sum[1][k][at] / c1 : m0;
            const double m = c0 + c1 ? (sum[0][k][at] + sum[1][k][at]) / (c0 + c1) : 0;
            out.half[0].c[k][at] = static_cast<float>(m0);
            out.half[1].c[k][at] = static_cast<float>(m1);
            out.both.c[k][at] = static_cast<float>(m);
            mean_cell += m;
            var_cell += m * m;
        }
    const double cells = 3.0 * n * n;
    var_cell = var_cell / cells - (mean_cell / cells) * (mean_cell / cells);
    const double picture_var = counted ? total2 / (3.0 * counted) - (total / (3.0 * counted)) * (total / (3.0 * counted)) : 0;
    out.explained = picture_var > 0 ? var_cell / picture_var : 0;
    for (auto* g : {&out.half[0], &out.half[1], &out.both})
        soften(*g);
    return out;
}

// The spectrum of each channel of a cell.
struct cell_spectrum {
    int n = 0;
    std::vector<std::complex<float>> c[3];
};
cell_spectrum spectrum(const cell_grid& g)
{
    cell_spectrum out;
    out.n = g.n;
    for (int k = 0; k < 3; ++k) {
        out.c[k].assign(g.c[k].begin(), g.c[k].end());
        fft2(out.c[k], g.n, g.n, false);
    }
    return out;
}

// The shift h (grid steps, a fraction of a step) that maximises
// sum over u of C(u) E(u + h), E(u) = C(M u): by FFT, the spectrum of E
// being that of C at M^-T f (M maps the grid onto itself one to one).
void best_shift(const cell_spectrum& spectrum, const int m[2][2], double h[2])
{
    const int n = spectrum.n;
    const int det = m[0][0] * m[1][1] - m[0][1] * m[1][0];
    const int t[2][2] = {{m[1][1] * det, -m[1][0] * det}, {-m[0][1] * det, m[0][0] * det}};  // M^-T
    std::vector<std::complex<float>> product(static_cast<size_t>(n) * n, 0);
    for (int fy = 0; fy < n; ++fy)
        for (int fx = 0; fx < n; ++fx) {
            const int gx = ((t[0][0] * fx + t[0][1] * fy) % n + n) % n, gy = ((t[1][0] * fx + t[1][1] * fy) % n + n) % n;
            const size_t at = static_cast<size_t>(fy) * n + fx, image = static_cast<size_t>(gy) * n + gx;
            for (int k = 0; k < 3; ++k)
                product[at] += std::conj(spectrum.c[k][at]) * spectrum.c[k][image];
        }
    fft2(product, n, n, true);
    std::vector<float> cross(product.size());
    for (size_t i = 0; i < product.size(); ++i)
        cross[i] = product[i].real();
    size_t top = 0;
    for (size_t i = 1; i < cross.size(); ++i)
        if (cross[i] > cross[top])
            top = i;
    const int ti = static_cast<int>(top % n), tj = static_cast<int>(top / n);
    auto at = [&](int i, int j) { return cross[static_cast<size_t>((j + n) % n) * n + (i + n) % n]; };
    auto vertex = [](double l, double m, double r) {
        const double d = l - 2 * m + r;
        return d < 0 ? std::clamp(0.5 * (l - r) / d, -0.5, 0.5) : 0.0;
    };
    h[0] = ti + vertex(at(ti - 1, tj), at(ti, tj), at(ti + 1, tj));
    h[1] = tj + vertex(at(ti, tj - 1), at(ti, tj), at(ti, tj + 1));
}

// Where each grid point's image under u -> M u + g (g in lattice units)
// falls on the torus: the four grid points about it and their bilinear
// weights.
struct torus_map {
    std::vector<int> at;     // four per grid point
    std::vector<float> w;    // their weights
};
torus_map image_map(int n, const plane_operation& op)
{
    torus_map map;
    map.at.reserve(4 * static_cast<size_t>(n) * n);
    map.w.reserve(4 * static_cast<size_t>(n) * n);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const double x = op.m[0][0] * i + op.m[0][1] * j + op.g[0] * n;
            const double y = op.m[1][0] * i + op.m[1][1] * j + op.g[1] * n;
            const double fx = std::floor(x), fy = std::floor(y);
            const float tx = static_cast<float>(x - fx), ty = static_cast<float>(y - fy);
            const int i0 = static_cast<int>(((static_cast<long>(fx) % n) + n) % n), j0 = static_cast<int>(((static_cast<long>(fy) % n) + n) % n);
            const int i1 = (i0 + 1) % n, j1 = (j0 + 1) % n;
            map.at.insert(map.at.end(), {j0 * n + i0, j0 * n + i1, j1 * n + i0, j1 * n + i1});
            map.w.insert(map.w.end(), {(1 - ty) * (1 - tx), (1 - ty) * tx, ty * (1 - tx), ty * tx});
        }
    return map;
}

// The correlation of cell p with the image of cell q under the map, that is
// of p(u) with q(M u + g), the three channels together.
double agreement_under(const cell_grid& p, const cell_grid& q, const torus_map& map)
{
    double spq = 0, spp = 0, sqq = 0;
    for (int k = 0; k < 3; ++k) {
        double sp = 0, sq = 0, pq = 0, pp = 0, qq = 0;
        const size_t count = p.c[k].size();
        for (size_t u = 0; u < count; ++u) {
            const int* at = &map.at[4 * u];
            const float* w = &map.w[4 * u];
            const double a = p.c[k][u];
            const double b = w[0] * q.c[k][at[0]] + w[1] * q.c[k][at[1]] + w[2] * q.c[k][at[2]] + w[3] * q.c[k][at[3]];
            sp += a, sq += b, pq += a * b, pp += a * a, qq += b * b;
        }
        spq += pq - sp * sq / count;
        spp += pp - sp * sp / count;
        sqq += qq - sq * sq / count;
    }
    return spp > 0 && sqq > 0 ? spq / std::sqrt(spp * sqq) : 0;
}

}  // namespace

// The share of the picture's variance that its average cell on the lattice
// (a, b) explains, from a coarse grid.
double explained_by(const work_picture& picture, const double a[2], const double b[2])
{
    const double middle[2] = {picture.w / 2.0, picture.h / 2.0};
    return average_cells(picture, a, b, middle, smallest_grid, false, cells_averaged).explained;
}

cell_scores score_operations(const work_picture& picture, const found_lattice& lattice)
{
    cell_scores out;
    if (!lattice.found)
        return out;
    const double cell = std::sqrt(std::fabs(lattice.a[0] * lattice.b[1] - lattice.a[1] * lattice.b[0]));
    const int n = std::clamp(2 * static_cast<int>(std::ceil(cell / 2)), smallest_grid, largest_grid);
    out.origin[0] = picture.w / 2.0;
    out.origin[1] = picture.h / 2.0;
    averages cells = average_cells(picture, lattice.a, lattice.b, out.origin, n, true, cells_averaged);
    if (cells.explained < 0.8) {
        // A pattern seen at a slant or bent keeps its lattice only nearby.
        averages nearby = average_cells(picture, lattice.a, lattice.b, out.origin, n, true, cells_nearby);
        if (nearby.explained > cells.explained + 0.1)
            cells = std::move(nearby);
    }
    out.explained = cells.explained;
    out.translation_score = correlation(cells.half[0].c, cells.half[1].c);
    const int r = std::max(1, n / 16);
    const cell_grid fine[2] = {fine_detail(cells.half[0], r), fine_detail(cells.half[1], r)};
    const double fine_translation = correlation(fine[0].c, fine[1].c);
    out.periodic = true;
    const cell_spectrum whole = spectrum(cells.both);
    for (plane_operation op : allowed_maps(lattice.a, lattice.b)) {
        double h[2];
        best_shift(whole, op.m, h);
        // C(M u + g) = C(u) with E(u + h) = C(u): g = M h.
        for (int k = 0; k < 2; ++k) {
            const double g = (op.m[k][0] * h[0] + op.m[k][1] * h[1]) / n;
            op.g[k] = g - std::floor(g);
        }
        const torus_map map = image_map(n, op);
        const double s = 0.5 * (agreement_under(cells.half[0], cells.half[1], map) + agreement_under(cells.half[1], cells.half[0], map));
        const double f = 0.5 * (agreement_under(fine[0], fine[1], map) + agreement_under(fine[1], fine[0], map));
        const double whole = out.translation_score > 0 ? s / out.translation_score : 0;
        const double detail = fine_translation > 0 ? f / fine_translation : 0;
        out.operations.push_back({op, std::min(whole, detail)});
    }
    return out;
}
