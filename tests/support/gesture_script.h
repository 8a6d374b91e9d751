// Gestures on the canvases written as scripts, and frames written as rows, for the painting tool tests.
#pragma once

#include "pixel_grid.h"

#include <allegro.h>

#include <string>

// One pass per word: "Lx,y" and "Rx,y" put the pointer in the middle of that frame pixel of the left or
// right canvas, "bN" holds buttons N, "wheel" turns the wheel a notch back, and any other word holds just
// the keys it names: alt, ctrl, shift, space and ] ("up" none). Parts joined by '+' act in one pass.
void run(const std::string &script);

// '.' transparent, 'F' and 'B' the button colours, 'a' another colour.
Legend legend();
// Rows split by '/', each without its trailing '.'s, blank rows at the end left off.
std::string drawn(BITMAP *bmp);
void paint(BITMAP *frame, const std::string &picture);
// The two canvases' frames as "left|right".
std::string canvases();
