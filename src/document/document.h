// Skin document: the six frames and their saved-state copies, the sheet, the
// canvases' frame choice, the unsaved-changes test, New, and the undo history.
#pragma once

#include <allegro.h>

#include <string>
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

// The frame number (0 Standing .. 5 Stomped) each canvas shows; the bitmaps
// and marker positions below are derived from these two.
extern int left_frame, right_frame;
// The frame number shown on canvas 1 (left) or 2 (right).
int canvas_frame(int canvas);
BITMAP *frame_on_canvas(int canvas);
BITMAP *CurrentFrame();  // shown on the left canvas
BITMAP *CurrentFrame2(); // shown on the right canvas
int drx();               // x of the left canvas's thumbnail marker
int drx2();              // x of the right canvas's thumbnail marker

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
// Clears the six frames, names the skin for a new one and empties the history.
void new_skin();

// ---- Skin files ------------------------------------------------------------------

enum class SaveResult { Saved, Declined, Failed };
enum class LoadResult { Loaded, Missing, Unreadable };

// Writes the skin as the skins directory + name with the extension "bmp";
// may_replace is asked only when something is there already. Only Saved
// makes the frames count as saved.
SaveResult save_skin(const std::string &name, bool (*may_replace)());
// Reads the skin of that name from the skins directory; anything but Loaded
// changes nothing.
LoadResult load_skin(const std::string &name);
// Reads the skin at path into the frames, through the same checks; the name
// field and the skin's folder stay as they are.
LoadResult load_skin_file(const std::string &path);

// A skin opened by its path from anywhere on disk. While its folder (absolute,
// ending with a slash) is set, the name field names files there: saves and
// loads use it instead of the skins directory, and Options.cfg is left alone.
// New goes back to the skins directory. last_name is the skin last loaded or
// saved there, the name the save question saves under.
struct OutsideSkin {
    std::string folder;
    std::string last_name;
};
extern OutsideSkin outside_skin;

// Loads the skin at path and makes its folder the skin's folder and its file
// name the name field's text; anything but Loaded changes nothing.
LoadResult open_skin_file(const std::string &path);
// Whether the folder of an opened skin is the skins directory itself, so that
// its saves are remembered as the last skin as usual.
bool outside_folder_is_skins_directory();

// ---- Undo history ---------------------------------------------------------

struct UndoStep {
    BITMAP *saved_image;
    BITMAP *frame;
};

extern std::vector<UndoStep> Undos;

// Records the frame as it is now; when no copy can be made, records nothing and returns false.
bool add_step(BITMAP *frame);
// The same for the frame of canvas 1 (left) or 2 (right).
void add_step(int canvas);
void undo();
// After the pictures of frames a and b change places, their steps follow the
// pictures, so that undo and restore never put one frame's drawing into the other.
void exchange_step_frames(BITMAP *a, BITMAP *b);
// Failed: no copy could be made to record the restore, so the frame stays as it is.
enum class RestoreResult { Restored, NothingToRestore, AlreadyOriginal, Failed };
// Brings the frame back to its oldest step in the history, recorded as a step of its own.
RestoreResult restore_frame(BITMAP *frame);
// Empties the history, releasing every step's copy.
void clear_undos();

// ---- File name field ----------------------------------------------------------

extern size_t iter;    // the caret: index into filename
extern int string_pos; // the caret as a number
extern std::string compare;
extern bool editing_text;
extern bool over_text;
extern int draw_text_cursor_x;

// One pass of the name field; pointer_free says that no menu or stroke holds
// the pointer, so the field may take it.
void edit_filename(bool pointer_free);
// Home and End start editing with the caret at either end of the name.
void start_editing_at_home();
void start_editing_at_end();
