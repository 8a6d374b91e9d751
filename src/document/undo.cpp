#include "document/document.h"
#include "windows/windows.h"

std::vector<UndoStep> Undos;

namespace
{
UndoStep copy_of(BITMAP *frame)
{
    BITMAP *saved = create_bitmap(FRAME_SIZE, FRAME_SIZE);
    blit(frame, saved, 0, 0, 0, 0, FRAME_SIZE, FRAME_SIZE);
    return UndoStep{saved, frame};
}
} // namespace

UndoStep new_undo_step(int canvas)
{
    return copy_of(frame_on_canvas(canvas));
}

void add_step(int canvas)
{
    Undos.push_back(new_undo_step(canvas <= 1 ? 1 : 2));
}

void add_step(BITMAP *frame)
{
    Undos.push_back(copy_of(frame));
}

void undo()
{
    if (Undos.empty()) {
        return;
    }
    const UndoStep &last = Undos.back();
    blit(last.saved_image, last.frame, 0, 0, 0, 0, FRAME_SIZE, FRAME_SIZE);
    destroy_bitmap(last.saved_image);
    Undos.pop_back();
}

void clear_undos()
{
    for (const UndoStep &step : Undos) {
        destroy_bitmap(step.saved_image);
    }
    Undos.clear();
}

void restore(BITMAP *frame)
{
    for (const UndoStep &step : Undos) {
        if (step.frame != frame) {
            continue;
        }
        if (is_unchanged_bitmap(frame, step.saved_image)) {
            AlreadyRestored.process();
            return;
        }
        BITMAP *oldest = step.saved_image;
        add_step(frame);
        blit(oldest, frame, 0, 0, 0, 0, FRAME_SIZE, FRAME_SIZE);
        return;
    }
    NoRestore.process();
}
