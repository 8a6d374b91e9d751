// Message windows: their modal loop driven pass by pass.
#include "editor_harness.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace
{
struct Point {
    int x, y;
};

Point button_centre(const Window &w, int button)
{
    return {w.x + w.button_x[button - 1] + w.button_w / 2, w.y + w.button_y[button - 1] + w.button_h / 2};
}

void put(Point p, int buttons)
{
    input::move(p.x, p.y);
    mouse_b = buttons;
}

// Drives every window shown from now on, and shows w if given: step gets the modal pass (from 0) at
// its start, before the window takes its mouse snapshot. A window the script cannot close fails.
int script_windows(const std::function<void(int pass, Window &w)> &step, Window *w = nullptr)
{
    windows_script::custom([step, pass = 0]() mutable {
        if (pass == 100) {
            ADD_FAILURE() << "the window was still open after 100 passes";
            std::fflush(stdout);
            _exit(4);
        }
        step(pass++, *shown_window);
    });
    return w ? ask(*w) : 0;
}

} // namespace

TEST(Windows, OnlyALeftPressEdgeOnAButtonChooses)
{
    EXPECT_SCENARIO([] {
        // Per pass: the button under the pointer (0: the text) and the mouse buttons held.
        const std::pair<int, int> script[] = {{0, 1}, {1, 1}, {1, 1}, {1, 0}, {1, 2}, {2, 0}, {2, 1}};
        int passes_taken = 0;
        const int choice = script_windows(
            [&](int pass, Window &shown) {
                const auto [over, held] = script[std::min(pass, 6)];
                passes_taken = pass + 1;
                put(over ? button_centre(shown, over)
                         : Point{shown.x + shown.width / 2, shown.y + WTop->h + 12},
                    held);
                key[KEY_ENTER] = 1; // and no key chooses
                simulate_ukeypress(13, KEY_ENTER);
                simulate_ukeypress(27, KEY_ESC);
            },
            &QuitNow);
        EXPECT_EQ(choice, 2);
        EXPECT_EQ(passes_taken, 7) << "chosen on the first left press edge over a button, and not before";
        for (int button = 1; button <= 3; ++button) {
            const auto press = [button](int pass, Window &shown) { put(button_centre(shown, button), pass); };
            EXPECT_EQ(script_windows(press, &SaveSkin), button);
        }
    });
}

TEST(Windows, TheClickThatClosesAWindowNeverReachesTheCanvasBehindIt)
{
    EXPECT_SCENARIO([] {
        // Dragged by its title until No lies over the canvas, let go away from it, then No pressed there.
        const Point over_canvas = {380, 450}, no = button_centre(QuitNow, 2);
        script_windows([=](int pass, Window &shown) {
            const Point start = {400 - shown.width / 2, 300 - shown.height / 2};
            EXPECT_TRUE(pass > 0 || (shown.x == start.x && shown.y == start.y))
                << "every showing starts centred";
            const Point to[] = {{start.x + 20, start.y + 4},
                                {start.x + 20 + over_canvas.x - no.x, start.y + 4 + over_canvas.y - no.y},
                                {5, 5},
                                button_centre(shown, 2)};
            put(to[std::min(pass, 3)], pass != 2);
        });
        simulate_ukeypress(27, KEY_ESC);
        passes(1);
        windows_script::custom(nullptr);
        passes(3);
        const Point pressed = button_centre(QuitNow, 2);
        EXPECT_EQ((std::vector<int>{pressed.x, pressed.y, quit, mouse_b, is_unsaved(),
                                    static_cast<int>(Undos.size())}),
                  (std::vector<int>{over_canvas.x, over_canvas.y, false, 0, false, 0}))
            << "No, pressed over the canvas, answered and the pencil painted nothing";
    });
}

TEST(Windows, AWindowThatCannotBeDrawnAnswersAtOnceWithItsLastButton)
{
    EXPECT_SCENARIO([] {
        for (const auto &[w, last] : {std::pair{&SaveSkin, 3}, {&QuitNow, 2}, {&ConfirmSave, 1}}) {
            Window undrawn = *w;
            undrawn.image = nullptr; // as if its picture could not be made
            EXPECT_EQ(ask(undrawn), last);
        }
    });
}
