// The page's drawing as it is being made: the strokes so far, the one being
// drawn, undo and redo, the toggled overlays, and the picture on `screen`.
// A pointer move draws only what it adds (the new piece of a freehand
// stroke, under every operation); a straight line or a disc being dragged
// is drawn again over the strokes before it.
#pragma once

#include "drawing.h"

// An undoable change: one stroke added, or the whole drawing replaced (clear,
// load), kept as the drawing on the other side of the change.
struct drawing_change {
    bool added = false;
    stroke added_stroke;  // for redo
    drawing other;        // for a replacement
};

struct draw_session {
    drawing current;
    group_images images;
    std::vector<drawing_change> undo_list, redo_list;
    bool drawing_now = false;
    stroke pending;
    std::vector<Uint32> base;   // the strokes' pixels
    std::vector<Uint32> layer;  // and the pending stroke's over them
    bool cell = false, region = false, elements = false;
    std::vector<Uint32> overlay;  // the overlays alone, on no_overlay; empty when not made yet
};

// The overlay's pixels that show nothing: a value no mapped colour takes
// (natively the unused top byte is set, in the browser alpha is not opaque).
constexpr Uint32 no_overlay = 0x01020304;

// A session in `group` with no strokes; screen shows it.
void session_start(draw_session& s, const wallpaper_group& group);
// Redraws the strokes under another group (not a change to undo).
void session_set_group(draw_session& s, const wallpaper_group& group);
void session_set_overlays(draw_session& s, bool cell, bool region, bool elements);

void session_begin(draw_session& s, stroke_tool tool, uint32_t rgb, int width, pixel_point p);
void session_move(draw_session& s, pixel_point p);
void session_end(draw_session& s);
void session_cancel(draw_session& s);

bool session_undo(draw_session& s);
bool session_redo(draw_session& s);
void session_clear(draw_session& s);
// Replaces the drawing by the one in `text`; the message of parse_drawing,
// and nothing changes, when it is not one.
std::string session_load(draw_session& s, const std::string& text);
