// Input dispatch and the keyboard command table, driven pass by pass.
#include "editor_harness.h"

namespace
{
// Sets the buttons held (with the pointer moved first when given) and runs a pass.
void hold(int bits, int x = -1, int y = -1)
{
    if (x >= 0) {
        input::move(x, y);
    }
    mouse_b = bits;
    passes(1);
}

// Sets key `scancode` down or up and the modifier flags, then runs n passes.
void keys(int scancode, bool down, int flags, int n = 1)
{
    key[scancode] = down;
    key_shifts = flags;
    passes(n);
}
} // namespace

TEST(Input, PaletteButtonsPowerUpsAndToolPanel)
{
    EXPECT_SCENARIO([] {
        hold(3, 22 + 18 * 5 + 3, 452);
        EXPECT_EQ(Fcolor, palette_entry(5)) << "both buttons pick in one pass";
        EXPECT_EQ(Bcolor, palette_entry(5));
        hold(0);
        click(240, 455, 2);
        EXPECT_EQ(Bcolor, transparent_color()) << "the thirteenth upper swatch is transparent";
        click(37, 465);
        EXPECT_EQ(Fcolor, palette_entry(5)) << "the gap between rows picks nothing";

        const int toggles[][2] = {{290, 1}, {290, 0}, {330, 2}, {370, 3}};
        for (const auto &t : toggles) {
            click(t[0], 250);
            EXPECT_EQ((std::vector<int>{preview_items[0], preview_items[1], preview_items[2]}),
                      (std::vector<int>{t[1] == 1, t[1] == 2, t[1] == 3}))
                << "one power-up at a time, after a click at " << t[0];
        }

        hold(2, 150, 340);
        hold(3);
        EXPECT_EQ(selected[0], PENCIL) << "the line button ignores a press made while another button is held";
        hold(2);
        hold(3, 100, 340);
        EXPECT_EQ(selected[0], RECTANGLE) << "other buttons take it";
        hold(0);
    });
}

TEST(Input, AHelpBookOpensAtItsFirstPageAndIsTurnedBackWhenLeft)
{
    EXPECT_SCENARIO([] {
        input::move(50, 290);
        passes(2);
        EXPECT_EQ(show_help, 2);
        Dialog &pencil = AllDialogs[1];
        tap(KEY_STOP);
        tap(KEY_STOP);
        ASSERT_EQ(pencil.page, 2);
        input::move(100, 290);
        passes(1);
        input::move(50, 290);
        key[KEY_STOP] = 1;
        passes(2);
        key[KEY_STOP] = 0;
        EXPECT_EQ(pencil.page, 0) << "a . on arrival is undone";
        EXPECT_EQ(AllDialogs[2].page, 0);
        tap(KEY_STOP);
        input::move(400, 100);
        passes(2);
        EXPECT_EQ(show_help, 0);
        EXPECT_EQ(pencil.page, 0) << "leaving the button turns the book back";
    });
}

TEST(Input, LatchesFireOncePerPressAndLetterLatchesIgnoreLateCtrl)
{
    EXPECT_SCENARIO([] {
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
        EXPECT_EQ(options.left_grid, 1);
        keys(KEY_G, false, KB_CTRL_FLAG | KB_SHIFT_FLAG);
        keys(KEY_G, true, KB_CTRL_FLAG | KB_SHIFT_FLAG);
        EXPECT_EQ(options.right_grid, 1);
        EXPECT_EQ(options.left_grid, 1);
    });
}

TEST(Input, ToolKeysAndBracketsStepTheActiveToolsOption)
{
    EXPECT_SCENARIO([] {
        tap(KEY_B);
        tap(KEY_CLOSEBRACE);
        tap(KEY_CLOSEBRACE);
        EXPECT_EQ(BrushSelected, 16);
        tap(KEY_OPENBRACE);
        tap(KEY_OPENBRACE);
        tap(KEY_OPENBRACE);
        EXPECT_EQ(BrushSelected, 23) << "the walk wraps";
        tap(KEY_F);
        tap(KEY_OPENBRACE);
        EXPECT_EQ(fill_mode, 0);
        tap(KEY_R, KB_CTRL_FLAG);
        tap(KEY_CLOSEBRACE);
        EXPECT_EQ(selected[0], RECTANGLE) << "Ctrl+R still selects the rectangle";
        EXPECT_EQ(rect_fill, 1);
        tap(KEY_E);
        windows_script::answer(&FakeLoad, 1);
        tap(KEY_L, KB_CTRL_FLAG);
        EXPECT_EQ(selected[0], ELLIPSE) << "Ctrl+L loads instead";
    });
}

TEST(Input, EscapeAsksToQuitButNotWhenItFollowsAnotherBufferedKey)
{
    EXPECT_SCENARIO([] {
        simulate_ukeypress('a', KEY_A);
        simulate_ukeypress(27, KEY_ESC);
        passes(1);
        EXPECT_TRUE(windows_script::shown().empty());
        windows_script::answer(&QuitNow, 2);
        simulate_ukeypress(27, KEY_ESC);
        passes(1);
        EXPECT_FALSE(quit) << "answered No";
    });
}
