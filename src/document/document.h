// Skin document: the six frames and their saved-state copies, the sheet, the
// canvases' frame choice, the unsaved-changes test, New, and the undo history.
#pragma once

#include <allegro.h>

#include <chrono>
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
// A restored recovery copy counts as unsaved, whatever the saved copies hold,
// until it is saved, or a load or New replaces it.
extern bool restored_unsaved;
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
// Paints the six frames into their cells of the sheet InOut, as a save writes it.
void frames_into_sheet();
// Whether a bitmap is big enough to hold the six cells of a sheet.
bool is_readable_sheet(BITMAP *bmp);
// The sheet replaces InOut and its cells become the frames; the saved copies stay.
void adopt_sheet(BITMAP *sheet);

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

// Undo moves the last step of Undos to Redos and redo moves it back; a step
// holds the picture its frame had before the move.
extern std::vector<UndoStep> Undos;
extern std::vector<UndoStep> Redos;

// Counts the changes to the frames (steps, undo, redo, swaps, loads, New), so
// that the recovery copy knows when it is behind.
unsigned long document_revision();
// A new change to the frames: what was undone before it can no longer be redone.
void note_change();
// Records the frame as it is now, as a new change; when no copy can be made, records nothing
// and returns false.
bool add_step(BITMAP *frame);
// The same for the frame of canvas 1 (left) or 2 (right); a change even when nothing is recorded.
void add_step(int canvas);
void undo();
void redo();
// After the pictures of frames a and b change places, their steps follow the
// pictures, so that undo and restore never put one frame's drawing into the other.
void exchange_step_frames(BITMAP *a, BITMAP *b);
// Failed: no copy could be made to record the restore, so the frame stays as it is.
enum class RestoreResult { Restored, NothingToRestore, AlreadyOriginal, Failed };
// Brings the frame back to its oldest step in the history, recorded as a step of its own.
RestoreResult restore_frame(BITMAP *frame);
// Empties the history and the redo list, releasing every step's copy.
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

// ---- Recovery copy --------------------------------------------------------------
// While the skin has unsaved changes, the whole sheet and the name in the name
// field are kept in RECOVERY_FILE in the working directory, so that a crash
// loses nothing: a signature line, a line with the name, then the sheet as a BMP.

extern const char *const RECOVERY_FILE;
// The shortest time between two writes of the copy.
extern std::chrono::milliseconds recovery_interval;

// Brings the copy up to date once a change has completed (no button held this
// pass or the one before): written while there are unsaved changes, at most
// once per interval, and removed as soon as there are none.
void keep_recovery_copy();
// Removes the copy this run keeps, if any: the work was saved or let go.
void drop_recovery_copy();

enum class RecoveryCheck { None, Found, Damaged };
struct FoundRecovery {
    RecoveryCheck check;
    std::string name;
    BITMAP *sheet; // Found only; owned by the finder until restored or discarded
};
// A copy left by an earlier run, checked like every file from outside.
FoundRecovery find_recovery_copy();
// The copy becomes the skin: its frames and name, unsaved, with an empty
// history; the file stays until the work is saved or let go.
void restore_recovery_copy(const FoundRecovery &found);
// The copy is let go: its sheet is freed and its file removed.
void discard_recovery_copy(const FoundRecovery &found);
// Moves an unreadable copy to the first free Recovery-damaged-N.moltwork and
// returns that name. Empty when it cannot be moved: this run then writes no
// copy, so the old one is never replaced.
std::string set_aside_recovery_copy();
