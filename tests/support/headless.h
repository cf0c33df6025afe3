// Test support: the window surface stood in for by a headless surface, for
// tests that drive drawkit or a program's figure routines directly.
#pragma once

#include <drawkit.h>

#include <vector>

// Points `screen` at a fresh 800x600x32 software surface (contents unset)
// for its lifetime; frees it and clears `screen` when destroyed.
struct headless_screen {
    headless_screen();
    ~headless_screen();
    headless_screen(const headless_screen&) = delete;
    headless_screen& operator=(const headless_screen&) = delete;
};

// Every pixel of `screen`, row by row.
std::vector<Uint32> screen_pixels();
