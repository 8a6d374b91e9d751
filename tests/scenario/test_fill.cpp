// The fill tool: its three modes, the Ctrl repeat on each canvas, and the undo step of each hold.
#include "editor_harness.h"
#include "pixel_grid.h"

#include <cstdio>
#include <sstream>

namespace
{
constexpr int LEFT = LEFT_CANVAS_X, RIGHT = RIGHT_CANVAS_X, TOP = CANVAS_Y;

// '.' transparent, 'a' a colour already drawn, 'F' the left button's colour; the
// right button's colour is magenta, so it erases.
Legend legend()
{
    return {{'.', transparent_color()}, {'a', palette_entry(12)}, {'F', Fcolor}};
}

// Rows split by '/', drawn from the top-left corner of a blank frame.
void paint(BITMAP *frame, const std::string &picture)
{
    std::istringstream rows(picture);
    std::string row;
    for (int y = 0; std::getline(rows, row, '/'); ++y) {
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            putpixel(frame, x, y, legend().at(row[x]));
        }
    }
}

// The same rows read back, each without its trailing '.'s, blank rows at the end left off.
std::string drawn(BITMAP *frame)
{
    std::string picture;
    for (std::string row : rows_of(frame, legend())) {
        picture += row.erase(row.find_last_not_of('.') + 1) + "/";
    }
    return picture.erase(picture.find_last_not_of('/') + 1);
}

// One pass per word: "x,y" points at that frame pixel, "bN" holds buttons N, "ctrl" and "up" the Ctrl key.
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
            key_shifts = word == "ctrl" ? KB_CTRL_FLAG : 0;
        }
    }
}

struct Fill {
    int canvas_x, mode;
    const char *before, *script, *after;
    size_t steps;
};

const char *const SCATTERED = "aa/..a/a";
const char *const POCKET = "aaa/a.a/aaa";
const char *const DOTS = "a.a.a";

const Fill FILLS[] = {
    // A diagonal neighbour joins the region only in the eight-way mode; the global mode takes every match.
    {LEFT, 0, SCATTERED, "0,0 b1 b0", "FF/..a/a", 1},
    {LEFT, 2, SCATTERED, "0,0 b1 b0", "FF/..F/a", 1},
    {RIGHT, 1, SCATTERED, "0,0 b1 b0", "FF/..F/F", 1},
    // Transparent regions take a colour, and magenta makes a region transparent.
    {LEFT, 0, POCKET, "1,1 b1 b0", "aaa/aFa/aaa", 1},
    {LEFT, 2, POCKET, "1,1 b1 b0", "aaa/aFa/aaa", 1},
    {RIGHT, 2, POCKET, "0,0 b2 b0", "", 1},
    // Magenta over magenta: nothing changes, but the press still records its step.
    {LEFT, 1, POCKET, "1,1 b2 b0", POCKET, 1},
    // Ctrl repeats the fill wherever the held button goes; without it only the press fills.
    {LEFT, 0, DOTS, "0,0 b1 2,0 4,0 b0", "F.a.a", 1},
    {LEFT, 0, DOTS, "ctrl 0,0 b1 2,0 4,0 b0", "F.F.F", 1},
    {RIGHT, 0, DOTS, "ctrl 0,0 b2 2,0 b0", "....a", 1},
    // With both buttons held, the repeat goes on only on the right canvas, in the left button's colour.
    {LEFT, 0, DOTS, "ctrl 0,0 b1 b3 2,0 b0", "F.a.a", 1},
    {RIGHT, 0, DOTS, "ctrl 0,0 b1 b3 2,0 b0", "F.F.a", 1},
    // A hold that began outside the canvases takes its one step as it enters.
    {LEFT, 0, DOTS, "-3,0 b1 ctrl 0,0 2,0 b0", "F.F.a", 1},
    {RIGHT, 2, DOTS, "-3,0 b1 ctrl 2,0 4,0 b0", "a.F.F", 1},
};
} // namespace

TEST(Fill, EveryModeAndRepeatFillsItsPixelsAndUndoesInItsSteps)
{
    for (const Fill &f : FILLS) {
        SCOPED_TRACE(f.script);
        EXPECT_SCENARIO([&f] {
            Fcolor = palette_entry(3);
            Bcolor = transparent_color();
            select_tool(FILL);
            fill_mode = f.mode;
            BITMAP *frame = f.canvas_x == LEFT ? CurrentFrame() : CurrentFrame2();
            paint(frame, f.before);
            run(f.canvas_x, f.script);
            EXPECT_EQ(drawn(frame), f.after);
            EXPECT_EQ(drawn(f.canvas_x == LEFT ? CurrentFrame2() : CurrentFrame()), "") << "the other frame";
            EXPECT_EQ(Undos.size(), f.steps);
            for (size_t i = 0; i < f.steps; ++i) {
                undo();
            }
            EXPECT_EQ(drawn(frame), f.before);
        });
    }
}

TEST(Fill, EveryModeEndsWhenTheNewColourReadsBackAsTheOld)
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
