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

// The power-up overlay the preview shows, or null.
BITMAP *shown_power_up()
{
    BITMAP *const overlays[3] = {Cape, Tail, Wings};
    for (int i = 0; i < 3; ++i) {
        if (preview_items[i]) {
            return overlays[i];
        }
    }
    return nullptr;
}

// The strip as the preview shows it: the power-up overlay under the recoloured frames.
BITMAP *strip_with_power_up(BITMAP *overlay)
{
    BITMAP *strip = create_bitmap(Recolor->w, Recolor->h);
    if (!strip) {
        return nullptr;
    }
    clear_to_color(strip, transparent_color());
    masked_stretch_blit(overlay, strip, 0, 0, overlay->w, overlay->h, 0, 0, strip->w, strip->h);
    masked_blit(Recolor, strip, 0, 0, 0, 0, strip->w, strip->h);
    return strip;
}

void show_exported(const std::string &name)
{
    BITMAP *replaced = Exported.image;
    Exported = Window("Moltwork", (name + " exported successfully.").c_str(), "Awesome.");
    destroy_bitmap(replaced);
    ask(Exported);
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
    make_recolor(CustomRecolor);
    BITMAP *overlay = shown_power_up();
    if (!overlay) {
        return save_strip_gif(Recolor, transparent_color(), path);
    }
    BITMAP *strip = strip_with_power_up(overlay);
    if (!strip) {
        return false;
    }
    const bool written = save_strip_gif(strip, transparent_color(), path);
    destroy_bitmap(strip);
    return written;
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
