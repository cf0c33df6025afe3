// The clock of recorded runs: the capture tool makes time() return this, so
// a program that seeds its colours from the clock (terdragon_rosette) shows
// the same pictures on every run. The golden pictures were recorded with it;
// the gallery, the benchmark and the tests all use it.
#pragma once

#include <ctime>

constexpr time_t fixed_clock = 1700000000;
