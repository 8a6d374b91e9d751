// The GIF library: an in-memory animation record, a GIF89a writer with its own LZW compressor, a reader that
// parses GIF87a/GIF89a files back into the record, and a frame renderer.
#pragma once

#include <allegro.h>

#include <cstddef>
#include <string>

struct RawPaletteEntry {
    unsigned char r, g, b, filler;
};

struct RawPalette {
    int count; // colours in use; 0 means no palette
    RawPaletteEntry entries[256];
};

struct RawFrame {
    BITMAP *image;      // 8-bit palette indices, owned by the frame
    RawPalette palette; // local palette; count 0 when the frame uses the global one
    int x_offset, y_offset;
    int delay;       // hundredths of a second
    int disposal;    // 0 unspecified, 1 keep, 2 restore to background, 3 restore previous
    int transparent; // transparent palette index, or -1 for none
};

struct RawAnimation {
    int width, height; // logical screen
    int frame_count;
    int background;
    int loop_count; // -1: no looping block; 0: repeat forever; n: the stored count
    RawPalette palette;
    RawFrame *frames;     // frame_count entries, owned
    BITMAP *render_store; // the area under a frame with disposal 3 while it is shown, owned
};

// A zero-filled animation with frame_count zero-filled frames; null for a negative count.
RawAnimation *gif_create_raw_animation(int frame_count);
// Frees the animation with its frame images and render store; null is allowed.
void gif_destroy_raw_animation(RawAnimation *animation);

// Writes the animation as a GIF89a file: 0 on success, -1 when the file cannot be opened for writing, the
// animation cannot be written as GIF (an image missing or not 8-bit, more than 256 colours, a number out of
// its field's range) or a write fails. The file appears only once it has been written completely.
int gif_save_raw_animation(const char *filename, const RawAnimation *animation);
// Reads a GIF file; null when it cannot be opened, is malformed or its images would not fit in memory.
RawAnimation *gif_load_raw_animation(const char *filename);

// Draws frame `frame` onto target with the animation's top-left corner at (x, y), first undoing the previous
// frame as its disposal asks. Frames are meant to be drawn in order, starting from 0, onto the same target.
void gif_render_frame(RawAnimation *animation, BITMAP *target, int frame, int x, int y);

// Loads every frame composed as a full bitmap of the logical screen size in the current colour depth.
// Returns the frame count, or 0 on failure (the arrays are then null). The caller destroys the bitmaps and
// releases both arrays with delete[]; delays may be null when they are not wanted.
int gif_load_animation(const char *filename, BITMAP ***frames, int **delays);

// Registers "gif" with load_bitmap/save_bitmap, the checked image loader and the datafile object type "GIF ".
void gif_init();

// ---- Animation export ---------------------------------------------------------

// Writes the first two frames of strip (squares as high as the strip), three times enlarged, as a
// looping GIF at path, with transparent as palette entry 0. False when the
// strip has more than 256 colours, memory runs out or the write fails.
bool save_strip_gif(BITMAP *strip, int transparent, const std::string &path);
