#include "app/app.h"
#include "document/document.h"
#include "layout/layout.h"

size_t iter = 0;
int string_pos = 0;
std::string compare;
bool editing_text = false;
bool over_text = false;
int draw_text_cursor_x = 0;

namespace
{
int width_of(const std::string &s)
{
    return text_length(Font, s.c_str());
}

// Caret x for the caret at its place after an edit.
int caret_x_after_edit()
{
    return width_of(filename.substr(0, iter)) + (NAME_FIELD_W - width_of(filename)) / 2 + NAME_FIELD_X;
}

void caret_moved()
{
    string_pos = static_cast<int>(iter);
    cursor_wait = true;
    draw_cursor = true;
}

void insert_character(char c)
{
    compare = filename;
    filename.insert(iter, 1, c);
    if (width_of(filename) > NAME_FIELD_W) {
        filename = compare;
        return;
    }
    ++iter;
    draw_text_cursor_x = caret_x_after_edit();
    caret_moved();
}

void edit_key(int scancode)
{
    switch (scancode) {
    case KEY_LEFT:
        if (iter > 0) {
            --iter;
            compare = filename.substr(iter, 1);
            draw_text_cursor_x -= width_of(compare);
            caret_moved();
        }
        break;
    case KEY_RIGHT:
        if (iter < filename.size()) {
            compare = filename.substr(iter, 1);
            ++iter;
            draw_text_cursor_x += width_of(compare);
            caret_moved();
        }
        break;
    case KEY_BACKSPACE:
        if (iter > 0) {
            filename.erase(--iter, 1);
            draw_text_cursor_x = caret_x_after_edit();
            caret_moved();
        }
        break;
    case KEY_DEL:
        if (iter < filename.size()) {
            filename.erase(iter, 1);
            draw_text_cursor_x = caret_x_after_edit();
            caret_moved();
        }
        break;
    default:
        break;
    }
}

void read_keys()
{
    // readkey() would turn a character beyond Latin-1 into '^'; the
    // Unicode value tells it apart from the printable ASCII a name takes.
    while (keypressed()) {
        int scancode = 0;
        const int code = ureadkey(&scancode);
        if (code >= 32 && code <= 126) {
            insert_character(static_cast<char>(code));
        } else {
            edit_key(scancode);
        }
    }
}

void follow_pointer(bool pointer_free)
{
    const bool blocked =
        mouse_inside(NAME_FIELD_X + 1, NAME_FIELD_X + NAME_FIELD_W, NAME_FIELD_Y, NAME_FIELD_BOTTOM) != 3 ||
        !pointer_free;
    if (blocked) {
        if (over_text) {
            if (mouse_sprite == TextCursor) {
                set_pointer(Cursor);
            }
            over_text = false;
        }
        return;
    }
    if (over_text) {
        return;
    }
    if (mouse_sprite != TextCursor) {
        // A pointer coming up from below enters at the field's bottom edge;
        // lifting it puts the text pointer over the name.
        if (old_my > my) {
            position_mouse(mx, my - 10);
        }
        set_pointer(TextCursor, 0, 9);
    }
    over_text = true;
}

// Places the caret under the pointer; returns its index.
int check_click()
{
    const int w = width_of(filename);
    const int s = NAME_FIELD_X + (NAME_FIELD_W - w) / 2;
    for (size_t i = 0; i < filename.size(); ++i) {
        if (mx < s + width_of(filename.substr(0, i + 1))) {
            draw_text_cursor_x = s + width_of(filename.substr(0, i));
            return static_cast<int>(i);
        }
    }
    draw_text_cursor_x = s + w;
    return static_cast<int>(filename.size());
}
} // namespace

void start_editing_at_home()
{
    editing_text = true;
    iter = 0;
    draw_text_cursor_x = NAME_FIELD_CENTRE_X - width_of(filename) / 2;
}

void start_editing_at_end()
{
    editing_text = true;
    iter = filename.size();
    draw_text_cursor_x = NAME_FIELD_CENTRE_X + width_of(filename) / 2;
}

void edit_filename(bool pointer_free)
{
    if (editing_text) {
        read_keys();
    }
    follow_pointer(pointer_free);
    if ((mb & 1) && old_mb == 0) {
        if (over_text) {
            editing_text = true;
            iter = static_cast<size_t>(check_click());
            string_pos = static_cast<int>(iter);
        } else {
            editing_text = false;
        }
    }
    if (key[KEY_ESC]) {
        editing_text = false;
    }
    // Home and End start editing even in the pass Enter ends it.
    if (key[KEY_ENTER]) {
        editing_text = false;
    }
    if (key[KEY_HOME]) {
        start_editing_at_home();
    }
    if (key[KEY_END]) {
        start_editing_at_end();
    }
}
