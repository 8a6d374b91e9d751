#include "document/document.h"
#include "tools/tools.h"

int canvas = 0;
int drawing = 0;
int c_one[4] = {LEFT_CANVAS_X, LEFT_CANVAS_X + CANVAS_SIZE - 1, CANVAS_Y, CANVAS_Y + CANVAS_SIZE - 1};
int c_two[4] = {RIGHT_CANVAS_X, RIGHT_CANVAS_X + CANVAS_SIZE - 1, CANVAS_Y, CANVAS_Y + CANVAS_SIZE - 1};

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
