// Safe file access, below every other layer: every file the editor opens is
// untrusted (skins are traded online), and nothing it writes may be left cut.
#pragma once

#include <allegro.h>

#include <functional>
#include <string>

// Whether anything at all is at path, dot-files included (the library's
// exists() says no to names that begin with a dot).
bool path_exists(const std::string &path);
// Whether path names a regular file (following links). Anything else, a FIFO
// above all, would block or mislead a reader, so it is refused as unreadable.
bool is_regular_file(const std::string &path);

// The path with every byte that is not printable ASCII shown as \xHH, for
// messages that must stay readable whatever the file name holds.
std::string printable_path(const std::string &path);

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
