#include "art.h"

#include <loadpng.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <vector>

namespace art
{

namespace
{
std::string g_source_dir;
std::string g_output_dir;

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "moltwork_art: %s\n", what.c_str());
    std::exit(1);
}

void make_parent_dirs(const std::string &path)
{
    for (size_t i = 1; i < path.size(); ++i) {
        if (path[i] == '/') {
            mkdir(path.substr(0, i).c_str(), 0755);
        }
    }
}
} // namespace

int rgb(int r, int g, int b)
{
    return makecol32(r, g, b);
}
int magenta()
{
    return rgb(255, 0, 255);
}

namespace theme
{
int screen()
{
    return rgb(30, 33, 48);
}
int panel()
{
    return rgb(56, 62, 88);
}
int panel_light()
{
    return rgb(96, 106, 142);
}
int panel_dark()
{
    return rgb(18, 20, 30);
}
int inset()
{
    return rgb(22, 24, 36);
}
int ink()
{
    return rgb(238, 234, 222);
}
int ink_dim()
{
    return rgb(120, 126, 150);
}
int ink_dark()
{
    return rgb(30, 28, 40);
}
int select()
{
    return rgb(70, 110, 196);
}
int accent()
{
    return rgb(255, 178, 62);
}
int accent_dark()
{
    return rgb(190, 106, 28);
}
} // namespace theme

int blend(int from, int to, int a, int b)
{
    auto mix = [&](int f, int t) { return f + (t - f) * a / b; };
    return rgb(mix(getr32(from), getr32(to)), mix(getg32(from), getg32(to)), mix(getb32(from), getb32(to)));
}

void vertical_gradient(BITMAP *bmp, int x1, int y1, int x2, int y2, int top, int bottom)
{
    for (int y = y1; y <= y2; ++y) {
        hline(bmp, x1, y, x2, y2 > y1 ? blend(top, bottom, y - y1, y2 - y1) : top);
    }
}

BITMAP *image(int w, int h, int fill)
{
    BITMAP *bmp = create_bitmap_ex(32, w, h);
    if (!bmp) {
        fail("cannot create a " + std::to_string(w) + " x " + std::to_string(h) + " image");
    }
    clear_to_color(bmp, fill == -2 ? magenta() : fill);
    return bmp;
}

BITMAP *text_art(const std::string &name)
{
    const std::string path = g_source_dir + "/pixels/" + name + ".txt";
    std::ifstream in(path);
    if (!in) {
        fail("cannot read " + path);
    }
    std::map<char, int> legend{{'.', magenta()}};
    std::vector<std::string> rows;
    bool in_rows = false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!in_rows) {
            if (line.empty() || line[0] == '#') {
                continue;
            }
            if (line == "---") {
                in_rows = true;
                continue;
            }
            std::istringstream fields(line);
            char key;
            int r, g, b;
            if (!(fields >> key >> r >> g >> b)) {
                fail(path + ": bad legend line \"" + line + "\"");
            }
            legend[key] = rgb(r, g, b);
        } else if (!line.empty()) {
            rows.push_back(line);
        }
    }
    if (rows.empty()) {
        fail(path + ": no rows");
    }
    BITMAP *bmp = image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].size() != rows[0].size()) {
            fail(path + ": row " + std::to_string(y + 1) + " has another length");
        }
        for (size_t x = 0; x < rows[y].size(); ++x) {
            auto found = legend.find(rows[y][x]);
            if (found == legend.end()) {
                fail(path + ": character '" + std::string(1, rows[y][x]) + "' is not in the legend");
            }
            putpixel(bmp, static_cast<int>(x), static_cast<int>(y), found->second);
        }
    }
    return bmp;
}

void raised_box(BITMAP *bmp, int x1, int y1, int x2, int y2)
{
    rectfill(bmp, x1, y1, x2, y2, theme::panel());
    hline(bmp, x1, y1, x2 - 1, theme::panel_light());
    vline(bmp, x1, y1, y2 - 1, theme::panel_light());
    hline(bmp, x1, y2, x2, theme::panel_dark());
    vline(bmp, x2, y1, y2, theme::panel_dark());
}

void sunken_box(BITMAP *bmp, int x1, int y1, int x2, int y2)
{
    rectfill(bmp, x1, y1, x2, y2, theme::inset());
    hline(bmp, x1, y1, x2 - 1, theme::panel_dark());
    vline(bmp, x1, y1, y2 - 1, theme::panel_dark());
    hline(bmp, x1, y2, x2, theme::panel_light());
    vline(bmp, x2, y1, y2, theme::panel_light());
}

void text(BITMAP *bmp, FONT *f, int x, int y, const std::string &s, int colour)
{
    textout_ex(bmp, f, s.c_str(), x, y, colour, -1);
}

void text_centre(BITMAP *bmp, FONT *f, int cx, int y, const std::string &s, int colour)
{
    textout_centre_ex(bmp, f, s.c_str(), cx, y, colour, -1);
}

int text_width(FONT *f, const std::string &s)
{
    return text_length(f, s.c_str());
}

void save(BITMAP *bmp, const std::string &relative_path)
{
    const std::string path = g_output_dir + "/" + relative_path;
    make_parent_dirs(path);
    const bool png = path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    // 24-bit copies: a 32-bit PNG would carry an alpha channel of zeros that
    // other programs show as fully transparent.
    BITMAP *opaque = create_bitmap_ex(24, bmp->w, bmp->h);
    if (!opaque) {
        fail("cannot convert " + path);
    }
    blit(bmp, opaque, 0, 0, 0, 0, bmp->w, bmp->h);
    const int result =
        png ? save_png(path.c_str(), opaque, nullptr) : save_bitmap(path.c_str(), opaque, nullptr);
    destroy_bitmap(opaque);
    if (result != 0) {
        fail("cannot write " + path);
    }
}

const std::string &source_dir()
{
    return g_source_dir;
}
const std::string &output_dir()
{
    return g_output_dir;
}

void set_dirs(const std::string &source, const std::string &output)
{
    g_source_dir = source;
    g_output_dir = output;
}

} // namespace art
