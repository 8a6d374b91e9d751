// The ellipse, rectangle and line: the pixels each drag paints, and the undo steps it leaves.
#include "editor_harness.h"
#include "gesture_script.h"

#include <sstream>

namespace
{
struct Shape {
    const char *scripts;  // split by ';', each giving the same
    const char *after[3]; // by the ellipse, the rectangle and the line; null: not tried
    size_t steps = 1;
    const char *after_one_undo = nullptr;
};

const Shape SHAPES[] = {
    // Rings of even and odd size; a box dragged any way round gives the same shape.
    {"L0,0 b1 L3,3 b0", {".FF/F..F/F..F/.FF|"}},
    {"L0,0 b1 L4,4 b0", {".FFF/F...F/F...F/F...F/.FFF|"}},
    {"L0,0 b1 L6,3 b0;L6,3 b1 L0,0 b0;L0,3 b1 L6,0 b0;L6,0 b1 L0,3 b0",
     {".FFFFF/F.....F/F.....F/.FFFFF|", "FFFFFFF/F.....F/F.....F/FFFFFFF|"}},
    {"L2,2 b1 b0", {"//..F|", "//..F|", "//..F|"}},
    // Ctrl: the press is the centre; Shift: a circle or square as wide as the shorter drag.
    {"ctrl L8,8 b1 L11,10 b0 up",
     {"//////.......FFF/.....FF...FF/.....F.....F/.....FF...FF/.......FFF|",
      "//////.....FFFFFFF/.....F.....F/.....F.....F/.....F.....F/.....FFFFFFF|"}},
    {"shift L0,0 b1 L9,4 b0 up", {".FFF/F...F/F...F/F...F/.FFF|", "FFFFF/F...F/F...F/F...F/FFFFF|"}},
    // Past the canvas's left edge the right edge stays on the press column.
    {"L3,1 b1 L-3,5 b0", {"/FF/..FF/...F/..FF/FF|"}},
    // Space moves the box in whole pixels; let go, the far corner follows the pointer again.
    {"L1,1 b1 L3,2 space L6,5 up L7,7 b0",
     {"////.....FF/....F..F/....F..F/.....FF|", "////....FFFF/....F..F/....F..F/....FFFF|",
      "////....F/.....F/......F/.......F|"}},
    // The other button neither ends nor starts a shape: the one begun goes on to its own release.
    {"L0,0 b1 L3,3 b3 b2 L6,6 b0", {".FF/F..F/F..F/.FF|", "FFFF/F..F/F..F/FFFF|"}},
    {"R0,0 b2 R0,3 b3 b2 R3,3 b0", {"|.BB/B..B/B..B/.BB", "|BBBB/B..B/B..B/BBBB", "|B/.B/..B/...B"}},
    // A press with Space held starts nothing, and the next shape may take the other canvas.
    {"space L1,1 b1 up L4,4 b0", {nullptr, "|"}, 0},
    {"space L2,2 b1 b0 up R1,1 b1 R3,3 b0", {nullptr, "|/.FFF/.F.F/.FFF"}},
    {"L0,0 b1 L4,4 ] b0 up", {".FFF/FFFFF/FFFFF/FFFFF/.FFF|", "FFFFF/FFFFF/FFFFF/FFFFF/FFFFF|"}},
    // Begun outside the canvases: painted, clipped, and undone in one step; never entering one, nothing.
    {"L-3,0 b1 L3,3 b0", {"FFF/...F/...F/FFF|", "FFFF/...F/...F/FFFF|", "//FF/..FF|"}},
    {"L-3,2 b1 L-1,5 b0", {nullptr, "|"}, 0},
    // Each Ctrl tap fixes a segment: one undo each, the last first.
    {"L1,1 b1 L5,1 ctrl up L5,5 ctrl up L1,5 b0",
     {nullptr, nullptr, "/.FFFFF/.....F/.....F/.....F/.FFFFF|"},
     3,
     "/.FFFFF/.....F/.....F/.....F/.....F|"},
    // Alt paints freehand; the segment before it, the run and the segment after each undo on their own.
    {"L1,1 b1 L4,1 alt L4,3 L6,3 up L6,5 L8,5 b0",
     {nullptr, nullptr, "/.FFFF/....F/....FFF/.......F/........F|"},
     3,
     "/.FFFF/....F/....FFF|"},
    {"L1,1 b1 L4,1 alt L4,3 b0 up", {nullptr, nullptr, "/.FFFF/....F/....F|"}, 2, "/.FFFF|"},
    // Alt, or Ctrl with Alt, coming up with the button adds no segment that was never shown.
    {"R1,1 b1 R4,1 alt R4,3 R6,3 up+b0", {nullptr, nullptr, "|/.FFFF/....F/....FFF"}, 2, "|/.FFFF"},
    {"R1,1 b1 R4,1 alt R4,3 ctrl up R7,3 b0",
     {nullptr, nullptr, "|/.FFFF/....F/....FFFF"},
     3,
     "|/.FFFF/....F/....F"},
    {"L1,1 b1 L4,1 alt+b0 up", {nullptr, nullptr, "/.FFFF|"}},
};
} // namespace

TEST(ShapeTools, EveryDragPaintsItsPixelsAndUndoesInItsSteps)
{
    for (const Shape &s : SHAPES) {
        for (int tool = 0; tool < 3; ++tool) {
            std::istringstream scripts(s.scripts);
            for (std::string script; s.after[tool] && std::getline(scripts, script, ';');) {
                SCOPED_TRACE(std::to_string(tool) + ": " + script);
                EXPECT_SCENARIO([&s, &script, tool] {
                    Bcolor = palette_entry(7);
                    select_tool(ELLIPSE + tool);
                    run(script);
                    EXPECT_EQ(canvases(), s.after[tool]);
                    EXPECT_EQ(canvas, 0) << "no stroke stays marked";
                    EXPECT_EQ(drawing, 0);
                    EXPECT_EQ(Undos.size(), s.steps);
                    if (s.after_one_undo) {
                        undo();
                        EXPECT_EQ(canvases(), s.after_one_undo);
                    }
                    while (!Undos.empty()) {
                        undo();
                    }
                    EXPECT_EQ(canvases(), "|") << "the steps take back the whole drag";
                });
            }
        }
    }
}

// While dragging, the shape shows on both canvases when they share its frame, on the frame's thumbnail and
// in the preview strip, in the stand-in when it is transparent; ] fills it at once. Only the release paints.
TEST(ShapeTools, TheShapeInProgressShowsWhereverItsFrameDoes)
{
    EXPECT_SCENARIO([] {
        select_tool(RECTANGLE);
        run("R5,3 wheel");
        paint(StandingFrame, "aaaa/aaaa/aaaa/aaaa");
        Fcolor = transparent_color();
        const int shown = visible_transparent_color();
        run("L1,1 b1 L3,3");
        EXPECT_EQ(getpixel(FloatingGraphic, 2, 2), transparent_color()) << "an outline";
        run("] L3,3 L3,3"); // the key acts after the tool; the screen shows the pass before
        const int at_pixel_2_2[][2] = {{LEFT_CANVAS_X + 30, CANVAS_Y + 30},
                                       {RIGHT_CANVAS_X + 30, CANVAS_Y + 30},
                                       {thumbnail_x(0) + 5, THUMBNAIL_Y + 5},
                                       {STRIP_X + STRIP_SCALE * 2 + 1, STRIP_Y + STRIP_SCALE * 2 + 1}};
        for (const auto &p : at_pixel_2_2) {
            EXPECT_EQ(getpixel(ActiveBuffer, p[0], p[1]), shown) << p[0] << "," << p[1];
        }
        EXPECT_EQ(drawn(StandingFrame), "aaaa/aaaa/aaaa/aaaa");
        EXPECT_TRUE(Undos.empty());
        run("b0 up");
        EXPECT_EQ(drawn(StandingFrame), "aaaa/a/a/a") << "the transparent colour erases";
        EXPECT_EQ(Undos.size(), 1u);
    });
}
