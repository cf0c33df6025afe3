#include "realistic.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <random>
#include <stdexcept>

namespace {

constexpr double pi = 3.14159265358979323846;

// Grid texels per lattice vector: a multiple of 12, so that halves and thirds
// of the lattice fall on grid points.
constexpr int grid_step = 12;
constexpr int smallest_grid = 48;
// Sub-samples per pixel, each way, when a texture is sampled into a picture.
constexpr int supersampling = 2;
// A texture that correlates this well with its image under an operation
// of the lattice outside the group is drawn again, at most so many times.
constexpr double extra_symmetry_limit = 0.7;
constexpr int extra_symmetry_attempts = 6;

using random_engine = std::mt19937;

double uniform(random_engine& random, double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); }
int uniform_int(random_engine& random, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }

struct colour {
    double r = 0, g = 0, b = 0;  // 0 to 1
};

// A colour of random hue, saturation at least `s0` and value at least `v0`.
colour random_colour(random_engine& random, double s0 = 0.3, double v0 = 0.3)
{
    const double h = uniform(random, 0, 6), s = uniform(random, s0, 1), v = uniform(random, v0, 1);
    const int i = static_cast<int>(h) % 6;
    const double f = h - std::floor(h), p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    const colour table[6] = {{v, t, p}, {q, v, p}, {p, v, t}, {p, q, v}, {t, p, v}, {v, p, q}};
    return table[i];
}

colour mix(const colour& x, const colour& y, double k) { return {x.r + (y.r - x.r) * k, x.g + (y.g - x.g) * k, x.b + (y.b - x.b) * k}; }

uint32_t pack(double r, double g, double b)
{
    const auto byte = [](double v) { return static_cast<uint32_t>(std::clamp(v * 255 + 0.5, 0.0, 255.0)); };
    return (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

// A shape in pixel space: an ellipse, or a star-shaped polygon (possibly not
// convex), with its colour.
struct shape {
    bool ellipse = true;
    double centre[2] = {};
    double r1 = 0, r2 = 0, angle = 0;
    std::vector<std::array<double, 2>> vertices;
    colour paint;
};

// A random ellipse or polygon about (cx, cy) of about `size` in radius.
shape random_shape(random_engine& random, double cx, double cy, double size)
{
    shape s;
    s.centre[0] = cx;
    s.centre[1] = cy;
    s.ellipse = uniform(random, 0, 1) < 0.5;
    s.paint = random_colour(random);
    if (s.ellipse) {
        s.r1 = size;
        s.r2 = size * uniform(random, 0.35, 0.85);
        s.angle = uniform(random, 0, pi);
        return s;
    }
    const int n = uniform_int(random, 3, 7);
    std::vector<double> angles(n);
    for (double& t : angles)
        t = uniform(random, 0, 2 * pi);
    std::sort(angles.begin(), angles.end());
    for (const double t : angles) {
        const double r = size * uniform(random, 0.45, 1.0);
        s.vertices.push_back({cx + r * std::cos(t), cy + r * std::sin(t)});
    }
    return s;
}

// The signed distance from (x, y) to the shape's outline, negative inside
// (an ellipse's to first order, exact for a polygon).
double signed_distance(const shape& s, double x, double y)
{
    if (s.ellipse) {
        const double dx = x - s.centre[0], dy = y - s.centre[1];
        const double c = std::cos(s.angle), sn = std::sin(s.angle);
        const double p = (c * dx + sn * dy) / s.r1, q = (-sn * dx + c * dy) / s.r2;
        const double f = std::sqrt(p * p + q * q);
        if (f < 1e-9)
            return -std::min(s.r1, s.r2);
        const double gp = p / s.r1, gq = q / s.r2;
        return (f - 1) * f / std::sqrt(gp * gp + gq * gq);
    }
    double nearest = 1e300;
    bool inside = false;
    const size_t n = s.vertices.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const double x0 = s.vertices[j][0], y0 = s.vertices[j][1], x1 = s.vertices[i][0], y1 = s.vertices[i][1];
        const double ex = x1 - x0, ey = y1 - y0;
        const double t = std::clamp(((x - x0) * ex + (y - y0) * ey) / (ex * ex + ey * ey), 0.0, 1.0);
        const double px = x0 + t * ex - x, py = y0 + t * ey - y;
        nearest = std::min(nearest, px * px + py * py);
        if ((y0 > y) != (y1 > y) && x < x0 + (y - y0) * ex / ey)
            inside = !inside;
    }
    return inside ? -std::sqrt(nearest) : std::sqrt(nearest);
}

// The share of a point's neighbourhood `width` wide covered by the inside of
// an outline at signed distance d.
double coverage(double d, double width) { return std::clamp(0.5 - d / width, 0.0, 1.0); }

// The radius of a shape's bounding circle about its centre.
double shape_radius(const shape& s)
{
    if (s.ellipse)
        return std::max(s.r1, s.r2);
    double r = 0;
    for (const auto& v : s.vertices)
        r = std::max(r, std::hypot(v[0] - s.centre[0], v[1] - s.centre[1]));
    return r;
}

// The lattice a group needs, in its own basis (patterns.h): "oblique",
// "rectangular", "rhombic", "square", "hexagonal".
std::string lattice_shape(const std::string& group)
{
    if (group == "p1" || group == "p2")
        return "oblique";
    if (group == "cm" || group == "cmm")
        return "rhombic";
    if (group == "p4" || group == "p4m" || group == "p4g")
        return "square";
    if (group[1] == '3' || group[1] == '6')
        return "hexagonal";
    return "rectangular";
}

// Two lattice vectors of the shape `group` needs, the longer one `side`
// pixels, with random proportions at least 8% away from every more
// symmetric shape, turned by a random angle.
void choose_lattice(const std::string& group, double side, random_engine& random, double a[2], double b[2])
{
    const std::string kind = lattice_shape(group);
    double la = side, lb = side, gamma = pi / 2;  // lengths and the angle between them
    if (kind == "rectangular") {
        lb = side * uniform(random, 0.5, 0.85);
        if (uniform(random, 0, 1) < 0.5)
            std::swap(la, lb);
    } else if (kind == "rhombic") {
        const double degrees[4][2] = {{45, 54}, {66, 82}, {98, 114}, {126, 135}};
        const int k = uniform_int(random, 0, 3);
        gamma = uniform(random, degrees[k][0], degrees[k][1]) * pi / 180;
    } else if (kind == "hexagonal") {
        gamma = pi / 3;
    } else if (kind == "oblique") {
        // A reduced basis (|a| < |b|, |a.b| <= |a|^2 / 2) away from the
        // rectangular, centred and rhombic ones.
        for (;;) {
            la = side * uniform(random, 0.5, 0.92);
            gamma = uniform(random, 62, 118) * pi / 180;
            const double dot = la * lb * std::cos(gamma);
            const double half_a = std::abs(dot) / (la * la), half_b = std::abs(dot) / (lb * lb);
            if (std::abs(std::cos(gamma)) > 0.08 && half_a < 0.42 && std::abs(half_b - 0.5) > 0.08)
                break;
        }
        if (uniform(random, 0, 1) < 0.5)
            std::swap(la, lb);
    }
    const double turn = uniform(random, 0, 2 * pi);
    a[0] = la * std::cos(turn);
    a[1] = la * std::sin(turn);
    b[0] = lb * std::cos(turn + gamma);
    b[1] = lb * std::sin(turn + gamma);
}

// A periodic texture on the R x R grid of lattice coordinates: texel (n0, n1)
// at u = (n0 / R, n1 / R), three floats (0 to 1) each, row n1 after row.
struct texture {
    int R = 0;
    double a[2] = {}, b[2] = {};  // the lattice in pixels
    std::vector<float> rgb;
};

// The pixel position of texel (n0, n1) relative to the lattice origin.
void texel_position(const texture& t, double n0, double n1, double& x, double& y)
{
    x = (t.a[0] * n0 + t.b[0] * n1) / t.R;
    y = (t.a[1] * n0 + t.b[1] * n1) / t.R;
}

// Calls visit(n, m) for every texel index n and the index m of the texel
// the operation maps it to (n -> M n + t R / 2 modulo R), walking one step
// of M's first column at a time.
template <typename Visit>
void for_each_image(int R, const pattern_operation& g, Visit visit)
{
    for (int n1 = 0; n1 < R; ++n1) {
        int m0 = ((g.m[0][1] * n1 + g.t[0] * (R / 2)) % R + R) % R, m1 = ((g.m[1][1] * n1 + g.t[1] * (R / 2)) % R + R) % R;
        const size_t row = static_cast<size_t>(n1) * R;
        for (int n0 = 0; n0 < R; ++n0) {
            visit(row + n0, static_cast<size_t>(m1) * R + m0);
            m0 += g.m[0][0];
            m1 += g.m[1][0];
            m0 = m0 >= R ? m0 - R : m0 < 0 ? m0 + R : m0;
            m1 = m1 >= R ? m1 - R : m1 < 0 ? m1 + R : m1;
        }
    }
}

// The field made symmetric under every operation: its mean over the images
// (or their largest value, with `largest`). Exact: each operation permutes
// the grid.
std::vector<float> symmetrised(const std::vector<float>& field, int R, const std::vector<pattern_operation>& ops, bool largest)
{
    std::vector<float> out(field.size(), 0.0f);
    for (const pattern_operation& g : ops)
        for_each_image(R, g, [&](size_t n, size_t m) { out[n] = largest ? std::max(out[n], field[m]) : out[n] + field[m]; });
    if (!largest)
        for (float& v : out)
            v /= static_cast<float>(ops.size());
    return out;
}

// The correlation of the texture's grey values with their images under g.
double texture_correlation(const std::vector<float>& rgb, int R, const pattern_operation& g)
{
    double sx = 0, sxx = 0, sxy = 0;
    const auto grey = [&](size_t i) { return static_cast<double>(rgb[3 * i]) + rgb[3 * i + 1] + rgb[3 * i + 2]; };
    for_each_image(R, g, [&](size_t n, size_t m) {
        const double x = grey(n);
        sx += x;
        sxx += x * x;
        sxy += x * grey(m);
    });
    const double count = static_cast<double>(R) * R, variance = sxx - sx * sx / count;
    return variance > 1e-9 ? (sxy - sx * sx / count) / variance : 1.0;
}

// One term c e^{2 pi i k.u} of a Fourier series on the lattice.
struct wave {
    int k0, k1;
    std::complex<double> c;
};

// The real part of the series on the R x R grid, summed one coordinate at a
// time (cost R^2 times the distinct k0, not times the terms).
std::vector<float> synthesise(int R, std::vector<wave> waves)
{
    std::vector<std::complex<double>> turn(R);
    for (int m = 0; m < R; ++m)
        turn[m] = std::polar(1.0, 2 * pi * m / R);
    std::sort(waves.begin(), waves.end(), [](const wave& x, const wave& y) { return x.k0 < y.k0; });
    std::vector<double> field(static_cast<size_t>(R) * R, 0.0);
    std::vector<std::complex<double>> row(R);
    for (size_t i = 0; i < waves.size();) {
        const int k0 = waves[i].k0;
        std::fill(row.begin(), row.end(), std::complex<double>(0, 0));
        for (; i < waves.size() && waves[i].k0 == k0; ++i)
            for (int n1 = 0; n1 < R; ++n1)
                row[n1] += waves[i].c * turn[((static_cast<long>(waves[i].k1) * n1) % R + R) % R];
        for (int n0 = 0; n0 < R; ++n0) {
            const std::complex<double> e = turn[((static_cast<long>(k0) * n0) % R + R) % R];
            double* out = &field[static_cast<size_t>(n0)];
            for (int n1 = 0; n1 < R; ++n1)
                out[static_cast<size_t>(n1) * R] += e.real() * row[n1].real() - e.imag() * row[n1].imag();
        }
    }
    return std::vector<float>(field.begin(), field.end());
}

// The pixel frequency (cycles per pixel) of lattice wave k.
double pixel_frequency(const texture& t, int k0, int k1)
{
    // The reciprocal basis: rows of A^-1.
    const double det = t.a[0] * t.b[1] - t.b[0] * t.a[1];
    const double fx = (k0 * t.b[1] - k1 * t.a[1]) / det, fy = (-k0 * t.b[0] + k1 * t.a[0]) / det;
    return std::hypot(fx, fy);
}

// The field scaled to 0 .. 1 by its extremes (all 0.5 when it is flat).
void normalise(std::vector<float>& field)
{
    const auto [lo, hi] = std::minmax_element(field.begin(), field.end());
    const float low = *lo, range = *hi - *lo;
    for (float& v : field)
        v = range > 1e-9f ? (v - low) / range : 0.5f;
}

// Shapes: a motif of three to six shapes at random places in the cell,
// composited in order, each made symmetric before the next goes on top.
void draw_shapes(texture& t, const std::vector<pattern_operation>& ops, random_engine& random)
{
    const int R = t.R;
    const double det = std::abs(t.a[0] * t.b[1] - t.b[0] * t.a[1]);
    const double unit = std::sqrt(det), texel = unit / R;
    const colour background = random_colour(random, 0.1, 0.5);
    for (size_t i = 0; i < t.rgb.size(); i += 3) {
        t.rgb[i] = static_cast<float>(background.r);
        t.rgb[i + 1] = static_cast<float>(background.g);
        t.rgb[i + 2] = static_cast<float>(background.b);
    }
    const double inverse[2][2] = {{t.b[1] / (t.a[0] * t.b[1] - t.b[0] * t.a[1]), -t.b[0] / (t.a[0] * t.b[1] - t.b[0] * t.a[1])},
                                  {-t.a[1] / (t.a[0] * t.b[1] - t.b[0] * t.a[1]), t.a[0] / (t.a[0] * t.b[1] - t.b[0] * t.a[1])}};
    const int count = uniform_int(random, 3, 6);
    std::vector<float> cover(static_cast<size_t>(R) * R);
    for (int k = 0; k < count; ++k) {
        double cx, cy;
        texel_position(t, uniform(random, 0, R), uniform(random, 0, R), cx, cy);
        const shape s = random_shape(random, cx, cy, unit * uniform(random, 0.07, 0.2));
        // The texels of the shape's bounding box, in lattice coordinates.
        const double r = shape_radius(s) + 2 * texel;
        double lo[2] = {1e300, 1e300}, hi[2] = {-1e300, -1e300};
        for (const double sx : {-r, r})
            for (const double sy : {-r, r})
                for (int i = 0; i < 2; ++i) {
                    const double u = (inverse[i][0] * (cx + sx) + inverse[i][1] * (cy + sy)) * R;
                    lo[i] = std::min(lo[i], u);
                    hi[i] = std::max(hi[i], u);
                }
        std::fill(cover.begin(), cover.end(), 0.0f);
        for (int n1 = static_cast<int>(std::floor(lo[1])); n1 <= static_cast<int>(std::ceil(hi[1])); ++n1)
            for (int n0 = static_cast<int>(std::floor(lo[0])); n0 <= static_cast<int>(std::ceil(hi[0])); ++n0) {
                double x, y;
                texel_position(t, n0, n1, x, y);
                const float c = static_cast<float>(coverage(signed_distance(s, x, y), texel));
                float& o = cover[static_cast<size_t>(((n1 % R) + R) % R) * R + ((n0 % R) + R) % R];
                o = std::max(o, c);
            }
        const std::vector<float> symmetric = symmetrised(cover, R, ops, true);
        for (size_t i = 0; i < symmetric.size(); ++i) {
            const float c = symmetric[i];
            t.rgb[3 * i] += (static_cast<float>(s.paint.r) - t.rgb[3 * i]) * c;
            t.rgb[3 * i + 1] += (static_cast<float>(s.paint.g) - t.rgb[3 * i + 1]) * c;
            t.rgb[3 * i + 2] += (static_cast<float>(s.paint.b) - t.rgb[3 * i + 2]) * c;
        }
    }
}

// Waves: a dozen random low waves (wavelength at least 12 pixels), made
// symmetric, through a random colour map of four to six colours.
void draw_waves(texture& t, const std::vector<pattern_operation>& ops, random_engine& random)
{
    const int R = t.R;
    std::vector<float> field;
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::vector<wave> waves;
        std::normal_distribution<double> normal;
        while (waves.size() < 12) {
            const int k0 = uniform_int(random, -3, 3), k1 = uniform_int(random, -3, 3);
            const double f = pixel_frequency(t, k0, k1);
            if ((k0 == 0 && k1 == 0) || f > 1.0 / 12)
                continue;
            waves.push_back({k0, k1, std::complex<double>(normal(random), normal(random)) / (1.0 + std::abs(k0) + std::abs(k1))});
        }
        field = symmetrised(synthesise(R, waves), R, ops, false);
        const auto [lo, hi] = std::minmax_element(field.begin(), field.end());
        if (*hi - *lo > 1e-3f)
            break;
    }
    normalise(field);
    std::vector<colour> map(static_cast<size_t>(uniform_int(random, 4, 6)));
    for (colour& c : map)
        c = random_colour(random, 0.2, 0.25);
    for (size_t i = 0; i < field.size(); ++i) {
        const double x = field[i] * (map.size() - 1);
        const size_t j = std::min(static_cast<size_t>(x), map.size() - 2);
        const colour c = mix(map[j], map[j + 1], x - j);
        t.rgb[3 * i] = static_cast<float>(c.r);
        t.rgb[3 * i + 1] = static_cast<float>(c.g);
        t.rgb[3 * i + 2] = static_cast<float>(c.b);
    }
}

// Noise: white noise filtered to one octave about a wavelength of 6 to 18
// pixels (at most a third of the cell), made symmetric, grey about mid-grey.
void draw_noise(texture& t, const std::vector<pattern_operation>& ops, random_engine& random)
{
    const int R = t.R;
    const double longest = std::max(std::hypot(t.a[0], t.a[1]), std::hypot(t.b[0], t.b[1]));
    const double wavelength = std::min(uniform(random, 6, 18), longest / 3);
    const double f_lo = 1 / (wavelength * std::sqrt(2.0)), f_hi = std::sqrt(2.0) / wavelength;
    const int K = std::min(static_cast<int>(std::ceil(f_hi * longest * 1.5)) + 1, R / 2 - 1);
    std::normal_distribution<double> normal;
    std::vector<wave> waves;
    for (int k0 = -K; k0 <= K; ++k0)
        for (int k1 = -K; k1 <= K; ++k1) {
            const double f = pixel_frequency(t, k0, k1);
            if (f >= f_lo && f <= f_hi)
                waves.push_back({k0, k1, std::complex<double>(normal(random), normal(random))});
        }
    std::vector<float> field = symmetrised(synthesise(R, waves), R, ops, false);
    double sum = 0, squares = 0;
    for (const float v : field) {
        sum += v;
        squares += static_cast<double>(v) * v;
    }
    const double mean = sum / field.size(), deviation = std::sqrt(std::max(squares / field.size() - mean * mean, 1e-30));
    const double contrast = uniform(random, 0.12, 0.2);
    for (size_t i = 0; i < field.size(); ++i) {
        const float g = static_cast<float>(std::clamp(0.5 + contrast * (field[i] - mean) / deviation, 0.0, 1.0));
        t.rgb[3 * i] = t.rgb[3 * i + 1] = t.rgb[3 * i + 2] = g;
    }
}

// Tiling: the regions nearest each point of two generic orbits, in two
// colours shaded towards their edges, outlined thin (1 to 2 pixels) or thick
// (4 to 8) in a dark colour. Each site is spread over the texels near it to
// find every texel's two nearest sites.
void draw_tiling(texture& t, const std::vector<pattern_operation>& ops, random_engine& random)
{
    const int R = t.R;
    const double det = t.a[0] * t.b[1] - t.b[0] * t.a[1];
    const double area = std::abs(det), texel = std::sqrt(area) / R;
    // Pixels to texel units: the rows of A^-1 times R.
    const double inverse[2][2] = {{t.b[1] / det * R, -t.b[0] / det * R}, {-t.a[1] / det * R, t.a[0] / det * R}};
    struct site { double x, y; int orbit; };  // in pixels, its lattice coordinates in [0, 1)
    std::vector<site> sites;
    for (int orbit = 0; orbit < 2; ++orbit) {
        const double u0 = uniform(random, 0, 1), u1 = uniform(random, 0, 1);
        for (const pattern_operation& g : ops) {
            double v0 = g.m[0][0] * u0 + g.m[0][1] * u1 + g.t[0] / 2.0, v1 = g.m[1][0] * u0 + g.m[1][1] * u1 + g.t[1] / 2.0;
            site s{0, 0, orbit};
            texel_position(t, (v0 - std::floor(v0)) * R, (v1 - std::floor(v1)) * R, s.x, s.y);
            sites.push_back(s);
        }
    }
    const colour fill[2] = {random_colour(random, 0.2, 0.55), random_colour(random, 0.2, 0.55)};
    const colour edge = mix(random_colour(random, 0.3, 0.1), colour{}, 0.7);
    const double half_width = uniform(random, 0, 1) < 0.5 ? uniform(random, 0.5, 1.0) : uniform(random, 2, 4);
    const double spacing = std::sqrt(area / sites.size());

    // Visits each texel within `radius` pixels of each site or a translate:
    // visit(texel index, site, offset of the site from the texel).
    const auto spread = [&](double radius, auto visit) {
        const double reach0 = radius * std::hypot(inverse[0][0], inverse[0][1]), reach1 = radius * std::hypot(inverse[1][0], inverse[1][1]);
        for (const site& s : sites) {
            const double c0 = inverse[0][0] * s.x + inverse[0][1] * s.y, c1 = inverse[1][0] * s.x + inverse[1][1] * s.y;
            for (int n1 = static_cast<int>(std::floor(c1 - reach1)); n1 <= static_cast<int>(std::ceil(c1 + reach1)); ++n1)
                for (int n0 = static_cast<int>(std::floor(c0 - reach0)); n0 <= static_cast<int>(std::ceil(c0 + reach0)); ++n0) {
                    double x, y;
                    texel_position(t, n0, n1, x, y);
                    const double dx = s.x - x, dy = s.y - y;
                    if (dx * dx + dy * dy <= radius * radius)
                        visit(static_cast<size_t>(((n1 % R) + R) % R) * R + ((n0 % R) + R) % R, s, dx, dy);
                }
        }
    };
    // Each texel's nearest site and second nearest (by distance).
    const size_t texels = static_cast<size_t>(R) * R;
    std::vector<double> nearest(texels), second(texels), to_edge(texels);
    std::vector<double> nearest_x(texels), nearest_y(texels), second_x(texels), second_y(texels);
    std::vector<int> orbit(texels);
    for (double radius = 2 * spacing;; radius *= 1.5) {
        std::fill(nearest.begin(), nearest.end(), 1e300);
        std::fill(second.begin(), second.end(), 1e300);
        spread(radius, [&](size_t n, const site& s, double dx, double dy) {
            const double d = dx * dx + dy * dy;
            if (d < nearest[n]) {
                second[n] = nearest[n];
                second_x[n] = nearest_x[n];
                second_y[n] = nearest_y[n];
                nearest[n] = d;
                nearest_x[n] = dx;
                nearest_y[n] = dy;
                orbit[n] = s.orbit;
            } else if (d < second[n]) {
                second[n] = d;
                second_x[n] = dx;
                second_y[n] = dy;
            }
        });
        if (*std::max_element(second.begin(), second.end()) < 1e300)
            break;
    }
    // The outline: the bisector of the two nearest sites.
    for (size_t n = 0; n < texels; ++n) {
        const double gap = std::hypot(second_x[n] - nearest_x[n], second_y[n] - nearest_y[n]);
        to_edge[n] = gap > 1e-9 ? (second[n] - nearest[n]) / (2 * gap) : 0;
    }
    for (size_t n = 0; n < texels; ++n) {
        const colour inside = mix(fill[orbit[n]], colour{}, 0.3 * std::min(1.0, std::sqrt(nearest[n]) / spacing));
        const colour c = mix(inside, edge, coverage(to_edge[n] - half_width, texel));
        t.rgb[3 * n] = static_cast<float>(c.r);
        t.rgb[3 * n + 1] = static_cast<float>(c.g);
        t.rgb[3 * n + 2] = static_cast<float>(c.b);
    }
}

// The w x h picture of the texture with the lattice origin at `origin`: each
// pixel the mean of supersampling^2 bilinear samples.
rgb_picture sample_texture(const texture& t, const double origin[2], int w, int h)
{
    const int R = t.R;
    const double det = t.a[0] * t.b[1] - t.b[0] * t.a[1];
    const double inverse[2][2] = {{t.b[1] / det * R, -t.b[0] / det * R}, {-t.a[1] / det * R, t.a[0] / det * R}};
    rgb_picture picture;
    picture.w = w;
    picture.h = h;
    picture.rgb.resize(static_cast<size_t>(w) * h);
    constexpr double share = 1.0 / (supersampling * supersampling);
    std::vector<float> sum(3 * static_cast<size_t>(w));
    for (int j = 0; j < h; ++j) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int sj = 0; sj < supersampling; ++sj)
            for (int si = 0; si < supersampling; ++si) {
                // u along the row, kept in [0, R) as it steps.
                const double x = (si + 0.5) / supersampling - origin[0], y = j + (sj + 0.5) / supersampling - origin[1];
                double q0 = inverse[0][0] * x + inverse[0][1] * y, q1 = inverse[1][0] * x + inverse[1][1] * y;
                q0 -= R * std::floor(q0 / R);
                q1 -= R * std::floor(q1 / R);
                for (int i = 0; i < w; ++i) {
                    const int n0 = std::min(static_cast<int>(q0), R - 1), n1 = std::min(static_cast<int>(q1), R - 1);
                    const float w0 = static_cast<float>(q0 - n0), w1 = static_cast<float>(q1 - n1);
                    const int m0 = n0 + 1 == R ? 0 : n0 + 1, m1 = n1 + 1 == R ? 0 : n1 + 1;
                    const float* t00 = &t.rgb[3 * (static_cast<size_t>(n1) * R + n0)];
                    const float* t10 = &t.rgb[3 * (static_cast<size_t>(n1) * R + m0)];
                    const float* t01 = &t.rgb[3 * (static_cast<size_t>(m1) * R + n0)];
                    const float* t11 = &t.rgb[3 * (static_cast<size_t>(m1) * R + m0)];
                    const float k00 = (1 - w0) * (1 - w1), k10 = w0 * (1 - w1), k01 = (1 - w0) * w1, k11 = w0 * w1;
                    for (int c = 0; c < 3; ++c)
                        sum[3 * i + c] += k00 * t00[c] + k10 * t10[c] + k01 * t01[c] + k11 * t11[c];
                    q0 += inverse[0][0];
                    q1 += inverse[1][0];
                    while (q0 >= R)
                        q0 -= R;
                    while (q0 < 0)
                        q0 += R;
                    while (q1 >= R)
                        q1 -= R;
                    while (q1 < 0)
                        q1 += R;
                }
            }
        for (int i = 0; i < w; ++i)
            picture.rgb[static_cast<size_t>(j) * w + i] = pack(sum[3 * i] * share, sum[3 * i + 1] * share, sum[3 * i + 2] * share);
    }
    return picture;
}

size_t index_of(const std::vector<std::string>& names, const std::string& name, const char* what)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return i;
    throw std::invalid_argument(std::string("no ") + what + " " + name);
}

// One shaded object on a smooth scene: sky and ground gradients, a blob of
// wobbly outline lit from one side, its shadow on the ground.
rgb_picture draw_photo(random_engine& random, int w, int h)
{
    const colour sky_top = random_colour(random, 0.1, 0.6), sky_low = mix(sky_top, colour{1, 1, 1}, 0.5);
    const colour ground_near = random_colour(random, 0.2, 0.2), ground_far = mix(ground_near, sky_low, 0.4);
    const colour body = random_colour(random, 0.3, 0.5);
    const double horizon = h * uniform(random, 0.35, 0.6);
    const double r0 = std::min(w, h) * uniform(random, 0.2, 0.33);
    const double cx = w * uniform(random, 0.35, 0.65), cy = std::min(h - r0 * 1.05, horizon + r0 * uniform(random, 0.0, 0.5));
    double wobble[3], phase[3];
    for (int k = 0; k < 3; ++k) {
        wobble[k] = uniform(random, 0, 0.08);
        phase[k] = uniform(random, 0, 2 * pi);
    }
    const double light_angle = uniform(random, 0, 2 * pi);
    const double light[3] = {0.6 * std::cos(light_angle), 0.6 * std::sin(light_angle) - 0.3, 0.74};
    const double shadow_x = cx - light[0] * r0 * 0.8, shadow_y = cy + r0 * 0.9;
    rgb_picture picture;
    picture.w = w;
    picture.h = h;
    picture.rgb.resize(static_cast<size_t>(w) * h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            double sum[3] = {0, 0, 0};
            for (int s = 0; s < 4; ++s) {
                const double x = i + 0.25 + 0.5 * (s % 2), y = j + 0.25 + 0.5 * (s / 2);
                colour c = y < horizon ? mix(sky_top, sky_low, y / horizon) : mix(ground_far, ground_near, (y - horizon) / (h - horizon));
                if (y >= horizon) {
                    const double sx = (x - shadow_x) / (r0 * 1.1), sy = (y - shadow_y) / (r0 * 0.3);
                    c = mix(c, colour{}, 0.45 * std::clamp(1.2 - std::sqrt(sx * sx + sy * sy), 0.0, 1.0));
                }
                // The outline lies within 24% of r0 (three wobbles of 8% at most).
                const double dx = x - cx, dy = y - cy, rho = std::sqrt(dx * dx + dy * dy);
                double edge = r0, cover = 0;
                if (rho < r0 * 1.25 + 1) {
                    // cos((k + 2) theta + phase) from the powers of e^{i theta}.
                    const std::complex<double> turn = rho > 0 ? std::complex<double>(dx / rho, dy / rho) : 1.0;
                    std::complex<double> power = turn * turn;
                    for (int k = 0; k < 3; ++k, power *= turn)
                        edge += r0 * wobble[k] * (power.real() * std::cos(phase[k]) - power.imag() * std::sin(phase[k]));
                    cover = coverage(rho - edge, 1.0);
                }
                if (cover > 0) {
                    const double nx = dx / edge, ny = dy / edge, nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
                    const double diffuse = std::max(0.0, nx * light[0] + ny * light[1] + nz * light[2]);
                    double shine = std::max(0.0, nz * 0.9 + diffuse * 0.1);  // to the 40th power
                    shine *= shine;
                    shine *= shine;
                    shine *= shine;
                    shine = shine * shine * shine * shine * shine * 0.3;
                    const colour lit = mix(mix(colour{}, body, 0.25 + 0.75 * diffuse), colour{1, 1, 1}, shine);
                    c = mix(c, lit, cover);
                }
                sum[0] += c.r;
                sum[1] += c.g;
                sum[2] += c.b;
            }
            picture.rgb[static_cast<size_t>(j) * w + i] = pack(sum[0] / 4, sum[1] / 4, sum[2] / 4);
        }
    return picture;
}

// Twenty to sixty random shapes at random places on a plain background.
rgb_picture draw_scattered(random_engine& random, int w, int h)
{
    const colour background = random_colour(random, 0.1, 0.5);
    std::vector<colour> canvas(static_cast<size_t>(w) * h, background);
    const int count = uniform_int(random, 20, 60);
    for (int k = 0; k < count; ++k) {
        const shape s = random_shape(random, uniform(random, 0, w), uniform(random, 0, h), uniform(random, 8, 70));
        const double r = shape_radius(s) + 1;
        const int x0 = std::max(0, static_cast<int>(s.centre[0] - r)), x1 = std::min(w - 1, static_cast<int>(s.centre[0] + r));
        const int y0 = std::max(0, static_cast<int>(s.centre[1] - r)), y1 = std::min(h - 1, static_cast<int>(s.centre[1] + r));
        for (int j = y0; j <= y1; ++j)
            for (int i = x0; i <= x1; ++i) {
                colour& c = canvas[static_cast<size_t>(j) * w + i];
                c = mix(c, s.paint, coverage(signed_distance(s, i + 0.5, j + 0.5), 1.0));
            }
    }
    rgb_picture picture;
    picture.w = w;
    picture.h = h;
    for (const colour& c : canvas)
        picture.rgb.push_back(pack(c.r, c.g, c.b));
    return picture;
}

// The grey value of pixel (i, j), 0 to 765.
double grey(const rgb_picture& p, int i, int j)
{
    const uint32_t c = p.rgb[static_cast<size_t>(j) * p.w + i];
    return static_cast<double>((c >> 16) & 255) + ((c >> 8) & 255) + (c & 255);
}

}  // namespace

const std::vector<std::string>& realistic_kinds()
{
    static const std::vector<std::string> kinds = {"shapes", "waves", "noise", "tiling"};
    return kinds;
}

const std::vector<std::string>& negative_kinds()
{
    static const std::vector<std::string> kinds = {"white-noise", "photo", "scattered"};
    return kinds;
}

realistic_picture make_realistic(const std::string& group, const std::string& kind, unsigned seed)
{
    const pattern_group_spec& row = pattern_group(group);
    const size_t kind_index = index_of(realistic_kinds(), kind, "pattern kind");
    const unsigned group_index = static_cast<unsigned>(&row - pattern_groups().data());
    std::seed_seq seeds{seed, static_cast<unsigned>(kind_index), group_index};
    random_engine random(seeds);

    realistic_picture p;
    p.group = group;
    p.kind = kind;
    const double side = std::exp(uniform(random, std::log(40.0), std::log(300.0)));
    texture t;
    choose_lattice(group, side, random, t.a, t.b);
    t.R = std::max(smallest_grid, grid_step * static_cast<int>(std::ceil(side / grid_step)));
    t.rgb.assign(3 * static_cast<size_t>(t.R) * t.R, 0.0f);
    const std::vector<pattern_operation> ops = pattern_operations(row);
    // Drawn again (a few times at most) while the texture comes close to
    // holding an operation of its lattice that the group does not have.
    std::vector<pattern_operation> others;
    double lattice[2][2] = {{t.a[0], t.a[1]}, {t.b[0], t.b[1]}};
    for (const pattern_operation& g : lattice_operations(lattice)) {
        bool member = false;
        for (const pattern_operation& o : ops)
            member = member || (std::equal(&g.m[0][0], &g.m[0][0] + 4, &o.m[0][0]) && g.t[0] == o.t[0] && g.t[1] == o.t[1]);
        if (!member)
            others.push_back(g);
    }
    for (int attempt = 0; attempt < extra_symmetry_attempts; ++attempt) {
        switch (kind_index) {
        case 0: draw_shapes(t, ops, random); break;
        case 1: draw_waves(t, ops, random); break;
        case 2: draw_noise(t, ops, random); break;
        default: draw_tiling(t, ops, random); break;
        }
        double closest = -1;
        for (const pattern_operation& g : others)
            closest = std::max(closest, texture_correlation(t.rgb, t.R, g));
        if (closest < extra_symmetry_limit)
            break;
    }
    const int w0 = uniform_int(random, 640, 800);
    const int need = static_cast<int>(std::ceil(3 * side)) + 16;
    const int w = std::max(w0, need), h = std::max(w0 * 3 / 4, need);
    p.origin[0] = uniform(random, 0, w);
    p.origin[1] = uniform(random, 0, h);
    p.lattice[0][0] = t.a[0];
    p.lattice[0][1] = t.a[1];
    p.lattice[1][0] = t.b[0];
    p.lattice[1][1] = t.b[1];
    p.picture = sample_texture(t, p.origin, w, h);
    return p;
}

realistic_picture make_negative(const std::string& kind, unsigned seed)
{
    const size_t kind_index = index_of(negative_kinds(), kind, "negative kind");
    std::seed_seq seeds{seed, static_cast<unsigned>(kind_index), 7u};
    random_engine random(seeds);
    realistic_picture p;
    p.group = "none";
    p.kind = kind;
    const int w = uniform_int(random, 640, 800), h = w * 3 / 4;
    if (kind_index == 0) {
        p.picture.w = w;
        p.picture.h = h;
        p.picture.rgb.resize(static_cast<size_t>(w) * h);
        for (uint32_t& c : p.picture.rgb)
            c = static_cast<uint32_t>(random()) & 0xffffff;
    } else if (kind_index == 1) {
        p.picture = draw_photo(random, w, h);
    } else {
        p.picture = draw_scattered(random, w, h);
    }
    return p;
}

std::vector<pattern_operation> lattice_operations(const double lattice[2][2])
{
    // The metric G = A^T A; M keeps the lattice's lengths and angles when M^T G M = G.
    const double g[2][2] = {{lattice[0][0] * lattice[0][0] + lattice[0][1] * lattice[0][1], lattice[0][0] * lattice[1][0] + lattice[0][1] * lattice[1][1]},
                            {lattice[0][0] * lattice[1][0] + lattice[0][1] * lattice[1][1], lattice[1][0] * lattice[1][0] + lattice[1][1] * lattice[1][1]}};
    const double tolerance = 1e-6 * (g[0][0] + g[1][1]);
    std::vector<pattern_operation> found;
    for (int code = 0; code < 81; ++code) {
        const int m[2][2] = {{code % 3 - 1, code / 3 % 3 - 1}, {code / 9 % 3 - 1, code / 27 - 1}};
        if (std::abs(m[0][0] * m[1][1] - m[0][1] * m[1][0]) != 1)
            continue;
        bool keeps = true;
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j) {
                double v = 0;
                for (int k = 0; k < 2; ++k)
                    for (int l = 0; l < 2; ++l)
                        v += m[k][i] * g[k][l] * m[l][j];
                keeps = keeps && std::abs(v - g[i][j]) <= tolerance;
            }
        if (!keeps)
            continue;
        for (int t = 0; t < 4; ++t)
            found.push_back({{{m[0][0], m[0][1]}, {m[1][0], m[1][1]}}, {t % 2, t / 2}});
    }
    return found;
}

void pixel_operation(const realistic_picture& p, const pattern_operation& op, double linear[2][2], double shift[2])
{
    const double(&A)[2][2] = p.lattice;  // A[k] is vector k: column k of the matrix
    const double det = A[0][0] * A[1][1] - A[1][0] * A[0][1];
    const double inverse[2][2] = {{A[1][1] / det, -A[1][0] / det}, {-A[0][1] / det, A[0][0] / det}};
    // L = A M A^-1, with A's columns the lattice vectors.
    double am[2][2];
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            am[r][c] = A[0][r] * op.m[0][c] + A[1][r] * op.m[1][c];
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            linear[r][c] = am[r][0] * inverse[0][c] + am[r][1] * inverse[1][c];
    for (int r = 0; r < 2; ++r)
        shift[r] = A[0][r] * op.t[0] / 2.0 + A[1][r] * op.t[1] / 2.0 + p.origin[r] - linear[r][0] * p.origin[0] - linear[r][1] * p.origin[1];
}

double operation_correlation(const realistic_picture& p, const pattern_operation& op, int margin)
{
    double L[2][2], c[2];
    pixel_operation(p, op, L, c);
    const rgb_picture& pic = p.picture;
    // The same operation composed with the lattice translation that keeps the
    // picture's centre nearest in place, so most images fall inside.
    const double(&A)[2][2] = p.lattice;
    const double det = A[0][0] * A[1][1] - A[1][0] * A[0][1];
    const double mx = pic.w / 2.0, my = pic.h / 2.0;
    const double dx = mx - (L[0][0] * mx + L[0][1] * my + c[0]), dy = my - (L[1][0] * mx + L[1][1] * my + c[1]);
    const double k0 = std::round((A[1][1] * dx - A[1][0] * dy) / det), k1 = std::round((-A[0][1] * dx + A[0][0] * dy) / det);
    c[0] += k0 * A[0][0] + k1 * A[1][0];
    c[1] += k0 * A[0][1] + k1 * A[1][1];
    double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (int j = margin; j < pic.h - margin; j += 2)
        for (int i = margin; i < pic.w - margin; i += 2) {
            const double x = i + 0.5, y = j + 0.5;
            // The image, in coordinates where pixel centres are whole.
            const double gx = L[0][0] * x + L[0][1] * y + c[0] - 0.5, gy = L[1][0] * x + L[1][1] * y + c[1] - 0.5;
            if (gx < margin || gy < margin || gx > pic.w - 1 - margin || gy > pic.h - 1 - margin)
                continue;
            const int i0 = static_cast<int>(gx), j0 = static_cast<int>(gy);
            const double fx = gx - i0, fy = gy - j0;
            const double v = (1 - fy) * ((1 - fx) * grey(pic, i0, j0) + fx * grey(pic, i0 + 1, j0)) +
                             fy * ((1 - fx) * grey(pic, i0, j0 + 1) + fx * grey(pic, i0 + 1, j0 + 1));
            const double u = grey(pic, i, j);
            n += 1;
            sx += u;
            sy += v;
            sxx += u * u;
            syy += v * v;
            sxy += u * v;
        }
    if (n < 100)
        return 0;
    const double vx = sxx - sx * sx / n, vy = syy - sy * sy / n;
    if (vx <= 0 || vy <= 0)
        return 0;
    return (sxy - sx * sy / n) / std::sqrt(vx * vy);
}
