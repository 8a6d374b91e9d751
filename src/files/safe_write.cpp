#include "files/files.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// As many links as the system itself follows before it gives up.
constexpr int MAX_LINK_HOPS = 40;
constexpr int MAX_TEMPORARY_TRIES = 100;

// A PACKFILE over a stdio stream, so that a failed write or a failed final
// flush comes back to the writer: the library's own pack_fclose hides the latter.
struct StdioOutput {
    std::FILE *stream;
    bool close_failed;
};

int output_close(void *userdata)
{
    StdioOutput *out = static_cast<StdioOutput *>(userdata);
    const bool failed = std::fflush(out->stream) != 0 || std::ferror(out->stream) ||
                        (!write_batch_open() && fsync(fileno(out->stream)) != 0);
    out->close_failed = std::fclose(out->stream) != 0 || failed;
    return out->close_failed ? -1 : 0;
}

int output_putc(int c, void *userdata)
{
    return std::fputc(c, static_cast<StdioOutput *>(userdata)->stream);
}

long output_fwrite(const void *data, long size, void *userdata)
{
    return static_cast<long>(std::fwrite(data, 1, size, static_cast<StdioOutput *>(userdata)->stream));
}

int output_ferror(void *userdata)
{
    return std::ferror(static_cast<StdioOutput *>(userdata)->stream);
}

int output_cannot_read(void *)
{
    return EOF;
}

int output_cannot_unget(int, void *)
{
    return EOF;
}

long output_cannot_fread(void *, long, void *)
{
    return 0;
}

int output_cannot_seek(void *, int)
{
    return -1;
}

int output_never_at_end(void *)
{
    return 0;
}

const PACKFILE_VTABLE STDIO_OUTPUT = {
    output_close,  output_cannot_read, output_cannot_unget, output_cannot_fread, output_putc,
    output_fwrite, output_cannot_seek, output_never_at_end, output_ferror,
};

// Follows path while it is a symbolic link; a relative link is relative to
// the link's own folder. False for a loop or an unreadable link.
bool resolve_links(std::string &path)
{
    for (int hops = 0; hops < MAX_LINK_HOPS; ++hops) {
        struct stat info;
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        char target[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length <= 0 || length == static_cast<ssize_t>(sizeof target)) {
            return false;
        }
        const std::string link(target, length);
        path = link[0] == '/' ? link : folder_of(path) + link;
    }
    return false;
}

// A new file with a short name beside path, so that the rename stays within
// one folder and a name at the system's length limit still gets a partner.
// The usual umask default applies to its permission bits.
// The number counts on through the process, as a batch keeps many of them at once.
int create_temporary(const std::string &path, std::string &temporary)
{
    static unsigned next = 0;
    for (int n = 0; n < MAX_TEMPORARY_TRIES; ++n) {
        temporary =
            folder_of(path) + ".moltwork-" + std::to_string(getpid()) + "-" + std::to_string(next++) + ".tmp";
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Runs write over the open file and closes it; true when every byte is on disk.
bool write_and_close(int fd, const std::function<bool(PACKFILE *)> &write)
{
    StdioOutput out = {fdopen(fd, "wb"), false};
    if (!out.stream) {
        close(fd);
        return false;
    }
    PACKFILE *file = pack_fopen_vtable(&STDIO_OUTPUT, &out);
    if (!file) {
        std::fclose(out.stream);
        return false;
    }
    const bool written = write(file) && !pack_ferror(file);
    pack_fclose(file);
    return written && !out.close_failed;
}
} // namespace

bool write_file_safely(const std::string &target, const std::function<bool(PACKFILE *)> &write)
{
    std::string path = target;
    if (!resolve_links(path)) {
        return false;
    }
    struct stat old;
    const bool replacing = stat(path.c_str(), &old) == 0;
    if (replacing && (!S_ISREG(old.st_mode) || access(path.c_str(), W_OK) != 0)) {
        return false;
    }
    std::string temporary;
    const int fd = create_temporary(path, temporary);
    if (fd < 0) {
        return false;
    }
    const bool mode_kept = !replacing || fchmod(fd, old.st_mode & 07777) == 0;
    if (!mode_kept) {
        close(fd);
    }
    if (!mode_kept || !write_and_close(fd, write)) {
        std::remove(temporary.c_str());
        return false;
    }
    if (write_batch_open()) {
        hold_until_batch_ends(temporary, path, target);
        return true;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::string with_extension(const std::string &name, const std::string &extension)
{
    const size_t last = name.find_last_of("./");
    const bool has_extension = last != std::string::npos && name[last] == '.';
    return (has_extension ? name.substr(0, last) : name) + "." + extension;
}
