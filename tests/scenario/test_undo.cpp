// The undo history shared by all frames, and restoring a frame to its
// oldest recorded state.
#include "app/app.h"
#include "document/document.h"
#include "editor_harness.h"
#include "tools/tools.h"
#include "windows/windows.h"

#include <allegro.h>
#include <gtest/gtest.h>

namespace
{
constexpr int LEFT = 285;
constexpr int RIGHT = 529;
constexpr int TOP = 355;

// A click with the pencil on frame pixel (px, py) of a canvas.
void dot(int canvas_x, int px, int py, int color)
{
    Fcolor = color;
    input::move(canvas_x + 12 * px + 6, TOP + 12 * py + 6);
    passes(1);
    input::buttons(1);
    passes(1);
    input::buttons(0);
    passes(1);
}

void ctrl_z()
{
    input::shifts(KB_CTRL_FLAG);
    input::key_down(KEY_Z);
    passes(1);
    input::key_up(KEY_Z);
    input::shifts(0);
    passes(1);
}

int red()
{
    return makecol(200, 0, 0);
}
int green()
{
    return makecol(0, 200, 0);
}
int blue()
{
    return makecol(0, 0, 200);
}
int clear()
{
    return transparent_color();
}
} // namespace

TEST(Undo, StepsComeBackInTimeOrderAcrossCanvasesAndFrames)
{
    EXPECT_SCENARIO([] {
        dot(LEFT, 1, 1, red());
        dot(RIGHT, 2, 2, green());
        dot(LEFT, 1, 1, blue());
        ASSERT_EQ(Undos.size(), 3u);
        ctrl_z();
        EXPECT_EQ(getpixel(StandingFrame, 1, 1), red()) << "the latest stroke goes first";
        EXPECT_EQ(getpixel(WalkingFrame, 2, 2), green());
        ctrl_z();
        EXPECT_EQ(getpixel(WalkingFrame, 2, 2), clear()) << "then the other canvas's";
        EXPECT_EQ(getpixel(StandingFrame, 1, 1), red());
        ctrl_z();
        EXPECT_EQ(getpixel(StandingFrame, 1, 1), clear());
        EXPECT_TRUE(Undos.empty());
        ctrl_z();
        EXPECT_FALSE(is_unsaved()) << "undo on an empty history does nothing";
    });
}

TEST(Undo, TheSameFrameOnBothCanvasesUndoesInPlainTimeOrder)
{
    EXPECT_SCENARIO([] {
        CurrentFrame2 = StandingFrame;
        drx2 = 38;
        dot(LEFT, 4, 4, red());
        dot(RIGHT, 4, 4, green());
        dot(LEFT, 5, 5, blue());
        ctrl_z();
        EXPECT_EQ(getpixel(StandingFrame, 5, 5), clear());
        EXPECT_EQ(getpixel(StandingFrame, 4, 4), green());
        ctrl_z();
        EXPECT_EQ(getpixel(StandingFrame, 4, 4), red()) << "the right canvas's stroke on the shared frame";
        ctrl_z();
        EXPECT_EQ(getpixel(StandingFrame, 4, 4), clear());
    });
}

TEST(Undo, AFrameNoLongerShownIsStillTakenBack)
{
    EXPECT_SCENARIO([] {
        dot(LEFT, 3, 3, red());
        input::move(LEFT + 50, TOP + 50);
        for (int i = 0; i < 2; ++i) { // the left canvas moves on to Jumping
            input::wheel(mouse_z + 1);
            passes(1);
        }
        ASSERT_EQ(CurrentFrame, JumpingFrame);
        ctrl_z();
        EXPECT_EQ(getpixel(StandingFrame, 3, 3), clear());
        EXPECT_EQ(CurrentFrame, JumpingFrame) << "undo does not bring the frame back on screen";
    });
}

TEST(Undo, AddStepRecordsTheFrameOfTheNamedCanvas)
{
    EXPECT_SCENARIO([] {
        CurrentFrame = SlidingFrame;
        CurrentFrame2 = DeathFrame;
        add_step(0);
        add_step(1);
        add_step(2);
        add_step(7);
        ASSERT_EQ(Undos.size(), 4u);
        EXPECT_EQ(Undos[0].frame, SlidingFrame) << "0 counts as the left canvas";
        EXPECT_EQ(Undos[1].frame, SlidingFrame);
        EXPECT_EQ(Undos[2].frame, DeathFrame);
        EXPECT_EQ(Undos[3].frame, DeathFrame) << "anything above 1 is the right canvas";
        putpixel(SlidingFrame, 0, 0, red());
        add_step(SlidingFrame);
        EXPECT_EQ(getpixel(Undos.back().saved_image, 0, 0), red()) << "a copy of the frame as it is now";
        putpixel(SlidingFrame, 0, 0, green());
        EXPECT_EQ(getpixel(Undos.back().saved_image, 0, 0), red()) << "the copy is the step's own";
    });
}

TEST(Undo, RestoreGoesBackToTheOldestStepOfThatFrameOnly)
{
    EXPECT_SCENARIO([] {
        dot(RIGHT, 0, 0, blue()); // Walking first
        dot(LEFT, 1, 1, red());   // Standing's oldest step: blank
        dot(LEFT, 2, 2, green());
        dot(RIGHT, 0, 0, red());
        const size_t before = Undos.size();
        restore(StandingFrame);
        EXPECT_EQ(getpixel(StandingFrame, 1, 1), clear());
        EXPECT_EQ(getpixel(StandingFrame, 2, 2), clear());
        EXPECT_EQ(getpixel(WalkingFrame, 0, 0), red()) << "other frames stay";
        EXPECT_EQ(Undos.size(), before + 1) << "the oldest step stays and the restore is recorded";

        windows_script::answer(&AlreadyRestored, 1);
        restore(StandingFrame);
        EXPECT_EQ(Undos.size(), before + 1) << "a frame in original condition records nothing";
        ASSERT_EQ(windows_script::shown().size(), 1u);

        ctrl_z();
        EXPECT_EQ(getpixel(StandingFrame, 1, 1), red()) << "undo takes the restore back";
        EXPECT_EQ(getpixel(StandingFrame, 2, 2), green());
    });
}

TEST(Undo, RestoreWithoutAStepOfTheFrameSaysSo)
{
    EXPECT_SCENARIO([] {
        dot(LEFT, 1, 1, red());
        putpixel(JumpingFrame, 0, 0, green());
        windows_script::answer(&NoRestore, 1);
        restore(JumpingFrame);
        EXPECT_EQ(getpixel(JumpingFrame, 0, 0), green());
        EXPECT_EQ(Undos.size(), 1u);

        ctrl_z();
        windows_script::answer(&NoRestore, 1);
        restore(StandingFrame);
        EXPECT_EQ(windows_script::shown().size(), 2u) << "once undo has used up a frame's steps";
    });
}
