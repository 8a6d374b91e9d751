// The GIF library's own shared parts: used by its source files, its fuzzer,
// its benchmark and its tests, never by the rest of the editor.
#pragma once

#include "gif/gif.h"

#include <allegro.h>

#include <cstddef>

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
