// The two other kinds of symmetric pattern of the plane, for a picture with
// no lattice: a frieze (a strip that repeats along one direction only) and a
// rosette (turns about a centre, no translation).
//
// A frieze's period is proposed by the picture's autocorrelation (a peak
// whose multiples lie on one line and no peak off it); the strip is where
// the picture agrees with that translation. The strip is sampled on a grid
// along its axis and across it, each period onto the same P columns, and
// averaged twice (even and odd periods); the four operations a frieze can
// have (the half-turn, the mirror across the axis, the mirror and the glide
// along it) are scored as the wallpapers' are: the correlation of one
// average with the other's image, over the two averages' own correlation.
//
// A rosette's turns and mirrors are read from the angular spectrum of the
// picture about a centre: on each circle, a turn by t keeps the power at
// angular frequency k and moves its phase by k t, so the correlation of the
// disc with its turned image is sum_k P(k) cos(k t) / sum_k P(k); a mirror
// at angle a gives sum_k F(k)^2 e^(2ika), which one inverse FFT evaluates
// for every a. The centre is climbed to where some turn holds best.
#include "robust.h"
#include "symmetry.h"

#include <unsupported/Eigen/FFT>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstring>

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr int kinds_side = 400;          // the work picture, at most, on a side
constexpr int acf_side = 200;            // its autocorrelation's, at most, on a side
constexpr double least_translations = 0.5;  // a strip's two averages correlate at least this much
constexpr double least_explained = 0.5;     // and its average period explains this share of it
constexpr int most_columns = 80, most_rows = 40;  // a frieze's cell, at most
constexpr int highest_order = 12;        // of the rosettes named
constexpr int angles = 512;              // samples on each circle about a centre
constexpr double least_disc = 0.3;
constexpr double sure_score = 0.9;       // a drawing that is not exact: its rosette's least score       // a rosette's disc: at least this share of the shorter side, as radius

float sample(const work_picture& p, int k, double x, double y)
{
    x = std::clamp(x, 0.0, p.w - 1.001);
    y = std::clamp(y, 0.0, p.h - 1.001);
    const int ix = static_cast<int>(x), iy = static_cast<int>(y);
    const float fx = static_cast<float>(x - ix), fy = static_cast<float>(y - iy);
    const float* row = &p.c[k][static_cast<size_t>(iy) * p.w + ix];
    return (1 - fy) * ((1 - fx) * row[0] + fx * row[1]) + fy * ((1 - fx) * row[p.w] + fx * row[p.w + 1]);
}

bool inside(const work_picture& p, double x, double y) { return x >= 0 && y >= 0 && x <= p.w - 1 && y <= p.h - 1; }

// The correlation of the work picture with itself moved by (tx, ty), on
// every `step`-th pixel of the overlap, relative to its variance there.
double moved_correlation(const work_picture& p, double tx, double ty, int step)
{
    double s = 0, a = 0, b = 0;
    for (int y = 0; y < p.h; y += step)
        for (int x = 0; x < p.w; x += step) {
            if (!inside(p, x + tx, y + ty))
                continue;
            for (int k = 0; k < 3; ++k) {
                const double u = p.at(k, x, y), v = sample(p, k, x + tx, y + ty);
                s += u * v, a += u * u, b += v * v;
            }
        }
    return a > 0 && b > 0 ? s / std::sqrt(a * b) : 0;
}

// The picture point of work point (x, y) (pixel centres at whole work
// coordinates).
real_point to_picture(const work_picture& p, double x, double y)
{
    return {p.x0 + p.scale * (x + 0.5), p.y0 + p.scale * (y + 0.5)};
}

// The whole picture (no frame left out: a rosette's disc may reach into it)
// scaled down by a whole factor k to at most `largest` pixels a side, each
// channel in [0, 1] less its mean. Each pixel is the mean of its k x k
// block, or with `sampled` of at most 3 x 3 pixels spread over it (enough to
// tell a figure from its background, in a fraction of the time).
work_picture whole_work_picture(const uint32_t* rgb, int w, int h, int largest, bool sampled = false)
{
    const int k = std::max(1, (std::max(w, h) + largest - 1) / largest);
    const int n = sampled ? std::min(k, 3) : k;  // samples a side of each block
    work_picture p;
    p.w = w / k;
    p.h = h / k;
    p.scale = k;
    for (auto& c : p.c)
        c.assign(static_cast<size_t>(p.w) * p.h, 0);
    double mean[3] = {};
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            double sum[3] = {};
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i) {
                    const uint32_t v = rgb[static_cast<size_t>(k * y + j * k / n) * w + k * x + i * k / n];
                    for (int c = 0; c < 3; ++c)
                        sum[c] += (v >> (16 - 8 * c)) & 0xff;
                }
            for (int c = 0; c < 3; ++c) {
                p.c[c][static_cast<size_t>(y) * p.w + x] = static_cast<float>(sum[c] / (255.0 * n * n));
                mean[c] += sum[c] / (255.0 * n * n);
            }
        }
    for (int c = 0; c < 3; ++c)
        for (float& v : p.c[c])
            v -= static_cast<float>(mean[c] / (static_cast<double>(p.w) * p.h));
    return p;
}

// ---- The figure a picture shows ----

// Where the figure on the picture's plain background begins and ends across
// the unit direction d, in work pixels, and whether background is seen
// beyond it on both sides (more than `least_margin` of the picture's
// breadth each): a shape or a strip, not a pattern the edges cut. The
// background is the median colour of the edges; a pixel differs from it by
// more than noise or JPEG ripples; a few stray pixels are left out.
constexpr double least_margin = 0.03;
constexpr double least_repeats = 2.5;    // a figure on a background spans more periods than this to be a frieze or wallpaper
struct figure_span { double lo = 0, hi = 0; bool bounded = false; };
figure_span span_across(const work_picture& p, const double d[2])
{
    figure_span span;
    double ground[3];
    for (int k = 0; k < 3; ++k) {
        std::vector<float> edge;
        for (int i = 0; i < p.w; ++i)
            edge.push_back(p.at(k, i, 0)), edge.push_back(p.at(k, i, p.h - 1));
        for (int j = 0; j < p.h; ++j)
            edge.push_back(p.at(k, 0, j)), edge.push_back(p.at(k, p.w - 1, j));
        std::nth_element(edge.begin(), edge.begin() + edge.size() / 2, edge.end());
        ground[k] = edge[edge.size() / 2];
    }
    std::vector<double> along;
    for (int j = 0; j < p.h; ++j)
        for (int i = 0; i < p.w; ++i) {
            double diff = 0;
            for (int k = 0; k < 3; ++k)
                diff += std::fabs(p.at(k, i, j) - ground[k]);
            if (diff > 0.1)
                along.push_back(i * d[0] + j * d[1]);
        }
    if (along.size() < 16)
        return span;
    const size_t stray = along.size() / 500;
    std::nth_element(along.begin(), along.begin() + stray, along.end());
    span.lo = along[stray];
    std::nth_element(along.begin(), along.end() - 1 - stray, along.end());
    span.hi = along[along.size() - 1 - stray];
    double first = 1e300, last = -1e300;
    for (const double x : {0.0, p.w - 1.0})
        for (const double y : {0.0, p.h - 1.0})
            first = std::min(first, x * d[0] + y * d[1]), last = std::max(last, x * d[0] + y * d[1]);
    const double margin = std::max(2.0, least_margin * (last - first));
    span.bounded = span.lo - first > margin && last - span.hi > margin;
    return span;
}

// How many times the figure repeats by `spacing` (work pixels) across d: its
// breadth over the spacing; infinite when it is not bounded that way.
double repeats_across(const work_picture& p, const double d[2], double spacing)
{
    const figure_span span = span_across(p, d);
    return span.bounded ? (span.hi - span.lo + 1) / spacing : HUGE_VAL;
}

// ---- Friezes ----

struct lag { int x, y; float r; };

// The peaks of the autocorrelation of the grey work picture scaled down by
// `k` (highest first, in the half plane), and the picture it was taken of.
std::vector<lag> autocorrelation_peaks(const work_picture& p, int k)
{
    const int w = p.w / k, h = p.h / k;
    std::vector<float> grey(static_cast<size_t>(w) * h, 0);
    double mean = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double s = 0;
            for (int j = 0; j < k; ++j)
                for (int i = 0; i < k; ++i)
                    for (int c = 0; c < 3; ++c)
                        s += p.at(c, k * x + i, k * y + j);
            grey[static_cast<size_t>(y) * w + x] = static_cast<float>(s / (k * k));
            mean += s / (k * k);
        }
    mean /= grey.size();
    // Less its mean over 9 x 9 pixels: what repeats, not the outline of a
    // strip on its background (which agrees with every shift along it).
    {
        constexpr int half = 4;
        std::vector<double> sums(static_cast<size_t>(w + 1) * (h + 1), 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                sums[static_cast<size_t>(y + 1) * (w + 1) + x + 1] = grey[static_cast<size_t>(y) * w + x] +
                    sums[static_cast<size_t>(y) * (w + 1) + x + 1] + sums[static_cast<size_t>(y + 1) * (w + 1) + x] -
                    sums[static_cast<size_t>(y) * (w + 1) + x];
        std::vector<float> detail(grey.size());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int x0 = std::max(0, x - half), x1 = std::min(w, x + half + 1), y0 = std::max(0, y - half), y1 = std::min(h, y + half + 1);
                const double box = sums[static_cast<size_t>(y1) * (w + 1) + x1] - sums[static_cast<size_t>(y0) * (w + 1) + x1] -
                                   sums[static_cast<size_t>(y1) * (w + 1) + x0] + sums[static_cast<size_t>(y0) * (w + 1) + x0];
                detail[static_cast<size_t>(y) * w + x] = static_cast<float>(grey[static_cast<size_t>(y) * w + x] - box / ((x1 - x0) * (y1 - y0)));
            }
        grey = std::move(detail);
        mean = 0;
    }
    const int rx = w / 2, ry = h / 2;
    const int nx = fft_size(w + rx + 1), ny = fft_size(h + ry + 1);
    std::vector<std::complex<float>> data(static_cast<size_t>(nx) * ny, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            data[static_cast<size_t>(y) * nx + x] = static_cast<float>(grey[static_cast<size_t>(y) * w + x] - mean);
    fft2(data, nx, ny, false);
    for (auto& z : data)
        z = std::norm(z);
    fft2(data, nx, ny, true);
    const double zero = data[0].real() / (static_cast<double>(w) * h);
    if (!(zero > 0))
        return {};
    auto r = [&](int dx, int dy) {
        const double pairs = static_cast<double>(w - std::abs(dx)) * (h - std::abs(dy));
        return data[static_cast<size_t>((dy + ny) % ny) * nx + (dx + nx) % nx].real() / pairs / zero;
    };
    std::vector<lag> found;
    for (int dy = 0; dy < ry - 1; ++dy)
        for (int dx = -rx + 2; dx < rx - 1; ++dx) {
            if ((dy == 0 && dx <= 0) || dx * dx + dy * dy < 9)
                continue;
            const double v = r(dx, dy);
            if (v < 0.2)
                continue;
            bool top = true;
            for (int j = -2; j <= 2 && top; ++j)
                for (int i = -2; i <= 2 && top; ++i)
                    if ((i || j) && std::abs(dy + j) < ry && std::abs(dx + i) < rx && r(dx + i, dy + j) > v)
                        top = false;
            double dip = v;
            for (int t = 1; t < 8 && top; ++t)
                dip = std::min(dip, r(static_cast<int>(std::lround(dx * t / 8.0)), static_cast<int>(std::lround(dy * t / 8.0))));
            if (top && dip < v - 0.1)
                found.push_back({dx, dy, static_cast<float>(v)});
        }
    std::sort(found.begin(), found.end(), [](const lag& a, const lag& b) { return a.r > b.r; });
    return found;
}

// The period near (tx, ty), located to a quarter of a pixel: on its
// multiples 1, 2, 4, ... while they leave half the picture overlapping,
// each climbed to from where the last puts it.
void refine_period(const work_picture& p, double& tx, double& ty)
{
    const int step = std::max(1, static_cast<int>(std::sqrt(p.w * p.h / 6000.0)));
    const double length = std::hypot(tx, ty);
    for (int m = 1; m == 1 || (m * length < 0.5 * std::max(p.w, p.h) && m <= 16); m *= 2) {
        double x = m * tx, y = m * ty, best = moved_correlation(p, x, y, step);
        for (const double unit : {1.0, 0.5, 0.25})
            for (int moves = 0; moves < 6; ++moves) {
                double bx = x, by = y;
                for (int j = -1; j <= 1; ++j)
                    for (int i = -1; i <= 1; ++i) {
                        if (!i && !j)
                            continue;
                        const double c = moved_correlation(p, x + i * unit, y + j * unit, step);
                        if (c > best)
                            best = c, bx = x + i * unit, by = y + j * unit;
                    }
                if (bx == x && by == y)
                    break;
                x = bx, y = by;
            }
        tx = x / m, ty = y / m;
    }
}

// A strip sampled along its axis and across it: P columns a period, H rows.
struct frieze_cell {
    bool found = false;
    double t[2] = {}, length = 0;   // the period, work pixels
    double u[2] = {}, n[2] = {};    // along the axis, across it
    double centre[2] = {};          // the frame's origin (work pixels)
    double xa = 0;                  // column 0 of period 0, along the axis
    double s0 = 0, ds = 1;          // row 0 across the axis, and the rows' spacing
    double band_lo = 0, band_hi = 0;  // the strip, across the axis
    int P = 0, H = 0, periods = 0;
    std::vector<float> even, odd;   // P x H x 3, row means taken out
    double translation_score = 0, explained = 0;
    double x_lo = 0, x_hi = 0;      // where the axis crosses the picture, along it
};

// The extent along u of the line c + x u + s n inside the picture.
bool line_extent(const work_picture& p, const double c[2], const double u[2], const double n[2], double s, double& a, double& b)
{
    a = -1e9, b = 1e9;
    const double px = c[0] + s * n[0], py = c[1] + s * n[1];
    const double lo[2] = {0, 0}, hi[2] = {p.w - 1.0, p.h - 1.0}, o[2] = {px, py};
    for (int k = 0; k < 2; ++k) {
        if (std::fabs(u[k]) < 1e-9) {
            if (o[k] < lo[k] || o[k] > hi[k])
                return false;
            continue;
        }
        double t0 = (lo[k] - o[k]) / u[k], t1 = (hi[k] - o[k]) / u[k];
        if (t0 > t1)
            std::swap(t0, t1);
        a = std::max(a, t0), b = std::min(b, t1);
    }
    return b > a;
}

double dot3(const std::vector<float>& a, const std::vector<float>& b)
{
    double s = 0;
    for (size_t i = 0; i < a.size(); ++i)
        s += a[i] * b[i];
    return s;
}

// The strip of the period (tx, ty): where it lies, and its cell averaged.
frieze_cell sample_frieze(const work_picture& p, double tx, double ty)
{
    frieze_cell f;
    f.length = std::hypot(tx, ty);
    if (f.length < 3)
        return f;
    f.t[0] = tx, f.t[1] = ty;
    f.u[0] = tx / f.length, f.u[1] = ty / f.length;
    f.n[0] = -f.u[1], f.n[1] = f.u[0];
    f.centre[0] = (p.w - 1) / 2.0, f.centre[1] = (p.h - 1) / 2.0;
    // The periodic energy of each line along the axis: its covariance with
    // itself one period on.
    const double reach = 0.5 * std::hypot(p.w, p.h);
    std::vector<double> energy;
    std::vector<double> offsets;
    double most = 0;
    for (double s = -reach; s <= reach; s += 1) {
        double a, b;
        double e = 0;
        if (line_extent(p, f.centre, f.u, f.n, s, a, b) && b - a > 2.5 * f.length) {
            double m[3] = {}, cov = 0;
            int count = 0;
            for (double x = a; x <= b - f.length; x += 2, ++count)
                for (int k = 0; k < 3; ++k)
                    m[k] += sample(p, k, f.centre[0] + x * f.u[0] + s * f.n[0], f.centre[1] + x * f.u[1] + s * f.n[1]);
            for (int k = 0; k < 3; ++k)
                m[k] /= std::max(1, count);
            for (double x = a; x <= b - f.length; x += 2)
                for (int k = 0; k < 3; ++k) {
                    const double px = f.centre[0] + x * f.u[0] + s * f.n[0], py = f.centre[1] + x * f.u[1] + s * f.n[1];
                    cov += (sample(p, k, px, py) - m[k]) * (sample(p, k, px + tx, py + ty) - m[k]);
                }
            e = std::max(0.0, cov / std::max(1, count));
        }
        energy.push_back(e);
        offsets.push_back(s);
        most = std::max(most, e);
    }
    if (!(most > 1e-4))
        return f;
    size_t first = energy.size(), last = 0;
    for (size_t i = 0; i < energy.size(); ++i)
        if (energy[i] >= 0.1 * most)
            first = std::min(first, i), last = i;
    f.band_lo = offsets[first];
    f.band_hi = offsets[last];
    // Rows over the strip and two more each side where the picture has them.
    double lo = f.band_lo - 2, hi = f.band_hi + 2;
    double a0, b0, a1, b1;
    while (lo < f.band_lo && !line_extent(p, f.centre, f.u, f.n, lo, a0, b0))
        lo += 1;
    while (hi > f.band_hi && !line_extent(p, f.centre, f.u, f.n, hi, a1, b1))
        hi -= 1;
    if (!line_extent(p, f.centre, f.u, f.n, lo, a0, b0) || !line_extent(p, f.centre, f.u, f.n, hi, a1, b1))
        return f;
    const double xa = std::max(a0, a1), xb = std::min(b0, b1);
    f.periods = static_cast<int>((xb - xa) / f.length);
    if (f.periods < 2)
        return f;
    f.xa = xa + ((xb - xa) - f.periods * f.length) / 2;
    f.H = std::clamp(static_cast<int>(hi - lo) + 1, 2, most_rows);
    f.ds = (hi - lo) / (f.H - 1);
    f.s0 = lo;
    f.P = std::clamp(2 * static_cast<int>(std::lround(f.length / 2)), 8, most_columns);
    const double dx = f.length / f.P;
    const size_t cells = static_cast<size_t>(f.P) * f.H * 3;
    std::vector<float> all(cells * f.periods);
    for (int q = 0; q < f.periods; ++q)
        for (int j = 0; j < f.H; ++j)
            for (int i = 0; i < f.P; ++i) {
                const double x = f.xa + q * f.length + i * dx, s = f.s0 + j * f.ds;
                for (int k = 0; k < 3; ++k) {
                    double v = 0;  // a small box about the point: no aliasing of fine detail
                    for (const double ex : {-0.25, 0.25})
                        for (const double es : {-0.25, 0.25}) {
                            const double xx = x + ex * dx, ss = s + es * f.ds;
                            v += sample(p, k, f.centre[0] + xx * f.u[0] + ss * f.n[0], f.centre[1] + xx * f.u[1] + ss * f.n[1]);
                        }
                    all[q * cells + (static_cast<size_t>(j) * f.P + i) * 3 + k] = static_cast<float>(v / 4);
                }
            }
    // Each row's mean taken out: what does not vary along the axis (the
    // strip's outline on its background) holds under every operation.
    for (int j = 0; j < f.H; ++j)
        for (int k = 0; k < 3; ++k) {
            double m = 0;
            for (int q = 0; q < f.periods; ++q)
                for (int i = 0; i < f.P; ++i)
                    m += all[q * cells + (static_cast<size_t>(j) * f.P + i) * 3 + k];
            m /= f.periods * f.P;
            for (int q = 0; q < f.periods; ++q)
                for (int i = 0; i < f.P; ++i)
                    all[q * cells + (static_cast<size_t>(j) * f.P + i) * 3 + k] -= static_cast<float>(m);
        }
    f.even.assign(cells, 0);
    f.odd.assign(cells, 0);
    std::vector<float> mean(cells, 0);
    int evens = 0, odds = 0;
    for (int q = 0; q < f.periods; ++q) {
        std::vector<float>& into = q % 2 ? f.odd : f.even;
        (q % 2 ? odds : evens) += 1;
        for (size_t i = 0; i < cells; ++i)
            into[i] += all[q * cells + i], mean[i] += all[q * cells + i];
    }
    double total = 0, residual = 0;
    for (size_t i = 0; i < cells; ++i) {
        f.even[i] /= evens;
        f.odd[i] /= odds;
        mean[i] /= f.periods;
        for (int q = 0; q < f.periods; ++q) {
            const double v = all[q * cells + i];
            total += v * v;
            residual += (v - mean[i]) * (v - mean[i]);
        }
    }
    const double ee = dot3(f.even, f.even), oo = dot3(f.odd, f.odd);
    if (!(total > 0) || !(ee > 0) || !(oo > 0))
        return f;
    f.explained = 1 - residual / total;
    f.translation_score = dot3(f.even, f.odd) / std::sqrt(ee * oo);
    double xl, xh;
    if (line_extent(p, f.centre, f.u, f.n, (f.band_lo + f.band_hi) / 2, xl, xh))
        f.x_lo = xl, f.x_hi = xh;
    f.found = true;
    return f;
}

// The correlation of the even average with the odd one's image under
// (i, j) -> ((m + sign i) mod P, q - j) (flip) or (.., j), over the rows
// whose image is in the cell.
double cell_correlation(const frieze_cell& f, int m, int sign, bool flip, int q)
{
    double s = 0, a = 0, b = 0;
    for (int j = 0; j < f.H; ++j) {
        const int j2 = flip ? q - j : j;
        if (j2 < 0 || j2 >= f.H)
            continue;
        for (int i = 0; i < f.P; ++i) {
            const int i2 = ((m + sign * i) % f.P + f.P) % f.P;
            const float* x = &f.even[(static_cast<size_t>(j) * f.P + i) * 3];
            const float* y = &f.odd[(static_cast<size_t>(j2) * f.P + i2) * 3];
            for (int k = 0; k < 3; ++k)
                s += x[k] * y[k], a += x[k] * x[k], b += y[k] * y[k];
        }
    }
    return a > 0 && b > 0 ? s / std::sqrt(a * b) : 0;
}

struct frieze_operation {
    double score = -1;
    int m = 0, q = 0;
};

// The four operations, each at the offset where it agrees best:
// the half-turn, the mirror across the axis, the mirror and the glide along it.
std::array<frieze_operation, 4> score_frieze(const frieze_cell& f)
{
    std::array<frieze_operation, 4> ops;
    const int qc = static_cast<int>(std::lround((f.band_lo + f.band_hi - 2 * f.s0) / f.ds));
    const int qr = std::max(3, static_cast<int>(std::ceil(2.0 / f.ds)));
    auto keep = [&](frieze_operation& op, double c, int m, int q) {
        if (c > op.score)
            op = {c, m, q};
    };
    for (int m = 0; m < f.P; ++m) {
        keep(ops[1], cell_correlation(f, m, -1, false, 0), m, 0);
        for (int q = qc - qr; q <= qc + qr; ++q)
            keep(ops[0], cell_correlation(f, m, -1, true, q), m, q);
    }
    for (int q = qc - qr; q <= qc + qr; ++q) {
        keep(ops[2], cell_correlation(f, 0, 1, true, q), 0, q);
        keep(ops[3], cell_correlation(f, f.P / 2, 1, true, q), f.P / 2, q);
    }
    for (auto& op : ops)
        op.score /= f.translation_score;
    return ops;
}

// ---- Rosettes ----

// The angular spectrum of the disc of radius `radius` about (cx, cy): each
// circle's power at frequency k (k = 1 .. angles/2 - 1) and its F(k)^2, the
// circles weighted by their radius; and the variance of the disc.
struct angular_spectrum {
    std::vector<double> power;
    std::vector<std::complex<double>> squares;
    double angular = 0;  // sum of power
    double total = 0;    // the disc's variance about its mean, in the same units
};

angular_spectrum spectrum_about(const work_picture& p, double cx, double cy, double radius, double ring_step, int count, int channels = 3)
{
    angular_spectrum s;
    s.power.assign(count / 2, 0);
    s.squares.assign(count / 2, 0);
    Eigen::FFT<double> fft;
    std::vector<double> ring(count);
    std::vector<std::complex<double>> out;
    std::vector<double> cosines(count), sines(count);
    for (int a = 0; a < count; ++a)
        cosines[a] = std::cos(2 * pi * a / count), sines[a] = std::sin(2 * pi * a / count);
    double sum[3] = {}, squares = 0, weights = 0;
    for (double r = ring_step; r <= radius; r += ring_step)
        for (int k = 0; k < channels; ++k) {
            double m = 0;
            for (int a = 0; a < count; ++a) {
                ring[a] = sample(p, k, cx + r * cosines[a], cy + r * sines[a]);
                m += ring[a];
                squares += r * ring[a] * ring[a];
            }
            sum[k] += r * m;
            if (k == 0)
                weights += r * count;
            fft.fwd(out, ring);
            for (int f = 1; f < count / 2; ++f) {
                s.power[f] += r * std::norm(out[f]) / count;
                s.squares[f] += r * out[f] * out[f] / static_cast<double>(count);
            }
        }
    for (int f = 1; f < count / 2; ++f)
        s.angular += s.power[f];
    if (weights > 0) {
        s.total = squares;
        for (double v : sum)
            s.total -= v * v / weights;
        s.angular *= 2;  // frequencies k and -k
    }
    return s;
}

// The correlation of the disc with itself turned by `t` radians.
double turn_score(const angular_spectrum& s, double t)
{
    double c = 0, all = 0;
    for (size_t f = 1; f < s.power.size(); ++f)
        c += s.power[f] * std::cos(f * t), all += s.power[f];
    return all > 0 ? c / all : 0;
}

// The best turn by 360 / n, n = 2 .. highest_order: its score.
double best_turn(const angular_spectrum& s)
{
    double best = -1;
    for (int n = 2; n <= highest_order; ++n)
        best = std::max(best, turn_score(s, 2 * pi / n));
    return best;
}

// The mirror that agrees best: its direction (radians, 0 to pi) and score.
void best_mirror(const angular_spectrum& s, double& angle, double& score)
{
    constexpr int n = 2048;
    std::vector<std::complex<double>> in(n, 0), out;
    double all = 0;
    for (size_t f = 1; f < s.power.size(); ++f)
        in[f] = s.squares[f], all += s.power[f];
    Eigen::FFT<double> fft;
    fft.inv(out, in);  // out[j] = (1 / n) sum_f in[f] e^(2 pi i f j / n)
    score = -2;
    int best = 0;
    for (int j = 0; j < n; ++j)
        if (out[j].real() > score)
            score = out[j].real(), best = j;
    const double l = out[(best + n - 1) % n].real(), r = out[(best + 1) % n].real(), d = l - 2 * score + r;
    const double offset = d < 0 ? std::clamp(0.5 * (l - r) / d, -0.5, 0.5) : 0;
    score = all > 0 ? score * n / all : 0;
    angle = std::fmod((best + offset) * pi / n + pi, pi);
}

// The correlation of the disc with its image in the line through the
// centre at `angle` radians.
double mirror_correlation(const angular_spectrum& s, double angle)
{
    double c = 0, all = 0;
    for (size_t f = 1; f < s.power.size(); ++f)
        c += (s.squares[f] * std::polar(1.0, 2.0 * f * angle)).real(), all += s.power[f];
    return all > 0 ? c / all : 0;
}

// The lowest correlation of the disc with itself turned, over all turns.
double lowest_turn(const angular_spectrum& s)
{
    double lowest = 1;
    for (int a = 1; a < 720; ++a)
        lowest = std::min(lowest, turn_score(s, pi * a / 720));
    return lowest;
}

double disc_radius(const work_picture& p, double cx, double cy)
{
    return std::min(std::min(cx, cy), std::min(p.w - 1 - cx, p.h - 1 - cy)) - 1;
}

// The most common colour of the picture's edges: its background.
uint32_t edge_colour(const uint32_t* rgb, int w, int h)
{
    std::vector<uint32_t> edge;
    for (int x = 0; x < w; x += 3)
        edge.push_back(rgb[x]), edge.push_back(rgb[static_cast<size_t>(h - 1) * w + x]);
    for (int y = 0; y < h; y += 3)
        edge.push_back(rgb[static_cast<size_t>(y) * w]), edge.push_back(rgb[static_cast<size_t>(y) * w + w - 1]);
    std::sort(edge.begin(), edge.end());
    uint32_t best = edge.empty() ? 0 : edge[0];
    size_t run = 0;
    for (size_t i = 0; i < edge.size();) {
        size_t j = i;
        while (j < edge.size() && edge[j] == edge[i])
            ++j;
        if (j - i > run)
            run = j - i, best = edge[i];
        i = j;
    }
    return best;
}

// The share of pixels (every `step`-th, inside `keep`) whose image under
// x -> L x + c, rounded to a pixel, is inside and of their colour; pairs of
// which both are the background `ground` are left out. With `slack`, the
// image agrees when a pixel up to two rows and columns from it is of the
// colour: a shape drawn anew at each of a rosette's turns is only drawn to
// the pixel, a thin stroke's steps to a pixel or two.
template <typename region>
double pixel_agreement(const uint32_t* rgb, int w, int h, const double l[2][2], const double c[2], uint32_t ground, int step, region keep,
                       bool slack = false)
{
    long compared = 0, agreeing = 0;
    for (int y = 0; y < h; y += step)
        for (int x = 0; x < w; x += step) {
            if (!keep(x + 0.5, y + 0.5))
                continue;
            const double px = x + 0.5, py = y + 0.5;
            const int tx = static_cast<int>(std::floor(l[0][0] * px + l[0][1] * py + c[0]));
            const int ty = static_cast<int>(std::floor(l[1][0] * px + l[1][1] * py + c[1]));
            if (tx < 0 || ty < 0 || tx >= w || ty >= h)
                continue;
            const uint32_t a = rgb[static_cast<size_t>(y) * w + x], b = rgb[static_cast<size_t>(ty) * w + tx];
            if (a == ground && b == ground)
                continue;
            ++compared;
            bool same = a == b;
            for (int j = -2; slack && !same && j <= 2; ++j)
                for (int i = -2; i <= 2 && !same; ++i)
                    same = tx + i >= 0 && ty + j >= 0 && tx + i < w && ty + j < h && rgb[static_cast<size_t>(ty + j) * w + tx + i] == a;
            agreeing += same;
        }
    return compared ? static_cast<double>(agreeing) / compared : 0;
}

// The turn by `degrees` about (cx, cy), or the reflection in the line
// through it at `degrees` when `mirror`, as x -> L x + c.
void point_map(double cx, double cy, double degrees, bool mirror, double l[2][2], double c[2])
{
    const double a = degrees * pi / 180;
    if (mirror) {
        l[0][0] = std::cos(2 * a), l[0][1] = std::sin(2 * a), l[1][0] = std::sin(2 * a), l[1][1] = -std::cos(2 * a);
    } else {
        l[0][0] = std::cos(a), l[0][1] = -std::sin(a), l[1][0] = std::sin(a), l[1][1] = std::cos(a);
    }
    c[0] = cx - l[0][0] * cx - l[0][1] * cy;
    c[1] = cy - l[1][0] * cx - l[1][1] * cy;
}

// The agreement (as pixel_agreement, with `slack` or not) of the turn by
// `degrees` about (x, y), or of the mirror through it at `degrees`, over
// the disc of radius r about it.
double disc_agreement(const uint32_t* rgb, int w, int h, uint32_t ground, double x, double y, double r, double degrees,
                      bool mirror, int step, bool slack)
{
    double l[2][2], c[2];
    point_map(x, y, degrees, mirror, l, c);
    return pixel_agreement(rgb, w, h, l, c, ground, step, [&](double px, double py) {
        return (px - x) * (px - x) + (py - y) * (py - y) <= r * r;
    }, slack);
}

// How well a centre or a mirror's angle is placed: agreement to within two
// pixels first (shapes and thin strokes drawn anew at each turn), exact
// agreement among equals.
double placement(const uint32_t* rgb, int w, int h, uint32_t ground, double x, double y, double r, double degrees, bool mirror)
{
    return disc_agreement(rgb, w, h, ground, x, y, r, degrees, mirror, 2, true) +
           0.25 * disc_agreement(rgb, w, h, ground, x, y, r, degrees, mirror, 2, false);
}

std::string words(double confidence) { return confidence >= 0.6 ? "high" : confidence >= 0.3 ? "medium" : "low"; }

operation_score scored(const std::string& name, double degrees, double score, bool accepted)
{
    operation_score s;
    s.operation = name;
    s.axis_degrees = degrees;
    s.score = score;
    s.accepted = accepted;
    return s;
}

// ---- The frieze of a picture ----

bool find_frieze(const uint32_t* rgb, int w, int h, bool few_colours, const work_picture& p, const work_picture& whole,
                 wallpaper_symmetry& result)
{
    if (p.w < 24 || p.h < 24)
        return false;
    const int k = std::max(1, (std::max(p.w, p.h) + acf_side - 1) / acf_side);
    const std::vector<lag> peaks = autocorrelation_peaks(p, k);
    if (peaks.empty())
        return false;
    // The highest peak is the period or a multiple of it; a peak off its line
    // nearly as high is a second period: a wallpaper the other analysis did
    // not name, no frieze.
    const lag& top = peaks[0];
    for (const lag& q : peaks)
        if (std::abs(static_cast<long>(q.x) * top.y - static_cast<long>(q.y) * top.x) > 0.2 * std::hypot(q.x, q.y) * std::hypot(top.x, top.y) &&
            q.r > 0.6 * top.r)
            return false;
    // The shortest peak on its line about as high.
    lag chosen = top;
    for (const lag& q : peaks)
        if (std::abs(static_cast<long>(q.x) * top.y - static_cast<long>(q.y) * top.x) <= 0.05 * std::hypot(q.x, q.y) * std::hypot(top.x, top.y) &&
            q.r > 0.8 * top.r && q.x * q.x + q.y * q.y < chosen.x * chosen.x + chosen.y * chosen.y)
            chosen = q;
    double tx = chosen.x * k, ty = chosen.y * k;
    refine_period(p, tx, ty);
    const int step = std::max(1, static_cast<int>(std::sqrt(p.w * p.h / 6000.0)));
    frieze_cell f = sample_frieze(p, tx, ty);
    // What does not repeat by a multiple of the period does not by the period.
    if (!f.found || f.translation_score < least_translations || f.explained < least_explained)
        return false;
    // A multiple of the period stands out as well in the autocorrelation:
    // a half or a third of it that the strip repeats by about as well is
    // the period.
    // Each step at least halves the period (the climb may not bring a
    // fraction back to where it started): a few steps at most.
    for (int steps = 0, finer = 1; finer && steps < 6; ++steps) {
        finer = 0;
        for (const int part : {2, 3}) {
            const double length = std::hypot(tx, ty);
            if (!f.found || length / part < 3)
                break;
            double hx = tx / part, hy = ty / part;
            refine_period(p, hx, hy);
            if (!(std::hypot(hx, hy) < 0.6 * length))
                continue;
            frieze_cell g = sample_frieze(p, hx, hy);
            if (g.found && g.translation_score >= 0.9 * f.translation_score && g.explained >= 0.9 * f.explained) {
                tx = hx, ty = hy, f = std::move(g);
                finer = 1;
                break;
            }
        }
    }
    if (!f.found || f.translation_score < least_translations || f.explained < least_explained)
        return false;
    // A strip that fills the picture across (its edges not seen) is taken
    // for a frieze only when it is no wider than a few periods: rows that
    // each repeat on their own (noise copied along, stripes) are none.
    {
        double lo, hi, a, b;
        lo = f.band_lo - 3, hi = f.band_hi + 3;
        const bool edges_seen = line_extent(p, f.centre, f.u, f.n, lo, a, b) && line_extent(p, f.centre, f.u, f.n, hi, a, b);
        if (!edges_seen && f.band_hi - f.band_lo > 2.5 * f.length)
            return false;
    }
    // Two copies of a shape side by side are no strip: a strip is cut by
    // the picture's edges, or shows enough copies to span two and a half
    // periods.
    if (repeats_across(whole, f.u, f.length * p.scale / whole.scale) <= least_repeats)
        return false;
    // A pattern that also holds a translation across its axis by a third of
    // the strip (stripes along it, a texture with no edge) is no strip.
    const double across = std::max(2.0, (f.band_hi - f.band_lo) / 3);
    if (moved_correlation(p, across * f.n[0], across * f.n[1], step) > 0.7)
        return false;

    const std::array<frieze_operation, 4> ops = score_frieze(f);
    // The seven groups by the operations they hold: the half-turn, the mirror
    // across, the mirror along, the glide along.
    struct frieze_group { const char* name; bool has[4]; };
    constexpr frieze_group groups[] = {
        {"p1", {false, false, false, false}}, {"p11g", {false, false, false, true}}, {"p1m1", {false, true, false, false}},
        {"p2", {true, false, false, false}},  {"p2mg", {true, true, false, true}},    {"p11m", {false, false, true, false}},
        {"p2mm", {true, true, true, false}},
    };
    const frieze_group* best = &groups[0];
    int best_size = 0;
    double best_lowest = 2;
    for (const frieze_group& g : groups) {
        int size = 0;
        double lowest = 2;
        bool holds = true;
        for (int i = 0; i < 4; ++i)
            if (g.has[i]) {
                ++size;
                lowest = std::min(lowest, ops[i].score);
                holds = holds && ops[i].score >= accepted_score;
            }
        if (holds && (size > best_size || (size == best_size && lowest > best_lowest)))
            best = &g, best_size = size, best_lowest = lowest;
    }

    // The axis: where the half-turns or the reflections along lie, else the
    // strip's middle.
    double axis = (f.band_lo + f.band_hi) / 2;
    if (best->has[0])
        axis = f.s0 + ops[0].q * f.ds / 2;
    else if (best->has[2] || best->has[3])
        axis = f.s0 + ops[best->has[2] ? 2 : 3].q * f.ds / 2;
    const double dx = f.length / f.P;
    auto point = [&](double x, double s) {
        return to_picture(p, f.centre[0] + x * f.u[0] + s * f.n[0], f.centre[1] + x * f.u[1] + s * f.n[1]);
    };
    double xl = f.x_lo, xh = f.x_hi;
    line_extent(p, f.centre, f.u, f.n, axis, xl, xh);
    const double scale = p.scale;

    result.kind = "frieze";
    result.group = best->name;
    result.method = "robust";
    result.translation_score = f.translation_score;
    result.threshold = accepted_score;
    result.frieze.period[0] = scale * tx;
    result.frieze.period[1] = scale * ty;
    result.frieze.axis_from = point(xl, axis);
    result.frieze.axis_to = point(xh, axis);
    result.frieze.width = scale * (f.band_hi - f.band_lo + 1);
    result.compared[0] = static_cast<int>(p.x0);
    result.compared[1] = static_cast<int>(p.y0);
    result.compared[2] = static_cast<int>(p.x0 + scale * p.w);
    result.compared[3] = static_cast<int>(p.y0 + scale * p.h);
    result.origin = point(f.xa, axis);

    // The elements within the picture: along the axis every half period from
    // the one found.
    auto every_half_period = [&](double x0, auto visit) {
        const double half = f.length / 2;
        for (double x = x0 - half * std::ceil((x0 - xl) / half); x <= xh + 1e-9; x += half)
            if (x >= xl - 1e-9)
                visit(x);
    };
    const double half_width = (f.band_hi - f.band_lo) / 2 + 2;
    if (best->has[0])
        every_half_period(f.xa + ops[0].m * dx / 2, [&](double x) { result.centres.push_back({point(x, axis), 2}); });
    if (best->has[1])
        every_half_period(f.xa + ops[1].m * dx / 2, [&](double x) {
            result.lines.push_back({point(x, axis - half_width), point(x, axis + half_width), false});
        });
    if (best->has[2] || best->has[3])
        result.lines.push_back({result.frieze.axis_from, result.frieze.axis_to, best->has[3]});
    // p2mg: the glide along is the mirror across after the half-turn.

    // The scores, the accepted first.
    const double along = std::fmod(std::atan2(ty, tx) * 180 / pi + 360, 180), normal = std::fmod(along + 90, 180);
    result.scores = {scored("rotation 2", 0, ops[0].score, best->has[0]), scored("mirror", normal, ops[1].score, best->has[1]),
                     scored("mirror", along, ops[2].score, best->has[2]), scored("glide", along, ops[3].score, best->has[3])};
    std::stable_sort(result.scores.begin(), result.scores.end(), [](const operation_score& x, const operation_score& y) {
        return x.accepted != y.accepted ? x.accepted : x.score > y.score;
    });
    double passed_by = 1, failed_by = 1;
    for (int i = 0; i < 4; ++i)
        (best->has[i] ? passed_by : failed_by) =
            std::min(best->has[i] ? passed_by : failed_by, std::fabs(ops[i].score - accepted_score));
    const double periodic = std::clamp((f.translation_score - least_translations) / 0.4, 0.0, 1.0);
    result.confidence = std::min(std::clamp(std::min(passed_by, failed_by) / 0.2, 0.0, 1.0), periodic);
    result.confidence_words = words(result.confidence);

    // Drawn in a few colours: the translation and each operation checked
    // pixel for pixel, to the hexagonal agreement, over the strip.
    if (few_colours) {
        const uint32_t ground = edge_colour(rgb, w, h);
        const real_point o = point(0, axis);
        const double nx = f.n[0], ny = f.n[1];
        const double limit = scale * half_width;
        auto in_strip = [&](double x, double y) { return std::fabs((x - o.x) * nx + (y - o.y) * ny) <= limit; };
        // The period: the whole-pixel vector next to it that agrees best.
        double px = result.frieze.period[0], py = result.frieze.period[1];
        const double identity[2][2] = {{1, 0}, {0, 1}};
        double lowest = -1;
        for (int j = -1; j <= 1; ++j)
            for (int i = -1; i <= 1; ++i) {
                double shift[2] = {std::round(result.frieze.period[0]) + i, std::round(result.frieze.period[1]) + j};
                const double share = pixel_agreement(rgb, w, h, identity, shift, ground, 3, in_strip);
                if (share > lowest)
                    lowest = share, px = shift[0], py = shift[1];
            }
        {
            double shift[2] = {px, py};
            lowest = pixel_agreement(rgb, w, h, identity, shift, ground, 2, in_strip);
        }
        // Each operation about its element (a half-turn centre, a mirror
        // across, the axis), moved by up to a pixel and a half in half
        // pixels to where it agrees best; every element of its kind moves
        // with it.
        const real_point along{f.u[0], f.u[1]}, across{f.n[0], f.n[1]};
        auto check = [&](real_point at, double degrees, bool mirror, double glide, real_point d1, real_point d2) {
            double best = -1;
            real_point moved{0, 0};
            for (int j = -3; j <= 3; ++j)
                for (int i = -3; i <= 3; ++i) {
                    if ((j && d2.x == 0 && d2.y == 0) || (i && d1.x == 0 && d1.y == 0))
                        continue;
                    const real_point m{(i * d1.x + j * d2.x) / 2, (i * d1.y + j * d2.y) / 2};
                    double l[2][2], c[2];
                    point_map(at.x + m.x, at.y + m.y, degrees, mirror, l, c);
                    c[0] += glide * px, c[1] += glide * py;
                    const double share = pixel_agreement(rgb, w, h, l, c, ground, 3, in_strip);
                    if (share > best)
                        best = share, moved = m;
                }
            double l[2][2], c[2];
            point_map(at.x + moved.x, at.y + moved.y, degrees, mirror, l, c);
            c[0] += glide * px, c[1] += glide * py;
            lowest = std::min(lowest, pixel_agreement(rgb, w, h, l, c, ground, 2, in_strip));
            return moved;
        };
        const real_point none{0, 0};
        real_point centres_moved = none, across_moved = none, axis_moved = none;
        if (best->has[0] && !result.centres.empty())
            centres_moved = check(result.centres[0].at, 180, false, 0, along, across);
        for (const reflection_line& line : result.lines) {
            const bool along_axis = line.from.x == result.frieze.axis_from.x && line.from.y == result.frieze.axis_from.y;
            const double degrees = std::atan2(line.to.y - line.from.y, line.to.x - line.from.x) * 180 / pi;
            if (along_axis)
                axis_moved = check(line.from, degrees, true, line.glide ? 0.5 : 0, none, across);
            else if (across_moved.x == 0 && across_moved.y == 0)
                across_moved = check(line.from, degrees, true, 0, along, none);
        }
        if (lowest >= hexagonal_agreement) {
            auto move = [](real_point& p, real_point by) { p.x += by.x, p.y += by.y; };
            for (rotation_centre& c : result.centres)
                move(c.at, centres_moved);
            for (reflection_line& line : result.lines) {
                const bool along_axis = line.from.x == result.frieze.axis_from.x && line.from.y == result.frieze.axis_from.y;
                move(line.from, along_axis ? axis_moved : across_moved);
                move(line.to, along_axis ? axis_moved : across_moved);
            }
            move(result.frieze.axis_from, axis_moved);
            move(result.frieze.axis_to, axis_moved);
        }
        if (lowest >= hexagonal_agreement) {
            result.method = "exact";
            result.lowest_agreement = lowest;
            result.frieze.period[0] = px, result.frieze.period[1] = py;
            result.approximate = lowest < 1;
            result.confidence = 1;
            result.confidence_words = "high";
        }
    }
    return true;
}

}  // namespace

namespace {

// ---- The rosette of a picture ----

// The best turn's score about (x, y), climbed to from there on ever finer
// steps; -1 where the disc about it is too small.
double climb_centre(const work_picture& p, double& x, double& y, double least_radius)
{
    // Coarse rings while the steps are long; the last steps, which place
    // small shapes far from the centre, on rings as fine as the analysis's.
    auto score = [&](double cx, double cy, bool fine) {
        const double r = disc_radius(p, cx, cy);
        if (r < least_radius)
            return -1.0;
        return best_turn(fine ? spectrum_about(p, cx, cy, r, std::max(0.5, r / 100), 256, 1)
                              : spectrum_about(p, cx, cy, r, std::max(1.0, r / 60), 128, 1));
    };
    double best = -1;
    for (const double step : {4.0, 2.0, 1.0, 0.5, 0.25}) {
        const bool fine = step < 0.5;
        // No turn nearly holds: no rosette to place finely.
        if (fine && best < 0.5)
            return best;
        best = score(x, y, fine);
        for (int moves = 0; moves < 6; ++moves) {
            double bx = x, by = y, top = best;
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i)
                    if (i || j) {
                        const double s = score(x + i * step, y + j * step, fine);
                        if (s > top)
                            top = s, bx = x + i * step, by = y + j * step;
                    }
            if (bx == x && by == y)
                break;
            x = bx, y = by, best = top;
        }
    }
    return score(x, y, true);
}

// The centroid of what differs from the picture's edges (a shape on a
// background), in work pixels; false when nothing does.
bool content_centroid(const work_picture& p, double& x, double& y, double& edge_share)
{
    double ground[3] = {};
    int count = 0;
    for (int i = 0; i < p.w; ++i)
        for (int k = 0; k < 3; ++k)
            ground[k] += p.at(k, i, 0) + p.at(k, i, p.h - 1);
    for (int j = 0; j < p.h; ++j)
        for (int k = 0; k < 3; ++k)
            ground[k] += p.at(k, 0, j) + p.at(k, p.w - 1, j);
    count = 2 * (p.w + p.h);
    for (double& g : ground)
        g /= count;
    double sx = 0, sy = 0, sum = 0, edge = 0;
    for (int j = 0; j < p.h; ++j)
        for (int i = 0; i < p.w; ++i) {
            double d = 0;
            for (int k = 0; k < 3; ++k)
                d += std::fabs(p.at(k, i, j) - ground[k]);
            d = d > 0.06 ? d : 0;  // noise and JPEG ripples left out
            sx += d * i, sy += d * j, sum += d;
            const int from_edge = std::min(std::min(i, j), std::min(p.w - 1 - i, p.h - 1 - j));
            if (from_edge < std::min(p.w, p.h) / 16)
                edge += d;
        }
    if (!(sum > 0))
        return false;
    x = sx / sum, y = sy / sum;
    edge_share = edge / sum;
    return true;
}

bool find_rosette(const uint32_t* rgb, int w, int h, bool few_colours, const work_picture& p, wallpaper_symmetry& result)
{
    if (p.w < 24 || p.h < 24)
        return false;
    const double least_radius = least_disc * std::min(p.w, p.h);
    // Where to climb from: the middle of the picture, and the centroid of
    // what stands out from its edges.
    std::vector<std::array<double, 2>> starts = {{(p.w - 1) / 2.0, (p.h - 1) / 2.0}};
    double gx = 0, gy = 0, edge_share = 1;
    const bool shape = content_centroid(p, gx, gy, edge_share);
    if (shape && std::hypot(gx - starts[0][0], gy - starts[0][1]) > 2)
        starts.push_back({gx, gy});
    // Climbed on the grey picture (the sum of the channels): a third of the work.
    work_picture grey;
    grey.w = p.w, grey.h = p.h;
    grey.c[0].resize(p.c[0].size());
    for (size_t i = 0; i < grey.c[0].size(); ++i)
        grey.c[0][i] = p.c[0][i] + p.c[1][i] + p.c[2][i];
    double cx = starts[0][0], cy = starts[0][1], top = -2;
    for (auto s : starts) {
        double x = s[0], y = s[1];
        const double score = climb_centre(grey, x, y, least_radius);
        if (score > top)
            top = score, cx = x, cy = y;
    }
    const double radius = disc_radius(p, cx, cy);
    if (radius < least_radius)
        return false;
    const angular_spectrum spectrum = spectrum_about(p, cx, cy, radius, std::max(0.5, radius / 200), angles);
    auto turn_of = [&](double t) { return turn_score(spectrum, t); };
    // Too little varies round the centre (a disc, rings, a smooth scene),
    // or every turn holds about as well: no rosette of a finite order.
    if (!(spectrum.total > 0) || spectrum.angular < 0.05 * spectrum.total || lowest_turn(spectrum) > 0.5)
        return false;
    // The order: the largest n whose every turn, by k 360 / n degrees,
    // scores at least the threshold; its score the lowest of them.
    auto turns_of = [&](int n) {
        double lowest = 2;
        for (int k = 1; 2 * k <= n; ++k)
            lowest = std::min(lowest, turn_of(2 * pi * k / n));
        return lowest;
    };
    int order = 1;
    for (int n = highest_order; n >= 2 && order == 1; --n)
        if (turns_of(n) >= accepted_score)
            order = n;
    // Drawn in a few colours: thin strokes, faint on the work picture, can
    // hide from the spectrum a turn that holds to the pixel. The largest
    // order whose turn does so about the centre climbed to (on every third
    // pixel first) is the order; the best mirror and that turn then make
    // the mirrors.
    bool upgraded = false;
    const uint32_t ground = few_colours ? edge_colour(rgb, w, h) : 0;
    if (few_colours) {
        const real_point c = to_picture(p, cx, cy);
        auto holds = [&](int n, int step) {
            return disc_agreement(rgb, w, h, ground, c.x, c.y, p.scale * radius, 360.0 / n, false, step, true) >=
                   hexagonal_agreement;
        };
        // Rings and discs hold every turn, even one of 360 / 17 degrees,
        // which is 8.8 degrees or more from every turn of the orders named:
        // no finite order.
        if (holds(17, 3))
            return false;
        for (int n = highest_order; n > order; --n)
            if (n % order == 0 && holds(n, 3) && holds(n, 1)) {
                order = n, upgraded = true;
                break;
            }
    }
    double mirror_angle = 0, mirror_score = -1;
    best_mirror(spectrum, mirror_angle, mirror_score);
    // Every one of the n mirrors, each turned by a multiple of 180 / n
    // degrees from the best: their lowest score.
    for (int k = 1; k < order && !upgraded; ++k)
        mirror_score = std::min(mirror_score, mirror_correlation(spectrum, mirror_angle + pi * k / order));
    // A single mirror is common in photos (a face, a building): D1 only for a
    // shape alone on a uniform background whose centroid lies on a mirror
    // that holds clearly; its centre is that centroid.
    if (order == 1) {
        if (!shape || edge_share > 0.02)
            return false;
        const double r = disc_radius(p, gx, gy);
        if (r < least_radius)
            return false;
        const angular_spectrum about_centroid = spectrum_about(p, gx, gy, r, std::max(0.5, r / 200), angles);
        best_mirror(about_centroid, mirror_angle, mirror_score);
        if (mirror_score < 0.9 || about_centroid.angular < 0.05 * about_centroid.total)
            return false;
        cx = gx, cy = gy;
    }
    bool dihedral = mirror_score >= accepted_score;
    if (order == 1 && !dihedral)
        return false;
    // So is a half-turn alone: about a point of its half-turns, a wallpaper
    // the other analysis could not name holds one across the whole picture.
    if (order == 2 && !dihedral && (!shape || edge_share > 0.02))
        return false;

    const double scale = p.scale;
    result.kind = "rosette";
    result.method = "robust";
    result.threshold = accepted_score;
    result.rosette.order = order;
    result.rosette.dihedral = dihedral;
    result.rosette.centre = to_picture(p, cx, cy);
    result.rosette.radius = scale * radius;
    result.group = (dihedral ? "D" : "C") + std::to_string(order);
    double first = mirror_angle * 180 / pi;

    // Drawn in a few colours: "exact" when the group holds pixel for pixel,
    // to the hexagonal agreement, as the hexagonal wallpapers do, the centre
    // moved to the half pixel where the turn (or the mirror) agrees best.
    // Failing that (a drawing resized or smoothed into a few hundred
    // colours), the robust answer stands only when its scores are
    // `sure_score` or more: colours nearly symmetric on the large (rings
    // of colour about a seed) over shapes that are not make no rosette.
    if (few_colours) {
        const real_point c = result.rosette.centre;
        const double rr = result.rosette.radius;
        // The climb places the centre to a quarter of a work pixel.
        const int reach = static_cast<int>(std::ceil(scale / 2)) + 1;
        // The lowest agreement of the turn by 360 / n and the mirror (when
        // `with_mirror`) about the best centre, which it sets with the mirror's angle.
        double bx = c.x, by = c.y, angle = first;
        auto agreement_of = [&](int n, bool with_mirror) {
            double best = -1;
            bx = c.x, by = c.y;
            for (int j = -reach; j <= reach; ++j)
                for (int i = -reach; i <= reach; ++i) {
                    const double x = std::round(2 * c.x) / 2 + i / 2.0, y = std::round(2 * c.y) / 2 + j / 2.0;
                    const double share = placement(rgb, w, h, ground, x, y, rr, n > 1 ? 360.0 / n : first, n == 1);
                    if (share > best)
                        best = share, bx = x, by = y;
                }
            double lowest = 1;
            if (n > 1)
                lowest = disc_agreement(rgb, w, h, ground, bx, by, rr, 360.0 / n, false, 1, true);
            if (with_mirror && lowest >= hexagonal_agreement) {
                // The mirror to a tenth of a degree.
                double top_share = -1;
                for (int a = -10; a <= 10; ++a) {
                    const double share = placement(rgb, w, h, ground, bx, by, rr, first + a / 10.0, true);
                    if (share > top_share)
                        top_share = share, angle = first + a / 10.0;
                }
                lowest = std::min(lowest, disc_agreement(rgb, w, h, ground, bx, by, rr, angle, true, 1, true));
            }
            return lowest;
        };
        double lowest = agreement_of(order, dihedral);
        // A mirror the spectrum took for one that does not hold to the
        // pixel, over turns that do: the turns alone.
        if (lowest < hexagonal_agreement && dihedral && order > 1 && agreement_of(order, false) >= hexagonal_agreement) {
            dihedral = false;
            lowest = agreement_of(order, false);
        }
        if (lowest >= hexagonal_agreement) {
            result.method = "exact";
            result.lowest_agreement = lowest;
            result.approximate = lowest < 1;
            result.rosette.centre = {bx, by};
            if (dihedral)
                first = angle;
        } else if (std::min(order > 1 ? turns_of(order) : 1.0, dihedral ? mirror_score : 1.0) < sure_score) {
            return false;
        }
        result.rosette.order = order;
        result.rosette.dihedral = dihedral;
        result.group = (dihedral ? "D" : "C") + std::to_string(order);
    }
    const real_point centre = result.rosette.centre;
    if (dihedral)
        for (int k = 0; k < order; ++k) {
            // To a hundredth of a degree, 0 to 180 (180 itself is 0).
            const double degrees = std::fmod(std::round(100 * std::fmod(first + 180.0 * k / order + 360, 180)) / 100, 180);
            result.rosette.mirrors.push_back(degrees);
        }
    std::sort(result.rosette.mirrors.begin(), result.rosette.mirrors.end());
    for (const double degrees : result.rosette.mirrors) {
        const double r = result.rosette.radius, a = degrees * pi / 180;
        result.lines.push_back({{centre.x - r * std::cos(a), centre.y - r * std::sin(a)},
                                {centre.x + r * std::cos(a), centre.y + r * std::sin(a)}, false});
    }
    if (order > 1)
        result.centres.push_back({centre, order});
    result.origin = centre;
    result.compared[0] = static_cast<int>(std::floor(centre.x - result.rosette.radius));
    result.compared[1] = static_cast<int>(std::floor(centre.y - result.rosette.radius));
    result.compared[2] = static_cast<int>(std::ceil(centre.x + result.rosette.radius));
    result.compared[3] = static_cast<int>(std::ceil(centre.y + result.rosette.radius));

    // The scores: the turn of the order found and the next one up that
    // failed, the best mirror.
    const double turn = order > 1 ? turns_of(order) : 1;
    double failed = -1;
    int failed_order = 0;
    for (int n = 2; n <= highest_order; ++n)
        if (n % order == 0 && n != order && turns_of(n) > failed)
            failed = turns_of(n), failed_order = n;
    if (order > 1)
        result.scores.push_back(scored("rotation " + std::to_string(order), 0, turn, true));
    result.scores.push_back(scored("mirror", std::fmod(std::round(100 * std::fmod(first + 360, 180)) / 100, 180), mirror_score, dihedral));
    if (failed_order)
        result.scores.push_back(scored("rotation " + std::to_string(failed_order), 0, failed, false));
    std::stable_sort(result.scores.begin(), result.scores.end(), [](const operation_score& x, const operation_score& y) {
        return x.accepted != y.accepted ? x.accepted : x.score > y.score;
    });
    double margin = 1;
    for (const operation_score& s : result.scores)
        margin = std::min(margin, std::fabs(s.score - accepted_score));
    result.translation_score = 0;
    if (result.method == "exact") {
        result.confidence = 1;
    } else {
        result.confidence = std::clamp(margin / 0.2, 0.0, 1.0);
    }
    result.confidence_words = words(result.confidence);
    return true;
}

}  // namespace

wallpaper_symmetry classify_frieze_or_rosette(const uint32_t* rgb, int w, int h, bool few_colours)
{
    wallpaper_symmetry result;
    if (!rgb || w < 24 || h < 24)
        return result;
    const work_picture p = make_work_picture(rgb, w, h, kinds_side);
    const work_picture whole = whole_work_picture(rgb, w, h, kinds_side);
    if (find_frieze(rgb, w, h, few_colours, p, whole, result))
        return result;
    result = wallpaper_symmetry{};
    if (find_rosette(rgb, w, h, few_colours, whole, result))
        return result;
    return wallpaper_symmetry{};
}

bool repeats_by_lattice(const uint32_t* rgb, int w, int h, const double lattice[2][2])
{
    if (!rgb || w < 24 || h < 24)
        return true;
    const work_picture whole = whole_work_picture(rgb, w, h, kinds_side, true);
    const double area = std::fabs(lattice[0][0] * lattice[1][1] - lattice[0][1] * lattice[1][0]);
    for (const double* v : {lattice[0], lattice[1]}) {
        const double length = std::hypot(v[0], v[1]);
        if (!(length > 0) || !(area > 0))
            return true;
        // The rows along v follow each other across it every area / |v|.
        const double across[2] = {-v[1] / length, v[0] / length};
        if (repeats_across(whole, across, area / length / whole.scale) <= least_repeats)
            return false;
    }
    return true;
}
