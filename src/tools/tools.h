// Canvas and drawing tools: screen-to-frame geometry, the mouse snapshot the
// tools read, the painting colours and the palette table.
#pragma once

#include <allegro.h>

// ---- Mouse snapshot, taken once per pass ----------------------------------

extern int mb, old_mb;
extern int mpos;
extern int mx, my, mz;
extern int old_mx, old_my, old_mz;

// ---- Stroke state and canvas geometry -------------------------------------

extern int canvas;  // 0 none, 1 left, 2 right
extern int drawing; // 0 none, 1 left-button shape, 2 right-button shape
extern int c_one[4];
extern int c_two[4];

int mouse_inside(int x1, int x2, int y1, int y2);
bool mouse_clicked_in(int x1, int x2, int y1, int y2);
void stop_mouse();

// ---- Colours ---------------------------------------------------------------

constexpr int PALETTE_COLUMNS = 25;
constexpr int PALETTE_ROWS = 37;

extern int Fcolor, Bcolor;
extern int ColorPalette[PALETTE_COLUMNS * PALETTE_ROWS];

// Fills ColorPalette from the palette bitmap; pixels outside it read as -1.
void read_color_table(BITMAP *palette);
int transparent_color();

// ---- Brush cursors -----------------------------------------------------------

extern BITMAP *BrushCursor, *BrushCursor2;
int create_brush_cursors();

// ---- Pixel grids ---------------------------------------------------------------

extern char show_left_grid, show_right_grid;
