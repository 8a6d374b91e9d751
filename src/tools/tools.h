// Canvas and drawing tools: screen-to-frame geometry, the mouse snapshot the
// tools read, the painting colours and the palette table.
#pragma once

#include "app/app.h"

#include <allegro.h>

// ---- Stroke state and canvas geometry -------------------------------------
// Where the two 12x canvases sit on the screen.
constexpr int CANVAS_ZOOM = 12;
constexpr int LEFT_CANVAS_X = 285;
constexpr int RIGHT_CANVAS_X = 529;
constexpr int CANVAS_Y = 355;
constexpr int CANVAS_SIZE = 16 * CANVAS_ZOOM;

extern int canvas;  // 0 none, 1 left, 2 right
extern int drawing; // 0 none, 1 left-button shape, 2 right-button shape
extern int c_one[4];
extern int c_two[4];

// Shape anchor and the offsets captured when Space starts moving a shape.
extern ScreenPoint mouse_anchor;
extern int ma_x_diff, ma_y_diff, da_x_diff, da_y_diff;

// Modifier history of the previous pass (written by the keyboard step).
extern char ctrl_held, alt_held, space_held;

int xscale(int x);
int yscale(int y);
int ssnap(int v, int axis);
int snap(int v);

// The frame under the current stroke's canvas.
BITMAP *stroke_frame();

// ---- Tool panel and dispatch ------------------------------------------------

enum ToolNumber { PENCIL = 0, FILL = 1, ELLIPSE = 2, RECTANGLE = 3, LINE = 4, BRUSH = 5 };

extern int selected[3]; // tool number, and the corner of its button
extern int show_help;
extern char reset_help;

void select_tool(int tool);
void tool_area_handle_mouse();
void draw_interface_handle_mouse();

// ---- Mouse wheel -------------------------------------------------------------------

extern int preview_mode;
extern int CustomRecolor;
// The recolour variant of preview mode 0..23 (team block plus mode position).
int recolor_for_mode(int mode);
void scroll_canvas();

// ---- Shared stroke mechanism of the shape tools ---------------------------------

// Start of every tool pass: empty overlay, arrow pointer instead of the brush.
void begin_tool_pass();
// A press on either canvas records an undo step of the stroke's canvas.
void detect_change();
// Starts a shape on a button press while none is in progress and Space is up.
void start_shape();
// The colour of the shape in progress, for the preview or for the frame.
int shape_color(bool preview);
// The fixed corner: the anchor, or its mirror through the anchor with Ctrl.
ScreenPoint fixed_corner();
// Space held: the shape follows the pointer without changing size.
void move_shape_with_space(ScreenPoint &corner, bool is_shape);
// Shift held: the far corner, in frame pixels, of a square from reference.
ScreenPoint square_corner(ScreenPoint reference);
bool square_held();
void end_shape();

// ---- Colours ---------------------------------------------------------------

constexpr int PALETTE_COLUMNS = 25;
constexpr int PALETTE_ROWS = 37;

extern int Fcolor, Bcolor;
extern int ColorPalette[PALETTE_COLUMNS * PALETTE_ROWS];

// Fills ColorPalette from the palette bitmap; pixels outside it read as -1.
void read_color_table(BITMAP *palette);
// Stands in for the transparent colour where a preview must stay visible.
int visible_transparent_color();
int palette_entry(int column, int row = 0);

int recolor_pixel(int pixel, int k);
void make_recolor(int k);
void make_recolor(int k, BITMAP *src, int x_offset);
void recolor_floating_graphic(int k);
void swap();

// One step through the swatch order: columns 0..11, magenta, 12..24.
int step_color_forward(int color);
int step_color_backward(int color);

// ---- Brush cursors -----------------------------------------------------------

extern BITMAP *BrushCursor, *BrushCursor2;
extern int BrushSelected;
extern int T_Canvas, T_x1, T_y1, T_x2, T_y2; // the brush's target canvas
int create_brush_cursors();
void make_brush_cursor();
// Draws the brush pointer, snapped to the target canvas's pixel grid.
void draw_brush(BITMAP *sprite);

// ---- Tool options stepped by the keyboard ------------------------------------

extern int fill_mode;
extern int rect_fill;
extern int circ_fill;

// ---- Tools ------------------------------------------------------------------------

void pencil_tool();

// ---- Pixel grids ---------------------------------------------------------------

void draw_grids();
