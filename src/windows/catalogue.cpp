#include "windows/windows.h"

Window Overwrite, SaveSkin, ConfirmSave, FakeLoad, SaveFail, NoRestore, AlreadyRestored, QuitNow, Exported,
    ExportFail;
Window LoadFail;
Window Recovery, RecoveryFail;

void build_message_windows()
{
    Overwrite =
        Window("Overwrite Warn", "You are about to overwrite an existing file.", "I know.", "Nevermind");
    SaveSkin = Window("Moltwork", "Do you want to save this skin?", "Yeah", "No", "Cancel");
    ConfirmSave = Window("Moltwork", "Successfully saved the file.", "OK");
    FakeLoad = Window("Load Fail", "That file doesn't even exist!", "Sorry");
    SaveFail = Window("Save Fail", "I don't even know what happened. Sorry man.", "That's okay");
    NoRestore = Window("Restore Frame", "Nothing to undo for this frame!", "Oh, sorry.");
    AlreadyRestored = Window("Restore Frame", "This frame is in original condition!", "Oops");
    QuitNow = Window("Moltwork", "Are you sure you want to quit?", "Yeah", "No");
    Exported = Window("Moltwork", "Animation exported successfully.", "Awesome.");
    ExportFail = Window("Moltwork", "Failed to export the animation", "Fiddlesticks.");
    LoadFail = Window("Load Fail", "That file isn't a skin I can read.", "Sorry");
    // Restore comes last: a window that cannot be shown answers with its last button, and that one
    // must lose nothing.
    Recovery =
        Window("Unsaved Drawing", "Restore your unsaved drawing, or discard it?", "Discard", "Restore");
    RecoveryFail = Window("Recovery Fail", "Your unsaved drawing could not be read.", "Oh no.");
}
