// The file name field: typing, the caret, its keys and the text pointer.
#include "app/app.h"
#include "document/document.h"
#include "editor_harness.h"
#include "tools/tools.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

namespace
{
constexpr int FIELD_Y = 215;

int width(const std::string &s)
{
    return text_length(Font, s.c_str());
}
int name_left()
{
    return 17 + (240 - width(filename)) / 2;
}
// Where the caret belongs when it stands before character i of the name.
int caret_at(size_t i)
{
    return name_left() + width(filename.substr(0, i));
}

void click(int x, int y = FIELD_Y)
{
    input::move(x, y);
    passes(1);
    input::buttons(1);
    passes(1);
    input::buttons(0);
    passes(1);
}

void press_key(int scancode, int ascii = 0)
{
    input::type(ascii, scancode);
    passes(1);
}

void type_text(const std::string &text)
{
    for (char c : text) {
        press_key(KEY_A, static_cast<unsigned char>(c));
    }
}

void hold_key(int scancode)
{
    input::key_down(scancode);
    passes(1);
    input::key_up(scancode);
    passes(1);
}

// A name exactly 240 pixels wide, or empty when the font allows none.
std::string name_of_full_width()
{
    for (int c1 = 33; c1 <= 126; ++c1) {
        for (int c2 = c1; c2 <= 126; ++c2) {
            const int w1 = width(std::string(1, static_cast<char>(c1)));
            const int w2 = width(std::string(1, static_cast<char>(c2)));
            for (int a = 1; w1 > 0 && w2 > 0 && a * w1 < 240; ++a) {
                if ((240 - a * w1) % w2 == 0) {
                    return std::string(a, static_cast<char>(c1)) +
                           std::string((240 - a * w1) / w2, static_cast<char>(c2));
                }
            }
        }
    }
    return "";
}
} // namespace

TEST(FilenameField, TypingAndEditingKeysPlaceTheCaret)
{
    EXPECT_SCENARIO([] {
        filename = "abc";
        click(250);
        ASSERT_TRUE(editing_text);
        EXPECT_EQ(iter, 3u);
        cursor_wait = false;
        draw_cursor = false;
        type_text("d");
        EXPECT_EQ(filename, "abcd");
        EXPECT_EQ(draw_text_cursor_x, caret_at(4)) << "the name is centred again after an edit";
        EXPECT_TRUE(cursor_wait);
        EXPECT_TRUE(draw_cursor) << "an edit shows the caret at once";
        press_key(KEY_LEFT);
        press_key(KEY_LEFT);
        EXPECT_EQ(iter, 2u);
        EXPECT_EQ(draw_text_cursor_x, caret_at(2));
        type_text("X");
        EXPECT_EQ(filename, "abXcd");
        EXPECT_EQ(iter, 3u);
        EXPECT_EQ(draw_text_cursor_x, caret_at(3));
        press_key(KEY_BACKSPACE);
        EXPECT_EQ(filename, "abcd");
        EXPECT_EQ(draw_text_cursor_x, caret_at(2));
        press_key(KEY_DEL);
        EXPECT_EQ(filename, "abd");
        EXPECT_EQ(iter, 2u);
        EXPECT_EQ(draw_text_cursor_x, caret_at(2));
        press_key(KEY_RIGHT);
        EXPECT_EQ(iter, 3u);
        EXPECT_EQ(draw_text_cursor_x, caret_at(3));
    });
}

TEST(FilenameField, EditingKeysAtTheEndsDoNothing)
{
    EXPECT_SCENARIO([] {
        filename = "ab";
        hold_key(KEY_HOME);
        ASSERT_TRUE(editing_text) << "Home starts editing";
        const int home_x = draw_text_cursor_x;
        cursor_wait = false;
        press_key(KEY_LEFT);
        press_key(KEY_BACKSPACE);
        EXPECT_EQ(filename, "ab");
        EXPECT_EQ(iter, 0u);
        EXPECT_EQ(draw_text_cursor_x, home_x);
        EXPECT_FALSE(cursor_wait) << "a key that does nothing does not restart the blink";
        hold_key(KEY_END);
        const int end_x = draw_text_cursor_x;
        press_key(KEY_RIGHT);
        press_key(KEY_DEL);
        EXPECT_EQ(filename, "ab");
        EXPECT_EQ(iter, 2u);
        EXPECT_EQ(draw_text_cursor_x, end_x);
        EXPECT_FALSE(cursor_wait);
    });
}

TEST(FilenameField, HomeAndEndMeasureFromTheMiddle)
{
    EXPECT_SCENARIO([] {
        filename.clear();
        for (const char *candidate : {"a", "ab", "abc", "W", "Wi", "hero", "heroes"}) {
            if (width(candidate) % 2) {
                filename = candidate;
                break;
            }
        }
        ASSERT_FALSE(filename.empty()) << "no short name of odd width in the editor font";
        const int w = width(filename);
        hold_key(KEY_END);
        EXPECT_EQ(iter, filename.size());
        EXPECT_EQ(draw_text_cursor_x, 137 + w / 2);
        EXPECT_EQ(draw_text_cursor_x, caret_at(filename.size())) << "End agrees with the caret after typing";
        hold_key(KEY_HOME);
        EXPECT_EQ(iter, 0u);
        EXPECT_EQ(draw_text_cursor_x, 137 - w / 2);
        EXPECT_EQ(draw_text_cursor_x, caret_at(0) + 1)
            << "with an odd width, Home sits one pixel further right";
    });
}

TEST(FilenameField, ANameNeverGrowsWiderThanTheField)
{
    EXPECT_SCENARIO([] {
        const std::string full = name_of_full_width();
        ASSERT_FALSE(full.empty());
        filename = full.substr(0, full.size() - 1);
        hold_key(KEY_END);
        type_text(full.substr(full.size() - 1));
        EXPECT_EQ(filename, full) << "exactly 240 pixels still fits";
        press_key(KEY_LEFT);
        press_key(KEY_LEFT);
        const int caret_x = draw_text_cursor_x;
        cursor_wait = false;
        type_text(".");
        EXPECT_EQ(filename, full);
        EXPECT_EQ(iter, full.size() - 2) << "not even the caret moves";
        EXPECT_EQ(draw_text_cursor_x, caret_x);
        EXPECT_FALSE(cursor_wait);
    });
}

TEST(FilenameField, OnlyPrintableCharactersAreTyped)
{
    EXPECT_SCENARIO([] {
        filename.clear();
        hold_key(KEY_END);
        type_text(" ~/\\:*?");
        press_key(KEY_A, 31);
        press_key(KEY_A, 127);
        press_key(KEY_E, 233);
        press_key(KEY_TAB, 9);
        press_key(KEY_ENTER, 13);
        EXPECT_EQ(filename, " ~/\\:*?");
        EXPECT_TRUE(editing_text) << "keys in the buffer do not end editing";
    });
}

TEST(FilenameField, AClickPutsTheCaretBeforeTheCharacterItHits)
{
    EXPECT_SCENARIO([] {
        filename = "Wxyz";
        const int s = name_left();
        click(s + width("Wx") - 1); // the right edge of x
        EXPECT_EQ(iter, 1u);
        EXPECT_EQ(draw_text_cursor_x, s + width("W"));
        click(s + width("Wx")); // the first column of y
        EXPECT_EQ(iter, 2u);
        EXPECT_EQ(draw_text_cursor_x, s + width("Wx"));
        click(s);
        EXPECT_EQ(iter, 0u);
        EXPECT_EQ(draw_text_cursor_x, s);
        click(250);
        EXPECT_EQ(iter, 4u) << "right of the name: after the last character";
        EXPECT_EQ(draw_text_cursor_x, s + width("Wxyz"));
        click(18);
        EXPECT_EQ(iter, 0u);
        EXPECT_EQ(draw_text_cursor_x, s);
    });
}

TEST(FilenameField, EscapeEnterAndClicksElsewhereEndEditingAndKeepTheName)
{
    EXPECT_SCENARIO([] {
        filename = "ab";
        click(250);
        type_text("c");
        input::type(27, KEY_ESC);
        hold_key(KEY_ESC);
        EXPECT_FALSE(editing_text);
        EXPECT_FALSE(quit_warn) << "the field took the Escape";
        EXPECT_EQ(filename, "abc");

        click(250);
        ASSERT_TRUE(editing_text);
        hold_key(KEY_ENTER);
        EXPECT_FALSE(editing_text);

        click(250);
        click(400, 100);
        EXPECT_FALSE(editing_text);
        EXPECT_EQ(filename, "abc");
    });
}

TEST(FilenameField, ThePointerBecomesTheTextPointerOverTheField)
{
    EXPECT_SCENARIO([] {
        input::move(100, 190);
        passes(1);
        input::move(100, FIELD_Y);
        passes(1);
        EXPECT_TRUE(over_text);
        EXPECT_EQ(mouse_sprite, TextCursor);
        EXPECT_EQ(mouse_x_focus, 0);
        EXPECT_EQ(mouse_y_focus, 9);
        passes(1);
        EXPECT_EQ(my, FIELD_Y) << "entering from above moves nothing";

        input::move(100, 300);
        passes(1);
        EXPECT_FALSE(over_text);
        EXPECT_EQ(mouse_sprite, Cursor);
        EXPECT_EQ(mouse_y_focus, 0);

        input::move(100, 226);
        passes(1);
        EXPECT_EQ(mouse_sprite, TextCursor);
        passes(1);
        EXPECT_EQ(my, 216) << "entering from below lifts the pointer by 10";
    });
}

TEST(FilenameField, NoTextPointerWhileAStrokeIsInProgress)
{
    EXPECT_SCENARIO([] {
        input::shifts(KB_ALT_FLAG);
        input::move(300, 400);
        passes(1);
        input::buttons(1);
        passes(1);
        ASSERT_EQ(drawing, 1);
        input::move(100, FIELD_Y);
        passes(2);
        EXPECT_FALSE(over_text);
        EXPECT_EQ(mouse_sprite, Cursor);
        input::buttons(0);
        passes(1);
        input::shifts(0);
        passes(1);
        EXPECT_TRUE(over_text) << "once the stroke ends";
    });
}
