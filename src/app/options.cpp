#include "app/app.h"
#include "files/files.h"
#include "tools/tools.h"

std::string config_file[CONFIG_LINES];
std::string filename;
std::string defaultname;
std::string palette_dir = "gfx/packs/Classic/palette.bmp";
std::string directory = "gfx/skins/";

namespace
{
const char *const BUILT_IN_LINES[CONFIG_LINES] = {
    "***Following line should contain the desired default filename***",
    "Untitled.bmp",
    "***Next line should contain location of palette bitmap***",
    "gfx/packs/Classic/palette.bmp",
    "***Next line should contain directory of loaded/saved skins***",
    "gfx/skins/",
    "***Enable autoloading of last skin?***",
    "yes",
    "***Next line auto-updates with the name of the last skin opened***",
    "0orva.bmp",
    "***Start program with left pixel grid on?***",
    "no",
    "***Start program with right pixel grid on?***",
    "no",
};

const char *const OPTIONS_FILE = "Options.cfg";

// The last skin is remembered only while its file still exists.
std::string last_skin_or_default(const char *name)
{
    return path_exists(with_extension(directory + name, "bmp")) ? name : BUILT_IN_LINES[9];
}

// Reads one whole line, however long, keeping at most size - 1 bytes of it, so
// that a long line never shifts the positions of the lines after it. A line
// ends at LF, CR LF or a lone CR, as the library's own line reader has it.
// Returns null at the end of the file.
char *read_line(char *buf, int size, PACKFILE *f)
{
    int length = 0;
    int c = pack_getc(f);
    if (c == EOF) {
        return nullptr;
    }
    while (c != EOF && c != '\n' && c != '\r') {
        if (length < size - 1) {
            buf[length++] = static_cast<char>(c);
        }
        c = pack_getc(f);
    }
    if (c == '\r') {
        const int next = pack_getc(f);
        if (next != '\n' && next != EOF) {
            pack_ungetc(next, f);
        }
    }
    buf[length] = '\0';
    return buf;
}
void take_value(int line, const char *text)
{
    switch (line) {
    case 1:
        config_file[1] = text;
        defaultname = text;
        filename = defaultname;
        break;
    case 3:
        config_file[3] = text;
        palette_dir = text;
        break;
    case 5:
        config_file[5] = text;
        directory = text;
        break;
    case 7:
        config_file[7] = text;
        break;
    case 9:
        config_file[9] = last_skin_or_default(text);
        break;
    case 11:
        show_left_grid = std::string(text) == "yes";
        break;
    case 13:
        show_right_grid = std::string(text) == "yes";
        break;
    }
}
} // namespace

char *skip_lines(char *buf, int size, PACKFILE *f, int n)
{
    for (int i = 0; i < n; ++i) {
        if (!read_line(buf, size, f)) {
            return nullptr;
        }
    }
    return read_line(buf, size, f);
}

void read_config()
{
    for (int i = 0; i < CONFIG_LINES; ++i) {
        config_file[i] = BUILT_IN_LINES[i];
    }
    // Anything but a regular file, a FIFO above all, counts as no file: opening it could hang.
    if (!is_regular_file(OPTIONS_FILE)) {
        return;
    }
    PACKFILE *f = pack_fopen(OPTIONS_FILE, "r");
    if (!f) {
        return;
    }
    char buf[CONFIG_LINE_SIZE];
    // Value lines are found by position; a file that ends early keeps the
    // built-in values of what it lacks.
    for (int line = 1; line < CONFIG_LINES; line += 2) {
        if (!skip_lines(buf, sizeof buf, f, line == 1 ? 1 : 2)) {
            break;
        }
        take_value(line, buf);
    }
    pack_fclose(f);
}

// A failed write keeps the old file whole: a cut file would make the next
// start fall back to the built-in palette and skins folder.
void save_config()
{
    config_file[11] = show_left_grid ? "yes" : "no";
    config_file[13] = show_right_grid ? "yes" : "no";
    write_file_safely(OPTIONS_FILE, [](PACKFILE *f) {
        for (int i = 0; i < CONFIG_LINES; ++i) {
            pack_fputs(config_file[i].c_str(), f);
            if (i < CONFIG_LINES - 1) {
                pack_fputs("\n", f);
                if (i % 2 == 1) {
                    pack_fputs("\n", f);
                }
            }
        }
        return true;
    });
}
