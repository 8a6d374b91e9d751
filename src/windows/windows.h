// Message windows: modal boxes with a title, one line of text and up to three
// buttons, and the catalogue of the windows the editor shows.
#pragma once

#include <allegro.h>

class Window
{
  public:
    int x, y;
    int drag_x, drag_y;
    bool has_button[3];
    int button_x[3];
    int button_y[3];
    int button_w, button_h;
    int width, height;
    BITMAP *image; // null when it could not be made: the window then answers with its last button

    Window() = default;
    // The second and third labels may be null; a third needs a second.
    Window(const char *title, const char *text, const char *button1, const char *button2 = nullptr,
           const char *button3 = nullptr);

    // Shows the window over the frozen screen `background` until a button is
    // pressed; returns its number, 1 to 3. A window that cannot be drawn
    // answers at once with its last button, the one that changes nothing.
    int process(BITMAP *background);
    // One pass of button handling; the number of the button pressed, or 0.
    int get_choice(BITMAP *buffer);
};

extern Window Overwrite, SaveSkin, ConfirmSave, FakeLoad, SaveFail, NoRestore, AlreadyRestored, QuitNow,
    Exported, ExportFail;
// Shown when a file exists but is no skin that can be read.
extern Window LoadFail;
// At start-up, over a recovery copy: Discard or Restore it; and when it cannot be read. Both are built
// again with the names they tell when shown.
extern Window Recovery, RecoveryFail;

void build_message_windows();

// The window whose modal loop is running, or null.
extern Window *shown_window;
// Called at the start of every pass of a modal loop, before the mouse
// snapshot: the seam through which scripted input reaches a shown window.
extern void (*window_pass_hook)();
