// moltwork_art <art source dir> <output root> <icon root>: writes the editor's
// runtime tree (Moltwork/, the default palette and skin) below the output root
// and the desktop icons below the icon root.
#include "art.h"

#include <cerrno>
#include <cstdio>
#include <loadpng.h>

namespace art
{
void set_dirs(const std::string &source, const std::string &output);
}

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: moltwork_art <art source dir> <output root> <icon root>\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "moltwork_art: cannot start the graphics library\n");
        return 1;
    }
    set_color_depth(32);
    register_png_file_type();
    art::set_dirs(argv[1], argv[2]);
    art::draw_fonts();
    art::draw_windows();
    art::draw_screen();
    art::draw_menus();
    art::draw_pictures();
    art::draw_helps();
    art::draw_game_data();
    art::draw_icons(argv[3]);
    return 0;
}
