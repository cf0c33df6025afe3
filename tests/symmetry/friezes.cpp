#include "friezes.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr double pi = 3.14159265358979323846;

struct disc {
    double x, y, r;
    uint32_t colour;
};

// A few discs of random colours at random places in the w x h box about
// (0, 0) (x from 0, y from -h/2): a motif with no symmetry of its own.
std::vector<disc> motif(double w, double h, unsigned seed, int count)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<disc> discs;
    for (int i = 0; i < count; ++i) {
        const uint32_t colour = (static_cast<uint32_t>(40 + 180 * unit(random)) << 16) |
                                (static_cast<uint32_t>(40 + 180 * unit(random)) << 8) | static_cast<uint32_t>(40 + 180 * unit(random));
        discs.push_back({w * unit(random), h * (unit(random) - 0.5), (0.12 + 0.18 * unit(random)) * std::min(w, h), colour});
    }
    return discs;
}

// The colour of the first disc that holds one of the points (x, y) of
// `orbit`, the motif repeated every `period` along x; 0 for none.
uint32_t motif_colour(const std::vector<disc>& discs, const std::vector<std::pair<double, double>>& orbit, double period)
{
    for (const disc& d : discs)
        for (const auto& q : orbit)
            for (int k = -1; k <= 1; ++k) {
                const double x = std::fmod(std::fmod(q.first, period) + period, period);
                const double dx = x - d.x - k * period, dy = q.second - d.y;
                if (dx * dx + dy * dy <= d.r * d.r)
                    return d.colour;
            }
    return 0;
}

}  // namespace

// A horizontal strip of `group` across a w x h picture on white: period L,
// width W, its axis at y = h / 2, a mirror or centre at x = x0.
rgb_picture frieze_picture(const std::string& group, int w, int h, int period, int width, int x0, unsigned seed)
{
    const std::vector<disc> discs = motif(period, width * 0.8, seed, 4);
    rgb_picture p{w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, 0xffffff)};
    const double L = period;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const double s = j + 0.5 - h / 2.0;
            if (std::fabs(s) > width / 2.0)
                continue;
            const double x = std::fmod(std::fmod(i + 0.5 - x0, L) + L, L);
            // The points of the orbit, one per coset of the translations.
            std::vector<std::pair<double, double>> orbit = {{x, s}};
            if (group == "p11g") orbit.push_back({x + L / 2, -s});
            if (group == "p1m1") orbit.push_back({-x, s});
            if (group == "p2") orbit.push_back({-x, -s});
            if (group == "p11m") orbit.push_back({x, -s});
            if (group == "p2mg") orbit.insert(orbit.end(), {{-x, s}, {x + L / 2, -s}, {-x + L / 2, -s}});
            if (group == "p2mm") orbit.insert(orbit.end(), {{-x, s}, {x, -s}, {-x, -s}});
            const uint32_t colour = motif_colour(discs, orbit, L);
            p.rgb[static_cast<size_t>(j) * w + i] = colour ? colour : 0xe8e0c8;  // the strip's own ground
        }
    return p;
}

// A rosette Cn or Dn about (cx, cy) of radius R on white.
rgb_picture rosette_picture(int n, bool dihedral, int w, int h, double cx, double cy, double R, unsigned seed)
{
    // The motif in the wedge 0 .. 360/n degrees, in polar coordinates.
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0, 1);
    // Ellipses turned at random: no mirror of their own along the radius.
    struct blob { double x, y, size, turn; uint32_t colour; };
    std::vector<blob> blobs;
    const double wedge = 2 * pi / n;
    for (int i = 0; i < 5; ++i) {
        const double r = R * (0.2 + 0.7 * unit(random)), a = wedge * unit(random) * (dihedral ? 0.5 : 1);
        const uint32_t colour = (static_cast<uint32_t>(30 + 190 * unit(random)) << 16) |
                                (static_cast<uint32_t>(30 + 190 * unit(random)) << 8) | static_cast<uint32_t>(30 + 190 * unit(random));
        blobs.push_back({r * std::cos(a), r * std::sin(a), std::min(0.3 * R, r * wedge * (0.3 + 0.3 * unit(random))), pi * unit(random), colour});
    }
    auto in_blob = [](const blob& b, double x, double y) {
        const double dx = x - b.x, dy = y - b.y;
        const double u = dx * std::cos(b.turn) + dy * std::sin(b.turn), v = -dx * std::sin(b.turn) + dy * std::cos(b.turn);
        return u * u / (b.size * b.size) + v * v / (0.2 * b.size * b.size) <= 1;
    };
    rgb_picture p{w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, 0xffffff)};
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const double x = i + 0.5 - cx, y = j + 0.5 - cy, r = std::hypot(x, y);
            if (r > R)
                continue;
            double a = std::fmod(std::atan2(y, x) + 2 * pi, wedge);
            if (dihedral && a > wedge / 2)
                a = wedge - a;
            uint32_t colour = r < 0.12 * R ? 0x404040 : r > 0.96 * R ? 0x2050a0 : 0xf0e6d0;
            for (const blob& b : blobs)
                for (int k = -1; k <= 1; ++k) {
                    // The point turned back by k wedges, and its mirror image.
                    const double px = r * std::cos(a - k * wedge), py = r * std::sin(a - k * wedge);
                    if (in_blob(b, px, py) || (dihedral && in_blob(b, px, -py)))
                        colour = b.colour;
                }
            p.rgb[static_cast<size_t>(j) * w + i] = colour;
        }
    return p;
}

