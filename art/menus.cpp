// The toolbar, its drop-down menus and the pop-up choosers of frames and
// preview variants. Each menu comes as a background, a row highlight and an
// image of its words; the editor stacks them in that order, so the words
// images hold only the words (magenta elsewhere).
#include "art.h"

#include <string>
#include <vector>

namespace art
{

namespace
{

int outline()
{
    return rgb(12, 13, 20);
}

void save_and_free(BITMAP *bmp, const std::string &name)
{
    save(bmp, "Moltwork/MenuObjects/" + name);
    destroy_bitmap(bmp);
}

// The body of a menu or list: an outlined, softly lit panel.
BITMAP *menu_back(int w, int h)
{
    BITMAP *bmp = image(w, h, outline());
    vertical_gradient(bmp, 1, 1, w - 2, h - 2, rgb(74, 82, 116), rgb(58, 64, 92));
    hline(bmp, 1, 1, w - 2, rgb(112, 122, 160));
    vline(bmp, 1, 1, h - 2, rgb(92, 101, 138));
    return bmp;
}

// The lit row under the pointer; a one-pixel margin of magenta all round
// keeps the menu's outline visible where the highlight meets it.
BITMAP *highlight(int w, int h)
{
    BITMAP *bmp = image(w, h);
    rectfill(bmp, 0, 1, w - 1, h - 2, rgb(38, 62, 128));
    vertical_gradient(bmp, 1, 2, w - 2, h - 3, rgb(98, 140, 226), theme::select());
    hline(bmp, 1, 2, w - 2, rgb(140, 176, 240));
    return bmp;
}

// Shortcut hints in small capitals, right-aligned at x.
void hint(BITMAP *bmp, int right_x, int y, const std::string &words, int colour)
{
    text(bmp, small_font(), right_x - text_width(small_font(), words) + 1, y, words, colour);
}

// A small triangle pointing right (sub-menu) or left (the list opens leftwards).
void triangle(BITMAP *bmp, int x, int y, bool right, int colour)
{
    for (int i = 0; i < 4; ++i) {
        const int col = right ? x + i : x + 3 - i;
        vline(bmp, col, y + i, y + 6 - i, colour);
    }
}

// A menu of one-line items: label on the left, an optional hint on the right.
struct Item {
    std::string label;
    std::string hint;
    int y; // top of the words in the image
};

void menu_words(BITMAP *bmp, const std::vector<Item> &items, bool greyed)
{
    for (const Item &item : items) {
        if (greyed) {
            text(bmp, plain_font(), 6, item.y, item.label, theme::ink_dim());
        } else {
            text(bmp, text_font(), 5, item.y, item.label);
        }
        if (!item.hint.empty()) {
            hint(bmp, bmp->w - 5, item.y + 3, item.hint, greyed ? rgb(96, 102, 130) : rgb(176, 186, 220));
        }
    }
}

void draw_toolbar()
{
    // Title ranges in image x, inclusive, as the editor hit-tests them.
    const int starts[5] = {0, 33, 68, 125, 182};
    const int ends[5] = {32, 67, 124, 181, 239};
    const char *titles[5] = {"File", "Edit", "Frames", "Tools", "Help"};

    BITMAP *bar = image(240, 17, outline());
    vertical_gradient(bar, 1, 1, 238, 15, rgb(100, 112, 156), rgb(62, 69, 100));
    hline(bar, 1, 1, 238, rgb(140, 152, 194));
    hline(bar, 1, 15, 238, rgb(44, 48, 72));
    for (int i = 1; i < 5; ++i) {
        vline(bar, starts[i] - 1, 3, 13, rgb(44, 48, 72));
        vline(bar, starts[i], 3, 13, rgb(122, 134, 178));
    }
    save_and_free(bar, "Toolbar.png");

    BITMAP *words = image(240, 17);
    for (int i = 0; i < 5; ++i) {
        text_centre(words, text_font(), (starts[i] + ends[i] + 1) / 2, 3, titles[i]);
    }
    save_and_free(words, "ToolbarText.png");

    // The lit look of each title, at the strip positions the editor copies from.
    const int parts[5][2] = {{0, 33}, {34, 35}, {70, 57}, {128, 57}, {186, 58}};
    BITMAP *lit = image(244, 17);
    for (const auto &part : parts) {
        BITMAP *one = highlight(part[1], 17);
        rectfill(one, 0, 0, part[1] - 1, 0, outline());
        rectfill(one, 0, 16, part[1] - 1, 16, outline());
        hline(one, 1, 15, part[1] - 2, theme::accent());
        blit(one, lit, 0, 0, part[0], 0, part[1], 17);
        destroy_bitmap(one);
    }
    save_and_free(lit, "ToolbarSelect.png");
}

void draw_file_menu()
{
    save_and_free(menu_back(96, 64), "FileBack.png");
    save_and_free(highlight(92, 16), "FileSelect.png");
    // Evenly spaced words that still sit inside each row's highlight (drawn at
    // y 149, 164, 181 and 195).
    BITMAP *words = image(96, 64);
    menu_words(
        words,
        {{"New", "ctrl+n", 2}, {"Save", "ctrl+s", 18}, {"Export GIF", "ctrl+e", 34}, {"Load", "ctrl+l", 50}},
        false);
    save_and_free(words, "FileText.png");
}

void draw_edit_menu()
{
    // Two rows of 17, drawn at y 149 and 166; each row's highlight starts on its first line.
    constexpr int width = 96, row = 17, height = 2 * row + 1;
    save_and_free(menu_back(width, height), "EditBack.png");
    save_and_free(highlight(92, 18), "EditSelect.png");
    const std::vector<Item> items = {{"Undo", "ctrl+z", 3}, {"Redo", "ctrl+y", 3 + row}};
    BITMAP *words = image(width, height);
    menu_words(words, items, false);
    save_and_free(words, "EditText.png");

    // Drawn over a row whose item has nothing to do: that row of the whole
    // menu again, opaque, so none of the live label shows through.
    BITMAP *greyed = menu_back(width, height);
    menu_words(greyed, items, true);
    const char *names[2] = {"NoUndo.png", "NoRedo.png"};
    for (int i = 0; i < 2; ++i) {
        const int top = row * i, rows = i == 0 ? row : height - row;
        BITMAP *part = image(width, rows);
        blit(greyed, part, 0, top, 0, 0, width, rows);
        save_and_free(part, names[i]);
    }
    destroy_bitmap(greyed);
}

void draw_frames_menu()
{
    save_and_free(menu_back(83, 49), "FramesBack.png");
    save_and_free(highlight(79, 16), "FramesSelect.png");
    BITMAP *words = image(83, 49);
    text(words, text_font(), 4, 2, "Copy canvas");
    text(words, text_font(), 4, 18, "Restore frame");
    text(words, text_font(), 4, 34, "Swap canvases");
    triangle(words, 77, 4, true, theme::accent());
    triangle(words, 77, 20, true, theme::accent());
    save_and_free(words, "FramesText.png");

    // Copy one canvas onto the other: "Left -> Right", "Right -> Left".
    save_and_free(menu_back(64, 33), "WhichCanvasBack.png");
    save_and_free(highlight(60, 15), "WhichCanvasSelect.png");
    BITMAP *canvas_words = image(64, 33);
    const char *sides[2][2] = {{"Left", "Right"}, {"Right", "Left"}};
    for (int row = 0; row < 2; ++row) {
        const int y = 3 + 16 * row;
        int x = 4;
        text(canvas_words, text_font(), x, y, sides[row][0]);
        x += text_width(text_font(), sides[row][0]) + 1;
        hline(canvas_words, x, y + 4, x + 4, theme::accent());
        triangle(canvas_words, x + 3, y + 1, true, theme::accent());
        x += 9;
        text(canvas_words, text_font(), x, y, sides[row][1]);
    }
    save_and_free(canvas_words, "WhichCanvas.png");

    // Restore one frame; the rows' words follow their highlights.
    const char *frames[6] = {"Standing", "Walking", "Jumping", "Sliding", "Death", "Stomped"};
    const int lit_y[6] = {164, 180, 197, 213, 230, 246};
    for (const char *suffix : {"", "Sub"}) {
        save_and_free(menu_back(64, 101), std::string("WhichFrameBack") + suffix + ".png");
        save_and_free(highlight(60, 16), std::string("WhichFrameSelect") + suffix + ".png");
        BITMAP *frame_words = image(64, 101);
        for (int k = 0; k < 6; ++k) {
            text(frame_words, text_font(), 6, lit_y[k] - 162 + 2, frames[k]);
        }
        save_and_free(frame_words, std::string("WhichFrame") + suffix + ".png");
    }
}

// A chooser list of rows of 24: each row's words, and an optional picture left of them.
BITMAP *list_words(int w, const std::vector<std::string> &rows, const std::vector<BITMAP *> &pictures)
{
    BITMAP *bmp = image(w, 24 * static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const int y = 24 * static_cast<int>(i);
        int x = 8;
        if (i < pictures.size()) {
            draw_sprite(bmp, pictures[i], x, y + 12 - pictures[i]->h / 2);
            x += pictures[i]->w + 6;
        }
        text(bmp, text_font(), x, y + 7, rows[i]);
    }
    return bmp;
}

// A colour chip of one team, as the team list shows it.
BITMAP *team_chip(int colour)
{
    BITMAP *chip = image(12, 12, outline());
    rectfill(chip, 1, 1, 10, 10, colour);
    hline(chip, 1, 1, 10, blend(colour, rgb(255, 255, 255), 2, 5));
    hline(chip, 1, 10, 10, blend(colour, rgb(0, 0, 0), 2, 5));
    putpixel(chip, 0, 0, magenta());
    putpixel(chip, 11, 0, magenta());
    putpixel(chip, 0, 11, magenta());
    putpixel(chip, 11, 11, magenta());
    return chip;
}

void draw_choosers()
{
    save_and_free(highlight(104, 22), "SelectFrameHighlight.png");

    // Frame chooser beside each canvas, with the frame's place in the strip.
    save_and_free(menu_back(104, 144), "SelectFrameBack.png");
    BITMAP *frames = list_words(104, {"Standing", "Walking", "Jumping", "Sliding", "Death", "Stomped"}, {});
    for (int k = 0; k < 6; ++k) {
        hint(frames, 96, 24 * k + 10, std::to_string(k + 1), rgb(150, 160, 196));
    }
    save_and_free(frames, "SelectFrameWords.png");

    // Team list, in the order team 0, 2, 1, 3.
    BITMAP *teams = text_art("menus/teams");
    const int team_order[4] = {0, 2, 1, 3};
    const char *team_names[4] = {"Red", "Blue", "Green", "Gold"};
    std::vector<std::string> team_rows;
    std::vector<BITMAP *> chips;
    for (int t : team_order) {
        team_rows.push_back(team_names[t]);
        chips.push_back(team_chip(getpixel(teams, t, 0)));
    }
    destroy_bitmap(teams);
    save_and_free(menu_back(104, 96), "SelectPreviewTeamBack.png");
    save_and_free(list_words(104, team_rows, chips), "SelectPreviewTeam.png");
    for (BITMAP *chip : chips) {
        destroy_bitmap(chip);
    }

    // The column of arrows left of the team list: its mode list opens leftwards.
    BITMAP *arrows = menu_back(13, 96);
    for (int row = 0; row < 4; ++row) {
        triangle(arrows, 4, 24 * row + 9, false, rgb(150, 160, 196));
    }
    save_and_free(arrows, "PreviewSubmenuArrows.png");
    BITMAP *open_arrow = image(12, 24);
    BITMAP *lit = highlight(12, 22);
    blit(lit, open_arrow, 0, 0, 0, 1, 12, 22);
    destroy_bitmap(lit);
    triangle(open_arrow, 3, 9, false, theme::accent());
    save_and_free(open_arrow, "PreviewSubmenuArrowSelected.png");

    // Mode list, each mode with its icon.
    const char *mode_icons[6] = {"normal", "fire", "ice", "shadow", "metal", "star"};
    std::vector<BITMAP *> icons;
    for (const char *name : mode_icons) {
        icons.push_back(text_art(std::string("menus/") + name));
    }
    save_and_free(menu_back(104, 144), "SelectPreviewModeBack.png");
    save_and_free(list_words(104, {"Normal", "Fire", "Ice", "Shadow", "Metal", "Star"}, icons),
                  "SelectPreviewMode.png");
    for (BITMAP *icon : icons) {
        destroy_bitmap(icon);
    }
}

} // namespace

void draw_menus()
{
    draw_toolbar();
    draw_file_menu();
    draw_edit_menu();
    draw_frames_menu();
    draw_choosers();
}

} // namespace art
