#include "app/app.h"
#include "tools/tools.h"

#include <cstdlib>

int circ_fill = 0;

namespace
{
// A wider or taller box is only reached by moving a centred ellipse with Space
// again and again; it is not drawn rather than costing a huge work picture.
constexpr int MAX_WORK_SIDE = 1024;

int floor_half(int v)
{
    return v >= 0 ? v / 2 : -((1 - v) / 2);
}
} // namespace

void step_ellipse_fill(bool up)
{
    circ_fill = up ? 1 : 0;
}

// Only the top-left quadrant of the library's ellipse is used, mirrored, so
// the result is symmetric whatever the library's rasteriser does; for an even
// width or height the quadrant's last column or row is painted twice over the middle.
void boundcircle(BITMAP *bmp, int x1, int y1, int x2, int y2, int color)
{
    const int s = x1 + x2, t = y1 + y2;
    const int cx = floor_half(s), cy = floor_half(t);
    const int px = s - 2 * cx, py = t - 2 * cy;
    const int rx = std::abs(x1 - x2) / 2, ry = std::abs(y1 - y2) / 2;
    if (2 * rx + 1 > MAX_WORK_SIDE || 2 * ry + 1 > MAX_WORK_SIDE) {
        return;
    }
    BITMAP *work = create_bitmap(2 * rx + 1, 2 * ry + 1);
    if (!work) {
        return;
    }
    clear_to_color(work, transparent_color());
    const int black = makecol(0, 0, 0);
    if (circ_fill) {
        ellipsefill(work, rx, ry, rx, ry, black);
    } else {
        ellipse(work, rx, ry, rx, ry, black);
    }
    for (int j = 0; j <= ry; ++j) {
        for (int i = 0; i <= rx; ++i) {
            if (getpixel(work, i, j) == transparent_color()) {
                continue;
            }
            putpixel(bmp, cx - rx + i, cy - ry + j, color);
            putpixel(bmp, cx + rx + px - i, cy - ry + j, color);
            putpixel(bmp, cx - rx + i, cy + ry + py - j, color);
            putpixel(bmp, cx + rx + px - i, cy + ry + py - j, color);
        }
    }
    destroy_bitmap(work);
}

void ellipse_tool()
{
    drag_box_shape(boundcircle, true);
}
