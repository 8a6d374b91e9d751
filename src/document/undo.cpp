#include "document/document.h"

std::vector<UndoStep> Undos;

bool add_step(BITMAP *frame)
{
    BITMAP *saved = create_bitmap(FRAME_SIZE, FRAME_SIZE);
    if (!saved) {
        return false;
    }
    blit(frame, saved, 0, 0, 0, 0, FRAME_SIZE, FRAME_SIZE);
    Undos.push_back(UndoStep{saved, frame});
    return true;
}

void add_step(int canvas)
{
    add_step(frame_on_canvas(canvas <= 1 ? 1 : 2));
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

void exchange_step_frames(BITMAP *a, BITMAP *b)
{
    for (UndoStep &step : Undos) {
        if (step.frame == a) {
            step.frame = b;
        } else if (step.frame == b) {
            step.frame = a;
        }
    }
}

RestoreResult restore_frame(BITMAP *frame)
{
    for (const UndoStep &step : Undos) {
        if (step.frame != frame) {
            continue;
        }
        if (is_unchanged_bitmap(frame, step.saved_image)) {
            return RestoreResult::AlreadyOriginal;
        }
        BITMAP *oldest = step.saved_image;
        // A restore that undo could not take back would lose the drawing.
        if (!add_step(frame)) {
            return RestoreResult::Failed;
        }
        blit(oldest, frame, 0, 0, 0, 0, FRAME_SIZE, FRAME_SIZE);
        return RestoreResult::Restored;
    }
    return RestoreResult::NothingToRestore;
}
