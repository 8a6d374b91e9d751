"""The editor in a real window: unsaved work survives a killed editor, also one killed during a save."""
import os
import time

from xharness import CANVAS_POINT, LEFT_CANVAS, RIGHT_CANVAS, Editor, frame_point, main, own_skin

# The copy is written at most once every three seconds.
COPY_WRITTEN = 4.5


def thumbnails(shot):
    """Every pixel of the six frames, as the thumbnail strip shows them at twice their size."""
    return [shot.pixel(x, y) for y in range(168, 200) for x in range(38, 38 + 6 * 32)]


def restore_after_kill(editor, drawn):
    editor.kill_and_start_again()
    assert thumbnails(editor.capture(away=True)) != drawn, "nothing drawn before the answer"
    editor.answer(2, expected_buttons=2)  # Discard, Restore
    assert thumbnails(editor.capture(away=True)) == drawn


def test_a_killed_editor_gives_the_drawing_back_also_during_a_save(program, runtime, xvfb):
    with Editor(program, runtime, xvfb, prepare=own_skin) as editor:
        untouched, skin = thumbnails(editor.capture(away=True)), editor.sheet_frame()
        # Strokes on both canvases and, after the wheel turns the left canvas, on a third frame.
        editor.click(*CANVAS_POINT)
        editor.click(*frame_point(9, 11, RIGHT_CANVAS))
        editor.move(*frame_point(12, 2, LEFT_CANVAS))
        editor.hold(4, "mousedown", "mouseup")
        editor.click(*frame_point(12, 2, LEFT_CANVAS))
        drawn = thumbnails(editor.capture(away=True))
        assert drawn != untouched
        time.sleep(COPY_WRITTEN)

        editor.hold("ctrl+s")
        editor.wait_buttons(2)  # asked whether to overwrite mine.bmp
        restore_after_kill(editor, drawn)
        assert editor.sheet_frame() == skin, "never saved"
        editor.hold("ctrl+s")
        editor.answer(1, expected_buttons=2)  # "I know."
        editor.wait_buttons(1)  # the skin is written; the save ends once this is answered
        restore_after_kill(editor, drawn)
        assert editor.sheet_frame()[4, 4] == editor.capture(away=True).pixel(*CANVAS_POINT)
        editor.quit(save_answer=2)  # leave without saving
        assert not os.path.exists(editor.path("Recovery.moltwork"))


main()
