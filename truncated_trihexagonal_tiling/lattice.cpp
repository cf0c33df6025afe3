#include "lattice.h"

#include <cmath>

int centre_x = 400;
int centre_y = 300;
lattice_vector e1;
lattice_vector e2;

namespace {
constexpr double pi_12 = 0.2617993877991494;
constexpr double pi_3 = 1.0471975511965976;
}  // namespace

void set_lattice_vectors()
{
    const double a = 2.0 * (std::sin(pi_12) + std::cos(pi_12));
    e1.x = static_cast<float>(a * std::cos(pi_12));
    e1.y = static_cast<float>(a * std::sin(pi_12));
    const double x = e1.x;
    const double y = e1.y;
    e2.x = static_cast<float>(std::cos(pi_3) * x - std::sin(pi_3) * y);
    e2.y = static_cast<float>(std::sin(pi_3) * x + std::cos(pi_3) * y);
}

window_point lattice_centre(int i, int j)
{
    // Exact in double: the vectors are floats and 50 i, 50 j small integers.
    const double x = (centre_x + (50.0 * i) * e1.x) + (50.0 * j) * e2.x;
    const double y = (centre_y - (50.0 * i) * e1.y) - (50.0 * j) * e2.y;
    return {static_cast<int>(x), static_cast<int>(y)};
}
