// Skin document: the six frames and their saved-state copies, the sheet, the
// canvases' frame choice, the unsaved-changes test, New, and the undo history.
#pragma once

#include <allegro.h>

#include <vector>

constexpr int FRAME_COUNT = 6;
constexpr int FRAME_SIZE = 16;
constexpr int SHEET_WIDTH = 192;
constexpr int SHEET_HEIGHT = 32;

extern BITMAP *StandingFrame, *WalkingFrame, *JumpingFrame, *SlidingFrame, *DeathFrame, *StompedFrame;
extern BITMAP *Key[FRAME_COUNT];
extern BITMAP *InOut;
extern BITMAP *FloatingGraphic;
extern BITMAP *Recolor;

extern BITMAP *CurrentFrame;  // shown on the left canvas
extern BITMAP *CurrentFrame2; // shown on the right canvas
extern int drx, drx2;         // x of each canvas's thumbnail marker

// Frame n of the sheet order (0 Standing .. 5 Stomped).
BITMAP *frame_bitmap(int n);
// The sheet number of a frame bitmap, or -1 when it is none of the six.
int frame_number(BITMAP *frame);

// Creation steps of the start-up order; each returns 0 or its failure code.
int create_frames();
int create_floating_graphic();
int create_sheet_bitmaps();

bool is_unchanged_bitmap(BITMAP *a, BITMAP *b);
bool is_unsaved();
void detect_change();
void new_skin();

// ---- Undo history ---------------------------------------------------------

struct UndoStep {
    BITMAP *saved_image;
    BITMAP *frame;
};

extern std::vector<UndoStep> Undos;

UndoStep new_undo_step(int canvas);
void add_step(int canvas);
void add_step(BITMAP *frame);
void undo();
// Empties the history, releasing every step's copy.
void clear_undos();
