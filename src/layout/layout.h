// Where each piece sits on the 800 x 600 screen. The editor and the art
// generator both read these, so a picture drawn by one lands where the other
// draws, tests and clicks. Header-only; it includes nothing.
#pragma once

// ---- The two canvases and their frame bars ----------------------------------

constexpr int CANVAS_ZOOM = 12;
constexpr int CANVAS_SIZE = 16 * CANVAS_ZOOM; // a 16-pixel frame at CANVAS_ZOOM
constexpr int LEFT_CANVAS_X = 285;
constexpr int RIGHT_CANVAS_X = 529;
constexpr int CANVAS_Y = 355;
// The frame bar runs down the right side of each canvas.
constexpr int FRAME_BAR_W = 37;
// Each frame bar shows the frame's name a little inside its top corner.
constexpr int FRAME_LABEL_INSET = 3;

// Left edge of canvas 1 (left) or 2 (right).
constexpr int canvas_left(int canvas)
{
    return canvas == 1 ? LEFT_CANVAS_X : RIGHT_CANVAS_X;
}

// ---- Thumbnails and the canvas markers above and below them ------------------

constexpr int THUMBNAIL_X = 38;
constexpr int THUMBNAIL_Y = 168;
constexpr int THUMBNAIL_STEP = 32; // one thumbnail is a frame at twice its size
constexpr int LEFT_MARKER_Y = 156;
constexpr int RIGHT_MARKER_Y = 202;

// x of thumbnail n, and of the marker of a canvas showing frame n.
constexpr int thumbnail_x(int n)
{
    return THUMBNAIL_X + THUMBNAIL_STEP * n;
}

// ---- The file name field ---------------------------------------------------------

constexpr int NAME_FIELD_X = 17;
constexpr int NAME_FIELD_Y = 208;
constexpr int NAME_FIELD_W = 240; // the widest name it takes
constexpr int NAME_FIELD_BOTTOM = 229;
constexpr int NAME_FIELD_CENTRE_X = NAME_FIELD_X + NAME_FIELD_W / 2;

// ---- Tool slots: two rows of three buttons ---------------------------------------

constexpr int TOOL_SLOT_SIZE = 48;
constexpr int TOOL_SLOT_STEP = 52;
constexpr int TOOL_SLOTS_X = 33;
constexpr int TOOL_SLOTS_Y = 273;
constexpr int TOOL_SLOT_COUNT = 6;
constexpr int TOOL_ICON_INSET = 2; // a tool's icon inside its slot

struct SlotPosition {
    int x, y;
};

// Slot 0..5, row by row.
constexpr SlotPosition tool_slot(int slot)
{
    return {TOOL_SLOTS_X + TOOL_SLOT_STEP * (slot % 3), TOOL_SLOTS_Y + TOOL_SLOT_STEP * (slot / 3)};
}

// ---- Palette swatches: two rows, the transparent swatch ending the first ---------

constexpr int SWATCH_X = 22;
constexpr int SWATCH_STEP = 18;
constexpr int SWATCH_SIZE = 16;
constexpr int SWATCH_ROW_Y[2] = {449, 467};
constexpr int SWATCHES_PER_ROW = 13;

constexpr int swatch_x(int column)
{
    return SWATCH_X + SWATCH_STEP * column;
}

// ---- Power-up buttons ----------------------------------------------------------------

constexpr int POWER_UP_X = 273;
constexpr int POWER_UP_Y = 236;
constexpr int POWER_UP_STEP = 40;
constexpr int POWER_UP_ICON_INSET = 2;
constexpr int POWER_UP_ICON_SIZE = 32;

constexpr int power_up_x(int i)
{
    return POWER_UP_X + POWER_UP_STEP * i;
}

// ---- Help pages and option panels, under the palette ---------------------------------

constexpr int HELP_PAGE_X = 18;
constexpr int HELP_PAGE_Y = 490;
constexpr int HELP_PAGE_WIDTH = 240;
constexpr int HELP_PAGE_HEIGHT = 92;

// ---- Preview strip and its mode bar ------------------------------------------------

constexpr int STRIP_X = 273;
constexpr int STRIP_Y = 281;
constexpr int STRIP_SCALE = 4;
constexpr int STRIP_W = 6 * 16 * STRIP_SCALE; // the six frames side by side
constexpr int STRIP_H = 16 * STRIP_SCALE;
constexpr int PREVIEW_BAR_X = STRIP_X + STRIP_W;
constexpr int PREVIEW_BAR_W = 113;

// ---- Toggle buttons at the foot of the frame bars and the preview bar ----------------

constexpr int FRAME_TOGGLE_INSET = 3; // from the canvas's right edge
constexpr int FRAME_TOGGLE_Y = 525;
constexpr int FRAME_TOGGLE_W = 31;
constexpr int FRAME_TOGGLE_H = 19;
constexpr int PREVIEW_TOGGLE_X = PREVIEW_BAR_X + 2;
constexpr int PREVIEW_TOGGLE_Y = 329;
constexpr int PREVIEW_TOGGLE_W = 109;
constexpr int PREVIEW_TOGGLE_H = 14;

// x of the frame toggle button of canvas 1 (left) or 2 (right).
constexpr int frame_toggle_x(int canvas)
{
    return canvas_left(canvas) + CANVAS_SIZE + FRAME_TOGGLE_INSET;
}
