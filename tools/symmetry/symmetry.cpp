// The classifier. Periods come from where a distinctive block of the
// picture reappears, verified on the whole overlap; the shortest period and
// the shortest one not parallel to it are the lattice basis. Each point
// operation the lattice allows is then looked for the same way: the block's
// image under the operation is searched over one cell, which gives the
// operation's translation part, and the operation is verified on the whole
// picture. The operations found, written in lattice coordinates, name the
// group and give its rotation centres, mirrors and glides.
#include "symmetry.h"
#include "robust.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <numeric>

namespace {

constexpr int block = 12;         // side of the distinctive block
constexpr int sample_step = 7;    // the sparse pass of a verification
constexpr double eps = 1e-6;
constexpr int margins[] = {0, 4, 8, 16, 24, 32, 48, 64};  // left out at the edges, in turn
constexpr double rough_agreement = 0.8;  // a period found approximately, before the edges are left out

// The part of the picture that is compared: everything but a uniform frame.
struct picture_view {
    const uint32_t* px = nullptr;
    int w = 0;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    uint32_t at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
    bool inside(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

// Leaves out rows and columns of one colour at the edges (a frame), at most
// an eighth of the picture on each side.
picture_view crop_frame(const uint32_t* rgb, int w, int h)
{
    picture_view v{rgb, w, 0, 0, w, h};
    auto row_uniform = [&](int y) {
        for (int x = v.x0; x < v.x1; ++x)
            if (v.at(x, y) != v.at(v.x0, y))
                return false;
        return true;
    };
    auto column_uniform = [&](int x) {
        for (int y = v.y0; y < v.y1; ++y)
            if (v.at(x, y) != v.at(x, v.y0))
                return false;
        return true;
    };
    for (bool cut = true; cut && v.x0 < v.x1 && v.y0 < v.y1;) {
        cut = false;
        if (v.y0 < h / 8 && row_uniform(v.y0)) { ++v.y0; cut = true; }
        if (v.y0 < v.y1 && h - v.y1 < h / 8 && row_uniform(v.y1 - 1)) { --v.y1; cut = true; }
        if (v.y0 >= v.y1) break;
        if (v.x0 < w / 8 && column_uniform(v.x0)) { ++v.x0; cut = true; }
        if (v.x0 < v.x1 && w - v.x1 < w / 8 && column_uniform(v.x1 - 1)) { --v.x1; cut = true; }
    }
    return v;
}

// The view with `margin` more pixels left out on every side.
picture_view inset(const picture_view& v, int margin)
{
    picture_view inner = v;
    inner.x0 += margin;
    inner.y0 += margin;
    inner.x1 -= margin;
    inner.y1 -= margin;
    return inner;
}

// The block of the central half with the most colour changes between
// neighbouring pixels; false when every such block is of one colour.
bool pick_block(const picture_view& v, int& bx, int& by)
{
    const int cw = v.x1 - v.x0, ch = v.y1 - v.y0;
    if (cw < 3 * block || ch < 3 * block)
        return false;
    const int step = std::max(2, std::min(cw, ch) / 24);
    int best = 0;
    for (int y = v.y0 + ch / 4; y + block <= v.y0 + 3 * ch / 4; y += step)
        for (int x = v.x0 + cw / 4; x + block <= v.x0 + 3 * cw / 4; x += step) {
            int changes = 0;
            for (int j = 0; j < block; ++j)
                for (int i = 0; i < block; ++i) {
                    const uint32_t c = v.at(x + i, y + j);
                    changes += (i + 1 < block && v.at(x + i + 1, y + j) != c) + (j + 1 < block && v.at(x + i, y + j + 1) != c);
                }
            if (changes > best) {
                best = changes;
                bx = x;
                by = y;
            }
        }
    return best > 0;
}

// True when the translation by (tx, ty) maps the picture onto itself
// wherever a pixel and its image both lie inside.
bool holds_translation(const picture_view& v, int tx, int ty)
{
    const int xa = std::max(v.x0, v.x0 - tx), xb = std::min(v.x1, v.x1 - tx);
    const int ya = std::max(v.y0, v.y0 - ty), yb = std::min(v.y1, v.y1 - ty);
    if (xa >= xb || ya >= yb)
        return false;
    for (int y = ya; y < yb; y += sample_step)
        for (int x = xa; x < xb; x += sample_step)
            if (v.at(x, y) != v.at(x + tx, y + ty))
                return false;
    const size_t bytes = static_cast<size_t>(xb - xa) * sizeof(uint32_t);
    for (int y = ya; y < yb; ++y)
        if (std::memcmp(&v.px[static_cast<size_t>(y) * v.w + xa], &v.px[static_cast<size_t>(y + ty) * v.w + xa + tx], bytes))
            return false;
    return true;
}

// The two lattice vectors: whole pixels when every translation holds pixel
// for pixel, real-valued for a hexagonal lattice found approximately.
struct lattice_basis {
    double a[2] = {}, b[2] = {};
    double det() const { return a[0] * b[1] - a[1] * b[0]; }
};

long length2(int x, int y) { return static_cast<long>(x) * x + static_cast<long>(y) * y; }

// A candidate period and its squared length.
struct period_offset { int x, y; long len2; };

// The lattice of periods, as its two shortest independent vectors; false
// when the picture has no two independent periods shorter than half its
// width and height.
bool find_lattice(const picture_view& v, int bx, int by, lattice_basis& lattice)
{
    const int cw = v.x1 - v.x0, ch = v.y1 - v.y0;
    std::vector<period_offset> offsets;
    const int qy0 = std::max(v.y0, by - ch / 2), qy1 = std::min(v.y1 - block, by + ch / 2);
    const int qx0 = std::max(v.x0, bx - cw / 2), qx1 = std::min(v.x1 - block, bx + cw / 2);
    for (int qy = qy0; qy <= qy1; ++qy)
        for (int qx = qx0; qx <= qx1; ++qx) {
            int dx = qx - bx, dy = qy - by;
            if (dx == 0 && dy == 0)
                continue;
            bool same = true;
            for (int j = 0; j < block && same; ++j)
                for (int i = 0; i < block; ++i)
                    if (v.at(bx + i, by + j) != v.at(qx + i, qy + j)) {
                        same = false;
                        break;
                    }
            if (!same)
                continue;
            if (dy < 0 || (dy == 0 && dx < 0)) {
                dx = -dx;  // each period once, as the one pointing down or right
                dy = -dy;
            }
            offsets.push_back({dx, dy, length2(dx, dy)});
        }
    std::sort(offsets.begin(), offsets.end(), [](const period_offset& p, const period_offset& q) {
        if (p.len2 != q.len2) return p.len2 < q.len2;
        if (std::abs(p.y) != std::abs(q.y)) return std::abs(p.y) < std::abs(q.y);
        return p.x > q.x;
    });
    offsets.erase(std::unique(offsets.begin(), offsets.end(), [](const period_offset& p, const period_offset& q) { return p.x == q.x && p.y == q.y; }),
                  offsets.end());
    bool have_first = false;
    for (const period_offset& o : offsets) {
        if (have_first && static_cast<long>(lattice.a[0]) * o.y - static_cast<long>(lattice.a[1]) * o.x == 0)
            continue;  // parallel to the first period
        if (!holds_translation(v, o.x, o.y))
            continue;
        if (!have_first) {
            lattice.a[0] = o.x;
            lattice.a[1] = o.y;
            have_first = true;
        } else {
            lattice.b[0] = o.x;
            lattice.b[1] = o.y;
            // The second vector makes an angle of at most 90 degrees with the first.
            if (static_cast<long>(lattice.a[0]) * o.x + static_cast<long>(lattice.a[1]) * o.y < 0) {
                lattice.b[0] = -o.x;
                lattice.b[1] = -o.y;
            }
            return true;
        }
    }
    return false;
}

// An affine map of index coordinates, p -> L p + c.
struct affine_map {
    double l[2][2] = {{1, 0}, {0, 1}};
    double c[2] = {0, 0};
};

// True when the integer map p -> R p + c maps the picture onto itself
// wherever a pixel and its image both lie inside.
bool holds_exactly(const picture_view& v, const int r[2][2], const int c[2])
{
    for (int pass = 0; pass < 2; ++pass) {
        const int step = pass == 0 ? sample_step : 1;
        for (int y = v.y0; y < v.y1; y += step) {
            int x = v.x0;
            int tx = r[0][0] * x + r[0][1] * y + c[0], ty = r[1][0] * x + r[1][1] * y + c[1];
            for (; x < v.x1; x += step, tx += step * r[0][0], ty += step * r[1][0])
                if (v.inside(tx, ty) && v.at(x, y) != v.at(tx, ty))
                    return false;
        }
    }
    return true;
}

// The share of pixels (every step-th row and column) whose image under
// `map`, rounded to the nearest pixel, lies inside and has their colour;
// 0 when no image lies inside.
double agreement(const picture_view& v, const affine_map& map, int step)
{
    long compared = 0, agreeing = 0;
    // Rounded by truncation after an offset that keeps the values positive.
    constexpr double shift = 1 << 20;
    const double dx0 = step * map.l[0][0], dx1 = step * map.l[1][0];
    for (int y = v.y0; y < v.y1; y += step) {
        double fx = map.l[0][0] * v.x0 + map.l[0][1] * y + map.c[0] + 0.5 + shift;
        double fy = map.l[1][0] * v.x0 + map.l[1][1] * y + map.c[1] + 0.5 + shift;
        const uint32_t* row = v.px + static_cast<size_t>(y) * v.w;
        for (int x = v.x0; x < v.x1; x += step, fx += dx0, fy += dx1) {
            const int tx = static_cast<int>(fx) - (1 << 20), ty = static_cast<int>(fy) - (1 << 20);
            if (!v.inside(tx, ty))
                continue;
            ++compared;
            agreeing += row[x] == v.at(tx, ty);
        }
    }
    return compared ? static_cast<double>(agreeing) / compared : 0;
}

// Calls visit(qx, qy) for each integer point of one cell of `lattice`
// about the centre of the view, moved by a lattice vector where needed so
// that a block about it lies inside.
template <typename visitor>
void for_each_cell_point(const picture_view& v, const lattice_basis& lattice, visitor visit)
{
    const double det = lattice.det();
    const double* a = lattice.a;
    const double* b = lattice.b;
    const int ox = (v.x0 + v.x1) / 2 - static_cast<int>((a[0] + b[0]) / 2);
    const int oy = (v.y0 + v.y1) / 2 - static_cast<int>((a[1] + b[1]) / 2);
    const double xs[4] = {0, a[0], b[0], a[0] + b[0]}, ys[4] = {0, a[1], b[1], a[1] + b[1]};
    const int xmin = static_cast<int>(std::floor(*std::min_element(xs, xs + 4)));
    const int xmax = static_cast<int>(std::ceil(*std::max_element(xs, xs + 4)));
    const int ymin = static_cast<int>(std::floor(*std::min_element(ys, ys + 4)));
    const int ymax = static_cast<int>(std::ceil(*std::max_element(ys, ys + 4)));
    for (int dy = ymin; dy <= ymax; ++dy)
        for (int dx = xmin; dx <= xmax; ++dx) {
            const double u = (dx * b[1] - dy * b[0]) / det, w = (a[0] * dy - a[1] * dx) / det;
            if (u < 0 || u >= 1 || w < 0 || w >= 1)
                continue;
            visit(ox + dx, oy + dy);
        }
}

// Moves q by a lattice vector so that the block's image about it lies
// inside (margin `block` on every side); false when none does.
bool bring_inside(const picture_view& v, const lattice_basis& lattice, int& qx, int& qy)
{
    for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j) {
            const int x = qx + static_cast<int>(std::lround(i * lattice.a[0] + j * lattice.b[0]));
            const int y = qy + static_cast<int>(std::lround(i * lattice.a[1] + j * lattice.b[1]));
            if (x - block >= v.x0 && x + block < v.x1 && y - block >= v.y0 && y + block < v.y1) {
                qx = x;
                qy = y;
                return true;
            }
        }
    return false;
}

// The translation part c of an exact operation p -> R p + c of the picture,
// searched over one cell; false when R belongs to none.
bool find_exact(const picture_view& v, const lattice_basis& lattice, int bx, int by, const int r[2][2], int c[2])
{
    bool found = false;
    for_each_cell_point(v, lattice, [&](int qx, int qy) {
        if (found || !bring_inside(v, lattice, qx, qy))
            return;
        for (int j = 0; j < block; ++j)
            for (int i = 0; i < block; ++i)
                if (v.at(bx + i, by + j) != v.at(qx + r[0][0] * i + r[0][1] * j, qy + r[1][0] * i + r[1][1] * j))
                    return;
        const int cc[2] = {qx - (r[0][0] * bx + r[0][1] * by), qy - (r[1][0] * bx + r[1][1] * by)};
        if (holds_exactly(v, r, cc)) {
            c[0] = cc[0];
            c[1] = cc[1];
            found = true;
        }
    });
    return found;
}

// The best translation part of the near-isometry p -> L p + c, searched
// over one cell and refined to a sixteenth of a pixel, with its agreement.
double find_approximate(const picture_view& v, const lattice_basis& lattice, int bx, int by, affine_map& map)
{
    constexpr int keep = 16;
    constexpr int most_misses = block * block / 4;
    struct candidate { int x, y, misses; };
    std::vector<candidate> best;
    for_each_cell_point(v, lattice, [&](int qx, int qy) {
        if (!bring_inside(v, lattice, qx, qy))
            return;
        int misses = 0;
        for (int j = 0; j < block && misses <= most_misses; ++j)
            for (int i = 0; i < block; ++i) {
                const int tx = qx + static_cast<int>(std::floor(map.l[0][0] * i + map.l[0][1] * j + 0.5));
                const int ty = qy + static_cast<int>(std::floor(map.l[1][0] * i + map.l[1][1] * j + 0.5));
                // A turned block reaches up to 1.4 blocks from q: an image
                // outside the view cannot agree.
                misses += !v.inside(tx, ty) || v.at(bx + i, by + j) != v.at(tx, ty);
            }
        if (misses > most_misses)
            return;
        best.push_back({qx, qy, misses});
        std::sort(best.begin(), best.end(), [](const candidate& p, const candidate& q) { return p.misses < q.misses; });
        if (best.size() > keep)
            best.pop_back();
    });
    // The candidate that agrees best on a sample, refined to a sixteenth of a pixel.
    double top = -1;
    affine_map chosen = map;
    for (const candidate& q : best) {
        affine_map trial = map;
        trial.c[0] = q.x - (map.l[0][0] * bx + map.l[0][1] * by);
        trial.c[1] = q.y - (map.l[1][0] * bx + map.l[1][1] * by);
        const double share = agreement(v, trial, 5);
        if (share > top) {
            top = share;
            chosen = trial;
        }
    }
    if (best.empty())
        return 0;
    // Each pass on a denser sample, about the best of the pass before.
    constexpr struct { double unit; int reach, step; } passes[] = {{0.25, 3, 5}, {0.125, 2, 4}, {0.0625, 2, 3}};
    for (const auto& pass : passes) {
        const affine_map start = chosen;
        top = agreement(v, start, pass.step);
        for (int j = -pass.reach; j <= pass.reach; ++j)
            for (int i = -pass.reach; i <= pass.reach; ++i) {
                affine_map trial = start;
                trial.c[0] += pass.unit * i;
                trial.c[1] += pass.unit * j;
                const double share = agreement(v, trial, pass.step);
                if (share > top) {
                    top = share;
                    chosen = trial;
                }
            }
    }
    top = agreement(v, chosen, 1);
    map = chosen;
    return top;
}

// The share of pixels (every step-th row and column) that keep their
// colour under the translation by the whole-pixel vector t.
double shift_agreement(const picture_view& v, int tx, int ty, int step)
{
    affine_map shift;
    shift.c[0] = tx;
    shift.c[1] = ty;
    return agreement(v, shift, step);
}

// The whole-pixel vector near t that the picture agrees with best under
// translation (every step-th pixel), climbing from t to the best of its
// eight neighbours while that is better; returns the share there.
double climb_shift(const picture_view& v, int step, int t[2])
{
    // Each shift is measured once: neighbouring steps share most of their
    // neighbours.
    std::vector<std::pair<std::pair<int, int>, double>> measured;
    auto share_at = [&](int x, int y) {
        for (const auto& [at, share] : measured)
            if (at.first == x && at.second == y)
                return share;
        const double share = shift_agreement(v, x, y, step);
        measured.push_back({{x, y}, share});
        return share;
    };
    double top = share_at(t[0], t[1]);
    for (bool moved = true; moved;) {
        moved = false;
        const int x = t[0], y = t[1];
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const double share = (dx || dy) ? share_at(x + dx, y + dy) : -1;
                if (share > top) {
                    top = share;
                    t[0] = x + dx;
                    t[1] = y + dy;
                    moved = true;
                }
            }
    }
    return top;
}

// The whole-pixel vectors, pointing down or right and shorter than half the
// view, under which a spread sample of the picture mostly keeps its colour,
// shortest first; those joined to the zero vector by such vectors (a mere
// nudge of large uniform areas) left out.
std::vector<period_offset> rough_periods(const picture_view& v)
{
    constexpr int side = 16;       // the sample: side x side points over the view
    constexpr int enough = 48;     // samples compared before a vector passes
    constexpr int miss_limit = 8;  // of them, at most
    const int cw = v.x1 - v.x0, ch = v.y1 - v.y0;
    std::vector<std::pair<int, int>> samples;
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i)  // staggered so that no two share a row or column
            samples.push_back({v.x0 + (cw * (2 * i + 1) + cw * j / side) / (2 * side) % cw,
                               v.y0 + (ch * (2 * j + 1) + ch * i / side) / (2 * side) % ch});
    // Every fourth column first, so that the first few are spread out.
    std::vector<std::pair<int, int>> order;
    for (size_t k = 0; k < 4; ++k)
        for (size_t n = k; n < samples.size(); n += 4)
            order.push_back(samples[n]);
    // A picture mostly of one colour keeps most samples under any shift: a
    // period must miss well below what two pixels taken at random would.
    std::map<uint32_t, int> counts;
    for (const auto& [x, y] : samples)
        ++counts[v.at(x, y)];
    double chance = 0;  // that two samples taken at random differ
    for (const auto& [colour, n] : counts)
        chance += static_cast<double>(n) * n;
    chance = 1 - chance / (static_cast<double>(samples.size()) * samples.size());
    const int most_misses = std::min(miss_limit, static_cast<int>(0.35 * enough * chance));
    const int reach = std::min(cw, ch) / 2;
    const int width = 2 * reach + 1;
    std::vector<unsigned char> pass(static_cast<size_t>(width) * (reach + 1), 0);
    for (int dy = 0; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            if (dx * dx + dy * dy > reach * reach)
                continue;
            int compared = 0, misses = 0;
            for (const auto& [x, y] : order) {
                if (!v.inside(x + dx, y + dy))
                    continue;
                ++compared;
                misses += v.at(x, y) != v.at(x + dx, y + dy);
                if (misses > most_misses || compared == enough)
                    break;
            }
            pass[static_cast<size_t>(dy) * width + dx + reach] = compared == enough && misses <= most_misses;
        }
    // The passing vectors joined to zero, by steps of one pixel.
    std::vector<unsigned char> near_zero(pass.size(), 0);
    std::vector<std::pair<int, int>> stack = {{0, 0}};
    near_zero[reach] = 1;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        constexpr int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& s : steps) {
            int nx = x + s[0], ny = y + s[1];
            if (ny < 0) {  // the half plane below mirrors the one above
                nx = -nx;
                ny = -ny;
            }
            if (std::abs(nx) > reach || ny > reach)
                continue;
            const size_t k = static_cast<size_t>(ny) * width + nx + reach;
            if (pass[k] && !near_zero[k]) {
                near_zero[k] = 1;
                stack.push_back({nx, ny});
            }
        }
    }
    std::vector<period_offset> periods;
    for (int dy = 0; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const size_t k = static_cast<size_t>(dy) * width + dx + reach;
            if (pass[k] && !near_zero[k] && (dy > 0 || dx > 0))
                periods.push_back({dx, dy, length2(dx, dy)});
        }
    std::sort(periods.begin(), periods.end(), [](const period_offset& p, const period_offset& q) { return p.len2 < q.len2; });
    return periods;
}

// Refines the lattice to sub-pixel: each of its short vectors m a + n b
// that leaves a third of the view overlapping is located as the whole-pixel
// translation agreeing best near it, and a, b are fitted to all of them by
// least squares.
void refine_lattice(const picture_view& v, lattice_basis& lattice)
{
    const int cw = v.x1 - v.x0, ch = v.y1 - v.y0;
    double s_mm = 0, s_mn = 0, s_nn = 0, s_mx[2] = {}, s_nx[2] = {};
    for (int m = 0; m <= 3; ++m)
        for (int n = -3; n <= 3; ++n) {
            if (m == 0 && n <= 0)
                continue;
            const double near[2] = {m * lattice.a[0] + n * lattice.b[0], m * lattice.a[1] + n * lattice.b[1]};
            if (3 * std::fabs(near[0]) > 2 * cw || 3 * std::fabs(near[1]) > 2 * ch)
                continue;
            int t[2] = {static_cast<int>(std::lround(near[0])), static_cast<int>(std::lround(near[1]))};
            if (climb_shift(v, 4, t) < rough_agreement)
                continue;
            s_mm += m * m;
            s_mn += m * n;
            s_nn += n * n;
            for (int k = 0; k < 2; ++k) {
                s_mx[k] += m * t[k];
                s_nx[k] += n * t[k];
            }
        }
    const double det = s_mm * s_nn - s_mn * s_mn;
    if (std::fabs(det) < eps)
        return;
    for (int k = 0; k < 2; ++k) {
        lattice.a[k] = (s_nn * s_mx[k] - s_mn * s_nx[k]) / det;
        lattice.b[k] = (s_mm * s_nx[k] - s_mn * s_mx[k]) / det;
    }
}

// The lattice is hexagonal to within the rounding to whole pixels: a, b
// and a - b (a and b at 60 degrees) of one length to within a pixel.
bool hexagonal_within_rounding(const lattice_basis& lattice)
{
    const double la = std::hypot(lattice.a[0], lattice.a[1]), lb = std::hypot(lattice.b[0], lattice.b[1]);
    const double lc = std::hypot(lattice.a[0] - lattice.b[0], lattice.a[1] - lattice.b[1]);
    return std::max({la, lb, lc}) - std::min({la, lb, lc}) <= 1;
}

// The hexagonal lattice nearest to a and b: b is a turned by the multiple of
// 60 degrees between them, and a the mean of a and b turned back, so that
// the turns and mirrors derived from the lattice are exact isometries.
void make_hexagonal(lattice_basis& lattice)
{
    const double between = std::atan2(lattice.a[0] * lattice.b[1] - lattice.a[1] * lattice.b[0],
                                      lattice.a[0] * lattice.b[0] + lattice.a[1] * lattice.b[1]);
    const double turn = std::round(between / (M_PI / 3)) * (M_PI / 3);
    const double c = std::cos(turn), s = std::sin(turn);
    const double back[2] = {c * lattice.b[0] + s * lattice.b[1], -s * lattice.b[0] + c * lattice.b[1]};
    for (int k = 0; k < 2; ++k)
        lattice.a[k] = (lattice.a[k] + back[k]) / 2;
    lattice.b[0] = c * lattice.a[0] - s * lattice.a[1];
    lattice.b[1] = s * lattice.a[0] + c * lattice.a[1];
}

// The lowest agreement of the picture under the translations by a and b,
// each to the nearest pixel.
double lattice_agreement(const picture_view& v, const lattice_basis& lattice, int step)
{
    double lowest = 1;
    for (const double* t : {lattice.a, lattice.b}) {
        affine_map shift;
        shift.c[0] = t[0];
        shift.c[1] = t[1];
        lowest = std::min(lowest, agreement(v, shift, step));
    }
    return lowest;
}

// A hexagonal lattice of the periods found approximately, its vectors
// real-valued; false when the two shortest periods are not of a hexagonal
// lattice. Its translations still need checking.
bool find_approximate_lattice(const picture_view& v, lattice_basis& lattice)
{
    const std::vector<period_offset> periods = rough_periods(v);
    // The distance of t from the line of the first period.
    auto off_line = [&](double x, double y) { return std::fabs(lattice.a[0] * y - lattice.a[1] * x) / std::hypot(lattice.a[0], lattice.a[1]); };
    std::vector<period_offset> tried;
    bool have_first = false;
    for (const period_offset& o : periods) {
        if (have_first && off_line(o.x, o.y) < 3)
            continue;  // along the first period
        // Vectors next to one already tried climb to the same best one.
        if (std::any_of(tried.begin(), tried.end(), [&](const period_offset& p) { return std::abs(p.x - o.x) <= 6 && std::abs(p.y - o.y) <= 6; }))
            continue;
        tried.push_back(o);
        int t[2] = {o.x, o.y};
        const double share = climb_shift(v, 5, t);
        tried.push_back({t[0], t[1], 0});
        // A climb that left the start's neighbourhood slid towards zero; a
        // period shorter than the block is a nudge of uniform areas.
        if (std::abs(t[0] - o.x) > 8 || std::abs(t[1] - o.y) > 8 || length2(t[0], t[1]) < block * block)
            continue;
        if (share < rough_agreement || (have_first && off_line(t[0], t[1]) < 1.5))
            continue;
        if (!have_first) {
            lattice.a[0] = t[0];
            lattice.a[1] = t[1];
            have_first = true;
            continue;
        }
        const bool obtuse = lattice.a[0] * t[0] + lattice.a[1] * t[1] < 0;
        lattice.b[0] = obtuse ? -t[0] : t[0];
        lattice.b[1] = obtuse ? -t[1] : t[1];
        refine_lattice(v, lattice);
        return hexagonal_within_rounding(lattice);
    }
    return false;
}



// Writes the map p -> L p + c of index coordinates in the lattice
// coordinates of continuous pixel coordinates: u = A^-1 x, x = p + 1/2.
plane_operation in_lattice(const lattice_basis& lattice, const affine_map& map, const int m[2][2])
{
    plane_operation op;
    std::memcpy(op.m, m, sizeof op.m);
    const double cx = map.c[0] + 0.5 - (map.l[0][0] + map.l[0][1]) * 0.5;
    const double cy = map.c[1] + 0.5 - (map.l[1][0] + map.l[1][1]) * 0.5;
    const double det = lattice.det();
    op.g[0] = (cx * lattice.b[1] - cy * lattice.b[0]) / det;
    op.g[1] = (lattice.a[0] * cy - lattice.a[1] * cx) / det;
    return op;
}

// M = A^-1 R A for a pixel isometry R; false when R does not map the
// lattice onto itself.
bool lattice_matrix(const lattice_basis& lattice, const int r[2][2], int m[2][2])
{
    const long a[2][2] = {{std::lround(lattice.a[0]), std::lround(lattice.b[0])}, {std::lround(lattice.a[1]), std::lround(lattice.b[1])}};
    const long det = a[0][0] * a[1][1] - a[0][1] * a[1][0];
    const long adj[2][2] = {{a[1][1], -a[0][1]}, {-a[1][0], a[0][0]}};
    long ra[2][2];
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            ra[i][j] = r[i][0] * a[0][j] + r[i][1] * a[1][j];
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            const long n = adj[i][0] * ra[0][j] + adj[i][1] * ra[1][j];
            if (n % det)
                return false;
            m[i][j] = static_cast<int>(n / det);
        }
    return true;
}

// x less its floor, in [0, 1).
double frac(double x) { return x - std::floor(x); }









// The operation as a map of index coordinates, moved by the lattice so
// that it takes the centre of the view nearest to itself.
affine_map pixel_map(const picture_view& v, const lattice_basis& lattice, const plane_operation& op)
{
    affine_map map;
    pixel_linear(lattice.a, lattice.b, op.m, map.l);
    const double det = lattice.det();
    const double mx = (v.x0 + v.x1) / 2.0, my = (v.y0 + v.y1) / 2.0;
    const double u[2] = {(mx * lattice.b[1] - my * lattice.b[0]) / det, (lattice.a[0] * my - lattice.a[1] * mx) / det};
    // u' = M u + g + n, and n puts u' nearest to u.
    double g[2];
    for (int i = 0; i < 2; ++i) {
        const double image = op.m[i][0] * u[0] + op.m[i][1] * u[1] + op.g[i];
        g[i] = op.g[i] + std::round(u[i] - image);
    }
    // x' = L x + A g in continuous coordinates; back to index coordinates.
    const double cx = lattice.a[0] * g[0] + lattice.b[0] * g[1];
    const double cy = lattice.a[1] * g[0] + lattice.b[1] * g[1];
    map.c[0] = cx - 0.5 + (map.l[0][0] + map.l[0][1]) * 0.5;
    map.c[1] = cy - 0.5 + (map.l[1][0] + map.l[1][1]) * 0.5;
    return map;
}

// The lattice is close to hexagonal: two vectors of nearly one length at
// nearly 60 degrees.
bool near_hexagonal(const lattice_basis& lattice)
{
    const double la = std::hypot(lattice.a[0], lattice.a[1]), lb = std::hypot(lattice.b[0], lattice.b[1]);
    const double cosine = (lattice.a[0] * lattice.b[0] + lattice.a[1] * lattice.b[1]) / (la * lb);
    return std::fabs(la - lb) < 0.05 * la && std::fabs(cosine - 0.5) < 0.05;
}

// The lattice maps of a 60-degree basis: the turn taking a to b, and the
// swap of a and b.
constexpr int sixth_turn[2][2] = {{0, -1}, {1, 1}};
constexpr int swap_ab[2][2] = {{0, 1}, {1, 0}};
constexpr int swap_negated[2][2] = {{0, -1}, {-1, 0}};

// The hexagonal operations of the picture, generated from a rotation and at
// most one reflection each found at the agreement threshold; empty when no
// third turn reaches it. `lowest` gets the lowest agreement of them all.
std::vector<plane_operation> hexagonal_operations(const picture_view& v, const lattice_basis& lattice, int bx, int by, double& lowest)
{
    auto search = [&](const int m[2][2], plane_operation& op) {
        affine_map map;
        pixel_linear(lattice.a, lattice.b, m, map.l);
        const double share = find_approximate(v, lattice, bx, by, map);
        op = in_lattice(lattice, map, m);
        return share;
    };
    int third[2][2];
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            third[i][j] = sixth_turn[i][0] * sixth_turn[0][j] + sixth_turn[i][1] * sixth_turn[1][j];
    plane_operation turn;
    if (search(third, turn) < hexagonal_agreement)
        return {};
    // Every 6-fold centre and every mirror of a hexagonal group passes
    // through a 3-fold centre: try the operation about each of them.
    const std::vector<plane_point> centres = fixed_points({turn}, eps);
    auto through_centres = [&](const int m[2][2], plane_operation& best) {
        double top = -1;
        for (const plane_point& f : centres) {
            plane_operation op;
            std::memcpy(op.m, m, sizeof op.m);
            op.g[0] = f.x - (m[0][0] * f.x + m[0][1] * f.y);
            op.g[1] = f.y - (m[1][0] * f.x + m[1][1] * f.y);
            const double share = agreement(v, pixel_map(v, lattice, op), 3);
            if (share > top) {
                top = share;
                best = op;
            }
        }
        return agreement(v, pixel_map(v, lattice, best), 1);
    };
    plane_operation sixth;
    int order = 3;
    if (through_centres(sixth_turn, sixth) >= hexagonal_agreement) {
        turn = sixth;
        order = 6;
    }
    plane_operation mirror1, mirror2;
    const double s1 = through_centres(swap_ab, mirror1), s2 = through_centres(swap_negated, mirror2);
    std::vector<plane_operation> ops;
    plane_operation power = turn;
    for (int k = 1; k < order; ++k, power = compose(turn, power))
        ops.push_back(power);
    if (std::max(s1, s2) >= hexagonal_agreement) {
        plane_operation mirror = s1 >= s2 ? mirror1 : mirror2;
        ops.push_back(mirror);
        for (int k = 0; k + 1 < order; ++k)
            ops.push_back(compose(ops[k], mirror));
    }
    // The agreement of every generated operation, for the report (every
    // second row and column).
    lowest = 1;
    for (const plane_operation& op : ops)
        lowest = std::min(lowest, agreement(v, pixel_map(v, lattice, op), 2));
    return ops;
}

// The exact operations of the picture among the eight isometries of the
// pixel grid that map the lattice onto itself.
std::vector<plane_operation> exact_operations(const picture_view& v, const lattice_basis& lattice, int bx, int by)
{
    constexpr int grid[7][2][2] = {
        {{0, -1}, {1, 0}},  {{-1, 0}, {0, -1}}, {{0, 1}, {-1, 0}},  {{-1, 0}, {0, 1}},
        {{1, 0}, {0, -1}},  {{0, 1}, {1, 0}},   {{0, -1}, {-1, 0}},
    };
    std::vector<plane_operation> ops;
    for (const auto& r : grid) {
        int m[2][2];
        if (!lattice_matrix(lattice, r, m))
            continue;
        int c[2];
        if (!find_exact(v, lattice, bx, by, r, c))
            continue;
        affine_map map;
        for (int i = 0; i < 2; ++i) {
            for (int j = 0; j < 2; ++j)
                map.l[i][j] = r[i][j];
            map.c[i] = c[i];
        }
        ops.push_back(in_lattice(lattice, map, m));
    }
    return ops;
}

// The pixel point of lattice point u, the lattice's origin at `origin`.
real_point to_pixels(const lattice_basis& lattice, real_point origin, plane_point u)
{
    return {origin.x + lattice.a[0] * u.x + lattice.b[0] * u.y, origin.y + lattice.a[1] * u.x + lattice.b[1] * u.y};
}

// The segments of the line class inside the unit cell [0,1]^2.
void cell_segments(const line_class& line, std::vector<std::pair<plane_point, plane_point>>& out)
{
    const double d0 = line.d[0], d1 = line.d[1];
    double lo = 1e9, hi = -1e9;
    for (int cy = 0; cy <= 1; ++cy)
        for (int cx = 0; cx <= 1; ++cx) {
            const double s = d0 * cy - d1 * cx;
            lo = std::min(lo, s);
            hi = std::max(hi, s);
        }
    for (double s = line.offset + std::ceil(lo - line.offset - eps); s < hi - eps; s += 1) {
        const double n2 = d0 * d0 + d1 * d1;
        const double px = -s * d1 / n2, py = s * d0 / n2;  // cross(d, p) = s
        double t0 = -1e9, t1 = 1e9;
        const double p[2] = {px, py}, d[2] = {d0, d1};
        bool empty = false;
        for (int k = 0; k < 2; ++k) {
            if (std::fabs(d[k]) < eps) {
                if (p[k] < -eps || p[k] > 1 + eps)
                    empty = true;
                continue;
            }
            double a = (0 - p[k]) / d[k], b = (1 - p[k]) / d[k];
            if (a > b)
                std::swap(a, b);
            t0 = std::max(t0, a);
            t1 = std::min(t1, b);
        }
        if (empty || t1 - t0 < eps)
            continue;
        out.push_back({{px + t0 * d0, py + t0 * d1}, {px + t1 * d0, py + t1 * d1}});
    }
}

}  // namespace


namespace {

constexpr int work_side = 1024;          // the robust analysis's picture, at most, on a side
constexpr double robust_tolerance = 0.05;  // lattice units, for its elements

// The group's lattice, origin and elements in the result: the cell is put
// at a centre of the highest order (or the corner of the view), moved by the
// lattice to where it is centred best on the view, and every rotation
// centre, mirror and glide of that cell listed.
void place_elements(wallpaper_symmetry& result, const lattice_basis& lattice, std::vector<plane_operation> ops, double tol,
                    const picture_view& v)
{
    result.orbifold = orbifold_of(result.group);
    std::memcpy(result.lattice[0], lattice.a, sizeof lattice.a);
    std::memcpy(result.lattice[1], lattice.b, sizeof lattice.b);

    // The cell's corner: a centre of the highest order where there are
    // rotations, moved by the lattice to the first cell of the view.
    const double det = lattice.det();
    const double cx = v.x0, cy = v.y0;
    const plane_point corner{(cx * lattice.b[1] - cy * lattice.b[0]) / det, (lattice.a[0] * cy - lattice.a[1] * cx) / det};
    plane_point o = corner;
    int top = 1;
    for (const plane_point& u : fixed_points(ops, tol)) {
        const int order = order_at(ops, u, tol);
        if (order > top) {
            top = order;
            o = u;
        }
    }
    // Of the translates of o, the one whose cell is centred best on the view.
    o.x = corner.x + frac(o.x - corner.x + tol / 2) - tol / 2;
    o.y = corner.y + frac(o.y - corner.y + tol / 2) - tol / 2;
    const real_point middle{(v.x0 + v.x1) / 2.0, (v.y0 + v.y1) / 2.0};
    const plane_point m{(middle.x * lattice.b[1] - middle.y * lattice.b[0]) / det, (lattice.a[0] * middle.y - lattice.a[1] * middle.x) / det};
    const double ni = std::round(m.x - 0.5 - o.x), nj = std::round(m.y - 0.5 - o.y);
    plane_point best = o;
    double nearest = 1e18;
    for (double i = ni - 1; i <= ni + 1; ++i)
        for (double j = nj - 1; j <= nj + 1; ++j) {
            const real_point centre = to_pixels(lattice, {0, 0}, {o.x + i + 0.5, o.y + j + 0.5});
            const double d = std::hypot(centre.x - middle.x, centre.y - middle.y);
            if (d < nearest - eps) {
                nearest = d;
                best = {o.x + i, o.y + j};
            }
        }
    o = best;
    result.origin = to_pixels(lattice, {0, 0}, o);
    ops = about(ops, o);

    const plane_elements elements = elements_of(ops, tol);
    for (const centre_class& c : elements.centres)
        result.centres.push_back({to_pixels(lattice, result.origin, c.at), c.order});
    for (const line_class& line : elements.lines) {
        std::vector<std::pair<plane_point, plane_point>> segments;
        cell_segments(line, segments);
        for (const auto& s : segments)
            result.lines.push_back({to_pixels(lattice, result.origin, s.first), to_pixels(lattice, result.origin, s.second), line.glide});
    }
}

// The exact analysis: the picture repeats pixel for pixel (hexagonal
// operations to the agreement threshold).
wallpaper_symmetry classify_exact(const uint32_t* rgb, int w, int h)
{
    wallpaper_symmetry result;
    // Tiles cut by the edges may be drawn differently from whole ones: when
    // the whole picture has no lattice, margins of growing width are left out.
    const picture_view framed = crop_frame(rgb, w, h);
    picture_view v = framed;
    int bx = 0, by = 0;
    lattice_basis lattice;
    bool periodic = false;
    for (const int margin : margins) {
        if (8 * margin > std::min(framed.x1 - framed.x0, framed.y1 - framed.y0))
            break;
        v = inset(framed, margin);
        if ((periodic = pick_block(v, bx, by) && find_lattice(v, bx, by, lattice)))
            break;
    }
    // No exact lattice: a hexagonal one, whose vectors need not be whole
    // pixels, its translations checked with margins of growing width.
    bool approximate_lattice = false;
    double translations = 0;  // the lowest agreement of its vectors
    if (!periodic && find_approximate_lattice(framed, lattice)) {
        // The margin where the translations agree best: the edges spoil least.
        for (const int margin : margins) {
            if (8 * margin > std::min(framed.x1 - framed.x0, framed.y1 - framed.y0))
                break;
            const picture_view inner = inset(framed, margin);
            const double share = lattice_agreement(inner, lattice, 3);
            if (share > translations || !approximate_lattice) {
                translations = share;
                v = inner;
                approximate_lattice = true;
            }
        }
        translations = lattice_agreement(v, lattice, 1);
        periodic = approximate_lattice = translations >= hexagonal_agreement && pick_block(v, bx, by);
    }
    if (!periodic)
        return result;
    const int compared[4] = {v.x0, v.y0, v.x1, v.y1};
    std::memcpy(result.compared, compared, sizeof compared);

    std::vector<plane_operation> ops;
    double tol = 1e-6;
    if (approximate_lattice || near_hexagonal(lattice)) {
        ops = hexagonal_operations(v, lattice, bx, by, result.lowest_agreement);
        // Short of p6m on a lattice found approximately, the same lattice
        // made exactly hexagonal may find more: its turns and mirrors are
        // exact isometries. The larger group is kept.
        constexpr size_t all_of_p6m = 11;
        if (approximate_lattice && ops.size() < all_of_p6m) {
            lattice_basis hexagonal = lattice;
            make_hexagonal(hexagonal);
            const double shifted = lattice_agreement(v, hexagonal, 1);
            double lowest = 1;
            std::vector<plane_operation> more;
            if (shifted >= hexagonal_agreement)
                more = hexagonal_operations(v, hexagonal, bx, by, lowest);
            if (more.size() > ops.size()) {
                ops = more;
                lattice = hexagonal;
                translations = shifted;
                result.lowest_agreement = lowest;
            }
        }
        if (!ops.empty()) {
            result.approximate = true;
            result.approximate_lattice = approximate_lattice;
            if (approximate_lattice)
                result.lowest_agreement = std::min(result.lowest_agreement, translations);
            tol = 0.03;
        }
    }
    // The twelve other groups hold exactly, on a lattice that does.
    if (!result.approximate && approximate_lattice)
        return wallpaper_symmetry{};
    if (!result.approximate)
        ops = exact_operations(v, lattice, bx, by);

    result.group = name_group(lattice.a, lattice.b, ops, tol);
    result.method = "exact";
    result.confidence = 1;
    result.confidence_words = "high";
    result.translation_score = 1;
    place_elements(result, lattice, ops, tol, v);
    return result;
}

// The analysis of pictures that are not exact to the pixel (robust.h).
wallpaper_symmetry classify_robust(const uint32_t* rgb, int w, int h)
{
    wallpaper_symmetry result;
    result.method = "robust";
    const work_picture picture = make_work_picture(rgb, w, h, work_side);
    const found_lattice found = find_periods(picture);
    const cell_scores cells = score_operations(picture, found);
    const robust_choice choice = choose_group(found, cells);
    result.confidence = choice.confidence;
    result.confidence_words = choice.confidence_words;
    if (choice.group == "none")
        return result;
    result.group = choice.group;
    result.translation_score = cells.translation_score;
    result.scores = choice.scores;
    result.threshold = accepted_score;
    result.runner_up = choice.runner_up;
    result.runner_up_score = choice.runner_up_score;
    // From work pixels to the picture's: work pixel (i, j) has its centre at
    // (x0 + s (i + 1/2), y0 + s (j + 1/2)).
    const double s = picture.scale;
    lattice_basis lattice;
    for (int k = 0; k < 2; ++k) {
        lattice.a[k] = s * found.a[k];
        lattice.b[k] = s * found.b[k];
    }
    const double ox = picture.x0 + s * (cells.origin[0] + 0.5), oy = picture.y0 + s * (cells.origin[1] + 0.5);
    const double det = lattice.det();
    const plane_point o{(ox * lattice.b[1] - oy * lattice.b[0]) / det, (lattice.a[0] * oy - lattice.a[1] * ox) / det};
    // The operations about the lattice origin o, written about pixel (0, 0).
    std::vector<plane_operation> ops = about(choice.ops, {-o.x, -o.y});
    picture_view v{rgb, w, static_cast<int>(picture.x0), static_cast<int>(picture.y0),
                   static_cast<int>(picture.x0 + s * picture.w), static_cast<int>(picture.y0 + s * picture.h)};
    const int compared[4] = {v.x0, v.y0, v.x1, v.y1};
    std::memcpy(result.compared, compared, sizeof compared);
    place_elements(result, lattice, ops, robust_tolerance, v);
    return result;
}

// At most `palette_size` colours among pixels spread evenly over the
// picture (one in every so many, 4096 at most).
bool drawn_in_few_colours(const uint32_t* rgb, int w, int h)
{
    constexpr size_t palette_size = 256;
    const size_t count = static_cast<size_t>(w) * h;
    const size_t step = std::max<size_t>(1, count / 4096);
    std::vector<uint32_t> seen;
    for (size_t i = step / 2; i < count; i += step) {
        if (std::find(seen.begin(), seen.end(), rgb[i]) != seen.end())
            continue;
        seen.push_back(rgb[i]);
        if (seen.size() > palette_size)
            return false;
    }
    return true;
}

// The number of point operations of a group (the order of its point group).
int point_operations(const std::string& group)
{
    if (group == "none" || group == "p1") return 1;
    if (group == "p6m") return 12;
    if (group == "p4m" || group == "p4g") return 8;
    if (group == "p3m1" || group == "p31m" || group == "p6") return 6;
    if (group == "pmm" || group == "pmg" || group == "pgg" || group == "cmm" || group == "p4") return 4;
    if (group == "p3") return 3;
    return 2;
}

}  // namespace

namespace {

wallpaper_symmetry classify_wallpaper(const uint32_t* rgb, int w, int h, bool few_colours)
{
    wallpaper_symmetry robust = classify_robust(rgb, w, h);
    // Only a picture drawn in a few colours can repeat pixel for pixel; a
    // photo, a JPEG file or a smoothed drawing has hundreds.
    if (!few_colours)
        return robust;
    wallpaper_symmetry exact = classify_exact(rgb, w, h);
    if (exact.group == "none")
        return robust;
    // A picture exact to the pixel keeps the exact answer, with the scores
    // when the robust analysis agrees. A larger group found robustly wins:
    // a JPEG file can repeat pixel for pixel and hold its turns and mirrors
    // only to within its compression.
    if (robust.group == exact.group) {
        exact.scores = robust.scores;
        exact.threshold = robust.threshold;
        exact.runner_up = robust.runner_up;
        exact.runner_up_score = robust.runner_up_score;
        return exact;
    }
    if (point_operations(robust.group) > point_operations(exact.group) && robust.confidence >= 0.3)
        return robust;
    return exact;
}

}  // namespace

wallpaper_symmetry classify(const uint32_t* rgb, int w, int h)
{
    const bool few_colours = drawn_in_few_colours(rgb, w, h);
    wallpaper_symmetry wallpaper = classify_wallpaper(rgb, w, h, few_colours);
    if (wallpaper.group != "none") {
        // A figure on a plain background of two rows of copies is a rosette
        // or a strip when it is one; else a small patch of wallpaper.
        if (!repeats_by_lattice(rgb, w, h, wallpaper.lattice)) {
            wallpaper_symmetry other = classify_frieze_or_rosette(rgb, w, h, few_colours);
            if (other.kind != "none")
                return other;
        }
        wallpaper.kind = "wallpaper";
        return wallpaper;
    }
    // No lattice: a strip repeating one way, or turns about a centre.
    wallpaper_symmetry other = classify_frieze_or_rosette(rgb, w, h, few_colours);
    return other.kind == "none" ? wallpaper : other;
}
