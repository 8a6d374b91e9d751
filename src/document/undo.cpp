#include "document/document.h"

std::vector<UndoStep> Undos;
std::vector<UndoStep> Redos;

namespace
{
unsigned long revision = 0;

// A step and its frame trade pictures, so undoing and redoing a step are the
// same move and each gives back exactly the picture the other took away.
void exchange_pictures(BITMAP *a, BITMAP *b)
{
    for (int y = 0; y < FRAME_SIZE; ++y) {
        for (int x = 0; x < FRAME_SIZE; ++x) {
            const int kept = getpixel(a, x, y);
            putpixel(a, x, y, getpixel(b, x, y));
            putpixel(b, x, y, kept);
        }
    }
}

void release_steps(std::vector<UndoStep> &steps)
{
    for (const UndoStep &step : steps) {
        destroy_bitmap(step.saved_image);
    }
    steps.clear();
}

// Takes the last step of `from` onto its frame; the picture it replaces
// becomes the last step of `to`.
void move_last_step(std::vector<UndoStep> &from, std::vector<UndoStep> &to)
{
    if (from.empty()) {
        return;
    }
    const UndoStep step = from.back();
    from.pop_back();
    exchange_pictures(step.saved_image, step.frame);
    to.push_back(step);
    ++revision;
}
} // namespace

unsigned long document_revision()
{
    return revision;
}

void note_change()
{
    release_steps(Redos);
    ++revision;
}

bool add_step(BITMAP *frame)
{
    BITMAP *saved = create_bitmap(FRAME_SIZE, FRAME_SIZE);
    if (!saved) {
        return false;
    }
    blit(frame, saved, 0, 0, 0, 0, FRAME_SIZE, FRAME_SIZE);
    Undos.push_back(UndoStep{saved, frame});
    note_change();
    return true;
}

void add_step(int canvas)
{
    // The tools and the canvas copy change the frame even when no copy could be made.
    if (!add_step(frame_on_canvas(canvas <= 1 ? 1 : 2))) {
        note_change();
    }
}

void undo()
{
    move_last_step(Undos, Redos);
}

void redo()
{
    move_last_step(Redos, Undos);
}

void clear_undos()
{
    release_steps(Undos);
    release_steps(Redos);
    ++revision;
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
