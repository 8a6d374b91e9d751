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
