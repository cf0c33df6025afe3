#include "lattice.h"

#include <cmath>

int centre_x = 400;
int centre_y = 300;
lattice_vector e1;
lattice_vector e2;

namespace {
constexpr double pi_8 = 0.39269908169872414;
constexpr double three_pi_8 = 1.1780972450961724;
constexpr double pi_2 = 1.5707963267948966;
}  // namespace

void set_lattice_vectors()
{
    const double a = 2.0 * std::cos(pi_8);
    e1.x = static_cast<float>(std::cos(three_pi_8) * a);
    e1.y = static_cast<float>(std::sin(three_pi_8) * a);
    const double x = e1.x;
    const double y = e1.y;
    e2.x = static_cast<float>(std::cos(pi_2) * x - std::sin(pi_2) * y);
    e2.y = static_cast<float>(std::sin(pi_2) * x + std::cos(pi_2) * y);
}

window_point lattice_centre(int i, int j)
{
    // Exact in double: the vectors are floats and 50 i, 50 j small integers.
    const double x = (centre_x + (50.0 * i) * e1.x) + (50.0 * j) * e2.x;
    const double y = (centre_y - (50.0 * i) * e1.y) - (50.0 * j) * e2.y;
    return {static_cast<int>(x), static_cast<int>(y)};
}
