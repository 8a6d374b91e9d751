#include "document/document.h"
#include "tools/tools.h"

int mb, old_mb;
int mpos;
int mx, my, mz;
int old_mx, old_my, old_mz;

int canvas = 0;
int drawing = 0;
int c_one[4] = {LEFT_CANVAS_X, LEFT_CANVAS_X + CANVAS_SIZE - 1, CANVAS_Y, CANVAS_Y + CANVAS_SIZE - 1};
int c_two[4] = {RIGHT_CANVAS_X, RIGHT_CANVAS_X + CANVAS_SIZE - 1, CANVAS_Y, CANVAS_Y + CANVAS_SIZE - 1};

int mouse_inside(int x1, int x2, int y1, int y2)
{
    const bool in_x = x1 <= mx && mx <= x2;
    const bool in_y = y1 <= my && my <= y2;
    return (in_x ? 1 : 0) + (in_y ? 2 : 0);
}

bool mouse_clicked_in(int x1, int x2, int y1, int y2)
{
    return mb != 0 && old_mb == 0 && mouse_inside(x1, x2, y1, y2) == 3;
}

void stop_mouse()
{
    mouse_b = 0;
    old_mb = 0;
    mb = 0;
}

ScreenPoint pointer_position()
{
    const int pos = mouse_pos;
    return {pos >> 16, pos & 0xFFFF};
}

ScreenPoint mouse_anchor;
int ma_x_diff, ma_y_diff, da_x_diff, da_y_diff;
char ctrl_held, alt_held, space_held;

static_assert(CANVAS_SIZE == FRAME_SIZE * CANVAS_ZOOM, "a canvas shows one frame");

namespace
{

// Division rounding towards minus infinity, so points left of or above a
// canvas map to negative frame pixels.
int floor_div(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
} // namespace

int xscale(int x)
{
    return floor_div(x - canvas_left(canvas), CANVAS_ZOOM);
}

int yscale(int y)
{
    return floor_div(y - CANVAS_Y, CANVAS_ZOOM);
}

int ssnap(int v, int axis)
{
    return axis == 1 ? xscale(v) * CANVAS_ZOOM + canvas_left(canvas) : yscale(v) * CANVAS_ZOOM + CANVAS_Y;
}

int snap(int v)
{
    return CANVAS_ZOOM * (v / CANVAS_ZOOM);
}

BITMAP *stroke_frame()
{
    return frame_on_canvas(canvas);
}

void set_pointer(BITMAP *sprite, int focus_x, int focus_y)
{
    set_mouse_sprite(sprite);
    set_mouse_sprite_focus(focus_x, focus_y);
    mouse_sprite = sprite;
}
