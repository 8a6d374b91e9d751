// Screen and interaction: composing the screen, routing input, the help books.
#pragma once

#include "layout/layout.h"

#include <allegro.h>

#include <string>
#include <vector>

// ---- Screen composition ---------------------------------------------------------

// Draws the static screen into StaticBuffer; false when the layer it caches cannot be made.
bool create_static();
void draw_everything();
// Where the main loop drew the pointer this pass: the next composition
// restores the screen there.
void pointer_drawn_at(int x, int y, int w, int h);

// Power-up overlays of the preview: Cape, Tail, Wings; at most one is on.
extern char preview_items[3];

// ---- Input dispatch ------------------------------------------------------------------

void handle_input();
// The wheel steps frames and preview modes unless a chooser is open.
void handle_wheel();
void check_keypresses();

// ---- Commands on the whole skin ------------------------------------------------
// Each shows the windows its outcome calls for.

class Window;
// Closes the menus and shows the window over the freshly composed screen; returns the button pressed.
int ask(Window &window);
// "Save first?" when there are unsaved changes: true when the caller may go on, that is after a
// successful save or a No; Cancel, a declined overwrite or a failed save stop it.
bool offer_to_save();
// Saves under name: 0 once saved (and remembered as the last skin), non-zero when the user declined to
// overwrite or the write failed.
int save(const std::string &name);
// Loads the skin named in the name field.
void load();
// Opens the skin at path, anywhere on disk, as the current skin (see OutsideSkin).
void open_file(const std::string &path);
// Load as the user asks for it: offers to save unsaved changes first.
void load_after_asking();
// New, after offering to save.
void blank();
// Brings a frame back to its oldest step in the history, or says why not.
void restore(BITMAP *frame);
// Writes the standing and walking frames of the strip the last pass composed, in the preview's team
// colours (the power-up overlay is not part of it), as a GIF at path; the one export that Ctrl+E and
// the command line share.
bool write_preview_gif(const std::string &path);
// Exports the preview's first two frames as SkinPreviews/<name>.gif and says how it went.
void save_gif();
// At start-up, over a recovery copy left by an earlier run: asks to restore or discard it, or says that
// it cannot be read and was set aside. True when it was restored and the skin is now the recovered one.
bool offer_recovery();

// ---- Menus and choosers ----------------------------------------------------------

// Drawn over the composed screen, hit-tested against the mouse snapshot.

extern int toolbar_menu;    // open toolbar menu: 1 File, 2 Edit, 3 Frames, 4 and 5 the empty titles; 0 none
extern int toolbar_submenu; // open Frames sub-menu: 1 canvas copy, 2 frame restore; 0 none
extern int menu;            // open chooser: 1 left frame, 2 right frame, 3 preview
extern int submenu;         // open team row of the preview chooser

// One pass of the toggle buttons, the toolbar and the choosers; true when the pointer is free for the
// tool panel, false when a toggle button or a chooser's list holds it.
bool menu_handle_mouse();
void handle_toolbar();
// The frame chooser of canvas 1 or 2; true when its list holds the pointer.
bool frame_chooser(int canvas);
// The preview chooser, while it is open; true when one of its lists holds the pointer.
bool submenu_handle_mouse();

// Pieces the menus share.
bool left_press(); // the left button went down with no button held before
// Closes the open toolbar menu and its sub-menu; the buttons held count as up until released.
void close_toolbar_menu();
// Row 1, 2, ... of a list whose first row starts at top, under the pointer.
int row_under_pointer(int top, int row_height);
void draw_title_highlight(int title);
// Each runs the open menu of its title, or the Frames menu's open sub-menu.
void file_menu();
void edit_menu();
void frames_menu();
void frames_submenu();
// The Frames row that owns the open sub-menu stays lit.
void keep_submenu_row_lit();

// ---- Help books ----------------------------------------------------------------------

class Dialog
{
  public:
    int page_count = 0;
    int page = 0;
    BITMAP *sheet = nullptr;
    std::vector<BITMAP *> pages;

    Dialog() = default;
    // Loads and cuts the book; ends the process when the file is unusable.
    void init(const std::string &file);
    void draw();
    // Frees the pages and the sheet.
    void release();
};

void show_helps();

constexpr int HELP_BOOKS = 6;
extern Dialog AllDialogs[HELP_BOOKS];
extern const char *const HELP_BOOK_FILES[HELP_BOOKS];
