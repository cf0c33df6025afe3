// The site of the gallery: an index page with every entry of the program
// list as a card, grouped by kind, and one page per entry with its stages, its animation
// and, where its browser build is given, the program running live.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What the gallery learnt from running one program.
struct site_program {
    std::string name;  // the entry's id
    int stages = 0, frames = 0;
    bool animated = false, ok = false;
};

// Writes OUT/index.html, OUT/site.css, OUT/program.js, OUT/programs.json (the
// program list and the stills, for scripts) and OUT/ID/index.html for every
// entry, beside the stills the gallery left in OUT/ID/. Titles,
// kinds, patterns and pacing come from LIST (docs/programs.tsv), sentences and
// stage captions from CAPTIONS/ID.txt, card pictures from PICTURES/ID.png
// (the last stage where missing). When WASM holds PROGRAM.js and
// PROGRAM.wasm of the entry's binary they are copied beside the page (for
// the entries of a program listed once per argument, once into OUT/PROGRAM/),
// and the page runs the program with the entry's argument; without them the
// page shows the stills. Returns false, with a message, when a file cannot
// be written.
bool write_site(const std::filesystem::path& out, const std::vector<site_program>& programs,
                const std::filesystem::path& list, const std::filesystem::path& captions,
                const std::filesystem::path& pictures, const std::filesystem::path& wasm);
