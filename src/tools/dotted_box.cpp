#include "app/app.h"
#include "tools/tools.h"

void dotted_box(BITMAP *bmp, int x1, int x2, int y1, int y2)
{
    for (int x = x1; x <= x2; x += 2) {
        putpixel(bmp, x, y1, getpixel(ButtonColors, 1, 0));
        putpixel(bmp, x, y2, getpixel(ButtonColors, 1, 0));
    }
    for (int y = y1; y <= y2; y += 2) {
        putpixel(bmp, x1, y, getpixel(ButtonColors, 1, 0));
        putpixel(bmp, x2, y, getpixel(ButtonColors, 1, 0));
    }
}
