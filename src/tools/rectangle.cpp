#include "tools/tools.h"

int rect_fill = 0;

void step_rectangle_fill(bool up)
{
    rect_fill = up ? 1 : 0;
}

void draw_rect(BITMAP *bmp, int x1, int y1, int x2, int y2, int color)
{
    if (rect_fill) {
        rectfill(bmp, x1, y1, x2, y2, color);
    } else {
        rect(bmp, x1, y1, x2, y2, color);
    }
}

void rectangle_tool()
{
    drag_box_shape(draw_rect, false);
}
