// Message windows: their layout, and their modal loop driven pass by pass.
#include "app/app.h"
#include "document/document.h"
#include "editor_harness.h"
#include "tools/tools.h"
#include "windows/windows.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>

namespace
{
struct Point {
    int x, y;
};

Point title_bar(const Window &w, int dx = 20, int dy = 4)
{
    return {w.x + dx, w.y + dy};
}

Point button_centre(const Window &w, int button)
{
    return {w.x + w.button_x[button - 1] + w.button_w / 2, w.y + w.button_y[button - 1] + w.button_h / 2};
}

void put(Point p, int buttons)
{
    input::move(p.x, p.y);
    input::buttons(buttons);
}

// Drives the next shown window: step gets the number of the modal pass
// (from 0) at its start, before the window takes its mouse snapshot.
// A window the script cannot close would hold the test for ever.
void each_window_pass(const std::function<void(int pass, Window &w)> &step)
{
    auto pass = std::make_shared<int>(0);
    windows_script::custom([pass, step] {
        if (*pass == 100) {
            ADD_FAILURE() << "the window was still open after 100 passes";
            std::fflush(stdout);
            _exit(4);
        }
        step((*pass)++, *shown_window);
    });
}

// Runs one showing of w under the given script; returns the button and
// stores how many modal passes it took.
int show(Window &w, const std::function<void(int pass, Window &w)> &step, int *passes_taken = nullptr)
{
    int count = 0;
    each_window_pass([&count, step](int pass, Window &shown) {
        count = pass + 1;
        step(pass, shown);
    });
    const int choice = w.process();
    windows_script::custom(nullptr);
    if (passes_taken) {
        *passes_taken = count;
    }
    return choice;
}

int edge_width()
{
    return WTopLeft->w + WTopRight->w;
}
int frame_height()
{
    return WTopLeft->h + WBottomLeft->h + 56;
}

// A label whose width in the window text font is odd.
std::string odd_width_label()
{
    for (const char *candidate : {"i", "ii", "a", "ab", "abc", "W", "Wi", "OK", "Okay"}) {
        if (text_length(WText, candidate) % 2) {
            return candidate;
        }
    }
    return "";
}

void expect_outlined_buttons(const Window &w)
{
    const int outline = getpixel(ButtonColors, 0, 0);
    for (int i = 0; i < 3; ++i) {
        if (!w.has_button[i]) {
            continue;
        }
        EXPECT_EQ(getpixel(w.image, w.button_x[i], w.button_y[i]), outline) << "button " << i + 1;
        EXPECT_EQ(getpixel(w.image, w.button_x[i] + w.button_w, w.button_y[i] + w.button_h), outline)
            << "the outline covers button_w + 1 by button_h + 1 pixels, button " << i + 1;
    }
}
} // namespace

TEST(Windows, LayoutOfOneTwoAndThreeButtons)
{
    EXPECT_SCENARIO([] {
        const std::string long_text = "A line of message text that is wider than everything else here.";
        Window one("Note", long_text.c_str(), "OK");
        EXPECT_EQ(one.width, edge_width() + 12 + text_length(WText, long_text.c_str()))
            << "width from the text";
        EXPECT_EQ(one.button_x[0], one.width / 2 - one.button_w / 2) << "a single button is centred";
        EXPECT_TRUE(one.has_button[0]);
        EXPECT_FALSE(one.has_button[1]);
        EXPECT_FALSE(one.has_button[2]);

        const std::string long_title = "A title far wider than its one word of text";
        Window titled(long_title.c_str(), "Hm.", "OK", "No");
        EXPECT_EQ(titled.width, edge_width() + WTopRight->w + 12 + text_length(WTitle, long_title.c_str()))
            << "the title's candidate counts the right corner twice";
        EXPECT_EQ(titled.button_x[0] + titled.button_w, titled.width / 2 - 5)
            << "two buttons: 5 left of centre";
        EXPECT_EQ(titled.button_x[1], titled.width / 2 + 5) << "and 5 right of it";
        EXPECT_FALSE(titled.has_button[2]);

        Window three("T", "x", "First choice", "Second choice", "Third choice");
        const int bw = three.button_w;
        EXPECT_EQ(three.width, edge_width() + 12 + 3 * bw + 20) << "width from the buttons";
        EXPECT_EQ(three.button_x[1], three.width / 2 - bw / 2) << "three buttons centre on the middle one";
        EXPECT_EQ(three.button_x[0], three.button_x[1] - bw - 10);
        EXPECT_EQ(three.button_x[2], three.button_x[1] + bw + 10);

        for (const Window *w : {&one, &titled, &three}) {
            EXPECT_EQ(w->height, frame_height()) << "the height never depends on the content";
            EXPECT_EQ(w->image->w, w->width);
            EXPECT_EQ(w->image->h, w->height);
            EXPECT_EQ(w->x, 400 - w->width / 2);
            EXPECT_EQ(w->y, 300 - w->height / 2);
            EXPECT_EQ(w->button_y[0], WTop->h + text_height(WText) + 16);
            EXPECT_EQ(w->button_w % 2, 0);
            EXPECT_EQ(w->button_h % 2, 0);
            EXPECT_GE(w->button_h, text_height(WText) + 4);
            EXPECT_LE(w->button_h, text_height(WText) + 5);
            expect_outlined_buttons(*w);
        }
    });
}

TEST(Windows, ButtonsShareTheWidestLabelRoundedUpToEven)
{
    EXPECT_SCENARIO([] {
        const std::string odd = odd_width_label();
        ASSERT_FALSE(odd.empty()) << "no short label of odd width in the window font";
        Window w("T", "x", odd.c_str());
        EXPECT_EQ(w.button_w, text_length(WText, odd.c_str()) + 33);

        int widest = 0;
        for (const char *label : {"Yeah", "No", "Cancel"}) {
            widest = std::max(widest, text_length(WText, label));
        }
        EXPECT_GE(SaveSkin.button_w, widest + 32) << "every label is measured";
        EXPECT_LE(SaveSkin.button_w, widest + 33);
    });
}

TEST(Windows, TheTitleBarDragsAndEveryShowingStartsCentred)
{
    EXPECT_SCENARIO([] {
        Window &w = NoRestore;
        const Point centred = {400 - w.width / 2, 300 - w.height / 2};
        const int choice = show(w, [&](int pass, Window &shown) {
            switch (pass) {
            case 0:
                EXPECT_EQ(shown.x, centred.x);
                EXPECT_EQ(shown.y, centred.y);
                put(title_bar(shown), 1);
                break;
            case 1:
                put({centred.x + 20 - 150, centred.y + 4 + 120}, 1);
                break;
            case 2:
                EXPECT_EQ(shown.x, centred.x - 150);
                EXPECT_EQ(shown.y, centred.y + 120);
                put({100, 100}, 0);
                break;
            case 3:
                EXPECT_EQ(shown.x, centred.x - 150) << "releasing the button leaves the window where it is";
                put(button_centre(shown, 1), 1);
                break;
            }
        });
        EXPECT_EQ(choice, 1);
        EXPECT_EQ(w.x, centred.x - 150);

        show(w, [&](int pass, Window &shown) {
            if (pass == 0) {
                EXPECT_EQ(shown.x, centred.x) << "a dragged window opens centred again";
                EXPECT_EQ(shown.y, centred.y);
            }
            put(button_centre(shown, 1), pass == 0 ? 0 : 1);
        });
    });
}

TEST(Windows, GrabbingTheOuterColumnOrRowOfTheTitleBarDoesNotDrag)
{
    EXPECT_SCENARIO([] {
        Window &w = AlreadyRestored;
        const Point centred = {400 - w.width / 2, 300 - w.height / 2};
        struct Grab {
            int dx, dy;
            bool drags;
        };
        const Grab grabs[] = {{0, 4, false},
                              {4, 0, false},
                              {1, 1, true},
                              {w.width, WTop->h, true},
                              {20, WTop->h + 1, false},
                              {w.width + 1, 4, false}};
        for (const Grab &g : grabs) {
            Point moved_to = centred;
            show(w, [&](int pass, Window &shown) {
                switch (pass) {
                case 0:
                    put({shown.x + g.dx, shown.y + g.dy}, 1);
                    break;
                case 1:
                    put({centred.x + g.dx + 30, centred.y + g.dy + 40}, 1);
                    break;
                case 2:
                    moved_to = {shown.x, shown.y};
                    put({5, 5}, 0);
                    break;
                default:
                    put(button_centre(shown, 1), 1);
                    break;
                }
            });
            const bool dragged = moved_to.x != centred.x || moved_to.y != centred.y;
            EXPECT_EQ(dragged, g.drags) << "grab at offset (" << g.dx << ", " << g.dy << ")";
            if (dragged) {
                EXPECT_EQ(moved_to.x, centred.x + 30);
                EXPECT_EQ(moved_to.y, centred.y + 40);
            }
        }
    });
}

TEST(Windows, OnlyALeftPressOnAButtonChooses)
{
    EXPECT_SCENARIO([] {
        int taken = 0;
        const int choice = show(
            QuitNow,
            [](int pass, Window &shown) {
                switch (pass) {
                case 0: // pressed on the text, then slid onto a button
                    put({shown.x + shown.width / 2, shown.y + WTop->h + 12}, 1);
                    break;
                case 1:
                case 2:
                    put(button_centre(shown, 1), 1);
                    break;
                case 3:
                    put(button_centre(shown, 1), 0);
                    input::key_down(KEY_ENTER);
                    input::type(13, KEY_ENTER);
                    input::type(27, KEY_ESC);
                    break;
                case 4:
                    input::key_up(KEY_ENTER);
                    put(button_centre(shown, 1), 2);
                    break;
                case 5:
                    put(button_centre(shown, 2), 0);
                    break;
                default:
                    put(button_centre(shown, 2), 1);
                    break;
                }
            },
            &taken);
        EXPECT_EQ(choice, 2);
        EXPECT_EQ(taken, 7) << "chosen on the first left press edge over a button, and not before";

        for (int button = 1; button <= 3; ++button) {
            EXPECT_EQ(show(SaveSkin,
                           [button](int pass, Window &shown) { put(button_centre(shown, button), pass); }),
                      button);
        }
    });
}

TEST(Windows, InsertWritesTheWindowScreenshotOnEveryPass)
{
    EXPECT_SCENARIO([] {
        Window &w = ConfirmSave;
        bool rewritten = false;
        show(w, [&](int pass, Window &shown) {
            switch (pass) {
            case 0:
                put({5, 5}, 0);
                input::key_down(KEY_INSERT);
                break;
            case 1:
                EXPECT_TRUE(exists("screenshot.bmp"));
                std::remove("screenshot.bmp");
                break;
            case 2:
                rewritten = exists("screenshot.bmp");
                input::key_up(KEY_INSERT);
                put(button_centre(shown, 1), 1);
                break;
            }
        });
        EXPECT_TRUE(rewritten) << "a held Insert writes again on the next pass";
        BITMAP *shot = load_bitmap("screenshot.bmp", nullptr);
        ASSERT_NE(shot, nullptr);
        EXPECT_EQ(shot->w, 800);
        EXPECT_EQ(shot->h, 600);
        int differing = 0;
        for (int j = 0; j < w.height; ++j) {
            for (int i = 0; i < w.width; ++i) {
                const int p = getpixel(w.image, i, j);
                if (p != transparent_color() && getpixel(shot, w.x + i, w.y + j) != p) {
                    ++differing;
                }
            }
        }
        EXPECT_EQ(differing, 0) << "the screenshot shows the window";
        EXPECT_EQ(getpixel(shot, 5, 5), getpixel(Cursor, 0, 0)) << "and the pointer";
        destroy_bitmap(shot);
    });
}

TEST(Windows, TheClickThatClosesAWindowNeverReachesTheCanvasBehindIt)
{
    EXPECT_SCENARIO([] {
        // QuitNow is dragged until its "No" button lies over the left canvas.
        const Point over_canvas = {380, 450};
        each_window_pass([over_canvas](int pass, Window &shown) {
            const Point no = button_centre(shown, 2);
            const Point grab = title_bar(shown);
            switch (pass) {
            case 0:
                put(grab, 1);
                break;
            case 1:
                put({grab.x + over_canvas.x - no.x, grab.y + over_canvas.y - no.y}, 1);
                break;
            case 2:
                put(over_canvas, 0);
                break;
            default:
                EXPECT_EQ(no.x, over_canvas.x);
                EXPECT_EQ(no.y, over_canvas.y);
                put(over_canvas, 1);
                break;
            }
        });
        input::type(27, KEY_ESC);
        passes(1);
        windows_script::custom(nullptr);
        passes(3);
        EXPECT_FALSE(quit);
        EXPECT_EQ(mouse_b, 0);
        EXPECT_EQ(canvas, 0);
        EXPECT_TRUE(Undos.empty());
        EXPECT_FALSE(is_unsaved()) << "the pencil painted nothing";
    });
}
