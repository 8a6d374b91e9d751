// The wheel, the brush picture and the ellipse, on the editor's own globals.
#include "document/document.h"
#include "headless.h"
#include "tools/tools.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
// Turns the wheel dz notches with the pointer at (x, y).
void roll(int x, int y, int dz)
{
    mx = x;
    my = y;
    old_mz = mz;
    mz += dz;
    handle_wheel();
}
} // namespace

TEST(Wheel, StepsFramesAndWrapsAndOverThePreviewStepsModes)
{
    start_headless_library();
    if (!StandingFrame) {
        ASSERT_EQ(create_frames(), 0);
    }
    left_frame = 0;
    right_frame = 1;
    preview_mode = 0;
    CustomRecolor = 1;
    mb = 0;
    menu = 0;
    roll(500, 400, +1); // right of the left canvas, still in its wheel zone
    EXPECT_EQ(CurrentFrame(), WalkingFrame);
    roll(600, 400, -1);
    EXPECT_EQ(CurrentFrame2(), StandingFrame);
    roll(600, 400, -1);
    EXPECT_EQ(CurrentFrame2(), StompedFrame);
    roll(600, 400, +1);
    EXPECT_EQ(CurrentFrame2(), StandingFrame);
    mb = 1;
    roll(300, 400, +1);
    EXPECT_EQ(CurrentFrame(), WalkingFrame) << "no wheel steps while a button is held";
    mb = 0;
    menu = 1;
    roll(300, 400, +1);
    EXPECT_EQ(CurrentFrame(), WalkingFrame) << "no wheel steps while a chooser is open";

    menu = 0; // over the preview the wheel steps modes, each with its row of the recolour table
    roll(400, 300, +1);
    EXPECT_EQ(preview_mode, 23);
    EXPECT_EQ(CustomRecolor, 36);
    roll(400, 300, -1);
    EXPECT_EQ(preview_mode, 0);
    EXPECT_EQ(CustomRecolor, 1);
}

// In 15 bits the stand-in for magenta packs to magenta itself, so the
// right-button picture must follow the brush's shape, not its colours.
TEST(Brush, TheRightButtonPictureKeepsTheBrushShapeIn15Bits)
{
    start_headless_library();
    set_color_depth(15);
    BITMAP *const kept = Brush[0];
    const int kept_front = Fcolor, kept_back = Bcolor;
    Brush[0] = create_bitmap(8, 8);
    BrushCursor = create_bitmap(96, 96);
    BrushCursor2 = create_bitmap(96, 96);
    clear_to_color(Brush[0], makecol(128, 0, 255));
    putpixel(Brush[0], 4, 4, 0);
    BrushSelected = 0;
    Fcolor = transparent_color();
    Bcolor = makecol(0, 200, 0);
    make_brush_cursor();
    EXPECT_EQ(getpixel(BrushCursor2, 48, 48), Bcolor);
    EXPECT_EQ(getpixel(BrushCursor2, 47, 48), transparent_color());
    for (BITMAP *made : {Brush[0], BrushCursor, BrushCursor2}) {
        destroy_bitmap(made);
    }
    Brush[0] = kept;
    BrushCursor = BrushCursor2 = nullptr;
    Fcolor = kept_front;
    Bcolor = kept_back;
    set_color_depth(32);
}

// The ellipse fills its box exactly and symmetrically whatever its size, centred boxes wider than 100
// included; a box too large for a work picture draws nothing.
TEST(Shapes, AnEllipseSpansItsBoxSymmetricallyAtAnySize)
{
    start_headless_library();
    BITMAP *bmp = create_bitmap(140, 110);
    const int ink = makecol(1, 2, 3);
    const int sizes[][2] = {{1, 1}, {4, 4}, {5, 5}, {2, 7}, {135, 101}};
    for (circ_fill = 0; circ_fill < 2; ++circ_fill) {
        for (const auto &size : sizes) {
            const int w = size[0], h = size[1], right = 2 + w - 1, bottom = 2 + h - 1;
            clear_to_color(bmp, 0);
            boundcircle(bmp, right, bottom, 2, 2, ink);
            int left = 999, top = 999, far_x = -1, far_y = -1;
            for (int y = 0; y < bmp->h; ++y) {
                for (int x = 0; x < bmp->w; ++x) {
                    if (getpixel(bmp, x, y) != ink) {
                        continue;
                    }
                    left = std::min(left, x), top = std::min(top, y);
                    far_x = std::max(far_x, x), far_y = std::max(far_y, y);
                    ASSERT_EQ(getpixel(bmp, right + 2 - x, y), ink) << w << "x" << h;
                    ASSERT_EQ(getpixel(bmp, x, bottom + 2 - y), ink) << w << "x" << h;
                }
            }
            EXPECT_EQ((std::vector<int>{left, top, far_x, far_y}), (std::vector<int>{2, 2, right, bottom}))
                << w << "x" << h;
        }
    }
    clear_to_color(bmp, 0);
    boundcircle(bmp, -5000, 0, 5000, 10, ink);
    EXPECT_EQ(getpixel(bmp, 0, 0) | getpixel(bmp, 0, 10), 0);
    circ_fill = 0;
    destroy_bitmap(bmp);
}
