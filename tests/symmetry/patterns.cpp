#include "patterns.h"

#include <cmath>
#include <cstdlib>
#include <random>
#include <stdexcept>

namespace {


pattern_operation op(int m00, int m01, int m10, int m11, int t0 = 0, int t1 = 0)
{
    return {{{m00, m01}, {m10, m11}}, {t0, t1}};
}

// Composition p after q, translations reduced modulo the lattice.
pattern_operation compose(const pattern_operation& p, const pattern_operation& q)
{
    pattern_operation r{};
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j)
            r.m[i][j] = p.m[i][0] * q.m[0][j] + p.m[i][1] * q.m[1][j];
        r.t[i] = (((p.m[i][0] * q.t[0] + p.m[i][1] * q.t[1] + p.t[i]) % 2) + 2) % 2;
    }
    return r;
}

bool same(const pattern_operation& p, const pattern_operation& q)
{
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            if (p.m[i][j] != q.m[i][j])
                return false;
    return p.t[0] == q.t[0] && p.t[1] == q.t[1];
}

// Every operation of the group modulo the lattice, the identity first.
std::vector<pattern_operation> closure(const std::vector<pattern_operation>& generators)
{
    std::vector<pattern_operation> all = {op(1, 0, 0, 1)};
    for (size_t i = 0; i < all.size(); ++i)
        for (const pattern_operation& g : generators) {
            const pattern_operation next = compose(g, all[i]);
            bool known = false;
            for (const pattern_operation& o : all)
                known = known || same(o, next);
            if (!known)
                all.push_back(next);
        }
    return all;
}

long floor_div(long a, long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

const std::vector<pattern_group_spec>& pattern_groups()
{
    static const pattern_operation half_turn = op(-1, 0, 0, -1), quarter = op(0, -1, 1, 0), sixth = op(0, -1, 1, 1);
    static const std::vector<pattern_group_spec> groups = {
        {"p1", {}},
        {"p2", {half_turn}},
        {"pm", {op(-1, 0, 0, 1)}},
        {"pg", {op(-1, 0, 0, 1, 0, 1)}},
        {"cm", {op(0, 1, 1, 0)}},
        {"pmm", {op(-1, 0, 0, 1), op(1, 0, 0, -1)}},
        {"pmg", {half_turn, op(-1, 0, 0, 1, 1, 0)}},
        {"pgg", {half_turn, op(-1, 0, 0, 1, 1, 1)}},
        {"cmm", {op(0, 1, 1, 0), op(0, -1, -1, 0)}},
        {"p4", {quarter}},
        {"p4m", {quarter, op(-1, 0, 0, 1)}},
        {"p4g", {quarter, op(-1, 0, 0, 1, 1, 1)}},
        {"p3", {compose(sixth, sixth)}},
        {"p3m1", {compose(sixth, sixth), op(0, 1, 1, 0)}},
        {"p31m", {compose(sixth, sixth), op(0, -1, -1, 0)}},
        {"p6", {sixth}},
        {"p6m", {sixth, op(0, 1, 1, 0)}},
    };
    return groups;
}

const pattern_group_spec& pattern_group(const std::string& name)
{
    for (const pattern_group_spec& g : pattern_groups())
        if (g.name == name)
            return g;
    throw std::invalid_argument("no group " + name);
}

std::vector<pattern_operation> pattern_operations(const pattern_group_spec& group) { return closure(group.generators); }

std::vector<uint32_t> make_pattern(const pattern_group_spec& group, const int a[2], const int b[2], const int origin2[2],
                                   int w, int h, unsigned seed)
{
    const std::vector<pattern_operation> ops = closure(group.generators);
    // lattice_basis coordinates u = N / s of a point 2(p - o) = Y: N = adj(A) Y.
    long det = static_cast<long>(a[0]) * b[1] - static_cast<long>(a[1]) * b[0];
    const long sign = det < 0 ? -1 : 1;
    const long s = 2 * sign * det;
    const long adj[2][2] = {{sign * b[1], -sign * b[0]}, {-sign * a[1], sign * a[0]}};

    std::mt19937 random(seed);
    struct disc { long n[2]; long r2; uint32_t colour; };
    std::vector<disc> discs;
    const double side = std::sqrt(static_cast<double>(std::labs(det)));
    std::uniform_int_distribution<long> coordinate(0, s - 1);
    std::uniform_real_distribution<double> radius(0.06 * side, 0.10 * side);
    for (int k = 0; k < 3; ++k) {
        const double r = radius(random) * static_cast<double>(s);
        discs.push_back({{coordinate(random), coordinate(random)}, static_cast<long>(r * r), static_cast<uint32_t>(random() & 0xffffff)});
    }
    const uint32_t background = static_cast<uint32_t>(random() & 0xffffff);

    std::vector<uint32_t> picture(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const long y0 = 2L * x - origin2[0], y1 = 2L * y - origin2[1];
            const long n0 = adj[0][0] * y0 + adj[0][1] * y1, n1 = adj[1][0] * y0 + adj[1][1] * y1;
            size_t first = discs.size();
            for (const pattern_operation& g : ops) {
                long m0 = g.m[0][0] * n0 + g.m[0][1] * n1 + g.t[0] * (s / 2);
                long m1 = g.m[1][0] * n0 + g.m[1][1] * n1 + g.t[1] * (s / 2);
                m0 -= floor_div(m0, s) * s;
                m1 -= floor_div(m1, s) * s;
                for (size_t k = 0; k < first; ++k)
                    for (int i = -1; i <= 1; ++i)
                        for (int j = -1; j <= 1; ++j) {
                            const long d0 = m0 + i * s - discs[k].n[0], d1 = m1 + j * s - discs[k].n[1];
                            // The pixel-space offset times s: A d.
                            const long px = a[0] * d0 + b[0] * d1, py = a[1] * d0 + b[1] * d1;
                            if (px * px + py * py <= discs[k].r2)
                                first = k;
                        }
            }
            picture[static_cast<size_t>(y) * w + x] = first < discs.size() ? discs[first].colour : background;
        }
    return picture;
}

// A hexagonal pattern on the lattice (side, 0) (side / 2, side sqrt(3) / 2),
// each pixel coloured by its centre: a disc about every lattice point and
// every 3-fold centre, and with `turned`, six small discs about each
// lattice point turned 15 degrees off the mirrors (p6 instead of p6m).
std::vector<uint32_t> make_real_hexagonal_pattern(double side, bool turned, int w, int h)
{
    const double pi = std::acos(-1.0), height = side * std::sqrt(3.0) / 2;
    std::vector<uint32_t> picture(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double px = x + 0.5 - 300.3, py = y + 0.5 - 200.7;
            const double v = py / height, u = px / side - v / 2;  // lattice coordinates
            uint32_t colour = 0xf0e0a0;
            for (int i = -1; i <= 2; ++i)
                for (int j = -1; j <= 2; ++j) {
                    const double cu = std::floor(u) + i, cv = std::floor(v) + j;
                    const double lx = (cu + cv / 2) * side, ly = cv * height;
                    const double dx = px - lx, dy = py - ly;
                    const double r = std::hypot(dx, dy);
                    if (r < 0.3 * side)
                        colour = 0xc02020;
                    for (int k = 0; k < 6 && turned; ++k) {
                        const double t = pi / 3 * k + pi / 12;
                        if (std::hypot(dx - 0.4 * side * std::cos(t), dy - 0.4 * side * std::sin(t)) < 0.06 * side)
                            colour = 0x2040c0;
                    }
                    // The 3-fold centres at a third and two thirds of the long diagonal.
                    for (const double f : {1.0 / 3, 2.0 / 3})
                        if (std::hypot(px - lx - f * 1.5 * side, py - ly - f * height) < 0.12 * side)
                            colour = 0x20a040;
                }
            picture[static_cast<size_t>(y) * w + x] = colour;
        }
    return picture;
}
