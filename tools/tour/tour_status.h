// The status with which the tour's companion ends a program when the person
// presses Escape or q: scripts/show then ends the tour. Scripts read it from
// the generated build/share/tour.sh (tour_values.cpp writes it).
#pragma once

constexpr int tour_leave_status = 3;
