// Test support: the window surface stood in for by a headless surface, for
// tests that drive drawkit or a program's figure routines directly.
#pragma once

#include <drawkit.h>

#include <vector>

// Points `screen` at a fresh 800x600x32 software surface (contents unset)
// for its lifetime; frees it and clears `screen` when destroyed.
struct HeadlessScreen {
    HeadlessScreen();
    ~HeadlessScreen();
    HeadlessScreen(const HeadlessScreen&) = delete;
    HeadlessScreen& operator=(const HeadlessScreen&) = delete;
};

// Every pixel of `screen`, row by row.
std::vector<Uint32> screen_pixels();
