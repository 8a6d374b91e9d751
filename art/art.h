// The interface art generator: draws every picture and font the editor loads
// from readable sources (drawing code and text-art), deterministically.
#pragma once

#include <allegro.h>

#include <string>

namespace art
{

// Colour helpers (the generator always runs in 32-bit colour).
int rgb(int r, int g, int b);
int magenta(); // (255, 0, 255): transparent in every interface image

// One consistent theme for the whole editor.
namespace theme
{
int screen();      // the dark backdrop of the window
int panel();       // raised panels, menus, bars
int panel_light(); // bevel highlight edge
int panel_dark();  // bevel shadow edge
int inset();       // sunken wells (canvas frames, name field)
int ink();         // normal text
int ink_dim();     // greyed-out text
int ink_dark();    // text on light surfaces
int select();      // row highlight under a menu item
int accent();      // warm accent (selected tool, arrows, markers)
int accent_dark(); // accent shadow
} // namespace theme

// The colour a/b of the way from `from` to `to` (0 <= a <= b, b > 0).
int blend(int from, int to, int a, int b);

// A filled rectangle shaded from `top` on row y1 to `bottom` on row y2.
void vertical_gradient(BITMAP *bmp, int x1, int y1, int x2, int y2, int top, int bottom);

// A new image filled with one colour (magenta by default).
BITMAP *image(int w, int h, int fill = -2);

// Load a text-art picture: art/pixels/<name>.txt. Format:
//   lines starting with '#' are comments;
//   legend lines "<char> <r> <g> <b>" until a line "---";
//   then the rows, all of the same length. '.' is magenta unless redefined.
BITMAP *text_art(const std::string &name);

// Raised and sunken bevelled boxes, inclusive corners.
void raised_box(BITMAP *bmp, int x1, int y1, int x2, int y2);
void sunken_box(BITMAP *bmp, int x1, int y1, int x2, int y2);

// Text in one of the generated fonts; colour -1 keeps the font's own colours.
void text(BITMAP *bmp, FONT *f, int x, int y, const std::string &s, int colour = -1);
void text_centre(BITMAP *bmp, FONT *f, int cx, int y, const std::string &s, int colour = -1);
int text_width(FONT *f, const std::string &s);

// Write an image below the output root; ".png" or ".bmp" by the name's ending.
// Any failure ends the generator with a message naming the file.
void save(BITMAP *bmp, const std::string &relative_path);

// Where text-art sources live and where the runtime tree is written.
const std::string &source_dir();
const std::string &output_dir();

// The three fonts, valid after draw_fonts(); they are the editor's own
// Font.png, AlertTitle.png and AlertText.png, loaded back as FONTs so every
// label of the interface is set in the same type the editor draws with.
FONT *ui_font();
FONT *title_font();
FONT *text_font();

// Label fonts of the generator only (never written as font files): the same
// glyphs as one-colour fonts without shadow, so text(..., colour) draws them
// cleanly in any colour; plain, bold, and small 5-pixel capitals.
FONT *plain_font();
FONT *bold_font();
FONT *small_font();

// The groups of pictures, each in its own source file, called in this order.
void draw_fonts();
void draw_windows();
void draw_screen();
void draw_menus();
void draw_pictures();
void draw_helps();
void draw_game_data();

// The desktop icons, written below their own root as hicolor/NxN/apps/moltwork.png.
void draw_icons(const std::string &icon_root);

} // namespace art
