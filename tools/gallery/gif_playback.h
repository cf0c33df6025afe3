// Plays an animated GIF back the way a viewer shows it: every frame drawn
// over the ones before (the recorder writes no disposal).
#pragma once

#include <functional>
#include <string>
#include <vector>

// Calls `frame` once per frame, in order, with its index, the whole canvas
// after that frame as RGB bytes (width * height * 3, rows top down) and its
// delay in hundredths of a second. Sets width and height to the canvas size.
// Returns false when the file cannot be read as a GIF.
bool play_gif(const std::string& path, int& width, int& height,
              const std::function<void(int index, const std::vector<unsigned char>& rgb, int delay)>& frame);
