// The help picture books of the six tools, Moltwork/Helps/<Tool>Tool.png.
// A book is a row of 240 x 92 pages with a one-pixel magenta column between
// neighbours. The editor shows one page at a time in its help panel and lays
// its page-turn arrows over two spots near the top corners, which every page
// keeps plain.
//
// Page text is written in a small markup: words wrap at spaces, "|" ends a
// line, "{Ctrl}" is a key cap and "<L>" / "<R>" a mouse with that button lit.
// Every line and picture is measured against its box, and anything that would
// not fit stops the generator, so a change of font can never clip a page.
#include "art.h"
#include "layout/layout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace art
{

namespace
{

constexpr int page_width = HELP_PAGE_WIDTH;
constexpr int page_height = HELP_PAGE_HEIGHT;
constexpr int page_pitch = page_width + 1;

// Where the editor draws its page-turn arrows, in page coordinates.
constexpr int arrow_size = 14;
constexpr int arrow_top = 12;
constexpr int left_arrow_x = 8;
constexpr int right_arrow_x = 217;

// The heading sits between the arrow spots; the body lies below its rule.
constexpr int heading_left = left_arrow_x + arrow_size + 2;
constexpr int heading_right = right_arrow_x - 3;
constexpr int rule_y = 27;

// One frame pixel in a diagram: a 3 x 3 block and one grid line.
constexpr int cell = 4;

struct Box {
    int x1, y1, x2, y2; // inclusive
    int width() const { return x2 - x1 + 1; }
    int height() const { return y2 - y1 + 1; }
    int centre_x() const { return x1 + width() / 2; }
    int centre_y() const { return y1 + height() / 2; }
};

constexpr Box body{6, 30, 233, 88};

struct Cell {
    int x, y;
};
constexpr Cell no_pointer{-1, -1};

std::string g_where; // the page being drawn, for messages

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "moltwork_art: %s: %s\n", g_where.c_str(), what.c_str());
    std::exit(1);
}

void must_fit(const Box &inner, const Box &outer, const std::string &what)
{
    if (inner.x1 < outer.x1 || inner.y1 < outer.y1 || inner.x2 > outer.x2 || inner.y2 > outer.y2) {
        fail(what + " does not fit");
    }
}

struct Icons {
    BITMAP *mouse_left = nullptr;
    BITMAP *mouse_right = nullptr;
    BITMAP *pointer = nullptr;
};
Icons g_icons;

int empty_cell()
{
    return rgb(38, 42, 60);
}
int cap_face()
{
    return rgb(84, 94, 130);
}
int cap_top()
{
    return rgb(122, 134, 174);
}
int cap_depth()
{
    return rgb(42, 46, 66);
}

// The generated fonts carry their own colours (a light face with a dark
// shadow); a one-colour font is set in the theme's ink instead.
void ink(BITMAP *bmp, FONT *f, int x, int y, const std::string &s)
{
    text(bmp, f, x, y, s, is_color_font(f) ? -1 : theme::ink());
}

int cap_height()
{
    return text_height(text_font()) + 2;
}
int cap_width(const std::string &label)
{
    return text_width(text_font(), label) + 6;
}

// A key as on the keyboard: a bevelled cap with its label, the lower edge
// darker so it reads as a key rather than a button of the editor.
void key_cap(BITMAP *bmp, int x, int y, const std::string &label)
{
    const int x2 = x + cap_width(label) - 1;
    const int y2 = y + cap_height() - 1;
    rectfill(bmp, x + 1, y + 1, x2 - 1, y2 - 1, cap_face());
    hline(bmp, x + 1, y + 1, x2 - 1, cap_top());
    hline(bmp, x + 1, y2 - 1, x2 - 1, cap_depth());
    hline(bmp, x + 1, y, x2 - 1, theme::panel_dark());
    hline(bmp, x + 1, y2, x2 - 1, theme::panel_dark());
    vline(bmp, x, y + 1, y2 - 1, theme::panel_dark());
    vline(bmp, x2, y + 1, y2 - 1, theme::panel_dark());
    ink(bmp, text_font(), x + 3, y + 1, label);
}

// --- Text ------------------------------------------------------------------

struct Piece {
    enum Kind { words, key, mouse } kind;
    std::string text; // the words, or the key's label
    BITMAP *icon;
};

// Pieces that stay on one line together; an empty run ends the line.
using Run = std::vector<Piece>;

std::vector<Run> parse(const std::string &markup)
{
    std::vector<Run> runs;
    Run run;
    std::string words;
    auto end_words = [&] {
        if (!words.empty()) {
            run.push_back({Piece::words, words, nullptr});
            words.clear();
        }
    };
    auto end_run = [&] {
        end_words();
        if (!run.empty()) {
            runs.push_back(run);
            run.clear();
        }
    };
    for (size_t i = 0; i < markup.size(); ++i) {
        const char c = markup[i];
        if (c == ' ') {
            end_run();
        } else if (c == '|') {
            end_run();
            runs.push_back({});
        } else if (c == '{') {
            const size_t close = markup.find('}', i + 2);
            if (close == std::string::npos) {
                fail("unclosed key in \"" + markup + "\"");
            }
            end_words();
            run.push_back({Piece::key, markup.substr(i + 1, close - i - 1), nullptr});
            i = close;
        } else if (c == '<' && (markup.compare(i, 3, "<L>") == 0 || markup.compare(i, 3, "<R>") == 0)) {
            end_words();
            run.push_back(
                {Piece::mouse, "", markup[i + 1] == 'L' ? g_icons.mouse_left : g_icons.mouse_right});
            i += 2;
        } else {
            words += c;
        }
    }
    end_run();
    return runs;
}

// Key caps and mice keep a pixel clear on both sides.
int piece_width(const Piece &p)
{
    switch (p.kind) {
    case Piece::key:
        return cap_width(p.text) + 2;
    case Piece::mouse:
        return p.icon->w + 2;
    default:
        return text_width(text_font(), p.text);
    }
}

int run_width(const Run &run)
{
    int w = 0;
    for (const Piece &p : run) {
        w += piece_width(p);
    }
    return w;
}

struct Line {
    std::vector<const Run *> runs;
    int width = 0;
    bool boxed = false; // holds a key cap or a mouse, so it is taller
    int height() const { return boxed ? cap_height() : text_height(text_font()); }
};

std::vector<Line> wrap(const std::vector<Run> &runs, int width)
{
    const int space = text_width(text_font(), " ");
    std::vector<Line> lines(1);
    for (const Run &run : runs) {
        if (run.empty()) {
            if (!lines.back().runs.empty()) {
                lines.emplace_back();
            }
            continue;
        }
        const int w = run_width(run);
        if (w > width) {
            fail("\"" + run[0].text + "...\" is wider than its box");
        }
        Line *line = &lines.back();
        if (!line->runs.empty() && line->width + space + w > width) {
            lines.emplace_back();
            line = &lines.back();
        }
        line->width += (line->runs.empty() ? 0 : space) + w;
        line->runs.push_back(&run);
        for (const Piece &p : run) {
            line->boxed = line->boxed || p.kind != Piece::words;
        }
    }
    if (lines.back().runs.empty()) {
        lines.pop_back();
    }
    return lines;
}

// Writes the markup into the box, wrapped and left-aligned, centred vertically.
void write(BITMAP *page, const Box &box, const std::string &markup)
{
    const std::vector<Run> runs = parse(markup);
    const std::vector<Line> lines = wrap(runs, box.width());
    int total = -1;
    for (const Line &line : lines) {
        total += line.height() + 1;
    }
    if (total > box.height()) {
        fail("\"" + markup + "\" needs " + std::to_string(total) + " rows, its box has " +
             std::to_string(box.height()));
    }
    FONT *f = text_font();
    const int space = text_width(f, " ");
    int y = box.y1 + (box.height() - total) / 2;
    for (const Line &line : lines) {
        const int h = line.height();
        int x = box.x1;
        for (const Run *run : line.runs) {
            for (const Piece &p : *run) {
                switch (p.kind) {
                case Piece::key:
                    key_cap(page, x + 1, y + (h - cap_height()) / 2, p.text);
                    break;
                case Piece::mouse:
                    draw_sprite(page, p.icon, x + 1, y + (h - p.icon->h) / 2);
                    break;
                default:
                    ink(page, f, x, y + (h - text_height(f)) / 2, p.text);
                }
                x += piece_width(p);
            }
            x += space;
        }
        y += h + 1;
    }
}

// --- Pictures --------------------------------------------------------------

// A pixel diagram: a text-art picture under art/pixels/helps, optionally with
// the arrow pointer resting on one of its pixels.
struct Figure {
    std::string name;
    Cell pointer = no_pointer;
    int scale = cell;
};

struct Size {
    int w, h;
};

// The magnified picture alone, and the picture with the pointer's overhang.
Size grid_size(const Figure &fig)
{
    BITMAP *pic = text_art("helps/" + fig.name);
    const Size size{pic->w * fig.scale + 1, pic->h * fig.scale + 1};
    destroy_bitmap(pic);
    return size;
}

Size reach(const Figure &fig)
{
    Size size = grid_size(fig);
    if (fig.pointer.x >= 0) {
        size.w = std::max(size.w, fig.pointer.x * fig.scale + fig.scale / 2 + g_icons.pointer->w);
        size.h = std::max(size.h, fig.pointer.y * fig.scale + fig.scale / 2 + g_icons.pointer->h);
    }
    return size;
}

// Shown the way a frame shows on a canvas: magnified pixels on a grid,
// transparent ones as empty cells. Left edge at x, centred on row cy.
void diagram(BITMAP *page, const Figure &fig, int x, int cy)
{
    const Size size = reach(fig);
    const int y = cy - size.h / 2;
    must_fit({x, y, x + size.w - 1, y + size.h - 1}, body, "the diagram " + fig.name);
    BITMAP *pic = text_art("helps/" + fig.name);
    const int s = fig.scale;
    rectfill(page, x, y, x + pic->w * s, y + pic->h * s, theme::panel_dark());
    for (int j = 0; j < pic->h; ++j) {
        for (int i = 0; i < pic->w; ++i) {
            const int c = getpixel(pic, i, j);
            const int left = x + 1 + i * s;
            const int top = y + 1 + j * s;
            rectfill(page, left, top, left + s - 2, top + s - 2, c == magenta() ? empty_cell() : c);
        }
    }
    if (fig.pointer.x >= 0) {
        draw_sprite(page, g_icons.pointer, x + fig.pointer.x * s + s / 2, y + fig.pointer.y * s + s / 2);
    }
    destroy_bitmap(pic);
}

// A text-art picture enlarged without a grid, transparent pixels left out.
void enlarged(BITMAP *page, const std::string &name, int x, int y, int scale)
{
    BITMAP *pic = text_art("helps/" + name);
    must_fit({x, y, x + pic->w * scale - 1, y + pic->h * scale - 1}, body, "the picture " + name);
    stretch_sprite(page, pic, x, y, pic->w * scale, pic->h * scale);
    destroy_bitmap(pic);
}

constexpr int arrow_length = 9;
constexpr int picture_gap = 4;

// "Becomes": a small accent arrow pointing right, starting at x on row y.
void arrow(BITMAP *page, int x, int y, int length = arrow_length)
{
    const int tip = x + length - 1;
    rectfill(page, x, y - 1, tip - 3, y, theme::accent());
    triangle(page, tip - 3, y - 4, tip, y - 1, tip - 3, y + 3, theme::accent());
    triangle(page, tip - 3, y - 4, tip, y, tip - 3, y + 3, theme::accent());
}

// A row of diagrams, with "becomes" arrows between them when asked.
int row_width(const std::vector<Figure> &figs, bool arrows)
{
    int w = 0;
    for (const Figure &fig : figs) {
        w += reach(fig).w;
    }
    const int between = arrows ? 2 * picture_gap + arrow_length : 2 * picture_gap;
    return w + between * (static_cast<int>(figs.size()) - 1);
}

// The row centred in area.
void row(BITMAP *page, const Box &area, const std::vector<Figure> &figs, bool arrows)
{
    int x = area.x1 + (area.width() - row_width(figs, arrows)) / 2;
    const int cy = area.centre_y();
    for (size_t i = 0; i < figs.size(); ++i) {
        if (i > 0) {
            x += picture_gap;
            if (arrows) {
                arrow(page, x, cy);
                x += arrow_length;
            }
            x += picture_gap;
        }
        diagram(page, figs[i], x, cy);
        x += reach(figs[i]).w;
    }
}

// --- Pages and books -------------------------------------------------------

// Text on the left of the body, a column of the given width for pictures on
// the right.
struct Split {
    Box text;
    Box picture;
};

Split picture_right(int width)
{
    return {{body.x1, body.y1, body.x2 - width - 6, body.y2},
            {body.x2 - width + 1, body.y1, body.x2, body.y2}};
}

class Book
{
  public:
    explicit Book(const std::string &file) : file_(file) {}
    Book(const Book &) = delete;
    Book &operator=(const Book &) = delete;

    // A new page: the themed panel and the heading, with the tool's key cap
    // after the heading when one is given.
    BITMAP *page(const std::string &heading, const std::string &key = "")
    {
        g_where = file_ + " page " + std::to_string(pages_.size() + 1);
        BITMAP *page = image(page_width, page_height);
        pages_.push_back(page);
        raised_box(page, 0, 0, page_width - 1, page_height - 1);

        FONT *f = title_font();
        const int heading_w = text_width(f, heading);
        const int w = heading_w + (key.empty() ? 0 : 5 + cap_width(key));
        const int x = heading_left + (heading_right - heading_left + 1 - w) / 2;
        must_fit({x, arrow_top, x + w - 1, arrow_top + arrow_size - 1},
                 {heading_left, 0, heading_right, rule_y - 1}, "the heading \"" + heading + "\"");
        ink(page, f, x, arrow_top + (arrow_size - text_height(f)) / 2, heading);
        if (!key.empty()) {
            key_cap(page, x + heading_w + 5, arrow_top + (arrow_size - cap_height()) / 2, key);
        }
        hline(page, 3, rule_y, page_width - 4, theme::panel_dark());
        hline(page, 3, rule_y + 1, page_width - 4, theme::panel_light());
        return page;
    }

    // Every book opens the same way: what the tool does, which button paints
    // in which colour, and how to turn the pages.
    void opening(const std::string &tool, const std::string &key, const std::string &what,
                 const std::vector<Figure> &figs, bool arrows = false)
    {
        BITMAP *p = page(tool, key);
        const Split split = picture_right(row_width(figs, arrows));
        write(p, split.text,
              what + " | <L> foreground colour | <R> background colour | {,} {.} turn the pages");
        row(p, split.picture, figs, arrows);
    }

    // A page of words with a row of diagrams on its right.
    void explain(const std::string &heading, const std::string &words, const std::vector<Figure> &figs,
                 bool arrows = false)
    {
        BITMAP *p = page(heading);
        const Split split = picture_right(row_width(figs, arrows));
        write(p, split.text, words);
        row(p, split.picture, figs, arrows);
    }

    void save_all()
    {
        const int count = static_cast<int>(pages_.size());
        BITMAP *sheet = image(page_pitch * count - 1, page_height);
        for (int i = 0; i < count; ++i) {
            blit(pages_[i], sheet, 0, 0, page_pitch * i, 0, page_width, page_height);
            destroy_bitmap(pages_[i]);
        }
        pages_.clear();
        save(sheet, "Moltwork/Helps/" + file_);
        destroy_bitmap(sheet);
    }

  private:
    std::string file_;
    std::vector<BITMAP *> pages_;
};

// --- The six books -----------------------------------------------------------

void pencil_book()
{
    Book book("PencilTool.png");
    book.opening("Pencil", "P", "Draws freehand, one pixel wide.", {{"freehand", {7, 5}}});
    book.explain("Straight lines",
                 "Hold {Alt} as you draw: a straight line runs from the press point to the pointer. Let "
                 "go of the button to paint it.",
                 {{"straight_line", {7, 1}}});
    book.explain("Joined lines",
                 "Still holding {Alt}, tap {Ctrl} to fix the line drawn so far; the next one starts at the "
                 "pointer.",
                 {{"chain", {7, 6}}});
    book.explain("Back to freehand",
                 "Let go of {Alt} but keep the button down: the line is painted and you draw on freehand. "
                 "{Ctrl}+{Z} takes back each part on its own.",
                 {{"line_then_freehand", {7, 6}}});
    book.save_all();
}

// The fill panel in small: the three modes side by side, the first marked.
constexpr int mode_well = 16;
constexpr int mode_gap = 6;
constexpr int mode_panel_width = 3 * mode_well + 2 * mode_gap;

void mode_panel(BITMAP *page, const Box &area)
{
    const char *modes[] = {"fill_mode_touching", "fill_mode_everywhere", "fill_mode_diagonal"};
    constexpr int well = mode_well;
    constexpr int marker = 5;
    const int x0 = area.x1 + (area.width() - mode_panel_width) / 2;
    const int y0 = area.centre_y() - (well + marker + 2) / 2 + marker + 2;
    for (int i = 0; i < 3; ++i) {
        const int x = x0 + i * (well + mode_gap);
        sunken_box(page, x, y0, x + well - 1, y0 + well - 1);
        enlarged(page, modes[i], x + 2, y0 + 2, 2);
    }
    triangle(page, x0 + 3, y0 - marker - 2, x0 + well - 4, y0 - marker - 2, x0 + well / 2 - 1, y0 - 3,
             theme::accent());
}

void fill_book()
{
    Book book("FillTool.png");
    book.opening("Fill", "F", "Fills the area you click.",
                 {{"fill_ring_before", {2, 2}}, {"fill_ring_after"}}, true);

    // Each mode's result from the same start, one row each, beside the start.
    BITMAP *page = book.page("Three fill modes");
    const Figure start{"fill_modes_before", {0, 0}};
    diagram(page, start, body.x1, body.centre_y());
    const int arrow_x = body.x1 + reach(start).w + picture_gap;
    arrow(page, arrow_x, body.centre_y());
    const Figure results[] = {{"fill_mode_touching", no_pointer, 3},
                              {"fill_mode_everywhere", no_pointer, 3},
                              {"fill_mode_diagonal", no_pointer, 3}};
    const char *labels[] = {"Touching pixels", "That colour everywhere", "Touching, diagonals too"};
    const Size result = grid_size(results[0]);
    const int result_x = arrow_x + arrow_length + picture_gap;
    const int rows_top = body.y1 + (body.height() - (3 * result.h + 2)) / 2;
    for (int i = 0; i < 3; ++i) {
        const int top = rows_top + i * (result.h + 1);
        diagram(page, results[i], result_x, top + result.h / 2);
        write(page, {result_x + result.w + 5, top, body.x2, top + result.h - 1}, labels[i]);
    }

    page = book.page("Picking a mode");
    const Split split = picture_right(mode_panel_width);
    write(page, split.text,
          "With the pointer off the tools, this panel shows the three modes: click one, or step "
          "with {[} {]}.");
    mode_panel(page, split.picture);

    book.explain("Keep filling", "Hold {Ctrl} while you drag to fill every area the pointer crosses.",
                 {{"fill_drag_before", {0, 3}}, {"fill_drag_after", {6, 3}}}, true);
    book.save_all();
}

// Two small canvases, the brush's mark under the left one and an arrow to
// where Shift moves it.
constexpr int small_canvas = 22;
constexpr int small_canvas_gap = 12;
constexpr int target_width = 2 * small_canvas + small_canvas_gap;

void target_canvases(BITMAP *page, const Box &area)
{
    constexpr int size = small_canvas;
    constexpr int gap = small_canvas_gap;
    const int x0 = area.x1 + (area.width() - target_width) / 2;
    const int y0 = area.centre_y() - (size + 10) / 2;
    must_fit({x0, y0, x0 + target_width - 1, y0 + size + 9}, body, "the canvases");
    for (int i = 0; i < 2; ++i) {
        const int x = x0 + i * (size + gap);
        sunken_box(page, x, y0, x + size - 1, y0 + size - 1);
    }
    enlarged(page, "brush_plus", x0 + (size - 9) / 2, y0 + (size - 9) / 2, 3);
    const int mark_y = y0 + size + 2;
    const int left_mid = x0 + size / 2 - 1;
    const int right_mid = x0 + size + gap + size / 2 - 1;
    triangle(page, left_mid - 3, mark_y + 3, left_mid + 3, mark_y + 3, left_mid, mark_y, theme::accent());
    triangle(page, right_mid - 3, mark_y + 3, right_mid + 3, mark_y + 3, right_mid, mark_y,
             theme::accent_dark());
    arrow(page, left_mid + 6, mark_y + 1, right_mid - left_mid - 11);
}

// The brush set in small, in a well, the selected brush framed as in the
// panel.
Size brush_set_size()
{
    BITMAP *set = text_art("helps/brush_set");
    const Size size{set->w * 2 + 6, set->h * 2 + 6};
    destroy_bitmap(set);
    return size;
}

void brush_set(BITMAP *page, const Box &area)
{
    const auto [w, h] = brush_set_size();
    const int x = area.x1 + (area.width() - w) / 2;
    const int y = area.centre_y() - h / 2;
    sunken_box(page, x, y, x + w - 1, y + h - 1);
    enlarged(page, "brush_set", x + 3, y + 3, 2);
    rect(page, x + 1, y + 1, x + 10, y + 10, theme::accent());
}

void brush_book()
{
    Book book("BrushTool.png");
    book.opening("Brush", "B", "Stamps a brush along the pointer.", {{"brush_stroke", {8, 1}}});

    BITMAP *page = book.page("24 brushes");
    Split split = picture_right(brush_set_size().w);
    write(page, split.text,
          "With the pointer off the tools, this panel shows all 24 brushes: click one, or step "
          "with {[} {]}.");
    brush_set(page, split.picture);

    page = book.page("Target canvas");
    split = picture_right(target_width);
    write(page, split.text,
          "The brush paints on one canvas only, the one marked below it. Tap {Shift} with no button "
          "down to switch.");
    target_canvases(page, split.picture);

    // The brush pointer gives way to the arrow.
    page = book.page("Pause");
    const Figure brush{"brush_plus"};
    const int pointer_w = 2 * g_icons.pointer->w;
    const int picture_w = reach(brush).w + 2 * picture_gap + arrow_length + pointer_w;
    split = picture_right(picture_w);
    write(page, split.text,
          "Hold {Ctrl} and the arrow pointer comes back: the brush paints nothing until you let go.");
    const int x = split.picture.x1 + (split.picture.width() - picture_w) / 2;
    const int cy = split.picture.centre_y();
    diagram(page, brush, x, cy);
    arrow(page, x + reach(brush).w + picture_gap, cy);
    enlarged(page, "pointer", x + picture_w - pointer_w, cy - g_icons.pointer->h, 2);
    book.save_all();
}

// The ellipse and rectangle books differ only in their words and pictures.
void shape_book(const std::string &file, const std::string &tool, const std::string &key,
                const std::string &shape, const std::string &even_shape, const std::string &pictures)
{
    Book book(file);
    book.opening(tool, key, "Drag out " + shape + ".", {{pictures + "_outline", {8, 6}}});
    book.explain("Outline or filled",
                 "{[} draws outlines, {]} filled shapes. The shape is painted when you let go.",
                 {{pictures + "_outline"}, {pictures + "_filled"}});
    book.explain("Centre and " + even_shape,
                 "Hold {Ctrl} to draw from the centre, {Shift} to keep a " + even_shape + ".",
                 {{pictures + "_centre", {8, 6}}, {pictures + "_even", {6, 6}}});
    book.explain("Moving",
                 "Hold {Space} while you drag to move the shape; let go of {Space} to size it again.",
                 {{pictures + "_moved", {10, 6}}});
    book.save_all();
}

void line_book()
{
    Book book("LineTool.png");
    book.opening("Line", "L", "Drag to draw a straight line.", {{"straight_line", {7, 1}}});
    book.explain("Chains",
                 "Tap {Ctrl} while you drag to fix the line; the next one starts at the pointer. Let go "
                 "of all buttons to finish.",
                 {{"chain", {7, 6}}});
    book.explain("Freehand",
                 "Hold {Alt} to paint freehand; let go of {Alt} and a new line starts at the pointer.",
                 {{"freehand_then_line", {9, 5}}});
    book.explain("Undo and move",
                 "{Ctrl}+{Z} takes back one line or freehand run at a time, last first. Hold {Space} to "
                 "move the line.",
                 {{"chain"}, {"chain_short"}}, true);
    book.save_all();
}

} // namespace

void draw_helps()
{
    g_icons.mouse_left = text_art("helps/mouse_left");
    g_icons.mouse_right = text_art("helps/mouse_right");
    g_icons.pointer = text_art("helps/pointer");

    pencil_book();
    fill_book();
    brush_book();
    shape_book("EllipseTool.png", "Ellipse", "E", "an ellipse", "circle", "ellipse");
    shape_book("RectangleTool.png", "Rectangle", "R", "a rectangle", "square", "rectangle");
    line_book();

    destroy_bitmap(g_icons.mouse_left);
    destroy_bitmap(g_icons.mouse_right);
    destroy_bitmap(g_icons.pointer);
    g_icons = Icons();
}

} // namespace art
