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

void remember_last_skin(const std::string &name)
{
    options.last_skin = name;
    save_config();
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
    return (answer == 1 && save(options.last_skin) == 0) || answer == 2;
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
    switch (load_skin(filename)) {
    case LoadResult::Missing:
        ask(FakeLoad);
        break;
    case LoadResult::Unreadable:
        ask(LoadFail);
        break;
    case LoadResult::Loaded:
        remember_last_skin(filename);
        break;
    }
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

void save_gif()
{
    const std::string name = with_extension(filename, "gif");
    if (save_strip_gif(Recolor, transparent_color(), "SkinPreviews/" + name)) {
        show_exported(name);
    } else {
        ask(ExportFail);
    }
}
