#include "app/app.h"
#include "document/document.h"
#include "files/files.h"
#include "gif/gif.h"
#include "tools/tools.h"
#include "ui/ui.h"

#include <loadpng.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

namespace
{
// Status when the library cannot start even without a display.
constexpr int LIBRARY_FAILED = 3;
// The GIFs written between two waits for the disk.
constexpr size_t SKINS_PER_SYNC = 256;

void set_preview(const CommandLine &command)
{
    preview_mode = 6 * command.team + command.mode;
    CustomRecolor = recolor_for_mode(preview_mode);
    for (int i = 0; i < 3; ++i) {
        preview_items[i] = i == command.power_up;
    }
}

bool is_folder(const std::string &path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// OUT names a folder when several skins are exported, when it is a folder
// already or when it ends with a slash; the folder is made when missing.
bool out_is_folder(const CommandLine &command)
{
    return !command.out.empty() &&
           (command.skins.size() > 1 || command.out.back() == '/' || is_folder(caller_path(command.out)));
}

std::string gif_name(const std::string &skin)
{
    return with_extension(std::filesystem::path(skin).filename().string(), "gif");
}

void skipped(const std::string &skin, const char *why)
{
    std::fprintf(stderr, "moltwork: %s: %s; skipped\n", printable_path(skin).c_str(), why);
}

std::string target_of(const CommandLine &command, bool into_folder, const std::string &skin)
{
    if (into_folder) {
        return (std::filesystem::path(command.out) / gif_name(skin)).string();
    }
    return command.out.empty() ? with_extension(skin, "gif") : command.out;
}

// A skin kept as a GIF would otherwise be overwritten by its own preview.
bool export_skin(const std::string &skin, const std::string &target)
{
    if (is_same_file(caller_path(skin), caller_path(target))) {
        skipped(skin, "its GIF would replace the skin itself");
        return false;
    }
    switch (load_skin_file(caller_path(skin))) {
    case LoadResult::Missing:
        skipped(skin, "no such file");
        return false;
    case LoadResult::Unreadable:
        skipped(skin, "not a readable skin");
        return false;
    case LoadResult::Loaded:
        break;
    }
    // The editor exports the strip its last pass composed; no pass runs here.
    make_recolor(CustomRecolor);
    if (!write_preview_gif(caller_path(target))) {
        skipped(skin, ("cannot write " + printable_path(target)).c_str());
        return false;
    }
    return true;
}
} // namespace

int export_skins(const CommandLine &command)
{
    set_preview(command);
    const bool into_folder = out_is_folder(command);
    if (into_folder) {
        std::error_code error;
        std::filesystem::create_directory(caller_path(command.out), error);
    }
    int status = 0;
    for (size_t first = 0; first < command.skins.size(); first += SKINS_PER_SYNC) {
        std::vector<std::string> exported; // the skins whose GIFs wait for the sync
        begin_write_batch();
        for (size_t i = first; i < command.skins.size() && i < first + SKINS_PER_SYNC; ++i) {
            const std::string &skin = command.skins[i];
            if (export_skin(skin, target_of(command, into_folder, skin))) {
                exported.push_back(skin);
            } else {
                status = 1;
            }
        }
        for (const std::string &failed : finish_write_batch()) {
            for (const std::string &skin : exported) {
                const std::string target = target_of(command, into_folder, skin);
                if (caller_path(target) == failed) {
                    skipped(skin, ("cannot write " + printable_path(target)).c_str());
                }
            }
            status = 1;
        }
    }
    return status;
}

int run_export(const CommandLine &command)
{
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "moltwork: could not start the graphics library\n");
        return LIBRARY_FAILED;
    }
    // The depth of the editor's window on a true-colour desktop, so the
    // colours are read as Ctrl+E reads them.
    set_color_depth(32);
    gif_init();
    register_png_file_type();
    if (int code = load_startup_data()) {
        return code;
    }
    return export_skins(command);
}
