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
    for (int i = 0; i < 15; ++i) {
        do_line(ActiveBuffer, left + 11 + 12 * i, 355, left + 11 + 12 * i, 546, 0, draw_inverted);
    }
    for (int i = 0; i < 15; ++i) {
        do_line(ActiveBuffer, left, 366 + 12 * i, left + 191, 366 + 12 * i, 0, draw_inverted);
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
