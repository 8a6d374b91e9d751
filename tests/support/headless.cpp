#include "headless.h"

#include <allegro.h>
#include <loadpng.h>

#include <cerrno>
#include <cstdlib>

void start_headless_library()
{
    [[maybe_unused]] static const bool started = [] {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        register_png_file_type();
        return true;
    }();
}
