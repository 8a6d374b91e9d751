// Screen and interaction: composing the screen, routing input, the help books.
#pragma once

#include "layout/layout.h"

#include <allegro.h>

#include <string>
#include <vector>

// ---- Screen composition ---------------------------------------------------------

void create_static();
void draw_everything();
void draw_tools();
// Where the main loop drew the pointer this pass: the next composition
// restores the screen there.
void pointer_drawn_at(int x, int y, int w, int h);

// Power-up overlays of the preview: Cape, Tail, Wings; at most one is on.
extern char preview_items[3];

// ---- Input dispatch ------------------------------------------------------------------

void handle_input();
// The per-pass mouse snapshot, shared with the message windows' own loop.
void take_mouse_snapshot();
void check_keypresses();
// Places the name field's caret under the pointer; returns its index.
int check_click();

// ---- Menus and choosers ----------------------------------------------------------

extern int toolbar_menu; // open toolbar menu, 0 none
extern int menu;         // open chooser: 1 left frame, 2 right frame, 3 preview
extern int submenu;      // open team row of the preview chooser

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
};

void show_helps();

constexpr int HELP_BOOKS = 6;
extern Dialog AllDialogs[HELP_BOOKS];
extern const char *const HELP_BOOK_FILES[HELP_BOOKS];
