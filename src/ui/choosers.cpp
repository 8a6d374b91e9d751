#include "app/app.h"
#include "document/document.h"
#include "layout/layout.h"
#include "tools/tools.h"
#include "ui/ui.h"

namespace
{
constexpr int ROW_H = 24; // every chooser row, frames, teams and modes alike
constexpr int HIGHLIGHT_DROP = 1;

// The frame chooser's list opens above the toggle button, over the canvas beside it.
constexpr int FRAME_LIST_Y = 403;
constexpr int FRAME_LIST_BOTTOM = FRAME_LIST_Y + FRAME_COUNT * ROW_H - 1;
constexpr int FRAME_LIST_X[3] = {0, 373, 617};
constexpr int FRAME_LIST_RIGHT[3] = {0, 476, 721};

// The preview chooser: the team list with its arrow column, each team's mode list left of it.
constexpr int TEAM_ARROWS_X = 540;
constexpr int TEAM_LIST_X = 553;
constexpr int TEAM_LIST_RIGHT = 656;
constexpr int TEAM_LIST_Y = 249;
constexpr int TEAM_ROWS = 4;
constexpr int MODE_LIST_X = 436;
constexpr int MODE_LIST_RIGHT = 539;
constexpr int MODE_ROWS = 6;

// The team rows list the teams in the order 0, 2, 1, 3.
constexpr int TEAM_OF_ROW[TEAM_ROWS + 1] = {0, 0, 2, 1, 3};

void show_frame(int canvas, int frame)
{
    (canvas == 1 ? left_frame : right_frame) = frame;
}

void choose_mode(int team, int mode)
{
    preview_mode = MODE_ROWS * team + mode;
    CustomRecolor = recolor_for_mode(preview_mode);
}

// The team rows; a press chooses the team's first mode.
bool team_list()
{
    const int bottom = TEAM_LIST_Y + TEAM_ROWS * ROW_H - 1;
    if (mouse_inside(TEAM_ARROWS_X, TEAM_LIST_RIGHT, TEAM_LIST_Y, bottom) != 3) {
        return false;
    }
    submenu = row_under_pointer(TEAM_LIST_Y, ROW_H);
    if (left_press()) {
        choose_mode(TEAM_OF_ROW[submenu], 0);
        menu = 0;
        ignore_buttons_until_released();
    }
    return true;
}

// The mode list of the open team row.
bool mode_list()
{
    const int row = submenu;
    const int top = TEAM_LIST_Y + ROW_H * (row - 1);
    draw_sprite(ActiveBuffer, SelectFrameHighlight, TEAM_LIST_X, top + HIGHLIGHT_DROP);
    draw_sprite(ActiveBuffer, PreviewSubmenuArrowSelected, TEAM_ARROWS_X + 1, top);
    draw_sprite(ActiveBuffer, SelectPreviewModeBack, MODE_LIST_X, top);
    const bool inside = mouse_inside(MODE_LIST_X, MODE_LIST_RIGHT, top, top + MODE_ROWS * ROW_H - 1) == 3;
    if (inside) {
        const int k = row_under_pointer(top, ROW_H);
        draw_sprite(ActiveBuffer, SelectFrameHighlight, MODE_LIST_X, top + HIGHLIGHT_DROP + ROW_H * (k - 1));
        if (left_press()) {
            choose_mode(TEAM_OF_ROW[row], k - 1);
            menu = 0;
            submenu = 0;
            ignore_buttons_until_released();
        }
    }
    draw_sprite(ActiveBuffer, SelectPreviewMode, MODE_LIST_X, top);
    return inside;
}
} // namespace

bool frame_chooser(int canvas)
{
    const int x0 = FRAME_LIST_X[canvas];
    draw_sprite(ActiveBuffer, FrameToggleButtonClicked, frame_toggle_x(canvas), FRAME_TOGGLE_Y);
    draw_sprite(ActiveBuffer, SelectFrameBack, x0, FRAME_LIST_Y);
    const bool inside = mouse_inside(x0, FRAME_LIST_RIGHT[canvas], FRAME_LIST_Y, FRAME_LIST_BOTTOM) == 3;
    if (inside) {
        const int k = row_under_pointer(FRAME_LIST_Y, ROW_H);
        draw_sprite(ActiveBuffer, SelectFrameHighlight, x0, FRAME_LIST_Y + HIGHLIGHT_DROP + ROW_H * (k - 1));
        if (left_press()) {
            show_frame(canvas, k - 1);
            menu = 0;
            ignore_buttons_until_released();
        }
    }
    draw_sprite(ActiveBuffer, SelectFrameWords, x0, FRAME_LIST_Y);
    return inside;
}

bool submenu_handle_mouse()
{
    if (menu != 3) {
        return false;
    }
    draw_sprite(ActiveBuffer, PreviewToggleButtonClicked, PREVIEW_TOGGLE_X, PREVIEW_TOGGLE_Y);
    draw_sprite(ActiveBuffer, SelectPreviewTeamBack, TEAM_LIST_X, TEAM_LIST_Y);
    draw_sprite(ActiveBuffer, PreviewSubmenuArrows, TEAM_ARROWS_X, TEAM_LIST_Y);
    bool taken = team_list();
    if (submenu > 0) {
        taken = mode_list() || taken;
    }
    draw_sprite(ActiveBuffer, SelectPreviewTeam, TEAM_LIST_X, TEAM_LIST_Y);
    return taken;
}
