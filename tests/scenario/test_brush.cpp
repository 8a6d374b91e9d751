// The brush: where its stamps land, which canvas they reach and how they undo.
#include "editor_harness.h"
#include "pixel_grid.h"

#include <cstdio>
#include <sstream>

namespace
{
constexpr int LEFT = LEFT_CANVAS_X, RIGHT = RIGHT_CANVAS_X, TOP = CANVAS_Y;
constexpr int DOT = 0, PLUS = 3;

// One pass per word: "Lx,y" and "Rx,y" put the pointer on that frame pixel of the left or right canvas,
// "bN" holds buttons N; "shift", "ctrl" and "up" set the modifier keys.
void run(const std::string &script)
{
    std::istringstream words(script);
    for (std::string word; words >> word; passes(1)) {
        int x = 0, y = 0;
        if (word[0] == 'b') {
            mouse_b = word[1] - '0';
        } else if (std::sscanf(word.c_str() + 1, "%d,%d", &x, &y) == 2) {
            input::move((word[0] == 'R' ? RIGHT : LEFT) + 12 * x + 6, TOP + 12 * y + 6);
        } else {
            key_shifts = word == "shift" ? KB_SHIFT_FLAG : word == "ctrl" ? KB_CTRL_FLAG : 0;
        }
    }
}

// Rows split by '/', '.' transparent, 'F' the foreground colour, trailing '.'s and blank end rows left off.
std::string drawn(BITMAP *bmp)
{
    std::string picture;
    for (std::string row : rows_of(bmp, {{'.', transparent_color()}, {'F', Fcolor}})) {
        picture += row.erase(row.find_last_not_of('.') + 1) + "/";
    }
    return picture.erase(picture.find_last_not_of('/') + 1);
}

struct Gesture {
    int brush;
    const char *script;
    const char *left, *right;
    size_t steps;
    bool arrow;
};

const Gesture GESTURES[] = {
    // A click stamps once with brush pixel (4, 4) under the pointer.
    {PLUS, "L6,6 b1 b0", "/////......F/.....FFF/......F", "", 1, false},
    // 42 px into the canvas the corner truncates to column 0, not -1.
    {DOT, "L3,6 b1 b0", "//////....F", "", 1, false},
    // Shift moves the target; the former canvas then takes nothing, not even a step.
    {DOT, "shift up L6,6 b1 b0", "", "", 0, false},
    {DOT, "shift up R6,6 b1 b0", "", "//////......F", 1, false},
    // A Shift pressed during a hold does not switch.
    {DOT, "L4,4 b1 shift b0 up L8,8 b1 b0", "////....F////........F", "", 2, false},
    {DOT, "ctrl L6,6 b1 b0", "", "", 0, true},
    // A fast move stamps along every pixel of the path.
    {DOT, "L4,5 b1 L12,5 b0", "/////....FFFFFFFFF", "", 1, false},
    // Started in the gap between the canvases, or on the other canvas: one step for the target.
    {DOT, "L16,6 b1 L10,6 b0", "//////..........FFFFFF", "", 1, false},
    {DOT, "shift up L15,6 b1 R2,6 b0", "", "//////FFFF", 1, false},
};
} // namespace

TEST(Brush, EveryGestureStampsItsTargetAndUndoesInOneStep)
{
    for (const Gesture &g : GESTURES) {
        SCOPED_TRACE(g.script);
        EXPECT_SCENARIO([&g] {
            select_tool(BRUSH);
            BrushSelected = g.brush;
            run(g.script);
            EXPECT_EQ(drawn(CurrentFrame()), g.left);
            EXPECT_EQ(drawn(CurrentFrame2()), g.right);
            EXPECT_EQ(mouse_sprite, g.arrow ? Cursor : BrushCursor);
            EXPECT_EQ(Undos.size(), g.steps);
            for (size_t i = 0; i < g.steps; ++i) {
                undo();
            }
            EXPECT_FALSE(is_unsaved()) << "the steps take back the whole gesture";
        });
    }
}

TEST(Brush, AMagentaStampErasesWhileItsPointerStaysVisible)
{
    EXPECT_SCENARIO([] {
        const int paint = palette_entry(2);
        clear_to_color(StandingFrame, paint);
        select_tool(BRUSH);
        BrushSelected = PLUS;
        Fcolor = transparent_color();
        run("L6,6 b1 b0");
        const Legend legend = {{'.', transparent_color()}, {'p', paint}};
        EXPECT_EQ(rows_of(StandingFrame, legend, 5, 5, 3, 3),
                  (std::vector<std::string>{"p.p", "...", "p.p"}));
        EXPECT_EQ(getpixel(BrushCursor, 48, 48), makecol(255, 0, 254));
    });
}
