#include "app/app.h"
#include "document/document.h"
#include "gif/gif.h"
#include "tools/tools.h"
#include "ui/ui.h"
#include "windows/windows.h"

#include <loadpng.h>

#include <cstdio>
#include <cstdlib>
#include <string>

BITMAP *ActiveBuffer;
BITMAP *StaticBuffer;

namespace
{
// Exit statuses of the device failures; the numbers between are taken by the
// skin bitmaps and the catalogue.
constexpr int LIBRARY_FAILED = 2;
constexpr int WINDOW_FAILED = 3;
constexpr int KEYBOARD_FAILED = 4;
constexpr int TIMER_FAILED = 11;
constexpr int MOUSE_FAILED = 12;

int device_failure(const char *what, int code)
{
    allegro_message("%s", (std::string(what) + "\n" + allegro_error).c_str());
    return code;
}
} // namespace

int start_system()
{
    if (allegro_init() != 0) {
        std::printf("Could not start the graphics library.\n%s\n", allegro_error);
        return LIBRARY_FAILED;
    }
    gif_init();
    register_png_file_type();
    if (const int depth = desktop_color_depth()) {
        set_color_depth(depth);
    }
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 800, 600, 0, 0) != 0) {
        return device_failure("Could not open an 800 x 600 window.", WINDOW_FAILED);
    }
    if (install_keyboard() != 0) {
        return device_failure("Could not install the keyboard.", KEYBOARD_FAILED);
    }
    set_close_button_callback(quit_program);
    if (install_timer() != 0 || install_int_ex(my_timer_handler, MSEC_TO_TIMER(500)) != 0) {
        return device_failure("Could not install the timer.", TIMER_FAILED);
    }
    if (install_mouse() < 0) {
        return device_failure("Could not install the mouse.", MOUSE_FAILED);
    }
    disable_hardware_cursor();
    set_window_title("Moltwork v0.7a");
    return 0;
}

int load_startup_data()
{
    // Whichever way the process ends from here (a start-up failure exits at once), what the editor holds
    // in containers is freed before the containers go.
    [[maybe_unused]] static const bool released_at_exit = std::atexit(release_editor) == 0;
    read_config();
    ActiveBuffer = create_bitmap(800, 600);
    if (!ActiveBuffer) {
        allegro_message("Failed to create screen buffer(active)");
        std::exit(-1);
    }
    StaticBuffer = create_bitmap(800, 600);
    if (!StaticBuffer) {
        allegro_message("Failed to create screen buffer(static)");
        return 1;
    }
    if (int code = load_catalogue()) {
        return code;
    }
    build_message_windows();
    Fcolor = ColorPalette[3 * PALETTE_ROWS + 0];
    Bcolor = transparent_color();
    left_frame = 0;
    right_frame = 1;
    for (int i = 0; i < HELP_BOOKS; ++i) {
        AllDialogs[i].init(HELP_BOOK_FILES[i]);
    }
    return 0;
}

void release_editor()
{
    clear_undos();
    for (Dialog &dialog : AllDialogs) {
        dialog.release();
    }
}

int init_program()
{
    if (int code = start_system()) {
        return code;
    }
    return load_startup_data();
}
