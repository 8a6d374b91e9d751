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

// Shared between the library's own source files (and used by its fuzzer and benchmark).

// The most memory that the images of one load may take unless set otherwise: it bounds hostile size fields.
constexpr long long kGifMemoryLimit = 1LL << 28;
// Sets the most memory (in bytes) that the images of one load, and the bitmaps composed from them, may take
// from now on; a fuzzer sets it low so that small inputs cannot make it spend its time on huge images.
void gif_set_memory_limit(long long bytes);
long long gif_memory_limit();

// Writes the whole file to an open PACKFILE: 0, or -1 when the animation cannot be written as GIF (nothing is
// written then) or the PACKFILE reports an error.
int gif_write_raw_animation(PACKFILE *file, const RawAnimation *animation);
// Parses a GIF from an open PACKFILE; null when it is malformed.
RawAnimation *gif_read_raw_animation(PACKFILE *file);

// The image data of one frame: the minimum code size byte and the LZW code stream in data sub-blocks,
// without the terminating empty sub-block.
void lzw_encode(PACKFILE *file, const BITMAP *image);
// Decodes an LZW code stream of minimum code size min_code_size (2 to 11; others are refused) into
// pixel_count (at least one) pixels; an end code before the image is full leaves the rest 0. The stream is
// `size` bytes at data followed by at least kLzwInputPadding readable bytes. False when the data ends before
// the image is full or holds codes that no decoder could follow.
constexpr std::size_t kLzwInputPadding = 8;
bool lzw_decode(const unsigned char *data, std::size_t size, int min_code_size, unsigned char *pixels,
                std::size_t pixel_count);

// Whether bitmap_count bitmaps of the logical screen size in the current colour depth stay within the limit.
bool gif_screen_fits(const RawAnimation *animation, int bitmap_count);

// The 256-entry library palette (0-63 components) of an animation: its global palette, or the first
// frame's local one when there is none; entries beyond the palette are black.
void gif_animation_palette(const RawAnimation *animation, RGB *palette);

// ---- The GIF89a file format, shared by the reader and the writer -----------

namespace gif_format
{
constexpr int kTableFlag = 0x80; // a colour table follows the descriptor
constexpr int kInterlaceFlag = 0x40;
constexpr int kTableSizeMask = 0x07;
constexpr int kImageSeparator = 0x2C;
constexpr int kExtensionIntroducer = 0x21;
constexpr int kTrailer = 0x3B;
constexpr int kBlockTerminator = 0x00;
constexpr int kGraphicControlLabel = 0xF9;
constexpr int kGraphicControlSize = 4;
constexpr int kTransparencyFlag = 0x01;
constexpr int kApplicationLabel = 0xFF;
constexpr char kLoopApplication[] = "NETSCAPE2.0";
constexpr int kLoopSubBlockSize = 3;
constexpr int kLoopSubBlockId = 1;
constexpr int kLargestSubBlock = 255;
constexpr int kMaxCodes = 4096;
constexpr int kMaxCodeWidth = 12;
} // namespace gif_format

// ---- Animation export ---------------------------------------------------------

// Writes the first two frames of strip (squares as high as the strip), three times enlarged, as a
// looping GIF at path, with transparent as palette entry 0. False when the
// strip has more than 256 colours, memory runs out or the write fails.
bool save_strip_gif(BITMAP *strip, int transparent, const std::string &path);
