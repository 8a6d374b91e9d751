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
