// A headless 800x600x32 surface standing in for the window.
#pragma once

#include <drawkit.h>
#include <headless.h>

#include <set>
#include <utility>

using PixelSet = std::set<std::pair<int, int>>;

// Points `screen` at a fresh white headless surface for its lifetime.
struct TestSurface {
    HeadlessScreen headless;

    TestSurface();
    TestSurface(const TestSurface&) = delete;
    TestSurface& operator=(const TestSurface&) = delete;

    Uint32 white, black, red, green;
    void clear();
    // Every pixel of the given colour.
    PixelSet pixels_of(Uint32 colour) const;
};
