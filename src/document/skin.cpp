#include "app/app.h"
#include "document/document.h"
#include "layout/layout.h"

#include <cstdlib>

BITMAP *StandingFrame, *WalkingFrame, *JumpingFrame, *SlidingFrame, *DeathFrame, *StompedFrame;
BITMAP *Key[FRAME_COUNT];
BITMAP *InOut;
BITMAP *FloatingGraphic;
BITMAP *Recolor;
int left_frame = 0;
int right_frame = 1;
bool restored_unsaved = false;

namespace
{
BITMAP **const FRAMES[FRAME_COUNT] = {&StandingFrame, &WalkingFrame, &JumpingFrame,
                                      &SlidingFrame,  &DeathFrame,   &StompedFrame};

// A new bitmap cleared to the transparent colour, or null.
BITMAP *transparent_bitmap(int w, int h)
{
    BITMAP *bmp = create_bitmap(w, h);
    if (bmp) {
        clear_to_color(bmp, transparent_color());
    }
    return bmp;
}
} // namespace

BITMAP *frame_bitmap(int n)
{
    return *FRAMES[n];
}

int canvas_frame(int canvas)
{
    return canvas == 1 ? left_frame : right_frame;
}

BITMAP *frame_on_canvas(int canvas)
{
    return frame_bitmap(canvas_frame(canvas));
}

BITMAP *CurrentFrame()
{
    return frame_on_canvas(1);
}

BITMAP *CurrentFrame2()
{
    return frame_on_canvas(2);
}

int drx()
{
    return thumbnail_x(left_frame);
}

int drx2()
{
    return thumbnail_x(right_frame);
}

int frame_number(BITMAP *frame)
{
    for (int n = 0; n < FRAME_COUNT; ++n) {
        if (*FRAMES[n] == frame) {
            return n;
        }
    }
    return -1;
}

int create_frames()
{
    for (int n = 0; n < FRAME_COUNT; ++n) {
        *FRAMES[n] = transparent_bitmap(FRAME_SIZE, FRAME_SIZE);
        if (!*FRAMES[n]) {
            allegro_message("Whoopsie");
            return 5 + n;
        }
    }
    for (BITMAP *&key : Key) {
        key = transparent_bitmap(FRAME_SIZE, FRAME_SIZE);
        if (!key) {
            allegro_message("Failed to create bitmap for skin checking");
            std::exit(-1);
        }
    }
    return 0;
}

int create_floating_graphic()
{
    FloatingGraphic = transparent_bitmap(FRAME_SIZE, FRAME_SIZE);
    if (!FloatingGraphic) {
        allegro_message("Failed to create screen buffer(active)");
        return 19;
    }
    return 0;
}

int create_sheet_bitmaps()
{
    Recolor = transparent_bitmap(FRAME_COUNT * FRAME_SIZE, FRAME_SIZE);
    if (!Recolor) {
        allegro_message("Whoopsie");
        return 44;
    }
    InOut = transparent_bitmap(SHEET_WIDTH, SHEET_HEIGHT);
    if (!InOut) {
        allegro_message("Failed to create input/output bitmap");
        return 45;
    }
    return 0;
}

bool is_unchanged_bitmap(BITMAP *a, BITMAP *b)
{
    for (int y = 0; y < a->h; ++y) {
        for (int x = 0; x < a->w; ++x) {
            if (getpixel(a, x, y) != getpixel(b, x, y)) {
                return false;
            }
        }
    }
    return true;
}

bool is_unsaved()
{
    if (restored_unsaved) {
        return true;
    }
    for (int n = 0; n < FRAME_COUNT; ++n) {
        if (!is_unchanged_bitmap(frame_bitmap(n), Key[n])) {
            return true;
        }
    }
    return false;
}

void new_skin()
{
    for (int n = 0; n < FRAME_COUNT; ++n) {
        clear_to_color(frame_bitmap(n), transparent_color());
    }
    filename = new_skin_name;
    options.last_skin = filename;
    restored_unsaved = false;
    outside_skin = {};
    clear_undos();
}
