// The undo history shared by all frames, and restoring a frame to its oldest recorded state.
#include "editor_harness.h"

TEST(Undo, StepsComeBackInTimeOrderAcrossCanvasesAndFrames)
{
    EXPECT_SCENARIO([] {
        const int red = makecol(200, 0, 0), green = makecol(0, 200, 0), clear = transparent_color();
        stroke(1, 1, 1, red);
        stroke(2, 2, 2, green);
        stroke(1, 1, 1, makecol(0, 0, 200));
        input::move(335, 405);
        for (int i = 0; i < 2; ++i) { // the wheel turns the left canvas from Standing to Jumping
            mouse_z++;
            passes(1);
        }
        ASSERT_EQ(CurrentFrame(), JumpingFrame);
        undo();
        EXPECT_EQ(getpixel(StandingFrame, 1, 1), red) << "the latest stroke goes first, though not shown";
        EXPECT_EQ(getpixel(WalkingFrame, 2, 2), green);
        undo();
        EXPECT_EQ(getpixel(WalkingFrame, 2, 2), clear) << "then the other canvas's";
        undo();
        EXPECT_EQ(getpixel(StandingFrame, 1, 1), clear);
        EXPECT_EQ(CurrentFrame(), JumpingFrame) << "undo does not bring the frame back on screen";
        undo();
        EXPECT_FALSE(is_unsaved()) << "undo on an empty history does nothing";
    });
}

TEST(Undo, RestoreGoesBackToTheOldestStepOfThatFrameOrSaysWhyNot)
{
    EXPECT_SCENARIO([] {
        const int red = makecol(200, 0, 0), green = makecol(0, 200, 0), clear = transparent_color();
        stroke(2, 0, 0, green); // Walking first
        stroke(1, 1, 1, red);   // Standing's oldest step: blank
        stroke(1, 2, 2, green);
        stroke(2, 0, 0, red);
        restore(StandingFrame);
        EXPECT_EQ(getpixel(StandingFrame, 1, 1), clear);
        EXPECT_EQ(getpixel(StandingFrame, 2, 2), clear);
        EXPECT_EQ(getpixel(WalkingFrame, 0, 0), red) << "other frames stay";
        EXPECT_EQ(Undos.size(), 5u) << "the oldest step stays and the restore is recorded";
        windows_script::answer(&AlreadyRestored, 1);
        restore(StandingFrame);
        EXPECT_EQ(Undos.size(), 5u) << "a frame in original condition records nothing";

        undo();
        EXPECT_EQ(getpixel(StandingFrame, 1, 1), red) << "undo takes the restore back";
        EXPECT_EQ(getpixel(StandingFrame, 2, 2), green);
        for (int i = 0; i < 3; ++i) {
            undo();
        }
        windows_script::answer(&NoRestore, 1);
        restore(StandingFrame);
        EXPECT_EQ(windows_script::shown(), (std::vector<Window *>{&AlreadyRestored, &NoRestore}))
            << "no step of the frame left once undo has used them up";
    });
}
