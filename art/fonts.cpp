// The editor's three bitmap fonts, all cut from one set of glyph designs
// (pixels/fonts/glyphs.txt) and written in the library's bitmap-font layout,
// and the generator's own label fonts, kept in memory only.
#include "art.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <vector>

namespace art
{

namespace
{

constexpr int first_char = 32;
constexpr int last_char = 126;
constexpr int glyphs_per_row = 16;

FONT *g_ui_font = nullptr;
FONT *g_title_font = nullptr;
FONT *g_text_font = nullptr;
FONT *g_plain_font = nullptr;
FONT *g_bold_font = nullptr;
FONT *g_small_font = nullptr;

struct Glyph {
    std::vector<std::string> rows; // '#' ink, '.' empty; all rows one width
    int width() const { return static_cast<int>(rows[0].size()); }
    bool ink(int x, int y) const
    {
        return x >= 0 && x < width() && y >= 0 && y < static_cast<int>(rows.size()) && rows[y][x] == '#';
    }
};

// How one font dresses the shared glyph shapes.
struct Style {
    int ink;     // face colour
    int ink_low; // face colour from row `low_from` down, for a gentle two-tone face
    int low_from;
    int shadow; // drop shadow one pixel down and right, or -1 for none
    bool bold;  // strokes thickened one pixel to the right, or the designed bold face
};

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "moltwork_art: %s\n", what.c_str());
    std::exit(1);
}

// Format: '#' comments, "rows <n>", "---", then blocks: a line "[c]" naming
// the character, followed by its n rows.
std::map<char, Glyph> read_glyphs(const std::string &name)
{
    const std::string path = source_dir() + "/pixels/fonts/" + name + ".txt";
    std::ifstream in(path);
    if (!in) {
        fail("cannot read " + path);
    }
    int row_count = 0;
    std::string line;
    while (std::getline(in, line) && line != "---") {
        if (line.rfind("rows ", 0) == 0) {
            row_count = std::atoi(line.c_str() + 5);
        }
    }
    if (row_count <= 0) {
        fail(path + ": no \"rows\" line before \"---\"");
    }
    std::map<char, Glyph> glyphs;
    while (std::getline(in, line)) {
        if (line.empty()) {
            continue;
        }
        if (line.size() != 3 || line[0] != '[' || line[2] != ']' || line[1] < first_char ||
            line[1] > last_char) {
            fail(path + ": expected a block \"[c]\", found \"" + line + "\"");
        }
        const char c = line[1];
        Glyph g;
        for (int y = 0; y < row_count; ++y) {
            if (!std::getline(in, line) || line.empty() ||
                line.find_first_not_of("#.") != std::string::npos) {
                fail(path + ": bad row in the block of '" + std::string(1, c) + "'");
            }
            if (!g.rows.empty() && line.size() != g.rows[0].size()) {
                fail(path + ": rows of '" + std::string(1, c) + "' differ in width");
            }
            g.rows.push_back(line);
        }
        glyphs[c] = g;
    }
    return glyphs;
}

// One glyph box: the face, its shadow and one column of letter spacing.
BITMAP *glyph_image(const Glyph &g, const Style &s, bool thicken)
{
    const int face_w = g.width() + (thicken ? 1 : 0);
    const int rows = static_cast<int>(g.rows.size());
    const bool shadowed = s.shadow != -1;
    BITMAP *bmp = image(face_w + 1, rows + (shadowed ? 1 : 0));
    // Thickening never closes a one-pixel gap, so m, w and # stay open.
    auto face = [&](int x, int y) { return g.ink(x, y) || (thicken && g.ink(x - 1, y) && !g.ink(x + 1, y)); };
    for (int y = 0; y < bmp->h; ++y) {
        for (int x = 0; x < bmp->w; ++x) {
            if (face(x, y)) {
                putpixel(bmp, x, y, y >= s.low_from ? s.ink_low : s.ink);
            } else if (shadowed && face(x - 1, y - 1)) {
                putpixel(bmp, x, y, s.shadow);
            }
        }
    }
    return bmp;
}

// The library's layout: glyph boxes in rows, each box framed by one-pixel
// yellow lines shared with its neighbours, (0, 0) yellow.
BITMAP *font_sheet(const std::map<char, Glyph> &glyphs, const std::map<char, Glyph> &bold_faces,
                   const Style &s)
{
    std::vector<BITMAP *> boxes;
    for (int c = first_char; c <= last_char; ++c) {
        const auto designed_bold = s.bold ? bold_faces.find(static_cast<char>(c)) : bold_faces.end();
        if (designed_bold != bold_faces.end()) {
            boxes.push_back(glyph_image(designed_bold->second, s, false));
        } else {
            auto found = glyphs.find(static_cast<char>(c));
            if (found == glyphs.end() && c >= 'a' && c <= 'z') {
                found = glyphs.find(static_cast<char>(c - 'a' + 'A'));
            }
            if (found == glyphs.end()) {
                fail("no glyph for character " + std::to_string(c));
            }
            boxes.push_back(glyph_image(found->second, s, s.bold));
        }
    }
    const int box_h = boxes[0]->h;
    const int row_count = (static_cast<int>(boxes.size()) + glyphs_per_row - 1) / glyphs_per_row;
    int sheet_w = 0;
    for (int r = 0; r < row_count; ++r) {
        int w = 1;
        for (int i = r * glyphs_per_row; i < static_cast<int>(boxes.size()) && i < (r + 1) * glyphs_per_row;
             ++i) {
            w += boxes[i]->w + 1;
        }
        sheet_w = w > sheet_w ? w : sheet_w;
    }
    BITMAP *sheet = image(sheet_w, row_count * (box_h + 1) + 1, rgb(255, 255, 0));
    for (int r = 0; r < row_count; ++r) {
        int x = 1;
        for (int i = r * glyphs_per_row; i < static_cast<int>(boxes.size()) && i < (r + 1) * glyphs_per_row;
             ++i) {
            blit(boxes[i], sheet, 0, 0, x, 1 + r * (box_h + 1), boxes[i]->w, box_h);
            x += boxes[i]->w + 1;
            destroy_bitmap(boxes[i]);
        }
    }
    return sheet;
}

FONT *write_font(const std::map<char, Glyph> &glyphs, const std::map<char, Glyph> &bold_faces, const Style &s,
                 const std::string &file)
{
    BITMAP *sheet = font_sheet(glyphs, bold_faces, s);
    save(sheet, "Moltwork/Fonts/" + file);
    destroy_bitmap(sheet);
    const std::string path = output_dir() + "/Moltwork/Fonts/" + file;
    FONT *f = load_bitmap_font(path.c_str(), nullptr, nullptr);
    if (!f) {
        fail("the graphics library does not read back " + path + " as a font");
    }
    return f;
}

// A generator-only font, built in memory. The library makes a one-colour
// font (drawn in whatever colour it is given) only from an 8-bit sheet with
// glyph pixels 1 on transparent 0 between border lines 255.
FONT *label_font(const std::map<char, Glyph> &glyphs, const std::map<char, Glyph> &bold_faces, bool bold)
{
    const int white = rgb(255, 255, 255);
    BITMAP *sheet = font_sheet(glyphs, bold_faces, {white, white, 0, -1, bold});
    BITMAP *mono = create_bitmap_ex(8, sheet->w, sheet->h);
    const int border = getpixel(sheet, 0, 0);
    for (int y = 0; y < sheet->h; ++y) {
        for (int x = 0; x < sheet->w; ++x) {
            const int p = getpixel(sheet, x, y);
            putpixel(mono, x, y, p == border ? 255 : p == white ? 1 : 0);
        }
    }
    FONT *f = grab_font_from_bitmap(mono);
    destroy_bitmap(mono);
    destroy_bitmap(sheet);
    if (!f) {
        fail("cannot build a label font");
    }
    return f;
}

} // namespace

void draw_fonts()
{
    const std::map<char, Glyph> glyphs = read_glyphs("glyphs");
    if (static_cast<int>(glyphs.size()) != last_char - first_char + 1) {
        fail("pixels/fonts/glyphs.txt: not every printable character has a glyph");
    }
    const std::map<char, Glyph> bold_faces = read_glyphs("glyphs-bold");
    // The file name: bright on the dark name well, with a near-black shadow.
    g_ui_font = write_font(glyphs, bold_faces,
                           {rgb(246, 242, 230), rgb(214, 206, 186), 6, rgb(6, 6, 12), false}, "Font.png");
    // Window titles: bold and warm, standing out on the title bar.
    g_title_font =
        write_font(glyphs, bold_faces, {rgb(255, 226, 170), rgb(255, 190, 96), 5, rgb(20, 14, 10), true},
                   "AlertTitle.png");
    // Window text and button labels on the panel.
    g_text_font =
        write_font(glyphs, bold_faces, {theme::ink(), rgb(214, 210, 200), 6, theme::panel_dark(), false},
                   "AlertText.png");

    g_plain_font = label_font(glyphs, bold_faces, false);
    g_bold_font = label_font(glyphs, bold_faces, true);
    g_small_font = label_font(read_glyphs("glyphs-small"), {}, false);
}

FONT *ui_font()
{
    return g_ui_font;
}
FONT *title_font()
{
    return g_title_font;
}
FONT *text_font()
{
    return g_text_font;
}
FONT *plain_font()
{
    return g_plain_font;
}
FONT *bold_font()
{
    return g_bold_font;
}
FONT *small_font()
{
    return g_small_font;
}

} // namespace art
