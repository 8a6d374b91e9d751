#include "headless.h"

#include <allegro.h>
#include <loadpng.h>

#include <cerrno>
#include <cstdlib>

void start_headless_library()
{
    static bool started = false;
    if (started) {
        return;
    }
    started = true;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    register_png_file_type();
}
