#include "app/app.h"
#include "document/document.h"
#include "files/files.h"
#include "tools/tools.h"
#include "ui/ui.h"
#include "windows/windows.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace
{
constexpr int NAME_BUFFER = 192;
constexpr int CELL = 2 * FRAME_SIZE;

std::string skin_path(const std::string &name)
{
    char buf[NAME_BUFFER];
    replace_extension(buf, name.c_str(), "bmp", sizeof buf);
    return directory + buf;
}

void end_strokes_and_choosers()
{
    canvas = 0;
    drawing = 0;
    menu = 0;
}

void frames_into_sheet()
{
    for (int i = 0; i < FRAME_COUNT; ++i) {
        stretch_blit(frame_bitmap(i), InOut, 0, 0, FRAME_SIZE, FRAME_SIZE, CELL * i, 0, CELL, CELL);
    }
}

void sheet_into(BITMAP *const targets[FRAME_COUNT])
{
    for (int i = 0; i < FRAME_COUNT; ++i) {
        stretch_blit(InOut, targets[i], CELL * i, 0, CELL, CELL, 0, 0, FRAME_SIZE, FRAME_SIZE);
    }
}

void sheet_into_frames()
{
    BITMAP *frames[FRAME_COUNT];
    for (int i = 0; i < FRAME_COUNT; ++i) {
        frames[i] = frame_bitmap(i);
    }
    sheet_into(frames);
}

// The size the library's BMP of the sheet has once it is whole on disk: 8
// bits per pixel with a 256-colour table in an 8-bit program, else 24 bits.
long expected_bmp_size(BITMAP *bmp)
{
    const bool paletted = bitmap_color_depth(bmp) == 8;
    const long row = paletted ? (bmp->w + 3L) & ~3L : (bmp->w * 3L + 3) & ~3L;
    return 54 + (paletted ? 1024 : 0) + row * bmp->h;
}

// Writes the sheet beside the target and renames it into place only when
// the whole file is on disk, so a failed write never destroys the old skin.
bool write_sheet(const std::string &path)
{
    const std::string partial = path + ".partial";
    struct stat written;
    const bool ok = save_bmp(partial.c_str(), InOut, nullptr) == 0 && stat(partial.c_str(), &written) == 0 &&
                    written.st_size == expected_bmp_size(InOut) &&
                    std::rename(partial.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::remove(partial.c_str());
    }
    return ok;
}

bool is_readable_sheet(BITMAP *bmp)
{
    return bmp && bmp->w >= SHEET_WIDTH && bmp->h >= SHEET_HEIGHT;
}
} // namespace

int save(const std::string &name)
{
    end_strokes_and_choosers();
    const std::string path = skin_path(name);
    if (exists(path.c_str()) && Overwrite.process() != 1) {
        return -1;
    }
    frames_into_sheet();
    if (!write_sheet(path)) {
        SaveFail.process();
        return 1;
    }
    sheet_into(Key);
    ConfirmSave.process();
    config_file[9] = name;
    save_config();
    return 0;
}

void load()
{
    end_strokes_and_choosers();
    const std::string path = skin_path(filename);
    if (!path_exists(path)) {
        FakeLoad.process();
        return;
    }
    BITMAP *loaded = load_checked_bitmap(path);
    if (!is_readable_sheet(loaded)) {
        if (loaded) {
            destroy_bitmap(loaded);
        }
        LoadFail.process();
        return;
    }
    destroy_bitmap(InOut);
    InOut = loaded;
    sheet_into_frames();
    sheet_into(Key);
    config_file[9] = filename;
    save_config();
    clear_undos();
}

void blank()
{
    if (!is_unsaved()) {
        new_skin();
        return;
    }
    const int answer = SaveSkin.process();
    if ((answer == 1 && save(config_file[9]) == 0) || answer == 2) {
        new_skin();
    }
}
