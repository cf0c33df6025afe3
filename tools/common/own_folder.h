// Where the running tool lives: the tools and programs of a build sit in
// build/bin, their preload libraries in build/lib.
#pragma once

#include <string>

// The folder of the running executable (from /proc/self/exe); exits with a
// message when it cannot be found.
std::string own_folder();

// build/lib next to build/bin: where the preload libraries are.
std::string library_folder();
