// Safe file access, below every other layer: every file the editor opens is
// untrusted (skins are traded online), and nothing it writes may be left cut.
#pragma once

#include <allegro.h>

#include <functional>
#include <string>
#include <vector>

// Whether anything at all is at path, dot-files included (the library's
// exists() says no to names that begin with a dot).
bool path_exists(const std::string &path);
// Whether path names a regular file (following links). Anything else, a FIFO
// above all, would block or mislead a reader, so it is refused as unreadable.
bool is_regular_file(const std::string &path);

// The path with every byte that is not printable ASCII shown as \xHH, for
// messages that must stay readable whatever the file name holds.
std::string printable_path(const std::string &path);
// The folder part of path, with its slash; empty for a bare name.
std::string folder_of(const std::string &path);
// Whether both paths name the same existing file (links and ".." followed).
bool is_same_file(const std::string &a, const std::string &b);

// ---- Writing files whole, and file names never cut ------------------------

// Writes target through write(), given a PACKFILE over a new file beside the
// real target, and renames it into place only when write() returned true and
// every byte reached the disk. On any failure the old file stays as it was
// and nothing is left behind. A symbolic link is written through to the file
// it names; a replaced file keeps its permission bits. A target that is not a
// regular file (a FIFO, a directory) or that may not be written is refused.
bool write_file_safely(const std::string &target, const std::function<bool(PACKFILE *)> &write);

// name with its extension replaced by extension, or a dot and extension added
// when it has none: the library's replace_extension without its fixed buffer.
std::string with_extension(const std::string &name, const std::string &extension);

// ---- Checked images -------------------------------------------------------

// The largest width or height taken from an image file: the editor's own
// images are at most 800 pixels wide, and a skin is 192 x 32.
constexpr int MAX_IMAGE_SIDE = 4096;
// The largest image file read: a 4096 x 4096 BMP at 32 bits with its header.
constexpr long MAX_IMAGE_FILE_BYTES = 4L * MAX_IMAGE_SIDE * MAX_IMAGE_SIDE + 4096;

// Why an image file is refused before any decoder sees it.
enum class ImageCheck { Accepted, Unreadable, UnknownFormat, BadHeader, TooLarge, Unsupported, Truncated };

// Reads a whole regular file of at most `limit` bytes. The open never blocks
// and the opened descriptor is checked, so a FIFO or device swapped in after
// any earlier check is still refused.
bool read_regular_file(const std::string &path, long limit, std::string &bytes);
// Checks an image file's bytes against the decoder its extension selects
// (bmp, png or gif, any case), as the library's loader would choose it.
ImageCheck check_image(const std::string &bytes, const std::string &extension);

using ImageDecoder = BITMAP *(*)(PACKFILE *file, RGB *palette);
// Makes `extension` loadable through decoder; bmp and png are built in.
void register_image_decoder(const std::string &extension, ImageDecoder decoder);
// Decodes checked bytes from memory, so that what is decoded is what was
// checked; null when refused or undecodable.
BITMAP *decode_checked_image(const std::string &bytes, const std::string &extension);
// The file's image in the current colour depth, or null when it is not a
// regular file, fails its check or cannot be decoded.
BITMAP *load_checked_bitmap(const std::string &path);
// A bitmap font from a checked image file, as load_bitmap_font reads it.
FONT *load_checked_font(const std::string &path);

// ---- Writing many files with one sync ---------------------------------------

// Between begin_write_batch and finish_write_batch, write_file_safely syncs
// none of its new files and leaves each old file in place: finish_write_batch
// syncs them all at once and only then renames each over its target, so a
// batch of many small files waits for the disk once. It returns the targets
// (as given to write_file_safely) that could not be put in place; their new
// files are removed.
void begin_write_batch();
std::vector<std::string> finish_write_batch();
// For write_file_safely: whether a batch is open, and handing it a written file.
bool write_batch_open();
void hold_until_batch_ends(const std::string &temporary, const std::string &path, const std::string &target);
