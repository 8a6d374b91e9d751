#include "app/app.h"
#include "document/document.h"
#include "gif/gif.h"
#include "tools/tools.h"
#include "ui/ui.h"
#include "windows/windows.h"

namespace
{
// Latches: a latched command acts once per press of its key.
char undo_held, plus_held, minus_held, r_paren_held, l_paren_held, l_brac_held, r_brac_held;
char l_arrow_held, r_arrow_held, letter_g_held, letter_n_held, letter_l_held, letter_e_held;

bool ctrl()
{
    return key_shifts & KB_CTRL_FLAG;
}
bool shift()
{
    return key_shifts & KB_SHIFT_FLAG;
}

// Load, asking first whether to save unsaved changes.
void load_with_check()
{
    if (!is_unsaved()) {
        load();
        return;
    }
    const int answer = SaveSkin.process();
    if ((answer == 1 && save(config_file[9]) == 0) || answer == 2) {
        load();
    }
}

// Only the first buffered key of a pass is examined for Esc.
void check_escape()
{
    if (keypressed() && (readkey() >> 8) == KEY_ESC) {
        clear_keybuf();
        quit_program();
    }
}

void choose_tool(int tool)
{
    select_tool(tool);
    drawing = 0;
}

void check_tool_keys()
{
    if (key[KEY_P]) {
        choose_tool(PENCIL);
    }
    if (key[KEY_F]) {
        choose_tool(FILL);
    }
    if (key[KEY_E] && !ctrl()) {
        choose_tool(ELLIPSE);
    }
    if (key[KEY_R]) {
        choose_tool(RECTANGLE);
    }
    if (key[KEY_L] && !ctrl()) {
        choose_tool(LINE);
    }
    if (key[KEY_B]) {
        choose_tool(BRUSH);
    }
}

void check_file_commands()
{
    if (key[KEY_N] && ctrl() && !letter_n_held) {
        blank();
    }
    if (key[KEY_S] && ctrl()) {
        save(filename);
    }
    if (key[KEY_L] && ctrl() && !letter_l_held) {
        load_with_check();
    }
    if (key[KEY_E] && ctrl() && !letter_e_held) {
        save_gif();
    }
    if (key[KEY_Z] && ctrl() && !undo_held) {
        undo();
    }
}

void check_color_keys()
{
    if (key[KEY_EQUALS] && !plus_held) {
        Bcolor = step_color_forward(Bcolor);
    }
    if (key[KEY_MINUS] && !minus_held) {
        Bcolor = step_color_backward(Bcolor);
    }
    if (key[KEY_0] && !r_paren_held) {
        Fcolor = step_color_forward(Fcolor);
        make_brush_cursor();
    }
    if (key[KEY_9] && !l_paren_held) {
        Fcolor = step_color_backward(Fcolor);
        make_brush_cursor();
    }
}

void step_tool_option(bool up)
{
    if (void (*step)(bool) = tool_entry(selected[0]).step_option) {
        step(up);
    }
}

void check_option_and_page_keys()
{
    if (key[KEY_OPENBRACE] && !l_brac_held) {
        step_tool_option(false);
    }
    if (key[KEY_CLOSEBRACE] && !r_brac_held) {
        step_tool_option(true);
    }
    if (show_help >= 1 && show_help <= HELP_BOOKS) {
        Dialog &dialog = AllDialogs[show_help - 1];
        if (key[KEY_COMMA] && !l_arrow_held && dialog.page > 0) {
            --dialog.page;
        }
        if (key[KEY_STOP] && !r_arrow_held && dialog.page + 1 < dialog.page_count) {
            ++dialog.page;
        }
    }
}

void check_grid_keys()
{
    if (key[KEY_G] && ctrl() && !letter_g_held) {
        (shift() ? show_right_grid : show_left_grid) ^= 1;
    }
}

void refresh_latches()
{
    undo_held = ctrl() && key[KEY_Z];
    plus_held = key[KEY_EQUALS];
    minus_held = key[KEY_MINUS];
    r_paren_held = key[KEY_0];
    l_paren_held = key[KEY_9];
    l_brac_held = key[KEY_OPENBRACE];
    r_brac_held = key[KEY_CLOSEBRACE];
    l_arrow_held = key[KEY_COMMA];
    r_arrow_held = key[KEY_STOP];
    space_held = key[KEY_SPACE];
    letter_g_held = key[KEY_G];
    letter_n_held = key[KEY_N];
    letter_l_held = key[KEY_L];
    letter_e_held = key[KEY_E];
}

// Arrow keys nudge the pointer by one frame pixel while the mouse is still;
// opposite arrows cancel out.
void nudge_pointer()
{
    if (mx != old_mx || my != old_my || editing_text) {
        return;
    }
    const int dx = 12 * ((key[KEY_RIGHT] && !key[KEY_LEFT]) - (key[KEY_LEFT] && !key[KEY_RIGHT]));
    const int dy = 12 * ((key[KEY_DOWN] && !key[KEY_UP]) - (key[KEY_UP] && !key[KEY_DOWN]));
    if (dx || dy) {
        mx += dx;
        my += dy;
        position_mouse(mx, my);
    }
}
} // namespace

void check_keypresses()
{
    check_escape();
    if (key[KEY_HOME]) {
        start_editing_at_home();
    }
    if (key[KEY_END]) {
        start_editing_at_end();
    }
    check_tool_keys();
    ctrl_held = ctrl();
    alt_held = (key_shifts & KB_ALT_FLAG) != 0;
    check_file_commands();
    check_color_keys();
    check_option_and_page_keys();
    check_grid_keys();
    refresh_latches();
    nudge_pointer();
    clear_keybuf();
}
