// The pencil: every gesture, what it paints and how many undo steps it leaves.
#include "app/app.h"
#include "document/document.h"
#include "editor_harness.h"
#include "pixel_grid.h"
#include "tools/tools.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr int LEFT = 285;
constexpr int RIGHT = 529;
constexpr int TOP = 355;

// The pointer on the middle of frame pixel (px, py) of the canvas at canvas_x.
void at(int canvas_x, int px, int py)
{
    input::move(canvas_x + 12 * px + 6, TOP + 12 * py + 6);
}

void hold(int buttons)
{
    input::buttons(buttons);
    passes(1);
}

void move_to(int canvas_x, int px, int py)
{
    at(canvas_x, px, py);
    passes(1);
}

Legend colours()
{
    return {{'.', transparent_color()}, {'F', Fcolor}, {'B', Bcolor}};
}

// The top-left 8 x 8 of a frame, where these gestures stay.
std::vector<std::string> corner(BITMAP *frame)
{
    return rows_of(frame, colours(), 0, 0, 8, 8);
}

int painted_pixels(BITMAP *frame)
{
    int n = 0;
    for (int y = 0; y < frame->h; ++y) {
        for (int x = 0; x < frame->w; ++x) {
            n += getpixel(frame, x, y) != transparent_color();
        }
    }
    return n;
}

void start_scenario()
{
    Bcolor = palette_entry(7);
}
} // namespace

TEST(Pencil, FreehandClickAndFastDragEachLeaveOneStep)
{
    EXPECT_SCENARIO([] {
        start_scenario();
        move_to(LEFT, 1, 1);
        hold(1);
        move_to(LEFT, 4, 1);
        move_to(LEFT, 4, 4);
        hold(0);
        EXPECT_ROWS(corner(StandingFrame), (std::vector<std::string>{
                                               "........",
                                               ".FFFF...",
                                               "....F...",
                                               "....F...",
                                               "....F...",
                                               "........",
                                               "........",
                                               "........",
                                           }));
        EXPECT_EQ(Undos.size(), 1u);
        undo();
        EXPECT_EQ(painted_pixels(StandingFrame), 0) << "one undo takes the whole stroke";

        move_to(LEFT, 6, 2);
        hold(1);
        hold(0);
        EXPECT_EQ(painted_pixels(StandingFrame), 1) << "a click paints the pixel under the pointer only";
        EXPECT_EQ(getpixel(StandingFrame, 6, 2), Fcolor);
        EXPECT_EQ(Undos.size(), 1u);
        undo();

        // Fast: one pass per corner of the frame.
        move_to(LEFT, 0, 0);
        hold(1);
        move_to(LEFT, 15, 15);
        move_to(LEFT, 15, 0);
        hold(0);
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(getpixel(StandingFrame, i, i), Fcolor) << "diagonal at " << i;
            EXPECT_EQ(getpixel(StandingFrame, 15, i), Fcolor) << "right column at " << i;
        }
        EXPECT_EQ(painted_pixels(StandingFrame), 31);
        EXPECT_EQ(Undos.size(), 1u);
    });
}

TEST(Pencil, AStrokeStaysOnItsCanvasWhereverThePointerGoes)
{
    EXPECT_SCENARIO([] {
        start_scenario();
        move_to(LEFT, 2, 2);
        hold(1);
        move_to(LEFT, 26, 2); // across the gap and over the right canvas
        EXPECT_EQ(canvas, 1);
        move_to(LEFT, 5, 2);
        move_to(LEFT, 5, 6);
        hold(0);
        EXPECT_EQ(painted_pixels(WalkingFrame), 0) << "the right canvas's frame is never touched";
        std::vector<std::string> expected(16, "................");
        for (int x = 2; x < 16; ++x) {
            expected[2][x] = 'F';
        }
        for (int y = 2; y <= 6; ++y) {
            expected[y][5] = 'F';
        }
        EXPECT_ROWS(rows_of(StandingFrame, colours()), expected);
        EXPECT_EQ(Undos.size(), 1u);
        EXPECT_EQ(canvas, 0) << "the stroke ends with the release";
    });
}

TEST(Pencil, BothButtonsPaintNothingThenTheRemainingOneGoesOn)
{
    EXPECT_SCENARIO([] {
        start_scenario();
        move_to(RIGHT, 1, 1);
        hold(1);
        hold(3);
        move_to(RIGHT, 3, 1);
        move_to(RIGHT, 5, 1);
        hold(2); // left released where the pointer is
        move_to(RIGHT, 5, 3);
        hold(0);
        EXPECT_ROWS(corner(WalkingFrame), (std::vector<std::string>{
                                              "........",
                                              ".F...B..",
                                              ".....B..",
                                              ".....B..",
                                              "........",
                                              "........",
                                              "........",
                                              "........",
                                          }));
        EXPECT_EQ(Undos.size(), 1u);
        EXPECT_EQ(painted_pixels(StandingFrame), 0);
    });
}

TEST(Pencil, AltDrawsARubberBandLineCommittedOnRelease)
{
    EXPECT_SCENARIO([] {
        start_scenario();
        input::shifts(KB_ALT_FLAG);
        move_to(LEFT, 1, 1);
        hold(1);
        move_to(LEFT, 7, 4);
        EXPECT_EQ(drawing, 1);
        EXPECT_EQ(painted_pixels(StandingFrame), 0) << "nothing reaches the frame while dragging";
        EXPECT_TRUE(Undos.empty());
        const std::vector<std::string> preview = corner(FloatingGraphic);
        EXPECT_EQ(preview[1][1], 'F');
        EXPECT_EQ(preview[4][7], 'F');
        hold(0);
        EXPECT_ROWS(corner(StandingFrame), preview);
        EXPECT_EQ(painted_pixels(FloatingGraphic), 0) << "the overlay is cleared once the line is down";
        EXPECT_EQ(drawing, 0);
        EXPECT_EQ(Undos.size(), 1u);
        undo();
        EXPECT_EQ(painted_pixels(StandingFrame), 0);

        // The right button's line is in the background colour.
        move_to(RIGHT, 0, 0);
        hold(2);
        move_to(RIGHT, 0, 5);
        EXPECT_EQ(drawing, 2);
        hold(0);
        for (int y = 0; y <= 5; ++y) {
            EXPECT_EQ(getpixel(WalkingFrame, 0, y), Bcolor);
        }
        input::shifts(0);
    });
}

TEST(Pencil, AnAltLineBelongsToTheButtonThatStartedIt)
{
    EXPECT_SCENARIO([] {
        start_scenario();
        input::shifts(KB_ALT_FLAG);
        move_to(LEFT, 1, 1);
        hold(1);
        move_to(LEFT, 4, 1);
        hold(3);
        hold(2); // the left button goes up; the right one alone does not take the line over
        move_to(LEFT, 4, 4);
        EXPECT_EQ(painted_pixels(FloatingGraphic), 0);
        input::shifts(KB_ALT_FLAG | KB_CTRL_FLAG);
        passes(1);
        EXPECT_TRUE(Undos.empty()) << "nor does a Ctrl tap fix it";
        input::shifts(KB_ALT_FLAG);
        hold(0);
        input::shifts(0);
        EXPECT_EQ(getpixel(StandingFrame, 1, 1), Fcolor) << "the release commits it in its own colour";
        EXPECT_EQ(getpixel(StandingFrame, 4, 4), Fcolor);
        EXPECT_EQ(painted_pixels(StandingFrame), 4) << "one diagonal line";
        EXPECT_EQ(Undos.size(), 1u);
    });
}

TEST(Pencil, CtrlTapsDuringAnAltLineFixSegmentsOneStepEach)
{
    EXPECT_SCENARIO([] {
        start_scenario();
        input::shifts(KB_ALT_FLAG);
        move_to(LEFT, 1, 1);
        hold(1);
        move_to(LEFT, 5, 1);
        input::shifts(KB_ALT_FLAG | KB_CTRL_FLAG);
        passes(2); // held over two passes: one tap
        input::shifts(KB_ALT_FLAG);
        EXPECT_EQ(Undos.size(), 1u);
        move_to(LEFT, 5, 5);
        input::shifts(KB_ALT_FLAG | KB_CTRL_FLAG);
        passes(1);
        input::shifts(KB_ALT_FLAG);
        move_to(LEFT, 1, 5);
        hold(0);
        input::shifts(0);
        EXPECT_ROWS(corner(StandingFrame), (std::vector<std::string>{
                                               "........",
                                               ".FFFFF..",
                                               ".....F..",
                                               ".....F..",
                                               ".....F..",
                                               ".FFFFF..",
                                               "........",
                                               "........",
                                           }));
        EXPECT_EQ(Undos.size(), 3u);
        undo();
        EXPECT_EQ(getpixel(StandingFrame, 1, 5), transparent_color()) << "the last segment goes first";
        EXPECT_EQ(getpixel(StandingFrame, 5, 5), Fcolor);
    });
}

TEST(Pencil, ReleasingAltMidDragCommitsTheLineAndRecordsItApart)
{
    EXPECT_SCENARIO([] {
        start_scenario();
        input::shifts(KB_ALT_FLAG);
        move_to(LEFT, 1, 1);
        hold(1);
        move_to(LEFT, 6, 1);
        input::shifts(0);
        passes(1);
        EXPECT_EQ(Undos.size(), 2u) << "before and after the line";
        move_to(LEFT, 6, 4);
        hold(0);
        EXPECT_EQ(Undos.size(), 2u) << "releasing after Alt went up commits nothing more";
        const std::vector<std::string> with_tail = {
            "........", ".FFFFFF.", "......F.", "......F.", "......F.", "........", "........", "........",
        };
        EXPECT_ROWS(corner(StandingFrame), with_tail);
        undo();
        EXPECT_ROWS(corner(StandingFrame), (std::vector<std::string>{
                                               "........",
                                               ".FFFFFF.",
                                               "........",
                                               "........",
                                               "........",
                                               "........",
                                               "........",
                                               "........",
                                           }));
        undo();
        EXPECT_EQ(painted_pixels(StandingFrame), 0);
    });
}

TEST(Pencil, MagentaErasesAndPreviewsInTheStandIn)
{
    EXPECT_SCENARIO([] {
        start_scenario();
        clear_to_color(StandingFrame, palette_entry(2));
        Fcolor = transparent_color();
        move_to(LEFT, 3, 3);
        hold(1);
        move_to(LEFT, 3, 5);
        hold(0);
        for (int y = 3; y <= 5; ++y) {
            EXPECT_EQ(getpixel(StandingFrame, 3, y), transparent_color());
        }
        EXPECT_EQ(getpixel(StandingFrame, 3, 6), palette_entry(2));

        input::shifts(KB_ALT_FLAG);
        move_to(LEFT, 8, 8);
        hold(1);
        move_to(LEFT, 12, 8);
        EXPECT_EQ(getpixel(FloatingGraphic, 10, 8), makecol(255, 0, 254))
            << "a magenta preview stays visible";
        hold(0);
        input::shifts(0);
        EXPECT_EQ(getpixel(StandingFrame, 10, 8), transparent_color()) << "the committed line erases";
    });
}

TEST(Pencil, TheSameFrameOnBothCanvasesShowsEveryStrokeOnBoth)
{
    EXPECT_SCENARIO([] {
        start_scenario();
        CurrentFrame2 = StandingFrame;
        drx2 = 38;
        move_to(RIGHT, 3, 4);
        hold(1);
        hold(0);
        input::move(790, 10);
        passes(1);
        EXPECT_EQ(getpixel(ActiveBuffer, LEFT + 12 * 3 + 5, TOP + 12 * 4 + 5), Fcolor)
            << "on the left canvas";
        EXPECT_EQ(getpixel(ActiveBuffer, RIGHT + 12 * 3 + 5, TOP + 12 * 4 + 5), Fcolor)
            << "on the right canvas";
        ASSERT_EQ(Undos.size(), 1u);
        EXPECT_EQ(Undos[0].frame, StandingFrame);
    });
}
