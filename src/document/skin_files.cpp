#include "app/app.h"
#include "document/document.h"
#include "files/files.h"

#include <filesystem>
#include <string>

OutsideSkin outside_skin;

namespace
{
constexpr int CELL = 2 * FRAME_SIZE;

std::string skin_path(const std::string &name)
{
    const std::string &folder = outside_skin.folder.empty() ? options.skins_directory : outside_skin.folder;
    return folder + with_extension(name, "bmp");
}

// The folder of a path, made absolute so that it stays right whatever the
// working directory, ending with a slash as the skins directory does.
std::string absolute_folder_of(const std::string &path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? std::filesystem::path(path) : absolute).parent_path().string() + "/";
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

// The sheet replaces the old file only once it is whole on disk, so a failed
// write never destroys the old skin.
bool write_sheet(const std::string &path)
{
    return write_file_safely(path, [](PACKFILE *file) { return save_bmp_pf(file, InOut, nullptr) == 0; });
}

// Whether a save would replace something there, dot-files included. A folder
// can never be replaced, so its save fails at once without the question.
bool is_taken(const std::string &path)
{
    std::error_code error;
    return path_exists(path) && !std::filesystem::is_directory(path, error);
}
} // namespace

void frames_into_sheet()
{
    for (int i = 0; i < FRAME_COUNT; ++i) {
        stretch_blit(frame_bitmap(i), InOut, 0, 0, FRAME_SIZE, FRAME_SIZE, CELL * i, 0, CELL, CELL);
    }
}

bool is_readable_sheet(BITMAP *bmp)
{
    return bmp && bmp->w >= SHEET_WIDTH && bmp->h >= SHEET_HEIGHT;
}

void adopt_sheet(BITMAP *sheet)
{
    destroy_bitmap(InOut);
    InOut = sheet;
    sheet_into_frames();
}

SaveResult save_skin(const std::string &name, bool (*may_replace)())
{
    const std::string path = skin_path(name);
    if (is_taken(path) && !may_replace()) {
        return SaveResult::Declined;
    }
    frames_into_sheet();
    if (!write_sheet(path)) {
        return SaveResult::Failed;
    }
    sheet_into(Key);
    restored_unsaved = false;
    return SaveResult::Saved;
}

LoadResult load_skin(const std::string &name)
{
    return load_skin_file(skin_path(name));
}

LoadResult load_skin_file(const std::string &path)
{
    if (!path_exists(path)) {
        return LoadResult::Missing;
    }
    BITMAP *loaded = load_checked_bitmap(path);
    if (!is_readable_sheet(loaded)) {
        if (loaded) {
            destroy_bitmap(loaded);
        }
        return LoadResult::Unreadable;
    }
    adopt_sheet(loaded);
    sheet_into(Key);
    restored_unsaved = false;
    clear_undos();
    return LoadResult::Loaded;
}

LoadResult open_skin_file(const std::string &path)
{
    const LoadResult result = load_skin_file(path);
    if (result == LoadResult::Loaded) {
        outside_skin.folder = absolute_folder_of(path);
        outside_skin.last_name = std::filesystem::path(path).filename().string();
        filename = outside_skin.last_name;
    }
    return result;
}

bool outside_folder_is_skins_directory()
{
    return !outside_skin.folder.empty() && is_same_file(outside_skin.folder, options.skins_directory);
}
