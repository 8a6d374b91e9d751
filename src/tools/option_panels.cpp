#include "app/app.h"
#include "tools/tools.h"

#include <algorithm>

namespace
{
// Only a left press from no button at all chooses on a panel.
bool left_pressed()
{
    return (mb & 1) && old_mb == 0;
}

// The rows of enlarged brushes, with three-pixel gaps between them that pick nothing.
constexpr int BRUSH_ROW_TOPS[3] = {497, 524, 551};
constexpr int BRUSH_ROW_HEIGHT = 24;
constexpr int BRUSH_COLUMN_LEFT = 24;
constexpr int BRUSH_PITCH = 27;

int brush_row_at(int y)
{
    for (int row = 0; row < 3; ++row) {
        if (y >= BRUSH_ROW_TOPS[row] && y < BRUSH_ROW_TOPS[row] + BRUSH_ROW_HEIGHT) {
            return row;
        }
    }
    return -1;
}

void click_brush_panel()
{
    if (!left_pressed() || my < BRUSH_ROW_TOPS[0] || mx >= 244 || mx < BRUSH_COLUMN_LEFT) {
        return;
    }
    const int row = brush_row_at(my);
    if (row < 0) {
        return;
    }
    const int column = std::min(7, (mx - BRUSH_COLUMN_LEFT) / BRUSH_PITCH);
    BrushSelected = 8 * row + column;
    make_brush_cursor();
}

// The mode boxes, left to right; the middle one is a pixel wider than the others.
struct ModeBox {
    int x1, x2;
};
constexpr ModeBox FILL_MODE_BOXES[3] = {{42, 89}, {114, 162}, {186, 233}};

void click_fill_panel()
{
    if (!left_pressed()) {
        return;
    }
    for (int mode = 0; mode < 3; ++mode) {
        if (mouse_inside(FILL_MODE_BOXES[mode].x1, FILL_MODE_BOXES[mode].x2, 512, 559) == 3) {
            fill_mode = mode;
        }
    }
}

struct PanelClicks {
    int panel;
    void (*click)();
};
constexpr PanelClicks PANEL_CLICKS[] = {{BRUSH_PANEL, click_brush_panel}, {FILL_PANEL, click_fill_panel}};
} // namespace

void option_panel_pass()
{
    const int panel = tool_entry(selected[0]).panel;
    if (show_help == 0) {
        show_help = panel;
    }
    for (const PanelClicks &entry : PANEL_CLICKS) {
        if (entry.panel == panel) {
            entry.click();
        }
    }
}
