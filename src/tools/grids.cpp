#include "app/app.h"
#include "tools/tools.h"

namespace
{
void draw_inverted(BITMAP *bmp, int x, int y, int)
{
    const int pixel = getpixel(bmp, x, y);
    if (pixel == makecol(128, 128, 128)) {
        putpixel(bmp, x, y, makecol(192, 192, 192));
    } else {
        putpixel(bmp, x, y, makecol(255 - getr(pixel), 255 - getg(pixel), 255 - getb(pixel)));
    }
}

// Lines run along the last column or row of each frame-pixel cell; the
// canvas's outer edges get none.
void draw_grid(int left)
{
    const int last = CANVAS_ZOOM - 1;
    for (int i = 0; i < 15; ++i) {
        const int x = left + last + CANVAS_ZOOM * i;
        do_line(ActiveBuffer, x, CANVAS_Y, x, CANVAS_Y + CANVAS_SIZE - 1, 0, draw_inverted);
    }
    for (int i = 0; i < 15; ++i) {
        const int y = CANVAS_Y + last + CANVAS_ZOOM * i;
        do_line(ActiveBuffer, left, y, left + CANVAS_SIZE - 1, y, 0, draw_inverted);
    }
}
} // namespace

void draw_grids()
{
    if (options.left_grid) {
        draw_grid(LEFT_CANVAS_X);
    }
    if (options.right_grid) {
        draw_grid(RIGHT_CANVAS_X);
    }
}
