#include "app/app.h"
#include "files/files.h"

std::string filename;
std::string new_skin_name;

namespace
{
// One row per option: the comment line above it, its built-in value, and the
// field it fills. A yes/no switch has a flag instead of a text.
struct OptionRow {
    const char *comment;
    const char *built_in;
    std::string Options::*text;
    bool Options::*flag;
};

const OptionRow ROWS[] = {
    {"***Following line should contain the desired default filename***", "Untitled.bmp",
     &Options::default_name, nullptr},
    {"***Next line should contain location of palette bitmap***", "gfx/packs/Classic/palette.bmp",
     &Options::palette_path, nullptr},
    {"***Next line should contain directory of loaded/saved skins***", "gfx/skins/",
     &Options::skins_directory, nullptr},
    {"***Enable autoloading of last skin?***", "yes", &Options::autoload, nullptr},
    {"***Next line auto-updates with the name of the last skin opened***", "0orva.bmp", &Options::last_skin,
     nullptr},
    {"***Start program with left pixel grid on?***", "no", nullptr, &Options::left_grid},
    {"***Start program with right pixel grid on?***", "no", nullptr, &Options::right_grid},
};
constexpr int LAST_SKIN_ROW = 4;

const char *const OPTIONS_FILE = "Options.cfg";

void take_value(Options &into, const OptionRow &row, const char *text)
{
    if (row.text) {
        into.*row.text = text;
    } else {
        into.*row.flag = std::string(text) == "yes";
    }
}

Options built_in_options()
{
    Options built_in;
    for (const OptionRow &row : ROWS) {
        take_value(built_in, row, row.built_in);
    }
    return built_in;
}

// The last skin is remembered only while its file still exists.
std::string last_skin_or_default(const std::string &name)
{
    return path_exists(with_extension(options.skins_directory + name, "bmp")) ? name
                                                                              : ROWS[LAST_SKIN_ROW].built_in;
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

char *skip_lines(char *buf, int size, PACKFILE *f, int n)
{
    for (int i = 0; i < n; ++i) {
        if (!read_line(buf, size, f)) {
            return nullptr;
        }
    }
    return read_line(buf, size, f);
}

// Value lines are found by position: each follows its comment line, and the
// rows after the first have a blank line before the comment. Returns how
// many values were read; a file that ends early keeps the built-in values of
// what it lacks.
int read_rows(PACKFILE *f)
{
    char buf[CONFIG_LINE_SIZE];
    int read = 0;
    for (const OptionRow &row : ROWS) {
        if (!skip_lines(buf, sizeof buf, f, read == 0 ? 1 : 2)) {
            break;
        }
        take_value(options, row, buf);
        ++read;
    }
    return read;
}
} // namespace

Options options = built_in_options();

void read_config()
{
    options = built_in_options();
    // Anything but a regular file, a FIFO above all, counts as no file: opening it could hang.
    if (!is_regular_file(OPTIONS_FILE)) {
        return;
    }
    PACKFILE *f = pack_fopen(OPTIONS_FILE, "r");
    if (!f) {
        return;
    }
    // New skins stay unnamed until a file gives them a name.
    if (read_rows(f) > 0) {
        new_skin_name = options.default_name;
        filename = new_skin_name;
    }
    options.last_skin = last_skin_or_default(options.last_skin);
    pack_fclose(f);
}

// A failed write keeps the old file whole: a cut file would make the next
// start fall back to the built-in palette and skins folder.
void save_config()
{
    write_file_safely(OPTIONS_FILE, [](PACKFILE *f) {
        bool first = true;
        for (const OptionRow &row : ROWS) {
            pack_fputs(first ? "" : "\n\n", f);
            pack_fputs(row.comment, f);
            pack_fputs("\n", f);
            pack_fputs(row.text ? (options.*row.text).c_str() : (options.*row.flag ? "yes" : "no"), f);
            first = false;
        }
        return true;
    });
}
