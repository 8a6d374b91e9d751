#include "app/app.h"
#include "files/files.h"
#include "tools/tools.h"
#include "ui/ui.h"

#include <cstdlib>

Dialog AllDialogs[HELP_BOOKS];

const char *const HELP_BOOK_FILES[HELP_BOOKS] = {
    "Moltwork/Helps/BrushTool.png",   "Moltwork/Helps/PencilTool.png",    "Moltwork/Helps/FillTool.png",
    "Moltwork/Helps/EllipseTool.png", "Moltwork/Helps/RectangleTool.png", "Moltwork/Helps/LineTool.png",
};

namespace
{
// Pages stand side by side with a one-pixel separator column between them.
constexpr int PAGE_PITCH = HELP_PAGE_WIDTH + 1;

[[noreturn]] void fail(const char *format, const std::string &file)
{
    allegro_message(format, printable_path(file).c_str());
    std::exit(-1);
}
} // namespace

void Dialog::init(const std::string &file)
{
    sheet = load_checked_bitmap(file);
    if (!sheet) {
        fail("File %s is missing or corrupt.", file);
    }
    if ((sheet->w + 1) % PAGE_PITCH != 0) {
        fail("Help dialog wrong dimensions. Please check and try again.\nError in %s", file);
    }
    page_count = (sheet->w + 1) / PAGE_PITCH;
    for (int i = 0; i < page_count; ++i) {
        BITMAP *sub = create_sub_bitmap(sheet, PAGE_PITCH * i, 0, HELP_PAGE_WIDTH, HELP_PAGE_HEIGHT);
        if (!sub) {
            fail("Failed to create subbitmap frames of %s", file);
        }
        pages.push_back(sub);
    }
    page = 0;
}

void Dialog::release()
{
    for (BITMAP *sub : pages) {
        destroy_bitmap(sub);
    }
    pages.clear();
    page_count = page = 0;
    if (sheet) {
        destroy_bitmap(sheet);
        sheet = nullptr;
    }
}

void Dialog::draw()
{
    draw_sprite(ActiveBuffer, pages[page], HELP_PAGE_X, HELP_PAGE_Y);
}

void show_helps()
{
    if (reset_help == 1) {
        for (Dialog &dialog : AllDialogs) {
            dialog.page = 0;
        }
    }
    if (show_help >= 1 && show_help <= HELP_BOOKS) {
        Dialog &dialog = AllDialogs[show_help - 1];
        dialog.draw();
        if (dialog.page > 0) {
            draw_sprite(ActiveBuffer, LeftArrow, 26, 502);
        }
        if (dialog.page + 1 < dialog.page_count) {
            draw_sprite(ActiveBuffer, RightArrow, 235, 502);
        }
    }
    // The option panels give way while the pointer is over the tools or palette.
    if (mouse_inside(17, 258, 260, 490) == 3) {
        return;
    }
    for (const ToolEntry &tool : TOOLS) {
        if (tool.draw_panel && show_help == tool.panel) {
            tool.draw_panel();
        }
    }
}
