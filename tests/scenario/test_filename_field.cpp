// The file name field: typing, its keys, the caret and the width limit.
#include "editor_harness.h"

#include <tuple>

namespace
{
int width(const std::string &s)
{
    return text_length(Font, s.c_str());
}
// Where the caret belongs when it stands before character i of the centred name.
int caret_at(size_t i)
{
    return 17 + (240 - width(filename)) / 2 + width(filename.substr(0, i));
}

// Points at (x, y) for a pass before clicking, as a hand would.
void click_field(int x, int y = 215)
{
    input::move(x, y);
    passes(1);
    click(x, y);
}

// A key in the buffer: its scan code and the character it types.
void press_key(int scancode, int character = 0)
{
    simulate_ukeypress(character, scancode);
    passes(1);
}
} // namespace

TEST(FilenameField, KeysAndClicksEditTheNameAndPlaceTheCaret)
{
    EXPECT_SCENARIO([] {
        // Scancode, character, the name and the caret after it, and whether it acts, which shows the caret
        // at once and restarts its blink.
        const std::tuple<int, int, const char *, size_t, bool> keys[] = {
            {KEY_A, 'd', "abcd", 4, true},       {KEY_RIGHT, 0, "abcd", 4, false},
            {KEY_DEL, 0, "abcd", 4, false},      {KEY_LEFT, 0, "abcd", 3, true},
            {KEY_LEFT, 0, "abcd", 2, true},      {KEY_A, 'X', "abXcd", 3, true},
            {KEY_BACKSPACE, 0, "abcd", 2, true}, {KEY_DEL, 0, "abd", 2, true},
            {KEY_RIGHT, 0, "abd", 3, true},      {KEY_SPACE, ' ', "abd ", 4, true},
            {KEY_A, '~', "abd ~", 5, true},      {KEY_A, 31, "abd ~", 5, false},
            {KEY_E, 233, "abd ~", 5, false},     {KEY_SEMICOLON, 0x436, "abd ~", 5, false},
            {KEY_ENTER, 13, "abd ~", 5, false},
        };
        filename = "abc";
        click_field(250); // right of the name: the caret goes to its end
        for (const auto &[scancode, character, name, caret, acts] : keys) {
            cursor_wait = draw_cursor = false;
            press_key(scancode, character);
            EXPECT_EQ(std::make_tuple(filename, iter, draw_text_cursor_x, cursor_wait && draw_cursor),
                      std::make_tuple(std::string(name), caret, caret_at(caret), acts))
                << "after key " << scancode << " typing " << character;
        }
        EXPECT_TRUE(editing_text) << "keys in the buffer do not end editing";

        click_field(caret_at(2) - 1);
        EXPECT_EQ(iter, 1u) << "a click on the last column of character 1";
        click_field(caret_at(2));
        EXPECT_EQ(iter, 2u) << "a click on the first column of character 2";
        EXPECT_EQ(draw_text_cursor_x, caret_at(2));
        click_field(18); // left of the name
        for (const int scancode : {KEY_BACKSPACE, KEY_LEFT}) {
            cursor_wait = false;
            press_key(scancode);
            EXPECT_EQ(std::make_tuple(filename, iter, cursor_wait),
                      std::make_tuple(std::string("abd ~"), size_t{0}, false))
                << "key " << scancode << " at the start";
        }
        simulate_ukeypress(27, KEY_ESC);
        tap(KEY_ESC);
        EXPECT_FALSE(editing_text);
        EXPECT_FALSE(quit_warn) << "the field took the Escape";
        click_field(250);
        click_field(400, 100);
        EXPECT_FALSE(editing_text) << "a click elsewhere";
        EXPECT_EQ(filename, "abd ~");
    });
}

