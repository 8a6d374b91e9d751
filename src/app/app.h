// Application core: start-up, the main loop and its callbacks, screenshots,
// the options file and the catalogue of interface images and fonts.
#pragma once

#include <allegro.h>

#include <string>
#include <vector>

// ---- Start-up, main loop and shutdown ----------------------------------

extern volatile bool quit;
extern volatile bool quit_warn;
extern volatile int counter;
extern volatile int old_counter;
extern volatile bool cursor_wait;
extern bool draw_cursor;

extern BITMAP *ActiveBuffer;
extern BITMAP *StaticBuffer;

// Returns 0, or the non-zero failure code that becomes the exit status.
int init_program();
// Steps that need the platform: library, colour depth, window, devices, title.
int start_system();
// Everything after the devices: options, buffers, catalogue, windows, colours,
// canvases and help books. Headless tests start here.
int load_startup_data();

// What comes before the first pass: the static screen, the offer of a recovery copy, then the skin to
// start on (start_file, else the last skin when autoloading). Returns 0 or the exit status of a failure.
int open_editor(const std::string &start_file = "");
// Leaving after a confirmed quit: the recovery copy goes, and the history is freed.
void close_editor();
// The whole program after start-up: open_editor, the main loop, close_editor.
int run_editor_loop(const std::string &start_file = "");
// The entry function's body: init_program, then run_editor_loop.
int run_editor(const std::string &start_file = "");
// One pass of the main loop.
void run_pass();
// Frees what the editor holds in containers (the undo history, the help books' pages) before the process
// ends, so that a leak check at exit reports only real leaks.
void release_editor();

void quit_program();
void my_timer_handler();
void save_screenshot();

// ---- Command line -------------------------------------------------------------

constexpr int USAGE_ERROR = 2;

// What the command line asks for. Team, mode and power-up are the preview's
// settings for the export: preview_mode 6 x team + mode, and preview_items.
struct CommandLine {
    enum class Action { Edit, ExportGif, Help, Version, Usage };
    Action action = Action::Edit;
    std::string file; // Edit: the skin to start on; empty for the last skin
    int team = 0;
    int mode = 0;
    int power_up = -1;              // 0 cape, 1 tail, 2 wings; -1 none
    std::string out;                // a file for one skin, a folder for several; empty: beside each skin
    std::vector<std::string> skins; // ExportGif: as given
    std::string error;              // Usage: what was wrong
};

// The arguments after the program name.
CommandLine parse_command_line(const std::vector<std::string> &args);
// The entry function's body.
int run_command_line(int argc, char *argv[]);
// A path as the user meant it: relative paths belong to the folder the
// launcher was run from (MOLTWORK_CALLER_DIR), else to the working directory.
std::string caller_path(const std::string &path);

// The export without a window: starts the library without a display, reads
// the start-up data of the working directory and exports every skin.
int run_export(const CommandLine &command);
// Exports every skin of the command with its preview settings, once the
// start-up data is loaded; a skin that fails is reported on standard error and
// skipped. 0 when every skin was exported, else 1.
int export_skins(const CommandLine &command);

// ---- Mouse snapshot, taken once per pass -----------------------------------
// Hit tests read the snapshot, never the live mouse.

extern int mb, old_mb;
extern int mpos;
extern int mx, my, mz;
extern int old_mx, old_my, old_mz;

struct ScreenPoint {
    int x, y;
};

// Takes the snapshot; the main loop and the message windows' own loop do.
void take_mouse_snapshot();
// 1 when the snapshot's x is in [x1, x2], plus 2 when its y is in [y1, y2].
int mouse_inside(int x1, int x2, int y1, int y2);
bool mouse_clicked_in(int x1, int x2, int y1, int y2);
// Consumes a press, so that it acts only once.
void stop_mouse();
// Consumes a press for as long as its button stays down: a click lasts many
// passes, and what lies under a closing menu must not take the rest of it.
// The library's own button state is left alone, so the release is seen.
void ignore_buttons_until_released();
// The live pointer from one reading of the library's packed position, so
// its two coordinates always belong together.
ScreenPoint pointer_position();
// Changes the pointer image; the editor draws the pointer itself, so the
// choice is kept in the library's mouse_sprite even without a mouse driver.
void set_pointer(BITMAP *sprite, int focus_x = 0, int focus_y = 0);

// Magenta: the colour that sprites and skins leave see-through.
inline int transparent_color()
{
    return makecol(255, 0, 255);
}

// ---- Options file ---------------------------------------------------------

constexpr int CONFIG_LINE_SIZE = 192;

// The settings of Options.cfg, one field per option. The file's layout (each
// option's comment line, value line and built-in value) is the one table in
// options.cpp that both read_config and save_config use.
struct Options {
    std::string default_name;    // name of new skins
    std::string palette_path;    // palette bitmap
    std::string skins_directory; // prefix of every loaded or saved skin
    std::string autoload;        // "yes" loads the last skin at start; kept as typed
    std::string last_skin;       // updated by every save and load
    bool left_grid;              // grids shown at start
    bool right_grid;
};
extern Options options;

// The text of the file name field: a skin's name, not an option.
extern std::string filename;
// The name New gives: the default name once an options file has given one,
// empty before.
extern std::string new_skin_name;

void read_config();
void save_config();

// ---- Interface asset catalogue -------------------------------------------

// Loads every image and font, creates the skin bitmaps and brush cursors and
// reads the colour table, in start-up order; returns 0 or a failure code.
int load_catalogue();
// Releases the images that only the static screen uses, once it is drawn.
void release_static_sources();

extern BITMAP *Background, *Banner, *Palette;
extern BITMAP *P_Selected, *P_Unselected, *I_Cape, *I_Tail, *I_Wings, *Cape, *Tail, *Wings;
extern BITMAP *Tool, *SelectedTool, *PencilTool, *FillTool, *ElipseTool, *RectangleTool, *LineTool,
    *BrushTool;
extern BITMAP *FrameToggleBar, *FrameToggleButtonClicked;
extern BITMAP *StandingBar, *WalkingBar, *JumpingBar, *SlidingBar, *DeathBar, *StompedBar;
extern BITMAP *SelectFrameBack, *SelectFrameHighlight, *SelectFrameWords;
extern BITMAP *FirstCanvasArrow, *SecondCanvasArrow;
extern FONT *Font, *WTitle, *WText;
extern BITMAP *Cursor, *TextCursor;
extern BITMAP *PreviewToggleBar, *PreviewToggleButtonClicked, *SelectPreviewMode, *SelectPreviewTeam;
extern BITMAP *SelectPreviewModeBack, *SelectPreviewTeamBack, *PreviewSubmenuArrows,
    *PreviewSubmenuArrowSelected;
extern BITMAP *PreviewModes_Parent, *Brushes_Parent, *BrushHighlight;
extern BITMAP *Brush[24];
extern BITMAP *PreviewModes[24];
extern BITMAP *TargetCanvas, *LeftArrow, *RightArrow;
extern BITMAP *Continuous, *NonContinuous, *EightWay, *NormalFill, *IgnoreBounds, *EightWayFill,
    *FillModeArrow;
extern BITMAP *Toolbar, *ToolbarText, *ToolbarShadow;
extern BITMAP *FileBack, *FileSelect, *FileText, *EditBack, *EditSelect, *EditText, *NoUndo, *NoRedo;
extern BITMAP *FramesBack, *FramesSelect, *FramesText;
extern BITMAP *WhichCanvasText, *WhichCanvasBack, *WhichCanvasSelect;
extern BITMAP *WhichFrameText, *WhichFrameBack, *WhichFrameSelect;
extern BITMAP *WhichFrameTextSub, *WhichFrameBackSub, *WhichFrameSelectSub;
extern BITMAP *WTopLeft, *WTop, *WTopRight, *WLeft, *WCenter, *WRight, *WBottomLeft, *WBottom, *WBottomRight;
extern BITMAP *ButtonColors;
