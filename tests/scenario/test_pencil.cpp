// The pencil: every gesture, what it paints and how many undo steps it leaves.
#include "editor_harness.h"
#include "pixel_grid.h"

#include <cstdio>
#include <sstream>

namespace
{
constexpr int LEFT = LEFT_CANVAS_X, RIGHT = RIGHT_CANVAS_X, TOP = CANVAS_Y;

// Runs a gesture on the canvas at canvas_x, one pass per word: "x,y" puts the pointer on that frame
// pixel, "bN" holds buttons N, and "alt", "ctrl" (with Alt) and "up" set the modifier keys.
void run(int canvas_x, const std::string &script)
{
    std::istringstream words(script);
    for (std::string word; words >> word; passes(1)) {
        int px = 0, py = 0;
        if (word[0] == 'b') {
            mouse_b = word[1] - '0';
        } else if (std::sscanf(word.c_str(), "%d,%d", &px, &py) == 2) {
            input::move(canvas_x + 12 * px + 6, TOP + 12 * py + 6);
        } else {
            key_shifts = word == "up" ? 0 : KB_ALT_FLAG | (word == "ctrl" ? KB_CTRL_FLAG : 0);
        }
    }
}

// The picture in a bitmap: rows split by '/', '.' transparent, 'F' and 'B' the
// pencil colours, each row without its trailing '.'s, blank rows at the end left off.
std::string drawn(BITMAP *bmp)
{
    std::string picture;
    for (std::string row : rows_of(bmp, {{'.', transparent_color()}, {'F', Fcolor}, {'B', Bcolor}})) {
        picture += row.erase(row.find_last_not_of('.') + 1) + "/";
    }
    return picture.erase(picture.find_last_not_of('/') + 1);
}

struct Gesture {
    int canvas_x;
    const char *script;
    const char *picture;
    size_t steps;
};

const Gesture GESTURES[] = {
    {LEFT, "1,1 b1 4,1 4,4 b0", "/.FFFF/....F/....F/....F", 1},
    {LEFT, "0,0 b1 7,7 7,0 b0", "F......F/.F.....F/..F....F/...F...F/....F..F/.....F.F/......FF/.......F", 1},
    // Over the gap onto the right canvas and back: the stroke stays on its frame.
    {LEFT, "2,2 b1 26,2 5,2 5,6 b0", "//..FFFFFFFFFFFFFF/.....F/.....F/.....F/.....F", 1},
    // A stroke held since outside the canvas is undone in one step.
    {LEFT, "-3,1 b1 3,1 b0", "/FFFF", 1},
    // Both buttons paint nothing; the one still held goes on.
    {RIGHT, "1,1 b1 b3 3,1 5,1 b2 5,3 b0", "/.F...B/.....B/.....B", 1},
    // Alt lines, in the colour of the button that began them; a Ctrl tap once it is up fixes nothing.
    {LEFT, "alt 1,1 b1 7,4 b0 up", "/.F/..FF/....FF/......FF", 1},
    {RIGHT, "alt 0,0 b2 0,5 b0 up", "B/B/B/B/B/B", 1},
    {LEFT, "alt 1,1 b1 4,1 b3 b2 4,4 ctrl alt b0 up", "/.F/..F/...F/....F", 1},
    // Each Ctrl tap, however long, fixes a segment as a step of its own; letting Alt go commits the line.
    {LEFT, "alt 1,1 b1 5,1 ctrl ctrl alt 5,5 ctrl alt 1,5 b0 up", "/.FFFFF/.....F/.....F/.....F/.FFFFF", 3},
    {LEFT, "alt 1,1 b1 6,1 up 6,4 b0", "/.FFFFFF/......F/......F/......F", 2},
};
} // namespace

TEST(Pencil, EveryGesturePaintsItsPixelsAndUndoesInItsSteps)
{
    for (const Gesture &g : GESTURES) {
        SCOPED_TRACE(g.script);
        EXPECT_SCENARIO([&g] {
            Bcolor = palette_entry(7);
            run(g.canvas_x, g.script);
            BITMAP *frame = g.canvas_x == LEFT ? CurrentFrame() : CurrentFrame2();
            EXPECT_EQ(drawn(frame), g.picture);
            EXPECT_EQ(drawn(g.canvas_x == LEFT ? CurrentFrame2() : CurrentFrame()), "") << "the other frame";
            EXPECT_EQ(drawn(FloatingGraphic), "") << "no line preview left behind";
            EXPECT_EQ(Undos.size(), g.steps);
            for (size_t i = 0; i < g.steps; ++i) {
                undo();
            }
            EXPECT_EQ(drawn(frame), "") << "the steps take back the whole gesture";
        });
    }
}

TEST(Pencil, AnAltLineIsAPreviewUntilReleaseAndMagentaErases)
{
    EXPECT_SCENARIO([] {
        const int paint = palette_entry(2);
        clear_to_color(StandingFrame, paint);
        Fcolor = transparent_color();
        run(LEFT, "3,3 b1 3,5 b0 alt 8,8 b1 12,8");
        EXPECT_EQ(getpixel(StandingFrame, 10, 8), paint) << "nothing reaches the frame while dragging";
        EXPECT_EQ(Undos.size(), 1u);
        EXPECT_EQ(getpixel(FloatingGraphic, 10, 8), makecol(255, 0, 254))
            << "a magenta preview stays visible";
        run(LEFT, "b0 up");
        EXPECT_EQ(Undos.size(), 2u);
        const Legend legend = {{'.', transparent_color()}, {'p', paint}};
        EXPECT_EQ(rows_of(StandingFrame, legend, 3, 2, 1, 5),
                  (std::vector<std::string>{"p", ".", ".", ".", "p"}));
        EXPECT_EQ(rows_of(StandingFrame, legend, 7, 8, 7, 1)[0], "p.....p");
    });
}

TEST(Pencil, AFrameOnBothCanvasesTakesOneStepAndItsOwnColourChangesNothing)
{
    EXPECT_SCENARIO([] {
        input::move(600, 400);
        mouse_z--; // the right canvas shows Standing too
        passes(1);
        ASSERT_EQ(CurrentFrame2(), CurrentFrame());
        run(RIGHT, "1,1 b1 3,1 b0");
        EXPECT_EQ(drawn(CurrentFrame()), "/.FFF");
        EXPECT_EQ(Undos.size(), 1u);
        undo();
        Fcolor = transparent_color();
        run(LEFT, "2,2 b1 b0");
        EXPECT_FALSE(is_unsaved()) << "magenta over magenta";
    });
}
