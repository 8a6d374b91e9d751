#include "app/app.h"
#include "document/document.h"
#include "files/files.h"
#include "gif/gif.h"
#include "tools/tools.h"
#include "ui/ui.h"
#include "windows/windows.h"

#include <string>

namespace
{
// A command on the whole skin ends any stroke and closes the choosers.
void end_strokes_and_choosers()
{
    canvas = 0;
    drawing = 0;
    menu = 0;
}

bool may_replace()
{
    return ask(Overwrite) == 1;
}

// A skin opened from another folder is remembered only for the save
// question: later runs keep looking in the skins directory.
void remember_last_skin(const std::string &name)
{
    if (!outside_skin.folder.empty()) {
        outside_skin.last_name = name;
        if (!outside_folder_is_skins_directory()) {
            return;
        }
    }
    options.last_skin = name;
    save_config();
}

// A window of the catalogue built again, with the names its text tells.
void rebuild(Window &window, const Window &replacement)
{
    BITMAP *replaced = window.image;
    window = replacement;
    destroy_bitmap(replaced);
}

const std::string &last_skin_name()
{
    return outside_skin.folder.empty() ? options.last_skin : outside_skin.last_name;
}

void report_refused_load(LoadResult result)
{
    if (result == LoadResult::Missing) {
        ask(FakeLoad);
    } else if (result == LoadResult::Unreadable) {
        ask(LoadFail);
    }
}

void show_exported(const std::string &name)
{
    rebuild(Exported, Window("Moltwork", (name + " exported successfully.").c_str(), "Awesome."));
    ask(Exported);
}

// A long name is cut at its start, so the window and its buttons stay on the screen.
std::string shown_name(const std::string &name)
{
    constexpr std::size_t LONGEST = 40;
    const std::string printable = printable_path(name);
    return printable.size() <= LONGEST ? printable : "..." + printable.substr(printable.size() - LONGEST);
}

void show_unreadable_copy()
{
    const std::string aside = set_aside_recovery_copy();
    const std::string text = aside.empty()
                                 ? std::string("Your unsaved drawing could not be read or moved: ") +
                                       RECOVERY_FILE + " stays as it is."
                                 : "Your unsaved drawing could not be read; it is kept as " + aside + ".";
    rebuild(RecoveryFail, Window("Recovery Fail", text.c_str(), "Oh no."));
    ask(RecoveryFail);
}
} // namespace

int ask(Window &window)
{
    menu = 0;
    submenu = 0;
    toolbar_menu = 0;
    draw_everything();
    return window.process(ActiveBuffer);
}

bool offer_to_save()
{
    if (!is_unsaved()) {
        return true;
    }
    const int answer = ask(SaveSkin);
    return (answer == 1 && save(last_skin_name()) == 0) || answer == 2;
}

int save(const std::string &name)
{
    end_strokes_and_choosers();
    switch (save_skin(name, may_replace)) {
    case SaveResult::Declined:
        return -1;
    case SaveResult::Failed:
        ask(SaveFail);
        return 1;
    case SaveResult::Saved:
        break;
    }
    ask(ConfirmSave);
    remember_last_skin(name);
    // Only now: until the save has finished, a crash must still find the copy.
    drop_recovery_copy();
    return 0;
}

void load()
{
    end_strokes_and_choosers();
    const LoadResult result = load_skin(filename);
    if (result == LoadResult::Loaded) {
        remember_last_skin(filename);
    }
    report_refused_load(result);
}

void open_file(const std::string &path)
{
    end_strokes_and_choosers();
    report_refused_load(open_skin_file(path));
}

void load_after_asking()
{
    if (offer_to_save()) {
        load();
    }
}

void blank()
{
    if (offer_to_save()) {
        new_skin();
    }
}

void restore(BITMAP *frame)
{
    switch (restore_frame(frame)) {
    case RestoreResult::AlreadyOriginal:
        ask(AlreadyRestored);
        break;
    case RestoreResult::NothingToRestore:
        ask(NoRestore);
        break;
    case RestoreResult::Restored:
    case RestoreResult::Failed:
        break;
    }
}

bool write_preview_gif(const std::string &path)
{
    return save_strip_gif(Recolor, transparent_color(), path);
}

void save_gif()
{
    const std::string name = with_extension(filename, "gif");
    if (write_preview_gif("SkinPreviews/" + name)) {
        show_exported(name);
    } else {
        ask(ExportFail);
    }
}

bool offer_recovery()
{
    const FoundRecovery found = find_recovery_copy();
    switch (found.check) {
    case RecoveryCheck::None:
        return false;
    case RecoveryCheck::Damaged:
        show_unreadable_copy();
        return false;
    case RecoveryCheck::Found:
        break;
    }
    const std::string text =
        found.name.empty() ? std::string("Restore your unsaved drawing, or discard it?")
                           : "Restore your unsaved drawing of " + shown_name(found.name) + ", or discard it?";
    rebuild(Recovery, Window("Unsaved Drawing", text.c_str(), "Discard", "Restore"));
    if (ask(Recovery) == 1) {
        discard_recovery_copy(found);
        return false;
    }
    restore_recovery_copy(found);
    return true;
}
