// Canvas geometry, the wheel, colour stepping and the recolour rule, on the
// editor's own globals with a palette table of the test's own.
#include "document/document.h"
#include "headless.h"
#include "tools/tools.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

namespace
{
int column_color(int c)
{
    return makecol(10 * c, 100, 200 - c);
}

class Palette : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        start_headless_library();
        for (int c = 0; c < PALETTE_COLUMNS; ++c) {
            for (int r = 0; r < PALETTE_ROWS; ++r) {
                ColorPalette[c * PALETTE_ROWS + r] = r == 0 ? column_color(c) : makecol(c, r, 7);
            }
        }
    }
};

class Frames : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        start_headless_library();
        if (!StandingFrame) {
            ASSERT_EQ(create_frames(), 0);
        }
    }
    void SetUp() override
    {
        CurrentFrame = StandingFrame;
        CurrentFrame2 = WalkingFrame;
        drx = 38;
        drx2 = 70;
        preview_mode = 0;
        CustomRecolor = 1;
        mb = old_mb = 0;
        menu = 0;
        key_shifts = 0;
    }
    void roll(int x, int y, int dz)
    {
        mx = x;
        my = y;
        old_mz = mz;
        mz += dz;
        scroll_canvas();
    }
};
} // namespace

TEST(Geometry, ScreenToFramePixelsRoundsDown)
{
    canvas = 1;
    EXPECT_EQ(xscale(284), -1);
    EXPECT_EQ(xscale(285), 0);
    EXPECT_EQ(xscale(476), 15);
    EXPECT_EQ(xscale(477), 16);
    EXPECT_EQ(xscale(273), -1);
    EXPECT_EQ(xscale(272), -2);
    EXPECT_EQ(yscale(354), -1);
    EXPECT_EQ(yscale(355), 0);
    EXPECT_EQ(ssnap(300, 1), 297);
    EXPECT_EQ(ssnap(290, 1), 285);
    EXPECT_EQ(ssnap(280, 1), 273);
    canvas = 2;
    EXPECT_EQ(xscale(529), 0);
    EXPECT_EQ(ssnap(540, 1), 529);
    EXPECT_EQ(ssnap(366, 2), 355);
    EXPECT_EQ(ssnap(367, 2), 367);
    EXPECT_EQ(snap(-5), 0);
    EXPECT_EQ(snap(25), 24);
    EXPECT_EQ(snap(-13), -12);
    canvas = 0;
}

TEST(Geometry, MouseInsideReportsEachAxis)
{
    mx = 10;
    my = 20;
    EXPECT_EQ(mouse_inside(10, 10, 20, 20), 3);
    EXPECT_EQ(mouse_inside(0, 10, 21, 30), 1);
    EXPECT_EQ(mouse_inside(11, 12, 0, 20), 2);
    EXPECT_EQ(mouse_inside(11, 12, 21, 22), 0);
    mb = 2;
    old_mb = 1;
    EXPECT_FALSE(mouse_clicked_in(0, 100, 0, 100)) << "a press needs no button held before";
    old_mb = 0;
    EXPECT_TRUE(mouse_clicked_in(0, 100, 0, 100));
}

TEST_F(Frames, WheelStepsFramesAndWraps)
{
    roll(500, 400, +1); // right of the left canvas, still in its wheel zone
    EXPECT_EQ(CurrentFrame, WalkingFrame);
    EXPECT_EQ(drx, 70);
    roll(600, 400, -1);
    EXPECT_EQ(CurrentFrame2, StandingFrame);
    roll(600, 400, -1);
    EXPECT_EQ(CurrentFrame2, StompedFrame);
    EXPECT_EQ(drx2, 198);
    roll(600, 400, +1);
    EXPECT_EQ(CurrentFrame2, StandingFrame);
    EXPECT_EQ(drx2, 38);
    mb = 1;
    roll(300, 400, +1);
    EXPECT_EQ(CurrentFrame, WalkingFrame) << "no wheel steps while a button is held";
    mb = 0;
    menu = 1;
    roll(300, 400, +1);
    EXPECT_EQ(CurrentFrame, WalkingFrame) << "no wheel steps while a chooser is open";
}

TEST_F(Frames, WheelOverPreviewStepsModesWithTheRecolourTable)
{
    roll(400, 300, +1);
    EXPECT_EQ(preview_mode, 23);
    EXPECT_EQ(CustomRecolor, 36);
    roll(400, 300, -1);
    EXPECT_EQ(preview_mode, 0);
    EXPECT_EQ(CustomRecolor, 1);
    const int expected[6] = {1, 5, 6, 8, 7, 9};
    for (int m = 1; m < 6; ++m) {
        roll(400, 300, -1);
        EXPECT_EQ(CustomRecolor, expected[m]);
    }
    key_shifts = KB_CTRL_FLAG;
    roll(400, 300, -1);
    EXPECT_EQ(preview_mode, 11);
    EXPECT_EQ(CustomRecolor, 18);
    preview_mode = 0;
    roll(400, 300, +1);
    EXPECT_EQ(preview_mode, 18);
    EXPECT_EQ(CustomRecolor, 28);
}

TEST_F(Palette, ColourStepsWalkTheSwatchOrderAcrossTheTransparentOne)
{
    const int t = transparent_color();
    const struct {
        int from, forward, backward;
    } steps[] = {
        {column_color(0), column_color(1), column_color(24)},
        {column_color(1), column_color(2), column_color(0)},
        {column_color(11), t, column_color(10)},
        {t, column_color(12), column_color(11)},
        {column_color(12), column_color(13), t},
        {column_color(24), column_color(0), column_color(23)},
        {makecol(1, 2, 3), makecol(1, 2, 3), makecol(1, 2, 3)}, // off the palette: stays
    };
    for (const auto &step : steps) {
        EXPECT_EQ(step_color_forward(step.from), step.forward);
        EXPECT_EQ(step_color_backward(step.from), step.backward);
    }
    // Two columns of one colour: stepping continues from the lower column,
    // and a colour that also sits in column 24 wraps like column 24.
    ColorPalette[20 * PALETTE_ROWS] = column_color(5);
    EXPECT_EQ(step_color_forward(column_color(5)), column_color(6));
    EXPECT_EQ(step_color_backward(column_color(5)), column_color(4));
    ColorPalette[24 * PALETTE_ROWS] = column_color(3);
    EXPECT_EQ(step_color_forward(column_color(3)), column_color(0));
}

TEST_F(Palette, RecolourRuleTakesTheFirstMatchingBaseColour)
{
    EXPECT_EQ(recolor_pixel(column_color(5), 9), makecol(5, 9, 7));
    EXPECT_EQ(recolor_pixel(makecol(1, 1, 1), 9), makecol(1, 1, 1));
    ColorPalette[17 * PALETTE_ROWS] = column_color(4);
    EXPECT_EQ(recolor_pixel(column_color(4), 3), makecol(4, 3, 7));
    EXPECT_EQ(recolor_pixel(transparent_color(), 3), transparent_color());
}
