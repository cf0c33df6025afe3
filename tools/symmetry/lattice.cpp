// The lattice of a picture that is not exact to the pixel. The picture's
// autocorrelation (by FFT, on a copy at most `acf_side` pixels on a side)
// has a peak at every period; pairs of its highest peaks propose lattices,
// and the lattice whose points stand out most above the points half way
// between them is taken. Its vectors are then located to a fraction of a
// pixel: first at the autocorrelation's peaks, then at the largest of its
// vectors on the work picture itself.
#include "robust.h"

#include <unsupported/Eigen/FFT>

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

constexpr int acf_side = 256;         // the autocorrelation's picture, at most, on a side
constexpr int peaks_kept = 24;        // the highest peaks that propose lattices
constexpr double shortest_period = 3; // in autocorrelation pixels
constexpr double least_on_lattice = 0.25;
constexpr double least_contrast = 0.12;
constexpr double least_dip = 0.1;
constexpr size_t options_tried = 4;     // lattices checked on the picture itself      // between the central peak and another

// Leaves out rows and columns of one colour (to within noise) at the edges,
// at most an eighth of the picture on each side.
void crop_uniform_frame(const uint32_t* rgb, int w, int h, int& x0, int& y0, int& x1, int& y1)
{
    x0 = 0, y0 = 0, x1 = w, y1 = h;
    auto uniform = [&](int fx, int fy, int dx, int dy, int n) {
        double sum[3] = {}, sum2[3] = {};
        for (int k = 0; k < n; ++k) {
            const uint32_t p = rgb[static_cast<size_t>(fy + k * dy) * w + fx + k * dx];
            for (int c = 0; c < 3; ++c) {
                const double v = (p >> (16 - 8 * c)) & 0xff;
                sum[c] += v;
                sum2[c] += v * v;
            }
        }
        for (int c = 0; c < 3; ++c)
            if (sum2[c] / n - (sum[c] / n) * (sum[c] / n) > 6 * 6)
                return false;
        return true;
    };
    for (bool cut = true; cut;) {
        cut = false;
        if (y1 - y0 < 16 || x1 - x0 < 16)
            break;
        if (y0 < h / 8 && uniform(x0, y0, 1, 0, x1 - x0)) { ++y0; cut = true; }
        if (h - y1 < h / 8 && uniform(x0, y1 - 1, 1, 0, x1 - x0)) { --y1; cut = true; }
        if (x0 < w / 8 && uniform(x0, y0, 0, 1, y1 - y0)) { ++x0; cut = true; }
        if (w - x1 < w / 8 && uniform(x1 - 1, y0, 0, 1, y1 - y0)) { --x1; cut = true; }
    }
}

// Takes the least-squares plane out of each channel (a brightness or
// colour ramp), leaving each with mean zero.
void take_out_ramp(work_picture& p)
{
    const double cx = (p.w - 1) / 2.0, cy = (p.h - 1) / 2.0;
    double sxx = 0, syy = 0;
    for (int x = 0; x < p.w; ++x)
        sxx += (x - cx) * (x - cx);
    for (int y = 0; y < p.h; ++y)
        syy += (y - cy) * (y - cy);
    sxx *= p.h;
    syy *= p.w;
    for (auto& c : p.c) {
        double s = 0, sx = 0, sy = 0;
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                const double v = c[static_cast<size_t>(y) * p.w + x];
                s += v;
                sx += v * (x - cx);
                sy += v * (y - cy);
            }
        const double mean = s / (static_cast<double>(p.w) * p.h), gx = sxx > 0 ? sx / sxx : 0, gy = syy > 0 ? sy / syy : 0;
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x)
                c[static_cast<size_t>(y) * p.w + x] -= static_cast<float>(mean + gx * (x - cx) + gy * (y - cy));
    }
}

// The picture scaled down by the whole factor k, each pixel the mean of a
// k x k block (a partial block at the right and bottom edges left out).
work_picture shrink(const work_picture& p, int k)
{
    if (k <= 1)
        return p;
    work_picture s;
    s.w = p.w / k;
    s.h = p.h / k;
    s.scale = p.scale * k;
    s.x0 = p.x0;
    s.y0 = p.y0;
    for (int c = 0; c < 3; ++c) {
        s.c[c].assign(static_cast<size_t>(s.w) * s.h, 0);
        for (int y = 0; y < s.h; ++y)
            for (int x = 0; x < s.w; ++x) {
                double sum = 0;
                for (int j = 0; j < k; ++j)
                    for (int i = 0; i < k; ++i)
                        sum += p.at(c, k * x + i, k * y + j);
                s.c[c][static_cast<size_t>(y) * s.w + x] = static_cast<float>(sum / (k * k));
            }
    }
    return s;
}

// The normalised autocorrelation of a picture: r(0) = 1, each lag's sum
// divided by the number of pixel pairs it has. Lags up to half the size.
struct autocorrelation {
    int rx = 0, ry = 0;  // lags -rx..rx, -ry..ry
    std::vector<float> r;
    float at(int dx, int dy) const { return r[static_cast<size_t>(dy + ry) * (2 * rx + 1) + dx + rx]; }
    bool inside(double dx, double dy) const { return std::fabs(dx) <= rx - 1 && std::fabs(dy) <= ry - 1; }
    // The highest of the four lags about (dx, dy): the height of a peak
    // there, however sharp, wherever it falls between lags; 0 outside.
    double peak(double dx, double dy) const
    {
        if (!inside(dx, dy))
            return 0;
        const int ix = static_cast<int>(std::floor(dx)), iy = static_cast<int>(std::floor(dy));
        return std::max(std::max(at(ix, iy), at(ix + 1, iy)), std::max(at(ix, iy + 1), at(ix + 1, iy + 1)));
    }
    // Bilinear between lags; 0 outside.
    double sample(double dx, double dy) const
    {
        if (!inside(dx, dy))
            return 0;
        const int ix = static_cast<int>(std::floor(dx)), iy = static_cast<int>(std::floor(dy));
        const double fx = dx - ix, fy = dy - iy;
        return (1 - fy) * ((1 - fx) * at(ix, iy) + fx * at(ix + 1, iy)) + fy * ((1 - fx) * at(ix, iy + 1) + fx * at(ix + 1, iy + 1));
    }
};

autocorrelation autocorrelate(const work_picture& p)
{
    autocorrelation a;
    a.rx = p.w / 2;
    a.ry = p.h / 2;
    const int nx = fft_size(p.w + a.rx + 1), ny = fft_size(p.h + a.ry + 1);
    // Two channels go through one transform as its real and imaginary
    // parts: the sum of their power spectra is (|Z(f)|^2 + |Z(-f)|^2) / 2.
    std::vector<std::complex<float>> power(static_cast<size_t>(nx) * ny, 0), data;
    for (int pair = 0; pair < 2; ++pair) {
        data.assign(static_cast<size_t>(nx) * ny, 0);
        for (int part = 0; part < 2; ++part) {
            const int c = 2 * pair + part;
            if (c > 2)
                break;
            double mean = 0;
            for (const float v : p.c[c])
                mean += v;
            mean /= p.c[c].size();
            for (int y = 0; y < p.h; ++y)
                for (int x = 0; x < p.w; ++x) {
                    const float v = static_cast<float>(p.at(c, x, y) - mean);
                    std::complex<float>& z = data[static_cast<size_t>(y) * nx + x];
                    z = part == 0 ? std::complex<float>(v, 0) : std::complex<float>(z.real(), v);
                }
        }
        fft2(data, nx, ny, false);
        for (int fy = 0; fy < ny; ++fy)
            for (int fx = 0; fx < nx; ++fx) {
                const std::complex<float> z = data[static_cast<size_t>(fy) * nx + fx];
                const std::complex<float> m = data[static_cast<size_t>((ny - fy) % ny) * nx + (nx - fx) % nx];
                power[static_cast<size_t>(fy) * nx + fx] += 0.5f * (std::norm(z) + std::norm(m));
            }
    }
    fft2(power, nx, ny, true);
    std::vector<float> sum(power.size());
    for (size_t i = 0; i < power.size(); ++i)
        sum[i] = power[i].real();
    a.r.assign(static_cast<size_t>(2 * a.rx + 1) * (2 * a.ry + 1), 0);
    const double zero = sum[0] / (static_cast<double>(p.w) * p.h);
    for (int dy = -a.ry; dy <= a.ry; ++dy)
        for (int dx = -a.rx; dx <= a.rx; ++dx) {
            const double pairs = static_cast<double>(p.w - std::abs(dx)) * (p.h - std::abs(dy));
            const double v = sum[static_cast<size_t>((dy + ny) % ny) * nx + (dx + nx) % nx] / pairs;
            a.r[static_cast<size_t>(dy + a.ry) * (2 * a.rx + 1) + dx + a.rx] = zero > 0 ? static_cast<float>(v / zero) : 0;
        }
    return a;
}

struct lag { int x, y; float r; };

// The local maxima of the autocorrelation in the half plane (y > 0, or
// y = 0 and x > 0), away from the central peak, highest first.
std::vector<lag> peaks(const autocorrelation& a)
{
    std::vector<lag> found;
    for (int dy = 0; dy < a.ry; ++dy)
        for (int dx = -a.rx + 1; dx < a.rx; ++dx) {
            if ((dy == 0 && dx <= 0) || dx * dx + dy * dy < shortest_period * shortest_period)
                continue;
            const float v = a.at(dx, dy);
            if (v <= 0)
                continue;
            bool top = true;
            for (int j = -2; j <= 2 && top; ++j)
                for (int i = -2; i <= 2; ++i)
                    if ((i || j) && std::abs(dy + j) <= a.ry && std::abs(dx + i) <= a.rx && a.at(dx + i, dy + j) > v) {
                        top = false;
                        break;
                    }
            // A peak of its own, not a ripple on the flank of the central
            // one: the autocorrelation dips between the two.
            double dip = v;
            for (int t = 1; t < 8 && top; ++t)
                dip = std::min(dip, a.sample(dx * t / 8.0, dy * t / 8.0));
            top = top && dip < v - least_dip;
            if (top)
                found.push_back({dx, dy, v});
        }
    std::sort(found.begin(), found.end(), [](const lag& p, const lag& q) { return p.r > q.r; });
    if (found.size() > peaks_kept)
        found.resize(peaks_kept);
    return found;
}

// Reduces the basis (Lagrange-Gauss): |a| <= |b| <= |b - a|, |b + a|, and
// a and b at 60 to 90 degrees.
void reduce(double a[2], double b[2])
{
    auto dot = [](const double* p, const double* q) { return p[0] * q[0] + p[1] * q[1]; };
    for (int guard = 0; guard < 64; ++guard) {
        if (dot(a, a) > dot(b, b))
            for (int k = 0; k < 2; ++k)
                std::swap(a[k], b[k]);
        const double n = std::round(dot(a, b) / dot(a, a));
        if (n == 0)
            break;
        for (int k = 0; k < 2; ++k)
            b[k] -= n * a[k];
    }
    if (dot(a, b) < 0)
        for (int k = 0; k < 2; ++k)
            b[k] = -b[k];
}

// The mean autocorrelation at the lattice's points (n a + m b, both up to
// 4, in the half plane and inside the lags), and at the points half way
// along a, along b and along a + b from them.
void lattice_means(const autocorrelation& acf, const double a[2], const double b[2], double& on, double& off)
{
    double sum[4] = {}, count[4] = {};
    constexpr double shifts[4][2] = {{0, 0}, {0.5, 0}, {0, 0.5}, {0.5, 0.5}};
    for (int n = -4; n <= 4; ++n)
        for (int m = -4; m <= 4; ++m)
            for (int s = 0; s < 4; ++s) {
                const double u = n + shifts[s][0], v = m + shifts[s][1];
                const double x = u * a[0] + v * b[0], y = u * a[1] + v * b[1];
                if (y < 0 || (y == 0 && x <= 0) || !acf.inside(x, y))
                    continue;
                sum[s] += acf.peak(x, y);
                count[s] += 1;
            }
    on = count[0] ? sum[0] / count[0] : 0;
    off = -1;
    for (int s = 1; s < 4; ++s)
        off = std::max(off, count[s] ? sum[s] / count[s] : 0.0);
}

// The peak of the autocorrelation nearest to (x, y), to a fraction of a
// lag (a parabola through the highest lag and its neighbours on each axis);
// false when it is outside.
bool locate_peak(const autocorrelation& acf, double x, double y, double& px, double& py)
{
    int ix = static_cast<int>(std::lround(x)), iy = static_cast<int>(std::lround(y));
    for (int climb = 0; climb < 4; ++climb) {
        int bx = ix, by = iy;
        for (int j = -1; j <= 1; ++j)
            for (int i = -1; i <= 1; ++i)
                if (acf.inside(ix + i, iy + j) && acf.at(ix + i, iy + j) > acf.at(bx, by)) {
                    bx = ix + i;
                    by = iy + j;
                }
        if (bx == ix && by == iy)
            break;
        ix = bx;
        iy = by;
    }
    if (!acf.inside(ix + 1.5, iy + 1.5) || !acf.inside(ix - 1.5, iy - 1.5))
        return false;
    auto vertex = [](double l, double c, double r) {
        const double d = l - 2 * c + r;
        return d < 0 ? std::clamp(0.5 * (l - r) / d, -0.5, 0.5) : 0.0;
    };
    px = ix + vertex(acf.at(ix - 1, iy), acf.at(ix, iy), acf.at(ix + 1, iy));
    py = iy + vertex(acf.at(ix, iy - 1), acf.at(ix, iy), acf.at(ix, iy + 1));
    return true;
}

// Fits a and b by least squares to the measured positions of lattice
// points (n, m) -> (x, y).
struct lattice_point { double n, m, x, y, weight; };
bool fit_basis(const std::vector<lattice_point>& points, double a[2], double b[2])
{
    double snn = 0, snm = 0, smm = 0, snx[2] = {}, smx[2] = {};
    for (const lattice_point& p : points) {
        snn += p.weight * p.n * p.n;
        snm += p.weight * p.n * p.m;
        smm += p.weight * p.m * p.m;
        snx[0] += p.weight * p.n * p.x;
        snx[1] += p.weight * p.n * p.y;
        smx[0] += p.weight * p.m * p.x;
        smx[1] += p.weight * p.m * p.y;
    }
    const double det = snn * smm - snm * snm;
    if (det < 1e-9 * std::max(1.0, snn * smm))
        return false;
    for (int k = 0; k < 2; ++k) {
        a[k] = (smm * snx[k] - snm * smx[k]) / det;
        b[k] = (snn * smx[k] - snm * snx[k]) / det;
    }
    return true;
}

// The basis located at the autocorrelation's peaks near the lattice's
// points (n, m up to 4), each weighted by its height.
void refine_on_peaks(const autocorrelation& acf, double a[2], double b[2])
{
    // The nearest points first, so that the farther ones are looked for
    // where an already better basis puts them.
    for (const int reach : {1, 2, 4}) {
        std::vector<lattice_point> points;
        for (int n = -reach; n <= reach; ++n)
            for (int m = -reach; m <= reach; ++m) {
                const double x = n * a[0] + m * b[0], y = n * a[1] + m * b[1];
                if ((n == 0 && m == 0) || y < 0 || (y == 0 && x < 0) || !acf.inside(x, y))
                    continue;
                double px, py;
                if (!locate_peak(acf, x, y, px, py) || std::hypot(px - x, py - y) > 2.5)
                    continue;
                const double height = acf.sample(px, py);
                if (height > 0)
                    points.push_back({static_cast<double>(n), static_cast<double>(m), px, py, height});
            }
        double fa[2], fb[2];
        if (fit_basis(points, fa, fb))
            for (int k = 0; k < 2; ++k)
                a[k] = fa[k], b[k] = fb[k];
    }
}

// Bilinear sample of channel k at continuous work coordinates (x, y) of the
// pixel centres' grid (pixel (i, j) at (i, j)).
inline float bilinear(const work_picture& p, int k, double x, double y)
{
    const int ix = static_cast<int>(x), iy = static_cast<int>(y);
    const float fx = static_cast<float>(x - ix), fy = static_cast<float>(y - iy);
    const float* row = &p.c[k][static_cast<size_t>(iy) * p.w + ix];
    return (1 - fy) * ((1 - fx) * row[0] + fx * row[1]) + fy * ((1 - fx) * row[p.w] + fx * row[p.w + 1]);
}

// The correlation of the work picture with itself moved by (tx, ty), on
// every `step`-th pixel of the overlap.
double shifted_correlation(const work_picture& p, double tx, double ty, int step)
{
    const int xa = std::max(0, static_cast<int>(std::ceil(-tx))), xb = std::min(p.w - 1, static_cast<int>(std::floor(p.w - 1 - tx))) - 1;
    const int ya = std::max(0, static_cast<int>(std::ceil(-ty))), yb = std::min(p.h - 1, static_cast<int>(std::floor(p.h - 1 - ty))) - 1;
    double s = 0;
    long n = 0;
    for (int y = ya; y <= yb; y += step)
        for (int x = xa; x <= xb; x += step) {
            for (int k = 0; k < 3; ++k)
                s += p.at(k, x, y) * bilinear(p, k, x + tx, y + ty);
            ++n;
        }
    return n ? s / n : 0;
}

// The sample step of the correlations on the work picture: about 12000
// pixels of it.
int correlation_step(const work_picture& p)
{
    return std::max(1, static_cast<int>(std::sqrt(static_cast<double>(p.w) * p.h / 12000)));
}

// The peak of the picture's correlation with itself moved near (x, y):
// climbed to on a grid of half pixels (at most three steps from (x, y)),
// then placed by a parabola through the best and its neighbours on each
// axis. Its height is relative to the picture's variance. False when the
// climb does not settle.
bool locate_period(const work_picture& p, double x, double y, double& px, double& py, double& height)
{
    const int step = correlation_step(p);
    double grid[7][7];
    bool known[7][7] = {};
    auto at = [&](int i, int j) {
        if (!known[j + 3][i + 3]) {
            grid[j + 3][i + 3] = shifted_correlation(p, x + 0.5 * i, y + 0.5 * j, step);
            known[j + 3][i + 3] = true;
        }
        return grid[j + 3][i + 3];
    };
    int bi = 0, bj = 0;
    for (int moves = 0;; ++moves) {
        int ni = bi, nj = bj;
        for (int j = -1; j <= 1; ++j)
            for (int i = -1; i <= 1; ++i)
                if (at(bi + i, bj + j) > at(ni, nj))
                    ni = bi + i, nj = bj + j;
        if (ni == bi && nj == bj)
            break;
        if (moves == 2 || std::abs(ni) == 3 || std::abs(nj) == 3)
            return false;
        bi = ni, bj = nj;
    }
    auto vertex = [](double l, double m, double r) {
        const double d = l - 2 * m + r;
        return d < 0 ? std::clamp(0.5 * (l - r) / d, -0.5, 0.5) : 0.0;
    };
    px = x + 0.5 * (bi + vertex(at(bi - 1, bj), at(bi, bj), at(bi + 1, bj)));
    py = y + 0.5 * (bj + vertex(at(bi, bj - 1), at(bi, bj), at(bi, bj + 1)));
    const double zero = shifted_correlation(p, 0, 0, step);
    height = zero > 0 ? at(bi, bj) / zero : 0;
    return true;
}

// The basis refined on the work picture: its multiples m a, m b, m (a + b)
// and m (a - b), for m = 1, 2, 4, ... while they leave half the picture
// overlapping, each located at the peak of the correlation near where the
// basis so far puts it, and a, b fitted to all located so far: each step's
// error is a fraction of the last one's.
void refine_on_picture(const work_picture& p, double a[2], double b[2])
{
    const double reach = 0.45 * std::min(p.w, p.h);
    std::vector<lattice_point> points;
    for (int m = 1; m < 64; m *= 2) {
        const int vectors[4][2] = {{m, 0}, {0, m}, {m, m}, {m, -m}};
        bool any = false;
        for (const auto& v : vectors) {
            const double x = v[0] * a[0] + v[1] * b[0], y = v[0] * a[1] + v[1] * b[1];
            double px, py, height;
            if (std::hypot(x, y) > reach || !locate_period(p, x, y, px, py, height))
                continue;
            points.push_back({static_cast<double>(v[0]), static_cast<double>(v[1]), px, py, static_cast<double>(m * m)});
            any = true;
        }
        if (!any)
            break;
        double fa[2], fb[2];
        if (fit_basis(points, fa, fb))
            for (int k = 0; k < 2; ++k)
                a[k] = fa[k], b[k] = fb[k];
    }
}

// How strong a period of the picture is near (x, y): the height of the
// correlation's peak there, 0 where there is none.
double period_strength(const work_picture& p, double x, double y)
{
    double px, py, height;
    return locate_period(p, x, y, px, py, height) ? height : 0;
}

// Makes the basis finer while a point of the lattice's cell at a half or a
// third of the way between lattice points is a period as strong as a and
// b (the autocorrelation's peaks of a small cell can hide among those of
// its multiples): the lattice then includes it.
void find_finer(const work_picture& p, const autocorrelation& acf, int k, double a[2], double b[2])
{
    constexpr int fractions[][3] = {{1, 0, 2}, {0, 1, 2}, {1, 1, 2}, {1, 0, 3}, {0, 1, 3}, {1, 1, 3},
                                    {1, 2, 3}, {2, 1, 3}, {1, -1, 3}};
    for (int round = 0; round < 4; ++round) {
        const double strength = std::min(period_strength(p, a[0], a[1]), period_strength(p, b[0], b[1]));
        const double det = a[0] * b[1] - a[1] * b[0];
        bool finer = false;
        for (const auto& f : fractions) {
            const double v[2] = {(f[0] * a[0] + f[1] * b[0]) / f[2], (f[0] * a[1] + f[1] * b[1]) / f[2]};
            if (std::hypot(v[0], v[1]) < shortest_period * k || acf.peak(v[0] / k, v[1] / k) < 0.7 * acf.peak(a[0] / k, a[1] / k))
                continue;
            if (period_strength(p, v[0], v[1]) < 0.9 * strength)
                continue;
            // A period stands apart from the central peak: the picture agrees
            // less with itself moved half as far. A smooth picture agrees well
            // with any short move, and the slope of its central peak is no period.
            if (acf.sample(v[0] / (2 * k), v[1] / (2 * k)) > acf.sample(v[0] / k, v[1] / k) - 0.05)
                continue;
            // The lattice with v: of the bases {a, v} and {b, v}, the one of
            // 1 / f[2] of the cell's area.
            for (double* w : {a, b}) {
                const double d = w[0] * v[1] - w[1] * v[0];
                if (std::fabs(std::fabs(d) - std::fabs(det) / f[2]) < 0.01 * std::fabs(det)) {
                    double* other = w == a ? b : a;
                    other[0] = v[0];
                    other[1] = v[1];
                    finer = true;
                    break;
                }
            }
            if (finer)
                break;
        }
        if (!finer)
            return;
        reduce(a, b);
    }
}

// The lattice that the autocorrelation of `small` (the work picture scaled
// down by k, or a part of it) proposes, in work pixels: the finest lattice
// whose points are about as strong as the strongest lattice's (a coarser
// one, a sublattice of the periods, is as strong but larger; a finer one,
// with points that are not periods, weaker). Not found when no lattice
// stands out.
struct proposal {
    found_lattice lattice;
    std::vector<found_lattice> options;  // every lattice about as strong, finest first
    autocorrelation acf;
    int k = 1;
};
proposal propose(const work_picture& small, int k)
{
    proposal out;
    out.k = k;
    if (small.w < 24 || small.h < 24)
        return out;
    out.acf = autocorrelate(small);
    const autocorrelation& acf = out.acf;
    const std::vector<lag> top = peaks(acf);
    struct candidate { double a[2], b[2], on, score, area; };
    std::vector<candidate> candidates;
    for (size_t i = 0; i < top.size(); ++i)
        for (size_t j = i + 1; j < top.size(); ++j) {
            const double cross = static_cast<double>(top[i].x) * top[j].y - static_cast<double>(top[i].y) * top[j].x;
            if (std::fabs(cross) < 0.1 * std::hypot(top[i].x, top[i].y) * std::hypot(top[j].x, top[j].y))
                continue;
            candidate c{{static_cast<double>(top[i].x), static_cast<double>(top[i].y)},
                        {static_cast<double>(top[j].x), static_cast<double>(top[j].y)}, 0, 0, 0};
            reduce(c.a, c.b);
            if (std::hypot(c.a[0], c.a[1]) < shortest_period)
                continue;
            refine_on_peaks(acf, c.a, c.b);
            reduce(c.a, c.b);
            double off;
            lattice_means(acf, c.a, c.b, c.on, off);
            c.score = c.on - off;
            c.area = std::fabs(c.a[0] * c.b[1] - c.a[1] * c.b[0]);
            if (c.score >= least_contrast && c.on >= least_on_lattice)
                candidates.push_back(c);
        }
    double strongest = 0, clearest = 0;
    for (const candidate& c : candidates) {
        strongest = std::max(strongest, c.on);
        clearest = std::max(clearest, c.score);
    }
    std::sort(candidates.begin(), candidates.end(), [](const candidate& p, const candidate& q) { return p.area < q.area; });
    for (const candidate& c : candidates) {
        if (c.on < 0.85 * strongest || c.score < 0.5 * clearest)
            continue;
        if (!out.options.empty()) {
            const found_lattice& last = out.options.back();
            if (std::fabs(std::fabs(last.a[0] * last.b[1] - last.a[1] * last.b[0]) - k * k * c.area) < 0.5 * k * k)
                continue;  // the same lattice again, or one as fine
        }
        found_lattice l;
        for (int i = 0; i < 2; ++i) {
            l.a[i] = k * c.a[i];
            l.b[i] = k * c.b[i];
        }
        l.on_lattice = c.on;
        l.contrast = c.score;
        l.found = true;
        out.options.push_back(l);
    }
    if (!out.options.empty())
        out.lattice = out.options.front();
    return out;
}

// The w x h middle of the picture.
work_picture middle(const work_picture& p, int w, int h)
{
    work_picture m;
    m.scale = p.scale;
    m.w = std::min(w, p.w);
    m.h = std::min(h, p.h);
    const int x0 = (p.w - m.w) / 2, y0 = (p.h - m.h) / 2;
    for (int k = 0; k < 3; ++k) {
        m.c[k].resize(static_cast<size_t>(m.w) * m.h);
        for (int y = 0; y < m.h; ++y)
            for (int x = 0; x < m.w; ++x)
                m.c[k][static_cast<size_t>(y) * m.w + x] = p.at(k, x0 + x, y0 + y);
    }
    return m;
}

}  // namespace

int fft_size(int n)
{
    for (int m = n;; ++m) {
        int r = m;
        for (int f : {2, 3, 5})
            while (r % f == 0)
                r /= f;
        if (r == 1)
            return m;
    }
}

// 2-D FFT in place of an nx x ny row-major array.
void fft2(std::vector<std::complex<float>>& data, int nx, int ny, bool inverse)
{
    Eigen::FFT<float> fft;
    std::vector<std::complex<float>> line, out;
    for (int pass = 0; pass < 2; ++pass) {
        const int n = pass == 0 ? nx : ny, lines = pass == 0 ? ny : nx;
        const size_t stride = pass == 0 ? 1 : nx, step = pass == 0 ? nx : 1;
        line.resize(n);
        for (int l = 0; l < lines; ++l) {
            const size_t base = l * step;
            for (int i = 0; i < n; ++i)
                line[i] = data[base + i * stride];
            if (inverse)
                fft.inv(out, line);
            else
                fft.fwd(out, line);
            for (int i = 0; i < n; ++i)
                data[base + i * stride] = out[i];
        }
    }
}

work_picture make_work_picture(const uint32_t* rgb, int w, int h, int largest)
{
    int x0, y0, x1, y1;
    crop_uniform_frame(rgb, w, h, x0, y0, x1, y1);
    const int cw = x1 - x0, ch = y1 - y0;
    const int k = std::max(1, (std::max(cw, ch) + largest - 1) / largest);
    work_picture p;
    p.w = cw / k;
    p.h = ch / k;
    p.scale = k;
    p.x0 = x0;
    p.y0 = y0;
    for (auto& c : p.c)
        c.assign(static_cast<size_t>(p.w) * p.h, 0);
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            double sum[3] = {};
            for (int j = 0; j < k; ++j)
                for (int i = 0; i < k; ++i) {
                    const uint32_t v = rgb[static_cast<size_t>(y0 + k * y + j) * w + x0 + k * x + i];
                    for (int c = 0; c < 3; ++c)
                        sum[c] += (v >> (16 - 8 * c)) & 0xff;
                }
            for (int c = 0; c < 3; ++c)
                p.c[c][static_cast<size_t>(y) * p.w + x] = static_cast<float>(sum[c] / (255.0 * k * k));
        }
    take_out_ramp(p);
    return p;
}

found_lattice find_periods(const work_picture& picture)
{
    if (picture.w < 24 || picture.h < 24)
        return found_lattice{};
    // The whole picture, scaled down; where that loses a small cell, its
    // middle at full scale.
    const int k = std::max(1, (std::max(picture.w, picture.h) + acf_side - 1) / acf_side);
    proposal chosen = propose(k > 1 ? shrink(picture, k) : picture, k);
    if (k > 1) {
        proposal fine = propose(middle(picture, acf_side, acf_side), 1);
        const found_lattice& f = fine.lattice;
        const found_lattice& c = chosen.lattice;
        auto strength = [&](const found_lattice& l) {
            return std::min(period_strength(picture, l.a[0], l.a[1]), period_strength(picture, l.b[0], l.b[1]));
        };
        auto area = [](const found_lattice& l) { return std::fabs(l.a[0] * l.b[1] - l.a[1] * l.b[0]); };
        if (f.found && (!c.found || (area(f) < 0.9 * area(c) && strength(f) >= 0.85 * strength(c))))
            chosen = std::move(fine);
    }
    if (!chosen.lattice.found)
        return found_lattice{};
    // Of the lattices about as strong, the finest whose average cell explains
    // the picture about as well as the best of them: a lattice finer than the
    // picture's (a translation that only nearly maps it onto itself taken for
    // a period) explains it far less.
    found_lattice best = chosen.lattice;
    double most = 0;
    std::vector<double> explained;
    for (size_t i = 0; i < chosen.options.size() && i < options_tried; ++i) {
        explained.push_back(explained_by(picture, chosen.options[i].a, chosen.options[i].b));
        most = std::max(most, explained.back());
    }
    for (size_t i = 0; i < explained.size(); ++i)
        if (explained[i] >= 0.93 * most) {
            best = chosen.options[i];
            break;
        }
    const autocorrelation& acf = chosen.acf;
    find_finer(picture, acf, chosen.k, best.a, best.b);
    refine_on_picture(picture, best.a, best.b);
    reduce(best.a, best.b);
    // A refinement that shrank a vector to next to nothing followed a
    // smooth picture's slope, not a period.
    if (std::hypot(best.a[0], best.a[1]) < shortest_period * chosen.k)
        return found_lattice{};
    // At least two periods each way.
    if (std::hypot(best.a[0], best.a[1]) > picture.w / 2.0 && std::hypot(best.a[0], best.a[1]) > picture.h / 2.0)
        return found_lattice{};
    best.found = true;
    return best;
}
