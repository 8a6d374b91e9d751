#include "gesture_script.h"

#include "editor_harness.h"

#include <cstdio>
#include <sstream>

namespace
{
void act(const std::string &w)
{
    int x = 0, y = 0;
    if (w[0] == 'b') {
        mouse_b = w[1] - '0';
    } else if (std::sscanf(w.c_str() + 1, "%d,%d", &x, &y) == 2) {
        input::move((w[0] == 'R' ? RIGHT_CANVAS_X : LEFT_CANVAS_X) + 12 * x + 6, CANVAS_Y + 12 * y + 6);
    } else if (w == "wheel") {
        --mouse_z;
    } else {
        const auto has = [&w](const char *name) { return w.find(name) != w.npos; };
        key_shifts = (has("alt") ? KB_ALT_FLAG : 0) | (has("ctrl") ? KB_CTRL_FLAG : 0) |
                     (has("shift") ? KB_SHIFT_FLAG : 0);
        key[KEY_LSHIFT] = has("shift");
        key[KEY_SPACE] = has("space");
        key[KEY_CLOSEBRACE] = has("]");
    }
}
} // namespace

void run(const std::string &script)
{
    std::istringstream words(script);
    for (std::string w; words >> w; passes(1)) {
        std::istringstream parts(w);
        for (std::string part; std::getline(parts, part, '+');) {
            act(part);
        }
    }
}

Legend legend()
{
    return {{'.', transparent_color()}, {'F', Fcolor}, {'B', Bcolor}, {'a', palette_entry(12)}};
}

std::string drawn(BITMAP *bmp)
{
    std::string picture;
    for (std::string row : rows_of(bmp, legend())) {
        picture += row.erase(row.find_last_not_of('.') + 1) + "/";
    }
    return picture.erase(picture.find_last_not_of('/') + 1);
}

void paint(BITMAP *frame, const std::string &picture)
{
    std::istringstream rows(picture);
    std::string row;
    for (int y = 0; std::getline(rows, row, '/'); ++y) {
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            putpixel(frame, x, y, legend().at(row[x]));
        }
    }
}

std::string canvases()
{
    return drawn(CurrentFrame()) + "|" + drawn(CurrentFrame2());
}
