#include "app/app.h"
#include "document/document.h"
#include "tools/tools.h"
#include "ui/ui.h"

namespace
{
// Latches: a latched command acts once per press of its key.
char undo_held, redo_held, plus_held, minus_held, r_paren_held, l_paren_held, l_brac_held, r_brac_held;
char l_arrow_held, r_arrow_held, letter_g_held, letter_n_held, letter_l_held, letter_e_held;

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

void step_tool_option(bool up)
{
    if (void (*step)(bool) = tool_entry(selected[0]).step_option) {
        step(up);
    }
}

void turn_help_page(int direction)
{
    if (show_help < 1 || show_help > HELP_BOOKS) {
        return;
    }
    Dialog &dialog = AllDialogs[show_help - 1];
    const int page = dialog.page + direction;
    if (page >= 0 && page < dialog.page_count) {
        dialog.page = page;
    }
}

struct KeyCommand {
    int key;
    bool with_ctrl;       // acts only while Ctrl is held
    void (*action)();     // none: the key only keeps its latch
    char *held;           // its latch; none: acts on every pass the key is down
    bool latch_with_ctrl; // the latch counts the key only together with Ctrl
};

// In the order they are checked within a pass.
const KeyCommand KEY_COMMANDS[] = {
    {KEY_N, true, blank, &letter_n_held, false},
    {KEY_S, true, [] { save(filename); }, nullptr, false},
    {KEY_L, true, load_after_asking, &letter_l_held, false},
    {KEY_E, true, save_gif, &letter_e_held, false},
    {KEY_Z, true, [] { shift_down() ? redo() : undo(); }, &undo_held, true},
    {KEY_Y, true, redo, &redo_held, true},
    {KEY_EQUALS, false, [] { Bcolor = step_color_forward(Bcolor); }, &plus_held, false},
    {KEY_MINUS, false, [] { Bcolor = step_color_backward(Bcolor); }, &minus_held, false},
    {KEY_0, false,
     [] {
         Fcolor = step_color_forward(Fcolor);
         make_brush_cursor();
     },
     &r_paren_held, false},
    {KEY_9, false,
     [] {
         Fcolor = step_color_backward(Fcolor);
         make_brush_cursor();
     },
     &l_paren_held, false},
    {KEY_OPENBRACE, false, [] { step_tool_option(false); }, &l_brac_held, false},
    {KEY_CLOSEBRACE, false, [] { step_tool_option(true); }, &r_brac_held, false},
    {KEY_COMMA, false, [] { turn_help_page(-1); }, &l_arrow_held, false},
    {KEY_STOP, false, [] { turn_help_page(+1); }, &r_arrow_held, false},
    {KEY_G, true, [] { (shift_down() ? options.right_grid : options.left_grid) ^= 1; }, &letter_g_held,
     false},
    {KEY_SPACE, false, nullptr, &space_held, false},
};

// A tool's letter held with Ctrl belongs to the Ctrl command of that letter.
bool is_ctrl_command(int scancode)
{
    for (const KeyCommand &command : KEY_COMMANDS) {
        if (command.key == scancode && command.with_ctrl) {
            return true;
        }
    }
    return false;
}

void check_tool_keys()
{
    for (const ToolEntry &tool : TOOLS) {
        if (key[tool.key] && !(ctrl_down() && is_ctrl_command(tool.key))) {
            choose_tool(tool.number);
        }
    }
}

void run_key_commands()
{
    for (const KeyCommand &command : KEY_COMMANDS) {
        const bool wanted = key[command.key] && (!command.with_ctrl || ctrl_down());
        const bool latched = command.held && *command.held;
        if (wanted && !latched && command.action) {
            command.action();
        }
    }
}

void refresh_latches()
{
    for (const KeyCommand &command : KEY_COMMANDS) {
        if (command.held) {
            *command.held = key[command.key] && (!command.latch_with_ctrl || ctrl_down());
        }
    }
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
    check_tool_keys();
    ctrl_held = ctrl_down();
    alt_held = alt_down();
    run_key_commands();
    refresh_latches();
    nudge_pointer();
    clear_keybuf();
}
