// The toolbar's menus, the frame choosers and the preview chooser, driven by the mouse alone.
#include "editor_harness.h"

#include <cctype>
#include <cstdio>
#include <sstream>

namespace
{
constexpr int TITLE_X[6] = {0, 30, 65, 110, 170, 230};                          // by title number
constexpr ScreenPoint TOGGLE[4] = {{0, 0}, {495, 534}, {740, 534}, {700, 335}}; // by chooser number

// Runs a gesture, one action a word: "x,y" hovers there; "cx,y" clicks, "rx,y" right-clicks and "dx,y"
// holds the left button there for a pass, "hx,y" for four and then lets go; "tN" clicks title N, "oN" the
// toggle of chooser N; "wN" clicks Frames' canvas copy row N and "fN" its frame restore row N; "B" shows the
// brush cursor; "L" is Ctrl+L on a missing skin, answered, and "l" Ctrl+L on one that loads.
void run(const std::string &script)
{
    std::istringstream words(script);
    for (std::string w; words >> w;) {
        int x = 0, y = 0;
        std::sscanf(w.c_str() + (std::isdigit(w[0]) ? 0 : 1), "%d,%d", &x, &y);
        if (w[0] == 't') {
            click(TITLE_X[x], 140);
        } else if (w[0] == 'o') {
            click(TOGGLE[x].x, TOGGLE[x].y);
        } else if (w[0] == 'w' || w[0] == 'f') {
            const bool copy = w[0] == 'w';
            run("t3 120," + std::to_string(copy ? 157 : 172) + " c200," +
                std::to_string((copy ? 141 : 148) + 16 * x));
        } else if (w[0] == 'h') {
            const std::string d = " d" + w.substr(1);
            run(d + d + d + d + " " + w.substr(1));
        } else if (w[0] == 'c' || w[0] == 'r') {
            click(x, y, w[0] == 'c' ? 1 : 2);
        } else if (w[0] == 'B') {
            set_pointer(BrushCursor);
        } else if (w[0] == 'L' || w[0] == 'l') {
            if (w[0] == 'L') {
                windows_script::answer(&FakeLoad, 1);
            }
            filename = w[0] == 'L' ? "nothing-here" : "0orva.bmp";
            tap(KEY_L, KB_CTRL_FLAG);
        } else {
            input::move(x, y);
            mouse_b = w[0] == 'd' ? 1 : 0;
            passes(1);
        }
    }
}

// "toolbar_menu.toolbar_submenu menu.submenu"
std::string state()
{
    using std::to_string;
    return to_string(toolbar_menu) + "." + to_string(toolbar_submenu) + " " + to_string(menu) + "." +
           to_string(submenu);
}

// Most of an image's opaque pixels are on the screen at (x, y); what is drawn over it (words over a
// highlight, the pointer) may hide the rest.
bool shown(BITMAP *image, int x, int y)
{
    int opaque = 0, same = 0;
    for (int j = 0; j < image->h; ++j) {
        for (int i = 0; i < image->w; ++i) {
            const int p = getpixel(image, i, j);
            opaque += p != transparent_color();
            same += p != transparent_color() && getpixel(screen, x + i, y + j) == p;
        }
    }
    return opaque > 0 && 2 * same > opaque;
}

// Each row: a gesture, then the state it leaves as "toolbar_menu.toolbar_submenu menu.submenu".
// Toolbar titles at x 18..257, y 132..148; File rows from y 149, 16 high; Frames rows 1..3 at 157, 172, 188.
const char *const TRANSITIONS[] = {
    "t1 = 1.0 0.0", "t5 = 5.0 0.0", "65,140 = 0.0 0.0", "t1 65,140 = 2.0 0.0", "t3 120,157 230,140 = 5.0 0.0",
    "t1 d30,140 = 1.0 0.0", "t3 120,157 r700,100 = 0.0 0.0", "t1 c60,155 = 0.0 0.0", "t1 c60,213 = 0.0 0.0",
    "t2 c100,157 = 0.0 0.0", "t3 120,157 = 3.1 0.0", "t3 120,172 = 3.2 0.0", "t3 120,157 120,188 = 3.0 0.0",
    "t3 120,157 200,157 = 3.1 0.0", "t3 120,172 c120,197 = 3.2 0.0", "t3 c120,188 = 0.0 0.0",
    "t3 120,157 L = 0.0 0.0",
    // Choosers: team rows at y 249 + 24 (r - 1), x 540..656; the mode list of team row 2 at y 273..416.
    "o1 c30,140 = 0.0 0.0", "o1 = 0.0 1.0", "o3 = 0.0 3.0", "o1 o2 = 0.0 2.0", "o3 600,285 o1 = 0.0 1.2",
    "B o1 = 0.0 0.0", "o1 c400,415 = 0.0 0.0", "o3 600,261 = 0.0 3.1", "o3 600,344 = 0.0 3.4",
    "o3 600,285 700,100 480,500 = 0.0 3.2", "o3 c600,285 = 0.0 0.2", "o3 c600,285 o3 = 0.0 3.2",
    "o3 600,285 c480,381 = 0.0 0.0", "o3 600,285 r600,285 = 0.0 0.0", "o1 r400,415 = 0.0 0.0",
    "o3 600,285 L = 0.0 0.0", "o3 600,285 l = 0.0 0.2"};
} // namespace

TEST(Menus, EveryTransitionOfTheToolbarAndTheChoosers)
{
    for (const std::string row : TRANSITIONS) {
        const std::size_t split = row.find(" = ");
        EXPECT_SCENARIO([&] {
            run(row.substr(0, split));
            EXPECT_EQ(state(), row.substr(split + 3)) << row;
            EXPECT_TRUE(Undos.empty()) << row << ": nothing painted";
        });
    }
}

// File > New offers to save unsaved work exactly as Ctrl+N does.
TEST(Menus, FileNewAsksBeforeThrowingAwayUnsavedWork)
{
    EXPECT_SCENARIO([] {
        stroke(1, 0, 0, makecol(200, 0, 0));
        windows_script::answer(&SaveSkin, 3);
        run("t1 c60,155");
        EXPECT_EQ(Undos.size(), 1u) << "Cancel keeps the work";
        windows_script::answer(&SaveSkin, 2);
        run("t1 c60,155");
        EXPECT_TRUE(Undos.empty()) << "No goes on";
    });
}

TEST(Menus, FramesCopiesEitherCanvasRestoresFramesAndEditUndoes)
{
    EXPECT_SCENARIO([] {
        const int red = makecol(200, 0, 0), green = makecol(0, 200, 0);
        putpixel(StandingFrame, 1, 1, red);
        putpixel(WalkingFrame, 2, 2, green);
        run("w1");
        EXPECT_EQ((std::vector<int>{getpixel(WalkingFrame, 1, 1), getpixel(WalkingFrame, 2, 2)}),
                  (std::vector<int>{red, transparent_color()}))
            << "left onto right";
        ASSERT_EQ(Undos.size(), 1u);
        EXPECT_EQ(Undos[0].frame, WalkingFrame);
        run("t2 140,160");
        EXPECT_FALSE(shown(NoUndo, 51, 149)) << "Undo not greyed";
        EXPECT_TRUE(shown(NoRedo, 51, 166)) << "nothing to redo yet";
        run("c100,157 w2");
        EXPECT_EQ(getpixel(WalkingFrame, 1, 1), transparent_color()) << "Edit undid the copy";
        EXPECT_EQ(getpixel(StandingFrame, 2, 2), green) << "right onto left";
        run("o2 c669,415 w1");
        EXPECT_EQ(Undos.size(), 2u) << "copying a canvas onto itself still records a step";
        run("f1");
        EXPECT_EQ((std::vector<int>{getpixel(StandingFrame, 1, 1), getpixel(StandingFrame, 2, 2)}),
                  (std::vector<int>{red, transparent_color()}))
            << "restore row 1: the standing frame as its oldest step held it";
        run("f7");
        EXPECT_EQ(Undos.size(), 3u) << "row 7 restores nothing";
        run("t4 c115,452");
        EXPECT_EQ(Fcolor, palette_entry(5)) << "the press that closes a menu still picks";
        EXPECT_EQ(state(), "0.0 0.0");
    });
}

// A swap records no step, and the older steps follow the pictures, so neither picture is lost.
TEST(Menus, SwapCarriesTheUndoStepsWithThePictures)
{
    EXPECT_SCENARIO([] {
        const int a = makecol(200, 0, 0), b = makecol(0, 200, 0), clear = transparent_color();
        putpixel(StandingFrame, 0, 0, a);
        putpixel(WalkingFrame, 0, 0, b);
        run("c303,373 t3 c120,188"); // paint frame pixel (1, 1) on the left, then swap
        EXPECT_EQ(Undos.size(), 1u);
        windows_script::answer(&NoRestore, 1);
        run("f1 f2");
        EXPECT_EQ(getpixel(WalkingFrame, 1, 1), clear) << "restore follows the painted picture";
        EXPECT_EQ(getpixel(WalkingFrame, 0, 0), a);
        tap(KEY_Z, KB_CTRL_FLAG);
        EXPECT_EQ(getpixel(WalkingFrame, 1, 1), Fcolor);
        tap(KEY_Z, KB_CTRL_FLAG);
        EXPECT_EQ((std::vector<int>{getpixel(WalkingFrame, 0, 0), getpixel(WalkingFrame, 1, 1),
                                    getpixel(StandingFrame, 0, 0), getpixel(StandingFrame, 1, 1)}),
                  (std::vector<int>{a, clear, b, clear}))
            << "both pictures survive";
        EXPECT_EQ(windows_script::shown(), (std::vector<Window *>{&NoRestore}));
    });
}

// A click lasts many passes: the part of it after a choice must not reach the canvas beneath.
// The left frame list is 104 pixels wide (x 373..476), the right one 105 (x 617..721); rows of 24 from
// y 403. Preview team rows 1..4 stand for teams 0, 2, 1, 3; a mode row takes its recolour from the wheel.
TEST(Menus, ChoosersSetTheFramesAcrossTheirWholeListsAndThePreviewsTeamAndMode)
{
    EXPECT_SCENARIO([] {
        const struct {
            int chooser, x, y, frame; // frame -1: outside the list
        } frames[] = {{1, 373, 415, 0},  {1, 476, 439, 1}, {1, 400, 546, 5}, {1, 372, 463, -1},
                      {1, 477, 463, -1}, {2, 617, 463, 2}, {2, 721, 511, 4}, {2, 650, 403, 0},
                      {2, 616, 487, -1}, {2, 722, 487, -1}};
        for (const auto &c : frames) {
            const int before = canvas_frame(c.chooser);
            run("o" + std::to_string(c.chooser) + " h" + std::to_string(c.x) + "," + std::to_string(c.y));
            EXPECT_EQ(canvas_frame(c.chooser), c.frame < 0 ? before : c.frame) << c.x << "," << c.y;
            EXPECT_EQ(menu, 0);
        }
        const struct {
            const char *script;
            int preview_mode, recolor;
        } modes[] = {
            {"o3 600,309 h450,405", 10, 16},                          // team row 3, mode row 5
            {"o3 600,333 h450,453", 23, 36},                          // team row 4, mode row 6
            {"o3 600,261 h450,261", 0, 1},   {"o3 c600,285", 12, 19}, // team row 2 itself, left open
            {"o3 h450,381", 16, 25}, // its mode row 5: the row's team, not the variant chosen
        };
        for (const auto &c : modes) {
            run(c.script);
            EXPECT_EQ((std::vector<int>{preview_mode, CustomRecolor}),
                      (std::vector<int>{c.preview_mode, c.recolor}))
                << c.script;
        }
        EXPECT_TRUE(Undos.empty()) << "no choice painted the canvas beneath";
        run("c420,439");
        EXPECT_EQ(Undos.size(), 1u) << "a new click paints";
    });
}

// Each picture is on the screen when due (a toggle button stays dark beside the brush and during a
// stroke) and gone once a message window has closed its menu.
TEST(Menus, MenusAndButtonsAreDrawnWhenDueAndLeaveNoTrace)
{
    const struct {
        const char *script;
        BITMAP **image;
        int x, y;
        bool lit;
    } drawn[] = {{"t1", &FileBack, 18, 149, true},
                 {"t3 120,157 120,157", &WhichCanvasBack, 168, 148, true},
                 {"o1 510,543", &SelectFrameBack, 373, 403, true},
                 {"o3 600,261", &SelectPreviewModeBack, 436, 249, true},
                 {"510,543", &FrameToggleButtonClicked, 480, 525, true},
                 {"B 754,543", &FrameToggleButtonClicked, 724, 525, false},
                 {"d600,400 d754,543", &FrameToggleButtonClicked, 724, 525, false}};
    for (const auto &d : drawn) {
        EXPECT_SCENARIO([&d] {
            run(d.script);
            EXPECT_EQ(shown(*d.image, d.x, d.y), d.lit) << d.script;
            if (d.lit) {
                run("L 700,100");
                EXPECT_FALSE(shown(*d.image, d.x, d.y)) << d.script;
            }
        });
    }
}
