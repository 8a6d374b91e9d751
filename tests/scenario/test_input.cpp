// Input dispatch and the keyboard command table, driven pass by pass.
#include "editor_harness.h"

namespace
{
// Sets key `scancode` down or up and the modifier flags, then runs n passes.
void keys(int scancode, bool down, int flags, int n = 1)
{
    key[scancode] = down;
    key_shifts = flags;
    passes(n);
}
} // namespace

TEST(Input, KeysLatchOncePerPressStepTheToolsOptionAndEscapeAsks)
{
    EXPECT_SCENARIO([] {
        for (int k : {KEY_B, KEY_CLOSEBRACE, KEY_CLOSEBRACE, KEY_OPENBRACE, KEY_OPENBRACE, KEY_OPENBRACE}) {
            tap(k);
        }
        EXPECT_EQ(BrushSelected, 23) << "two steps up, three down: the walk wraps";
        tap(KEY_R, KB_CTRL_FLAG);
        tap(KEY_CLOSEBRACE);
        EXPECT_EQ(selected[0], RECTANGLE) << "Ctrl+R still selects the rectangle";
        EXPECT_EQ(rect_fill, 1);
        tap(KEY_E);
        windows_script::answer(&FakeLoad, 1);
        tap(KEY_L, KB_CTRL_FLAG);
        EXPECT_EQ(selected[0], ELLIPSE) << "Ctrl+L loads instead";

        putpixel(StandingFrame, 0, 0, 0);
        for (int i = 0; i < 3; ++i) {
            add_step(1);
        }
        keys(KEY_Z, true, 0);
        keys(KEY_Z, true, KB_CTRL_FLAG, 3);
        EXPECT_EQ(Undos.size(), 2u) << "Z held, then Ctrl: one undo however long both are held";
        keys(KEY_Z, false, 0);
        keys(KEY_G, true, 0);
        keys(KEY_G, true, KB_CTRL_FLAG, 2);
        EXPECT_EQ(options.left_grid, 0) << "G held before Ctrl does nothing";
        keys(KEY_G, false, KB_CTRL_FLAG);
        keys(KEY_G, true, KB_CTRL_FLAG, 3);
        keys(KEY_G, false, KB_CTRL_FLAG | KB_SHIFT_FLAG);
        keys(KEY_G, true, KB_CTRL_FLAG | KB_SHIFT_FLAG);
        EXPECT_EQ((std::vector<int>{options.left_grid, options.right_grid}), (std::vector<int>{1, 1}));
        keys(KEY_G, false, 0);

        simulate_ukeypress('a', KEY_A);
        simulate_ukeypress(27, KEY_ESC);
        passes(1);
        EXPECT_EQ(windows_script::shown().size(), 1u) << "an Escape after another buffered key asks nothing";
        windows_script::answer(&QuitNow, 2);
        simulate_ukeypress(27, KEY_ESC);
        passes(1);
        EXPECT_FALSE(quit) << "answered No";
    });
}
