#include "tools/tools.h"

int Fcolor, Bcolor;
int ColorPalette[PALETTE_COLUMNS * PALETTE_ROWS];

int transparent_color() { return makecol(255, 0, 255); }

void read_color_table(BITMAP *palette)
{
    for (int y = 0; y < PALETTE_ROWS; ++y) {
        for (int x = 0; x < PALETTE_COLUMNS; ++x) {
            ColorPalette[x * PALETTE_ROWS + y] = getpixel(palette, x, y);
        }
    }
}
