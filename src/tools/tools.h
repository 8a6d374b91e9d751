// Canvas and drawing tools: screen-to-frame geometry, the mouse snapshot the
// tools read, the painting colours and the palette table.
#pragma once

#include "app/app.h"
#include "layout/layout.h"

#include <allegro.h>

// ---- Stroke state and canvas geometry -------------------------------------
extern int canvas;  // 0 none, 1 left, 2 right
extern int drawing; // 0 none, 1 left-button shape, 2 right-button shape
extern int c_one[4];
extern int c_two[4];

// Shape anchor and the offsets captured when Space starts moving a shape.
extern ScreenPoint mouse_anchor;
extern int ma_x_diff, ma_y_diff, da_x_diff, da_y_diff;

// Modifier history of the previous pass (written by the keyboard step).
extern char ctrl_held, alt_held, space_held;

// Modifiers held now, from the library's shift flags (Space from its key).
bool ctrl_down();
bool shift_down();
bool alt_down();
bool space_down();

int xscale(int x);
int yscale(int y);
int ssnap(int v, int axis);
int snap(int v);

// The frame under the current stroke's canvas.
BITMAP *stroke_frame();

// ---- Tool panel and dispatch ------------------------------------------------

enum ToolNumber { PENCIL = 0, FILL = 1, ELLIPSE = 2, RECTANGLE = 3, LINE = 4, BRUSH = 5 };
constexpr int TOOL_COUNT = 6;

// One row per tool, in tool-number order; everything that differs between
// tools is read from here. A tool not built yet has no pass.
struct ToolEntry {
    int number;
    int key;                      // selects the tool (a scancode)
    void (*pass)();               // runs every pass while the tool is selected
    void (*step_option)(bool up); // [ steps down, ] steps up
    int panel;                    // its show_help value when no help is hovered, 0 none
    void (*draw_panel)();         // draws that option panel
    int help;                     // the help book shown over its button
    int slot;                     // its button on the tool panel (layout.h)
    BITMAP *const *icon;          // its picture on that button
};

extern const ToolEntry TOOLS[TOOL_COUNT];
// The row of a tool number; the pencil's for a number that is none.
const ToolEntry &tool_entry(int number);

extern int selected[3]; // tool number, and the corner of its button
extern int show_help;
extern char reset_help;
// The show_help values of the two option panels.
constexpr int BRUSH_PANEL = 11;
constexpr int FILL_PANEL = 12;

void select_tool(int tool);
void tool_area_handle_mouse();
void draw_interface_handle_mouse();
// Shows the active tool's option panel while no help is hovered; a left press on it chooses.
void option_panel_pass();

// ---- Mouse wheel -------------------------------------------------------------------

extern int preview_mode;
extern int CustomRecolor;
// The recolour variant of preview mode 0..23 (team block plus mode position).
int recolor_for_mode(int mode);
void scroll_canvas();

// ---- Shared stroke mechanism ---------------------------------------------------------

// Start of every tool pass: empty overlay, arrow pointer instead of the brush.
void begin_tool_pass();
// Run by the dispatcher every pass: a hold that starts forgets the steps of the last one.
void follow_button_hold();
// Every change to a frame comes after this: the frame's state is recorded
// once per button hold, wherever the press began.
void before_change(BITMAP *frame);
// A step of its own mid-stroke (a fixed segment); it also counts as the hold's step.
void record_step(BITMAP *frame);
// Starts a shape on a press of its button while none is in progress and Space is up.
void start_shape();
// The colour of the shape in progress, for the preview or for the frame.
int shape_color(bool preview);
// A line in frame pixels from the screen point from to the pointer.
void line_to_pointer(BITMAP *bmp, ScreenPoint from, int color);
// The fixed corner: the anchor, or its mirror through the anchor with Ctrl.
ScreenPoint fixed_corner();
// Space held: the anchor, and the corner when given, follow the pointer in whole frame pixels.
void move_shape_with_space(ScreenPoint *corner);
// Shift held: the far corner, in frame pixels, of a square from corner, on the
// side of the pointer as seen from direction_from.
ScreenPoint square_corner(ScreenPoint corner, ScreenPoint direction_from);
bool square_held();
// Draws a shape in the box between two frame pixels, given in any order.
using BoxDrawing = void (*)(BITMAP *bmp, int x1, int y1, int x2, int y2, int color);
// One pass of a shape dragged as a box (ellipse, rectangle): preview while its
// button is held, painted when it is released. The ellipse takes the square's
// direction from the anchor, the rectangle from its fixed corner.
void drag_box_shape(BoxDrawing draw, bool square_from_anchor);
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
// The colour as a preview or pointer shows it: the transparent colour by its stand-in.
int preview_color(int color);
int palette_entry(int column, int row = 0);

int recolor_pixel(int pixel, int k);
void make_recolor(int k);
void make_recolor(int k, BITMAP *src, int x_offset);
void recolor_floating_graphic(int k);
// Exchanges the pictures of the two canvases' frames; their undo steps follow the pictures.
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
void brush_tool();
// Stamps the brush for screen point (x, y) into bmp; the pixel callback of do_line.
void do_brush(BITMAP *bmp, int x, int y, int d);

// ---- Tools, their options and option panels --------------------------------------

void pencil_tool();

extern int fill_mode;
void fill_tool();
// Fills at frame pixel (x, y) of bmp in the current fill mode.
void special_fill(BITMAP *bmp, int x, int y, int color);
// Paints the region of old_color connected to (x, y) in any of eight directions.
void eight_way(BITMAP *bmp, int x, int y, int old_color, int new_color);
void step_fill_mode(bool up);
void draw_fill_panel();

extern int circ_fill;
void step_ellipse_fill(bool up);
void ellipse_tool();
// The outline, or with circ_fill the filled ellipse, inscribed in the box: the
// top-left quadrant of the library's ellipse mirrored four ways, clipped pixel by pixel.
void boundcircle(BITMAP *bmp, int x1, int y1, int x2, int y2, int color);

extern int rect_fill;
void step_rectangle_fill(bool up);
void rectangle_tool();
// The outline, or with rect_fill the filled rectangle, both corners included.
void draw_rect(BITMAP *bmp, int x1, int y1, int x2, int y2, int color);

void line_tool();

void step_brush(bool up);
void draw_brush_panel();

// ---- Pixel grids ---------------------------------------------------------------

void draw_grids();
