// The names of the plane groups, their operations in lattice coordinates,
// the elements of a set of operations and the name of the group it makes.
#include "plane_groups.h"

#include <geometry.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

const plane_group_names plane_groups[plane_group_count] = {
    {"p1", "p1", "o"},         {"p2", "p2", "2222"},      {"pm", "p1m1", "**"},      {"pg", "p1g1", "xx"},
    {"cm", "c1m1", "*x"},      {"pmm", "p2mm", "*2222"},  {"pmg", "p2mg", "22*"},    {"pgg", "p2gg", "22x"},
    {"cmm", "c2mm", "2*22"},   {"p4", "p4", "442"},       {"p4m", "p4mm", "*442"},   {"p4g", "p4gm", "4*2"},
    {"p3", "p3", "333"},       {"p3m1", "p3m1", "*333"},  {"p31m", "p31m", "3*3"},   {"p6", "p6", "632"},
    {"p6m", "p6mm", "*632"},
};

const plane_group_names* find_plane_group(const std::string& name)
{
    for (const plane_group_names& g : plane_groups)
        if (name == g.name)
            return &g;
    return nullptr;
}

std::string orbifold_of(const std::string& group)
{
    const plane_group_names* g = find_plane_group(group);
    return g ? g->orbifold : "";
}

namespace {

double frac(double x) { return x - std::floor(x); }
bool near_integer(double x, double tol) { return std::fabs(x - std::round(x)) < tol; }

// M = A^-1 R A for the pixel map R and the lattice A = (a b), rounded;
// false when M is not an integer matrix to within 1e-6.
bool lattice_matrix(const double a[2], const double b[2], const double r[2][2], int m[2][2])
{
    const double det = a[0] * b[1] - a[1] * b[0];
    if (!(std::fabs(det) > 0))
        return false;
    const double col[2][2] = {{a[0], b[0]}, {a[1], b[1]}};
    const double inv[2][2] = {{b[1] / det, -b[0] / det}, {-a[1] / det, a[0] / det}};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            double sum = 0;
            for (int k = 0; k < 2; ++k)
                for (int l = 0; l < 2; ++l)
                    sum += inv[i][k] * r[k][l] * col[l][j];
            if (!near_integer(sum, 1e-6))
                return false;
            m[i][j] = static_cast<int>(std::lround(sum));
        }
    return true;
}

bool same_isometry(const plane_isometry& g, const plane_isometry& h)
{
    return std::fabs(g.xx - h.xx) < 1e-9 && std::fabs(g.xy - h.xy) < 1e-9 && std::fabs(g.yx - h.yx) < 1e-9 &&
           std::fabs(g.yy - h.yy) < 1e-9 && std::fabs(g.tx - h.tx) < 1e-6 && std::fabs(g.ty - h.ty) < 1e-6;
}

// g with its translation brought into the cell at pixel (0, 0): u, v in [0, 1).
plane_isometry reduced(plane_isometry g, const double a[2], const double b[2])
{
    const double det = a[0] * b[1] - a[1] * b[0];
    double u = (g.tx * b[1] - g.ty * b[0]) / det, v = (a[0] * g.ty - a[1] * g.tx) / det;
    u -= std::floor(u + 1e-9), v -= std::floor(v + 1e-9);
    if (u > 1 - 1e-9)
        u = 0;
    if (v > 1 - 1e-9)
        v = 0;
    g.tx = u * a[0] + v * b[0], g.ty = u * a[1] + v * b[1];
    return g;
}

}  // namespace

int det2(const int m[2][2]) { return m[0][0] * m[1][1] - m[0][1] * m[1][0]; }

int rotation_order(const int m[2][2])
{
    if (det2(m) != 1)
        return 1;
    switch (m[0][0] + m[1][1]) {
    case -2: return 2;
    case -1: return 3;
    case 0: return 4;
    case 1: return 6;
    default: return 1;
    }
}

plane_operation compose(const plane_operation& p, const plane_operation& q)
{
    plane_operation r;
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j)
            r.m[i][j] = p.m[i][0] * q.m[0][j] + p.m[i][1] * q.m[1][j];
        r.g[i] = p.m[i][0] * q.g[0] + p.m[i][1] * q.g[1] + p.g[i];
    }
    return r;
}

std::vector<plane_operation> about(const std::vector<plane_operation>& ops, plane_point o)
{
    std::vector<plane_operation> moved = ops;
    for (plane_operation& op : moved) {
        op.g[0] += op.m[0][0] * o.x + op.m[0][1] * o.y - o.x;
        op.g[1] += op.m[1][0] * o.x + op.m[1][1] * o.y - o.y;
    }
    return moved;
}

void pixel_linear(const double a[2], const double b[2], const int m[2][2], double l[2][2])
{
    const double A[2][2] = {{a[0], b[0]}, {a[1], b[1]}};
    const double det = A[0][0] * A[1][1] - A[0][1] * A[1][0];
    const double inv[2][2] = {{A[1][1] / det, -A[0][1] / det}, {-A[1][0] / det, A[0][0] / det}};
    double am[2][2];
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            am[i][j] = A[i][0] * m[0][j] + A[i][1] * m[1][j];
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            l[i][j] = am[i][0] * inv[0][j] + am[i][1] * inv[1][j];
}

bool lattice_operation(const plane_isometry& g, const double a[2], const double b[2], plane_operation& op)
{
    const double r[2][2] = {{g.xx, g.xy}, {g.yx, g.yy}};
    if (!lattice_matrix(a, b, r, op.m))
        return false;
    const double det = a[0] * b[1] - a[1] * b[0];
    op.g[0] = (g.tx * b[1] - g.ty * b[0]) / det;
    op.g[1] = (a[0] * g.ty - a[1] * g.tx) / det;
    return true;
}

std::vector<plane_isometry> isometries_modulo_lattice(const std::vector<plane_isometry>& generators,
                                                      const double a[2], const double b[2])
{
    constexpr size_t most = 64;
    std::vector<plane_isometry> all = {translate_by(0, 0)};
    if (!(std::fabs(a[0] * b[1] - a[1] * b[0]) > 0))
        return all;
    for (size_t k = 0; k < all.size() && all.size() < most; ++k)
        for (const plane_isometry& generator : generators) {
            const plane_isometry next = reduced(compose(generator, all[k]), a, b);
            if (std::none_of(all.begin(), all.end(), [&](const plane_isometry& o) { return same_isometry(o, next); }))
                all.push_back(next);
        }
    return all;
}

std::vector<plane_point> fixed_points(const std::vector<plane_operation>& ops, double tol)
{
    std::vector<plane_point> points;
    for (const plane_operation& op : ops) {
        if (det2(op.m) != 1 || rotation_order(op.m) == 1)
            continue;
        const double i00 = 1 - op.m[0][0], i01 = -op.m[0][1], i10 = -op.m[1][0], i11 = 1 - op.m[1][1];
        const double d = i00 * i11 - i01 * i10;
        for (int n0 = 0; n0 < 4; ++n0)
            for (int n1 = 0; n1 < 4; ++n1) {
                const double r0 = frac(op.g[0]) + n0, r1 = frac(op.g[1]) + n1;
                const plane_point u{frac((i11 * r0 - i01 * r1) / d + tol / 2) - tol / 2,
                                    frac((-i10 * r0 + i00 * r1) / d + tol / 2) - tol / 2};
                const bool known = std::any_of(points.begin(), points.end(), [&](const plane_point& p) {
                    return near_integer(p.x - u.x, tol) && near_integer(p.y - u.y, tol);
                });
                if (!known)
                    points.push_back(u);
            }
    }
    return points;
}

int order_at(const std::vector<plane_operation>& ops, plane_point u, double tol)
{
    int order = 1;
    for (const plane_operation& op : ops)
        if (det2(op.m) == 1 && rotation_order(op.m) > 1 &&
            near_integer(u.x - (op.m[0][0] * u.x + op.m[0][1] * u.y + op.g[0]), tol) &&
            near_integer(u.y - (op.m[1][0] * u.x + op.m[1][1] * u.y + op.g[1]), tol))
            ++order;
    return order;
}

void axis_of(const int m[2][2], int d[2])
{
    int x = m[0][0] + 1, y = m[1][0];
    if (x == 0 && y == 0) {
        x = m[0][1];
        y = m[1][1] + 1;
    }
    const int g = std::max(1, std::gcd(std::abs(x), std::abs(y)));
    d[0] = x / g;
    d[1] = y / g;
}

void reflection_lines(const plane_operation& op, double tol, std::vector<line_class>& classes, bool& mirror,
                      bool& glide)
{
    int d[2];
    axis_of(op.m, d);
    if (d[0] == 0 && d[1] == 0)
        return;
    for (int n0 = -2; n0 <= 2; ++n0)
        for (int n1 = -2; n1 <= 2; ++n1) {
            const double g0 = frac(op.g[0]) + n0, g1 = frac(op.g[1]) + n1;
            const double mg0 = op.m[0][0] * g0 + op.m[0][1] * g1, mg1 = op.m[1][0] * g0 + op.m[1][1] * g1;
            // The glide vector (g + Mg)/2 lies along d; in units of d:
            const double along = ((g0 + mg0) * d[0] + (g1 + mg1) * d[1]) / (2.0 * (d[0] * d[0] + d[1] * d[1]));
            if (!near_integer(along, tol) && !near_integer(along - 0.5, tol))
                continue;
            const bool is_glide = !near_integer(along, tol);
            if (std::fabs(along) > 0.5 + tol)
                continue;  // the same line with a longer glide
            // A point of the line: (g - Mg)/4.
            const double p0 = (g0 - mg0) / 4, p1 = (g1 - mg1) / 4;
            const double offset = frac(d[0] * p1 - d[1] * p0 + tol / 2) - tol / 2;
            const bool known = std::any_of(classes.begin(), classes.end(), [&](const line_class& c) {
                return c.d[0] == d[0] && c.d[1] == d[1] && c.glide == is_glide && near_integer(c.offset - offset, tol);
            });
            (is_glide ? glide : mirror) = true;
            if (!known)
                classes.push_back({{d[0], d[1]}, offset, is_glide});
        }
}

plane_elements elements_of(const std::vector<plane_operation>& ops, double tol)
{
    plane_elements found;
    for (const plane_point& u : fixed_points(ops, tol))
        found.centres.push_back({u, order_at(ops, u, tol)});
    std::stable_sort(found.centres.begin(), found.centres.end(),
                     [](const centre_class& p, const centre_class& q) { return p.order > q.order; });
    for (const plane_operation& op : ops)
        if (det2(op.m) == -1) {
            bool mirror = false, glide = false;
            reflection_lines(op, tol, found.lines, mirror, glide);
        }
    std::stable_sort(found.lines.begin(), found.lines.end(),
                     [](const line_class& p, const line_class& q) { return !p.glide && q.glide; });
    return found;
}

std::string name_group(const double a[2], const double b[2], const std::vector<plane_operation>& ops, double tol)
{
    int top = 1;
    struct reflection_flags {
        bool mirror = false, glide = false;
        const plane_operation* op = nullptr;
    };
    std::vector<reflection_flags> reflections;
    for (const plane_operation& op : ops) {
        if (det2(op.m) == 1) {
            top = std::max(top, rotation_order(op.m));
            continue;
        }
        reflection_flags f;
        f.op = &op;
        std::vector<line_class> unused;
        reflection_lines(op, tol, unused, f.mirror, f.glide);
        reflections.push_back(f);
    }
    const bool any = !reflections.empty();
    auto all = [&](bool mirror, bool glide) {
        return std::all_of(reflections.begin(), reflections.end(),
                           [&](const reflection_flags& f) { return f.mirror == mirror && f.glide == glide; });
    };
    switch (top) {
    case 6: return any ? "p6m" : "p6";
    case 3: {
        if (!any)
            return "p3";
        // p31m's mirrors run along the shortest lattice vectors, p3m1's
        // along the long diagonals.
        int d[2];
        axis_of(reflections[0].op->m, d);
        const double along = std::hypot(d[0] * a[0] + d[1] * b[0], d[0] * a[1] + d[1] * b[1]);
        return along < 1.2 * std::hypot(a[0], a[1]) ? "p31m" : "p3m1";
    }
    case 4:
        if (!any)
            return "p4";
        return std::all_of(reflections.begin(), reflections.end(), [](const reflection_flags& f) { return f.mirror; })
                   ? "p4m"
                   : "p4g";
    case 2:
        if (!any)
            return "p2";
        if (all(true, false)) return "pmm";
        if (all(true, true)) return "cmm";
        if (all(false, true)) return "pgg";
        return "pmg";
    default:
        if (!any)
            return "p1";
        if (reflections[0].mirror)
            return reflections[0].glide ? "cm" : "pm";
        return "pg";
    }
}
