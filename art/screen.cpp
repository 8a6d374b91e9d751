// The editor's backdrop and the pieces that sit on it: the banner, the
// toggle bars beside the canvases and the preview, the frame labels, the
// preview-mode pictures, the brush-target marker and the fill-mode names.
#include "art.h"
#include "layout/layout.h"

#include <vector>

namespace art
{

namespace
{

int outline()
{
    return rgb(12, 13, 20);
}
int keycap_face()
{
    return rgb(208, 204, 194);
}

void save_and_free(BITMAP *bmp, const std::string &path)
{
    save(bmp, path);
    destroy_bitmap(bmp);
}

// A raised slab with a dark outline around it: the two big panels.
void slab(BITMAP *bmp, int x1, int y1, int x2, int y2)
{
    rect(bmp, x1, y1, x2, y2, outline());
    raised_box(bmp, x1 + 1, y1 + 1, x2 - 1, y2 - 1);
}

void etched_hline(BITMAP *bmp, int x1, int x2, int y)
{
    hline(bmp, x1, y, x2, theme::panel_dark());
    hline(bmp, x1, y + 1, x2, theme::panel_light());
}

// A section heading: bold accent words and an etched rule running on to x2.
void heading(BITMAP *bmp, int x, int y, int x2, const std::string &words)
{
    text(bmp, bold_font(), x + 1, y + 1, words, theme::panel_dark());
    text(bmp, bold_font(), x, y, words, theme::accent());
    const int rule_x = x + text_width(bold_font(), words) + 4;
    if (rule_x < x2) {
        etched_hline(bmp, rule_x, x2, y + 4);
    }
}

void caption(BITMAP *bmp, int x, int y, const std::string &words, int colour = theme::ink_dim())
{
    text(bmp, small_font(), x, y, words, colour);
}

int caption_width(const std::string &words)
{
    return text_width(small_font(), words) - 1;
}

// One key of a keyboard, 14 high: a light face on a darker lip.
int keycap(BITMAP *bmp, int x, int y, const std::string &label)
{
    const int w = text_width(plain_font(), label) + 5;
    rectfill(bmp, x, y, x + w - 1, y + 13, outline());
    rectfill(bmp, x + 1, y + 1, x + w - 2, y + 12, rgb(150, 146, 140));
    rectfill(bmp, x + 1, y + 1, x + w - 2, y + 10, keycap_face());
    hline(bmp, x + 2, y + 1, x + w - 3, rgb(240, 238, 230));
    putpixel(bmp, x, y, theme::panel());
    putpixel(bmp, x + w - 1, y, theme::panel());
    putpixel(bmp, x, y + 13, theme::panel());
    putpixel(bmp, x + w - 1, y + 13, theme::panel());
    text(bmp, plain_font(), x + 3, y + 1, label, theme::ink_dark());
    return w;
}

// Keys written as "Ctrl+S" (pressed together) or "9 0" (either of them);
// with bmp null only measures.
int keys(BITMAP *bmp, int x, int y, const std::string &spec)
{
    int at = x;
    std::string key;
    auto flush = [&]() {
        if (!key.empty()) {
            at += bmp ? keycap(bmp, at, y, key) : text_width(plain_font(), key) + 5;
            key.clear();
        }
    };
    for (char c : spec) {
        if (c == '+' && !key.empty()) {
            flush();
            if (bmp) {
                text(bmp, plain_font(), at + 1, y + 2, "+", theme::ink_dim());
            }
            at += text_width(plain_font(), "+") + 1;
        } else if (c == ' ') {
            flush();
            at += 3;
        } else {
            key += c;
        }
    }
    flush();
    return at - x;
}

// A column of "keys - what they do" rows under a small-capitals title.
void key_column(BITMAP *bmp, int x, int y, const std::string &title,
                const std::vector<std::pair<std::string, std::string>> &rows)
{
    caption(bmp, x, y, title, theme::accent_dark());
    int key_w = 0;
    for (const auto &row : rows) {
        const int w = keys(nullptr, 0, 0, row.first);
        key_w = w > key_w ? w : key_w;
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row_y = y + 10 + 16 * static_cast<int>(i);
        keys(bmp, x, row_y, rows[i].first);
        text(bmp, text_font(), x + key_w + 6, row_y + 1, rows[i].second);
    }
}

// Text in a label font, enlarged and shaded top to bottom, with a dark
// outline and drop shadow; magenta around it.
BITMAP *display_text(FONT *f, const std::string &words, int scale, int top, int bottom, int edge)
{
    const int w = text_width(f, words);
    const int h = text_height(f);
    BITMAP *small = image(w, h);
    text(small, f, 0, 0, words, rgb(255, 255, 255));
    const int pad = 3;
    BITMAP *big = image(w * scale + 2 * pad, h * scale + 2 * pad);
    const int white = rgb(255, 255, 255);
    auto inked = [&](int x, int y) {
        const int sx = x - pad, sy = y - pad;
        return sx >= 0 && sy >= 0 && sx < w * scale && sy < h * scale &&
               getpixel(small, sx / scale, sy / scale) == white;
    };
    for (int y = 0; y < big->h; ++y) {
        for (int x = 0; x < big->w; ++x) {
            if (inked(x, y)) {
                putpixel(big, x, y, blend(top, bottom, y, big->h - 1));
            } else if (inked(x - 2, y - 2) || inked(x - 1, y - 1)) {
                putpixel(big, x, y, edge);
            } else {
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (inked(x + dx, y + dy)) {
                            putpixel(big, x, y, edge);
                        }
                    }
                }
            }
        }
    }
    destroy_bitmap(small);
    return big;
}

// Words turned a quarter to the left, to be read from bottom to top.
BITMAP *turned_left(BITMAP *src)
{
    BITMAP *out = image(src->h, src->w);
    for (int y = 0; y < src->h; ++y) {
        for (int x = 0; x < src->w; ++x) {
            putpixel(out, y, src->w - 1 - x, getpixel(src, x, y));
        }
    }
    return out;
}

BITMAP *scaled(BITMAP *src, int scale)
{
    BITMAP *out = image(src->w * scale, src->h * scale);
    stretch_blit(src, out, 0, 0, src->w, src->h, 0, 0, out->w, out->h);
    return out;
}

void draw_backdrop()
{
    BITMAP *bg = image(800, 600);
    vertical_gradient(bg, 0, 0, 799, 599, rgb(38, 42, 60), theme::screen());

    // Left column: banner, toolbar, thumbnails, name, tools, colours, help.
    slab(bg, 6, 6, 262, 593);

    // The thumbnail strip with the tracks of the two canvas markers.
    sunken_box(bg, 17, 151, 258, 206);
    rect(bg, thumbnail_x(0) - 1, THUMBNAIL_Y - 1, thumbnail_x(6), THUMBNAIL_Y + THUMBNAIL_STEP, outline());
    for (int n = 1; n < 6; ++n) {
        vline(bg, thumbnail_x(n) - 1, THUMBNAIL_Y - 4, THUMBNAIL_Y - 2, theme::panel());
        vline(bg, thumbnail_x(n) - 1, THUMBNAIL_Y + THUMBNAIL_STEP + 1, THUMBNAIL_Y + THUMBNAIL_STEP + 3,
              theme::panel());
    }
    caption(bg, 22, 158, "L", theme::ink_dim());
    caption(bg, 22, 199, "R", theme::ink_dim());

    // The skin's file name.
    sunken_box(bg, NAME_FIELD_X, NAME_FIELD_Y, NAME_FIELD_X + NAME_FIELD_W, NAME_FIELD_BOTTOM);
    rectfill(bg, NAME_FIELD_X + 1, NAME_FIELD_Y + 1, NAME_FIELD_X + NAME_FIELD_W - 1, NAME_FIELD_BOTTOM - 1,
             rgb(16, 17, 27));
    const std::string name_hint = "skin name - click to type";
    caption(bg, NAME_FIELD_CENTRE_X - caption_width(name_hint) / 2, 222, name_hint, rgb(72, 78, 104));

    // Tools: six slots in a tray, their keys beside them.
    heading(bg, 20, 237, 256, "Tools");
    caption(bg, 21, 254, "point at a tool for its help");
    const SlotPosition last_slot = tool_slot(TOOL_SLOT_COUNT - 1);
    sunken_box(bg, TOOL_SLOTS_X - 3, TOOL_SLOTS_Y - 3, last_slot.x + TOOL_SLOT_SIZE + 2,
               last_slot.y + TOOL_SLOT_SIZE + 2);
    caption(bg, 201, 278, "keys");
    const char *tool_keys[2][3] = {{"P", "F", "B"}, {"E", "R", "L"}};
    for (int row = 0; row < 2; ++row) {
        int x = 193;
        for (const char *k : tool_keys[row]) {
            x += keycap(bg, x, 290 + TOOL_SLOT_STEP * row, k) + 3;
        }
    }

    // Colours: what each button paints with, the two bars and the swatches.
    heading(bg, 20, 384, 256, "Colours");
    const char *buttons[2][2] = {{"Left button", "9 0"}, {"Right button", "- ="}};
    for (int i = 0; i < 2; ++i) {
        const int x = 22 + 117 * i;
        text(bg, text_font(), x, 410, buttons[i][0]);
        keys(bg, x + text_width(text_font(), buttons[i][0]) + 4, 408, buttons[i][1]);
    }
    sunken_box(bg, 20, 427, 255, 484);

    // Help pages and tool options.
    sunken_box(bg, HELP_PAGE_X - 1, HELP_PAGE_Y - 1, HELP_PAGE_X + HELP_PAGE_WIDTH,
               HELP_PAGE_Y + HELP_PAGE_HEIGHT);
    const std::string pages_hint = "turn help pages with , and .";
    caption(bg, 138 - caption_width(pages_hint) / 2, 586, pages_hint);

    // Right side: the keyboard card over the workbench.
    slab(bg, 266, 6, 793, 593);
    heading(bg, 276, 12, 783, "Keyboard and mouse");
    key_column(bg, 276, 30, "file",
               {{"Ctrl+N", "New skin"},
                {"Ctrl+S", "Save"},
                {"Ctrl+L", "Load"},
                {"Ctrl+E", "Export GIF"},
                {"Ctrl+Z", "Undo"},
                {"Ctrl+Y", "Redo"},
                {"Ctrl+Shift+Z", "Redo"},
                {"Home", "Edit name"},
                {"Ins", "Screenshot"},
                {"Esc", "Quit"}});
    key_column(bg, 432, 30, "tools",
               {{"P", "Pencil"},
                {"F", "Fill"},
                {"B", "Brush"},
                {"E R L", "Ellipse, rectangle, line"},
                {"[ ]", "Brush size, fill mode"},
                {"Alt", "Pencil: straight line"},
                {"Shift", "Square; brush canvas"},
                {"Ctrl", "Shape from its centre"},
                {"Space", "Move the shape"}});
    key_column(bg, 622, 30, "colours and view",
               {{"9 0", "Left colour"},
                {"- =", "Right colour"},
                {"Ctrl+G", "Left grid"},
                {"Ctrl+Shift+G", "Right grid"},
                {"Wheel", "Frame / mode"},
                {"Ctrl+Wheel", "Preview team"},
                {", .", "Help pages"},
                {"Arrows", "Nudge pointer"}});
    etched_hline(bg, 272, 787, 184 + 2 * 16 + 4);

    // Power-ups and the preview in team colours.
    sunken_box(bg, POWER_UP_X - 2, POWER_UP_Y - 3, power_up_x(2) + POWER_UP_STEP - 3,
               POWER_UP_Y + POWER_UP_STEP - 2);
    text(bg, bold_font(), 399, 239, "Power-ups", theme::ink());
    caption(bg, 399, 256, "cape, tail or wings");
    const std::string preview = "Preview";
    text(bg, bold_font(), 770 - text_width(bold_font(), preview), 239, preview, theme::ink());
    const std::string wheel_hint = "wheel: mode - ctrl+wheel: team";
    caption(bg, 769 - caption_width(wheel_hint), 256, wheel_hint);
    sunken_box(bg, STRIP_X - 2, STRIP_Y - 2, PREVIEW_BAR_X + PREVIEW_BAR_W, STRIP_Y + STRIP_H + 1);

    // The two canvases with their frame bars.
    const int xs[2] = {LEFT_CANVAS_X, RIGHT_CANVAS_X};
    const char *names[2] = {"Left canvas", "Right canvas"};
    const char *hints[2] = {"wheel: frame - ctrl+g: grid", "wheel: frame - ctrl+shift+g: grid"};
    for (int i = 0; i < 2; ++i) {
        const int x = xs[i];
        sunken_box(bg, x - 2, CANVAS_Y - 2, x + CANVAS_SIZE + FRAME_BAR_W + 1, CANVAS_Y + CANVAS_SIZE + 1);
        text(bg, text_font(), x, 576, names[i]);
        caption(bg, x + CANVAS_SIZE + FRAME_BAR_W - 1 - caption_width(hints[i]), 579, hints[i]);
    }

    save_and_free(bg, "Moltwork/OrvaBack.png");
}

void draw_banner()
{
    BITMAP *banner = image(240, 100);
    BITMAP *emblem = text_art("screen/emblem");
    BITMAP *big_emblem = scaled(emblem, 2);
    draw_sprite(banner, big_emblem, 4, 20);
    destroy_bitmap(emblem);
    destroy_bitmap(big_emblem);

    BITMAP *name =
        display_text(bold_font(), "Moltwork", 3, rgb(255, 232, 176), rgb(255, 150, 52), rgb(20, 14, 12));
    draw_sprite(banner, name, 72, 14);
    destroy_bitmap(name);
    hline(banner, 76, 53, 234, theme::accent_dark());
    text(banner, text_font(), 77, 59, "skin editor for Orva");
    caption(banner, 77, 76, "version 0.7a", theme::ink_dim());
    save_and_free(banner, "Moltwork/Banner.png");
}

// A small "list of frames" mark for the frame toggle button.
void list_mark(BITMAP *bmp, int x, int y, int colour)
{
    for (int i = 0; i < 3; ++i) {
        rectfill(bmp, x, y + 4 * i, x + 1, y + 4 * i + 1, colour);
        hline(bmp, x + 4, y + 4 * i, x + 12, colour);
        hline(bmp, x + 4, y + 4 * i + 1, x + 12, colour);
    }
}

// A raised button face with an inner highlight; pressed: sunk, accent edge.
void button_face(BITMAP *bmp, int x1, int y1, int x2, int y2, bool pressed)
{
    rect(bmp, x1, y1, x2, y2, outline());
    if (pressed) {
        rectfill(bmp, x1 + 1, y1 + 1, x2 - 1, y2 - 1, rgb(40, 44, 66));
        hline(bmp, x1 + 1, y1 + 1, x2 - 1, rgb(24, 26, 40));
        rect(bmp, x1, y1, x2, y2, theme::accent_dark());
    } else {
        vertical_gradient(bmp, x1 + 1, y1 + 1, x2 - 1, y2 - 1, rgb(104, 114, 154), rgb(66, 73, 104));
        hline(bmp, x1 + 1, y1 + 1, x2 - 1, rgb(140, 150, 190));
        hline(bmp, x1 + 1, y2 - 1, x2 - 1, rgb(46, 50, 74));
    }
}

void draw_frame_bars()
{
    BITMAP *bar = image(FRAME_BAR_W, CANVAS_SIZE, theme::panel());
    raised_box(bar, 0, 0, FRAME_BAR_W - 1, CANVAS_SIZE - 1);
    sunken_box(bar, 2, 2, 34, 164);
    button_face(bar, 3, 170, 33, 188, false);
    list_mark(bar, 11, 175, theme::ink());
    save_and_free(bar, "Moltwork/MenuObjects/FrameToggleBar.png");

    BITMAP *pressed = image(31, 19);
    button_face(pressed, 0, 0, 30, 18, true);
    list_mark(pressed, 9, 6, theme::accent());
    save_and_free(pressed, "Moltwork/MenuObjects/FrameToggleButtonClicked.png");

    const char *labels[6][2] = {{"Standing", "Standing"}, {"Walking", "Walking"}, {"Jumping", "Jumping"},
                                {"Sliding", "Sliding"},   {"Death", "Lose"},      {"Stomped", "Stomped"}};
    for (const auto &label : labels) {
        BITMAP *words =
            display_text(bold_font(), label[0], 2, rgb(255, 232, 176), rgb(255, 158, 60), outline());
        BITMAP *turned = turned_left(words);
        BITMAP *out = image(31, 160);
        draw_sprite(out, turned, (31 - turned->w) / 2, (160 - turned->h) / 2);
        save_and_free(out, std::string("Moltwork/MenuObjects/") + label[1] + ".png");
        destroy_bitmap(turned);
        destroy_bitmap(words);
    }
}

void draw_preview_bar()
{
    BITMAP *bar = image(PREVIEW_BAR_W, STRIP_H, theme::panel());
    raised_box(bar, 0, 0, 112, 63);
    sunken_box(bar, 1, 1, 111, 46);
    button_face(bar, 2, 48, 110, 61, false);
    text_centre(bar, plain_font(), 56 + 1, 50 + 1, "Team and mode", rgb(40, 44, 66));
    text_centre(bar, plain_font(), 56, 50, "Team and mode", theme::ink());
    save_and_free(bar, "Moltwork/MenuObjects/PreviewToggleBar.png");

    BITMAP *pressed = image(109, 14);
    button_face(pressed, 0, 0, 108, 13, true);
    text_centre(pressed, plain_font(), 55, 3, "Team and mode", theme::accent());
    save_and_free(pressed, "Moltwork/MenuObjects/PreviewToggleButtonClicked.png");
}

const char *const team_names[4] = {"Red", "Blue", "Green", "Gold"};
const char *const mode_names[6] = {"Normal", "Fire", "Ice", "Shadow", "Metal", "Star"};
const char *const mode_icons[6] = {"normal", "fire", "ice", "shadow", "metal", "star"};

int team_colour(int team)
{
    BITMAP *teams = text_art("menus/teams");
    const int c = getpixel(teams, team, 0);
    destroy_bitmap(teams);
    return c;
}

// The plain-mode icon is grey; here its shades become shades of the team.
void tint(BITMAP *icon, int colour)
{
    for (int y = 0; y < icon->h; ++y) {
        for (int x = 0; x < icon->w; ++x) {
            const int p = getpixel(icon, x, y);
            const int lum = (getr32(p) + getg32(p) + getb32(p)) / 3;
            if (p == magenta() || lum < 60) {
                continue;
            }
            putpixel(icon, x, y,
                     lum < 190 ? blend(rgb(20, 18, 30), colour, lum - 60, 130)
                               : blend(colour, rgb(255, 255, 255), lum - 190, 110));
        }
    }
}

// One preview-mode picture: the team's colour and name over the mode.
BITMAP *mode_card(int team, int mode)
{
    BITMAP *card = image(108, 44);
    const int tc = team_colour(team);
    vertical_gradient(card, 0, 0, 107, 43, blend(theme::panel(), tc, 1, 3), blend(theme::inset(), tc, 1, 6));
    rect(card, 0, 0, 107, 43, outline());
    rectfill(card, 1, 1, 3, 42, tc);
    BITMAP *icon = text_art(std::string("menus/") + mode_icons[mode]);
    if (mode == 0) {
        tint(icon, tc);
    }
    BITMAP *big = scaled(icon, 2);
    draw_sprite(card, big, 9, 10);
    destroy_bitmap(big);
    destroy_bitmap(icon);
    text(card, title_font(), 41, 8, team_names[team]);
    text(card, text_font(), 41, 25, mode_names[mode]);
    return card;
}

void draw_preview_modes()
{
    BITMAP *sheet = image(435, 269);
    for (int team = 0; team < 4; ++team) {
        for (int mode = 0; mode < 6; ++mode) {
            BITMAP *card = mode_card(team, mode);
            blit(card, sheet, 0, 0, 109 * team, 45 * mode, card->w, card->h);
            destroy_bitmap(card);
        }
    }
    save_and_free(sheet, "Moltwork/MenuObjects/PreviewModes.png");
}

void draw_target()
{
    BITMAP *t = image(132, 14);
    rectfill(t, 1, 0, 130, 13, theme::accent_dark());
    rectfill(t, 0, 1, 131, 12, theme::accent_dark());
    vertical_gradient(t, 1, 1, 130, 12, rgb(255, 204, 120), theme::accent());
    for (int side = 0; side < 2; ++side) {
        const int cx = side == 0 ? 9 : 122;
        for (int i = 0; i < 4; ++i) {
            hline(t, cx - i, 3 + i, cx + i, theme::ink_dark());
        }
        rectfill(t, cx - 1, 7, cx + 1, 10, theme::ink_dark());
    }
    text_centre(t, plain_font(), 66, 2, "Brush target", theme::ink_dark());
    save_and_free(t, "Moltwork/Target.png");
}

void draw_fill_mode_names()
{
    const char *names[3][2] = {{"NormalFill", "Fill the touching pixels"},
                               {"IgnoreBounds", "Replace this colour everywhere"},
                               {"EightWay", "Fill touching pixels, diagonals too"}};
    for (const auto &name : names) {
        BITMAP *label = image(text_width(text_font(), name[1]) + 3, 16);
        text(label, text_font(), 2, 3, name[1]);
        save_and_free(label, std::string("Moltwork/") + name[0] + ".png");
    }
}

} // namespace

void draw_screen()
{
    draw_backdrop();
    draw_banner();
    draw_frame_bars();
    draw_preview_bar();
    draw_preview_modes();
    draw_target();
    draw_fill_mode_names();
}

} // namespace art
