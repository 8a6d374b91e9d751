#include "app/app.h"
#include "document/document.h"
#include "tools/tools.h"
#include "ui/ui.h"
#include "windows/windows.h"

volatile bool quit = false;
volatile bool quit_warn = false;
volatile int counter = 0;
volatile int old_counter = 0;
volatile bool cursor_wait = false;
bool draw_cursor = false;

namespace
{
// Set by a close request, taken by the main thread: two writers of
// Options.cfg must never interleave, and the close button's callback runs on
// the library's window thread.
volatile bool config_write_requested = false;

void draw_pointer()
{
    // The library's input thread moves the pointer at any time: one reading
    // places the pointer and records where it was drawn.
    const ScreenPoint at = pointer_position();
    if (mouse_sprite != BrushCursor) {
        draw_sprite(ActiveBuffer, mouse_sprite, at.x, at.y);
    } else {
        draw_brush((mb & 2) ? BrushCursor2 : mouse_sprite);
    }
    if (mouse_sprite == BrushCursor || mouse_sprite == BrushCursor2) {
        set_trans_blender(0, 0, 0, 128);
        draw_trans_sprite(ActiveBuffer, Cursor, at.x, at.y);
    }
    // The brush outline stays inside its canvas, which is redrawn anyway.
    BITMAP *drawn = mouse_sprite == BrushCursor ? Cursor : mouse_sprite;
    pointer_drawn_at(at.x, at.y, drawn->w, drawn->h);
}

// Quitting with unsaved changes offers to save them; a save that was
// declined or failed keeps the editor open so nothing is lost.
bool may_quit()
{
    return ask(QuitNow) == 1 && offer_to_save();
}

// The options write of a close request is done by the main thread; the close
// button callback only asks for it.
void write_requested_config()
{
    if (config_write_requested) {
        config_write_requested = false;
        save_config();
    }
}

void confirm_close_request()
{
    write_requested_config();
    if (may_quit()) {
        quit = true;
    }
    quit_warn = false;
}
} // namespace

void quit_program()
{
    quit_warn = true;
    config_write_requested = true;
}

void my_timer_handler()
{
    if (cursor_wait) {
        counter = old_counter;
        cursor_wait = false;
    } else {
        counter = counter + 1;
    }
}

void run_pass()
{
    draw_everything();
    handle_input();
    keep_recovery_copy();
    if (quit_warn) {
        confirm_close_request();
    }
    draw_pointer();
    blit(ActiveBuffer, screen, 0, 0, 0, 0, 800, 600);
    if (key[KEY_INSERT]) {
        save_screenshot();
    }
}

int open_editor(const std::string &start_file)
{
    if (!create_static()) {
        allegro_message("Failed to create screen buffer(base)");
        return 1;
    }
    release_static_sources();
    // A restored drawing is the skin to go on with, so nothing is loaded over it.
    if (offer_recovery()) {
        return 0;
    }
    if (!start_file.empty()) {
        open_file(start_file);
    } else if (options.autoload == "yes") {
        filename = options.last_skin;
        load();
    }
    return 0;
}

void close_editor()
{
    drop_recovery_copy();
    clear_undos();
}

int run_editor_loop(const std::string &start_file)
{
    if (int code = open_editor(start_file)) {
        return code;
    }
    while (!quit) {
        run_pass();
    }
    close_editor();
    return 0;
}

int run_editor(const std::string &start_file)
{
    if (int code = init_program()) {
        return code;
    }
    return run_editor_loop(start_file);
}
