// A headless 800x600x32 surface standing in for the window.
#pragma once

#include <drawkit.h>
#include <headless.h>

#include <set>
#include <utility>

using pixel_set = std::set<std::pair<int, int>>;

// Points `screen` at a fresh white headless surface for its lifetime.
struct test_surface {
    headless_screen headless;

    test_surface();
    test_surface(const test_surface&) = delete;
    test_surface& operator=(const test_surface&) = delete;

    Uint32 white, black, red, green;
    void clear();
    // Every pixel of the given colour.
    pixel_set pixels_of(Uint32 colour) const;
};
