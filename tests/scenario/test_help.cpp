// Help books and the option panels below the palette, driven pass by pass.
#include "editor_harness.h"
#include "headless.h"

namespace
{
// Every opaque pixel of sprite is on the composed screen at (x, y).
bool shown(BITMAP *sprite, int x, int y)
{
    for (int j = 0; j < sprite->h; ++j) {
        for (int i = 0; i < sprite->w; ++i) {
            const int p = getpixel(sprite, i, j);
            if (p != transparent_color() && getpixel(ActiveBuffer, x + i, y + j) != p) {
                return false;
            }
        }
    }
    return true;
}

// The help area shows the plain background.
bool panel_empty()
{
    for (int y = HELP_PAGE_Y; y < HELP_PAGE_Y + HELP_PAGE_HEIGHT; ++y) {
        for (int x = HELP_PAGE_X; x < HELP_PAGE_X + HELP_PAGE_WIDTH; ++x) {
            if (getpixel(ActiveBuffer, x, y) != getpixel(StaticBuffer, x, y)) {
                return false;
            }
        }
    }
    return true;
}

// A book of one flat-coloured page per grey, the separator columns black.
void write_book(const std::string &path, const std::vector<int> &greys)
{
    const int pages = static_cast<int>(greys.size());
    BITMAP *sheet = create_bitmap(241 * pages - 1, 92);
    clear_to_color(sheet, makecol(0, 0, 0));
    for (int i = 0; i < pages; ++i) {
        rectfill(sheet, 241 * i, 0, 241 * i + 239, 91, makecol(greys[i], greys[i], greys[i] + 1));
    }
    save_bitmap(path.c_str(), sheet, nullptr);
    destroy_bitmap(sheet);
}
} // namespace

TEST(Help, BooksOfOneAndTwoPagesTurnShowArrowsWhereTheyTurnAndCloseTurnedBack)
{
    start_headless_library();
    const auto books = [](const std::string &dir) {
        write_file(dir + "/Options.cfg", options_text());
        write_book(dir + "/Moltwork/Helps/BrushTool.png", {10});
        write_book(dir + "/Moltwork/Helps/FillTool.png", {20, 30});
    };
    EXPECT_SCENARIO(
        [] {
            EXPECT_EQ(AllDialogs[0].page_count, 1);
            EXPECT_EQ(AllDialogs[2].page_count, 2);
            // The brush (x 150) or fill (x 100) button hovered, a page key, then the page and its arrows.
            const struct {
                int button_x, key, page, grey;
                bool left_arrow, right_arrow;
            } cases[] = {{150, KEY_STOP, 0, 10, false, false},
                         {100, KEY_COMMA, 0, 20, false, true},
                         {100, KEY_STOP, 1, 30, true, false},
                         {100, KEY_STOP, 1, 30, true, false}};
            for (const auto &c : cases) {
                input::move(c.button_x, 290);
                passes(2);
                tap(c.key);
                draw_everything();
                EXPECT_EQ((std::vector<int>{AllDialogs[show_help - 1].page, getpixel(ActiveBuffer, 138, 580),
                                            shown(LeftArrow, 26, 502), shown(RightArrow, 235, 502)}),
                          (std::vector<int>{c.page, makecol(c.grey, c.grey, c.grey + 1), c.left_arrow,
                                            c.right_arrow}))
                    << c.button_x << " " << c.page;
            }
            input::move(150, 290);
            passes(1);
            input::move(100, 290);
            key[KEY_STOP] = 1;
            passes(2);
            key[KEY_STOP] = 0;
            EXPECT_EQ(AllDialogs[2].page, 0)
                << "the book was turned back when left; a . held on arrival is undone";
            tap(KEY_STOP);
            input::move(400, 100);
            passes(2);
            EXPECT_EQ((std::vector<int>{show_help, AllDialogs[2].page}), (std::vector<int>{0, 0}));
        },
        books);
}

TEST(Help, OptionPanelsShowAwayFromTheToolsAndPaletteAndPressesChooseUnderThem)
{
    EXPECT_SCENARIO([] {
        BrushSelected = 13;
        fill_mode = 2;
        const struct {
            int tool_key, x, y;
            int panel; // what shows: 0 nothing, else the panel
        } cases[] = {
            {KEY_B, 380, 450, BRUSH_PANEL}, {KEY_B, 100, 450, 0},          {KEY_B, 30, 480, 0},
            {KEY_F, 380, 450, FILL_PANEL},  {KEY_F, 259, 450, FILL_PANEL}, {KEY_F, 258, 490, 0},
            {KEY_R, 380, 450, 0},
        };
        for (const auto &c : cases) {
            tap(c.tool_key);
            input::move(c.x, c.y);
            passes(1);
            draw_everything();
            EXPECT_EQ((std::vector<bool>{panel_empty(), shown(BrushHighlight, 28 + 27 * 5, 494 + 27),
                                         shown(FillModeArrow, 42 + 72 * 2, 494),
                                         shown(EightWayFill, 138 - EightWayFill->w / 2, 563)}),
                      (std::vector<bool>{c.panel == 0, c.panel == BRUSH_PANEL, c.panel == FILL_PANEL,
                                         c.panel == FILL_PANEL}))
                << c.tool_key << " at " << c.x << ", " << c.y;
        }
        // Brushes: columns from x 24 on a 27-pixel pitch, the last one reaching x 243, rows from y 497.
        // Fill modes: boxes from x 42 on a 72-pixel pitch, the middle one a pixel wider.
        const struct {
            int tool_key, x, y, bits, start, chosen;
        } presses[] = {{KEY_B, 23, 500, 1, 5, 5},   {KEY_B, 24, 500, 1, 5, 0},  {KEY_B, 244, 500, 1, 5, 5},
                       {KEY_B, 240, 560, 1, 5, 23}, {KEY_B, 100, 523, 1, 5, 5}, {KEY_B, 100, 524, 1, 5, 10},
                       {KEY_B, 100, 500, 2, 5, 5},  {KEY_F, 89, 559, 1, 2, 0},  {KEY_F, 90, 530, 1, 2, 2},
                       {KEY_F, 162, 520, 1, 0, 1},  {KEY_F, 163, 520, 1, 0, 0}, {KEY_F, 233, 512, 1, 0, 2},
                       {KEY_F, 114, 530, 2, 0, 0}};
        for (const auto &c : presses) {
            SCOPED_TRACE(testing::Message() << c.tool_key << " at " << c.x << ", " << c.y);
            tap(c.tool_key);
            int &choice = c.tool_key == KEY_B ? BrushSelected : fill_mode;
            choice = c.start;
            click(c.x, c.y, c.bits);
            EXPECT_EQ(choice, c.chosen);
        }
        input::move(114, 530);
        for (int buttons : {2, 3, 0}) {
            mouse_b = buttons;
            passes(1);
        }
        EXPECT_EQ(fill_mode, 0) << "a left press while the right is held chooses nothing";
    });
}
