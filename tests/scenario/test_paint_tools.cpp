// The pencil, fill and brush: every gesture, what it paints and how many undo steps it leaves.
#include "editor_harness.h"
#include "gesture_script.h"
#include "pixel_grid.h"

namespace
{
constexpr int DOT = 0, PLUS = 3;

struct Gesture {
    int tool, option; // the fill mode or the brush
    const char *before, *script, *after;
    size_t steps = 1;
};

const Gesture GESTURES[] = {
    {PENCIL, 0, "|", "L1,1 b1 L4,1 L4,4 b0", "/.FFFF/....F/....F/....F|"},
    // Over the gap onto the right canvas and back: the stroke stays on its frame.
    {PENCIL, 0, "|", "L2,2 b1 L26,2 L5,2 L5,6 b0", "//..FFFFFFFFFFFFFF/.....F/.....F/.....F/.....F|"},
    // A frame both canvases show (the wheel turns the right one back to it) takes one step.
    {PENCIL, 0, "|", "R5,3 wheel R1,1 b1 R3,1 b0", "/.FFF|/.FFF"},
    // A stroke held since outside the canvas is undone in one step.
    {PENCIL, 0, "|", "L-3,1 b1 L3,1 b0", "/FFFF|"},
    // Both buttons paint nothing; the one still held goes on.
    {PENCIL, 0, "|", "R1,1 b1 b3 R3,1 R5,1 b2 R5,3 b0", "|/.F...B/.....B/.....B"},
    // Alt lines, in the colour of the button that began them; a Ctrl tap once it is up fixes nothing.
    {PENCIL, 0, "|", "alt L1,1 b1 L7,4 b0 up", "/.F/..FF/....FF/......FF|"},
    {PENCIL, 0, "|", "alt R0,0 b2 R0,5 b0 up", "|B/B/B/B/B/B"},
    {PENCIL, 0, "|", "alt L1,1 b1 L4,1 b3 b2 L4,4 altctrl alt b0 up", "/.F/..F/...F/....F|"},
    // Each Ctrl tap, however long, fixes a segment as a step of its own; letting Alt go commits the line.
    {PENCIL, 0, "|", "alt L1,1 b1 L5,1 altctrl altctrl alt L5,5 altctrl alt L1,5 b0 up",
     "/.FFFFF/.....F/.....F/.....F/.FFFFF|", 3},
    {PENCIL, 0, "|", "alt L1,1 b1 L6,1 up L6,4 b0", "/.FFFFFF/......F/......F/......F|", 2},
    // Fill modes 0 four-way, 1 global, 2 eight-way; the right button's colour is magenta, so it erases.
    {FILL, 0, "aa/..a/a|", "L0,0 b1 b0", "FF/..a/a|"},
    {FILL, 2, "aa/..a/a|", "L0,0 b1 b0", "FF/..F/a|"},
    {FILL, 1, "|aa/..a/a", "R0,0 b1 b0", "|FF/..F/F"},
    {FILL, 0, "aaa/a.a/aaa|", "L1,1 b1 b0", "aaa/aFa/aaa|"},
    {FILL, 2, "|aaa/a.a/aaa", "R0,0 b2 b0", "|"},
    // Magenta over magenta: nothing changes, but the press still records its step.
    {FILL, 1, "aaa/a.a/aaa|", "L1,1 b2 b0", "aaa/a.a/aaa|"},
    // Ctrl repeats the fill wherever the held button goes; without it only the press fills.
    {FILL, 0, "a.a.a|", "L0,0 b1 ctrl L2,0 up L4,0 b0", "F.F.a|"},
    {FILL, 0, "|a.a.a", "ctrl R0,0 b2 R2,0 b0", "|....a"},
    // With both buttons held, the repeat goes on only on the right canvas, in the left button's colour.
    {FILL, 0, "a.a.a|", "ctrl L0,0 b1 b3 L2,0 b0", "F.a.a|"},
    {FILL, 0, "|a.a.a", "ctrl R0,0 b1 b3 R2,0 b0", "|F.F.a"},
    // A hold that began outside the canvases takes its one step as it enters.
    {FILL, 0, "a.a.a|", "L-3,0 b1 ctrl L0,0 L2,0 b0", "F.F.a|"},
    {FILL, 2, "|a.a.a", "R-3,0 b1 ctrl R2,0 R4,0 b0", "|a.F.F"},
    // A click stamps once with brush pixel (4, 4) under the pointer; 42 px in, the corner truncates to 0.
    {BRUSH, PLUS, "|", "L6,6 b1 b0", "/////......F/.....FFF/......F|"},
    {BRUSH, DOT, "|", "L3,6 b1 b0", "//////....F|"},
    // Shift moves the target, even from the gap; the former canvas then takes nothing, not even a step.
    {BRUSH, DOT, "|", "shift up L6,6 b1 b0", "|", 0},
    {BRUSH, DOT, "|", "shift up R6,6 b1 b0", "|//////......F"},
    {BRUSH, DOT, "|", "shift up L15,6 b1 R2,6 b0", "|//////FFFF"},
    // A Shift pressed during a hold does not switch; with Ctrl held the brush paints nothing.
    {BRUSH, DOT, "|", "L4,4 b1 shift b0 up L8,8 b1 b0", "////....F////........F|", 2},
    {BRUSH, DOT, "|", "ctrl L6,6 b1 b0", "|", 0},
    // A fast move stamps along every pixel of the path, also from the gap between the canvases.
    {BRUSH, DOT, "|", "L4,5 b1 L12,5 b0", "/////....FFFFFFFFF|"},
    {BRUSH, DOT, "|", "L16,6 b1 L10,6 b0", "//////..........FFFFFF|"},
};
} // namespace

TEST(PaintTools, EveryGesturePaintsItsPixelsAndUndoesInItsSteps)
{
    for (const Gesture &g : GESTURES) {
        SCOPED_TRACE(g.script);
        EXPECT_SCENARIO([&g] {
            Bcolor = g.tool == PENCIL ? palette_entry(7) : transparent_color();
            select_tool(g.tool);
            (g.tool == FILL ? fill_mode : BrushSelected) = g.option;
            const std::string before = g.before;
            paint(CurrentFrame(), before.substr(0, before.find('|')));
            paint(CurrentFrame2(), before.substr(before.find('|') + 1));
            run(g.script);
            EXPECT_EQ(canvases(), g.after);
            EXPECT_EQ(drawn(FloatingGraphic), "") << "no line preview left behind";
            if (g.tool == BRUSH) {
                EXPECT_EQ(mouse_sprite == BrushCursor, !ctrl_down()) << "the brush shows unless Ctrl is held";
            }
            EXPECT_EQ(Undos.size(), g.steps);
            for (size_t i = 0; i < g.steps; ++i) {
                undo();
            }
            EXPECT_EQ(canvases(), g.before) << "the steps take back the whole gesture";
        });
    }
}

// Magenta is the transparent colour: over itself it changes nothing; as a preview or pointer it shows.
TEST(PaintTools, MagentaErasesAndItsPreviewsStayVisible)
{
    EXPECT_SCENARIO([] {
        Fcolor = transparent_color();
        run("L2,2 b1 b0");
        EXPECT_FALSE(is_unsaved()) << "magenta over magenta";
        undo();
        clear_to_color(StandingFrame, palette_entry(12));
        run("L3,3 b1 L3,5 b0 alt L8,8 b1 L12,8");
        EXPECT_EQ(getpixel(StandingFrame, 10, 8), palette_entry(12))
            << "nothing reaches the frame while dragging";
        EXPECT_EQ(Undos.size(), 1u);
        EXPECT_EQ(getpixel(FloatingGraphic, 10, 8), makecol(255, 0, 254));
        run("b0 up");
        EXPECT_EQ(Undos.size(), 2u);
        select_tool(BRUSH);
        BrushSelected = PLUS;
        run("L6,6 b1 b0");
        EXPECT_EQ(getpixel(BrushCursor, 48, 48), makecol(255, 0, 254));
        EXPECT_EQ(rows_of(StandingFrame, legend(), 3, 2, 11, 7),
                  (std::vector<std::string>{"aaaaaaaaaaa", ".aaaaaaaaaa", ".aaaaaaaaaa", ".aa.aaaaaaa",
                                            "aa...aaaaaa", "aaa.aaaaaaa", "aaaaa.....a"}));
    });
}

TEST(PaintTools, EveryFillModeEndsWhenTheNewColourReadsBackAsTheOld)
{
    EXPECT_SCENARIO([] {
        // -1 stores as white in 24 bits, so every painted pixel still matches.
        BITMAP *frame = create_bitmap_ex(24, FRAME_SIZE, FRAME_SIZE);
        const int white = makecol24(255, 255, 255);
        clear_to_color(frame, white);
        for (fill_mode = 0; fill_mode < 3; ++fill_mode) {
            special_fill(frame, 5, 5, -1);
            EXPECT_EQ(getpixel(frame, 15, 15), white);
        }
        destroy_bitmap(frame);
    });
}
