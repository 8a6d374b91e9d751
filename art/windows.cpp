// The nine pieces of the message window frame and its button colours. The
// editor stretches the edges and the centre, so every piece is uniform along
// the direction it is stretched in; the whole top band is the title bar.
#include "art.h"

namespace art
{

namespace
{

constexpr int piece = 16;

int outline()
{
    return rgb(10, 11, 18);
}
int shade()
{
    return rgb(36, 40, 58);
}
// A shade lighter than the editor's panels, so a window stands out from them.
int body()
{
    return rgb(64, 71, 102);
}

// The title bar colour of row y of the top band: a highlight line, a soft
// gradient, and a warm rule under it that separates it from the body.
int title_row(int y)
{
    if (y == 1) {
        return rgb(128, 140, 186);
    }
    if (y == 14) {
        return rgb(34, 38, 58);
    }
    if (y == 15) {
        return theme::accent_dark();
    }
    const int t = y - 2; // 0..11
    return rgb(92 - 3 * t, 104 - 3 * t, 150 - 4 * t);
}

// One piece, described by which sides of the window it lies on.
BITMAP *frame_piece(bool top, bool bottom, bool left, bool right)
{
    BITMAP *bmp = image(piece, piece, body());
    for (int y = 0; y < piece; ++y) {
        for (int x = 0; x < piece; ++x) {
            int c = body();
            if (top) {
                c = title_row(y);
            }
            if (bottom && y == piece - 2) {
                c = shade();
            }
            if (right && x == piece - 2 && !(top && y == piece - 1)) {
                c = shade();
            }
            if (left && x == 1 && !(top && y == piece - 1)) {
                c = top ? title_row(1) : theme::panel_light();
            }
            if (bottom && left && x == 1 && y == piece - 2) {
                c = shade();
            }
            if ((top && y == 0) || (bottom && y == piece - 1) || (left && x == 0) ||
                (right && x == piece - 1)) {
                c = outline();
            }
            putpixel(bmp, x, y, c);
        }
    }
    // Rounded outer corners: the corner pixel goes, the one inside it closes the outline.
    const int cx = left ? 0 : piece - 1;
    const int cy = top ? 0 : piece - 1;
    const int ix = left ? 1 : piece - 2;
    const int iy = top ? 1 : piece - 2;
    if ((top || bottom) && (left || right)) {
        putpixel(bmp, cx, cy, magenta());
        putpixel(bmp, ix, iy, outline());
    }
    return bmp;
}

void save_piece(bool top, bool bottom, bool left, bool right, const char *name)
{
    BITMAP *bmp = frame_piece(top, bottom, left, right);
    save(bmp, std::string("Moltwork/WindowObjects/") + name + ".png");
    destroy_bitmap(bmp);
}

} // namespace

void draw_windows()
{
    save_piece(true, false, true, false, "WTopLeft");
    save_piece(true, false, false, false, "WTop");
    save_piece(true, false, false, true, "WTopRight");
    save_piece(false, false, true, false, "WLeft");
    save_piece(false, false, false, false, "WCenter");
    save_piece(false, false, false, true, "WRight");
    save_piece(false, true, true, false, "WBottomLeft");
    save_piece(false, true, false, false, "WBottom");
    save_piece(false, true, false, true, "WBottomRight");

    // Button outline, the dotted focus frame inside it, and the outline under the pointer.
    BITMAP *colours = image(3, 1);
    putpixel(colours, 0, 0, rgb(168, 178, 214));
    putpixel(colours, 1, 0, rgb(112, 122, 160));
    putpixel(colours, 2, 0, theme::accent());
    save(colours, "Moltwork/WindowObjects/ButtonColors.png");
    destroy_bitmap(colours);
}

} // namespace art
