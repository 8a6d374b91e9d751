"""The editor in a real window: unsaved work survives a killed editor, also one killed during a save."""
import os
import time

from xharness import CANVAS_POINT, Editor, main, own_skin

RECOVERY = "Recovery.moltwork"
# The copy is written at most once every three seconds.
COPY_WRITTEN = 4.5
LEFT_CANVAS, RIGHT_CANVAS = 285, 529


def frame_point(canvas_x, x, y):
    return canvas_x + 12 * x + 6, 355 + 12 * y + 6


def thumbnails(shot):
    """Every pixel of the six frames, as the thumbnail strip shows them at twice their size."""
    return [shot.pixel(x, y) for y in range(168, 200) for x in range(38, 38 + 6 * 32)]


def draw(editor):
    """Strokes on both canvases and, after the wheel turns the left canvas, on a third frame; returns the
    frames as then shown."""
    editor.click(*CANVAS_POINT)
    editor.click(*frame_point(RIGHT_CANVAS, 9, 11))
    editor.move(*frame_point(LEFT_CANVAS, 12, 2))
    editor.hold(4, "mousedown", "mouseup")
    editor.click(*frame_point(LEFT_CANVAS, 12, 2))
    drawn = thumbnails(editor.capture(away=True))
    time.sleep(COPY_WRITTEN)
    return drawn


def restore_after_kill(editor, drawn):
    editor.kill_and_start_again()
    assert thumbnails(editor.capture(away=True)) != drawn, "nothing drawn before the answer"
    editor.answer(2, expected_buttons=2)  # Discard, Restore
    assert thumbnails(editor.capture(away=True)) == drawn


def test_a_killed_editor_gives_the_drawing_back(program, runtime, xvfb):
    with Editor(program, runtime, xvfb, prepare=own_skin) as editor:
        untouched, skin = thumbnails(editor.capture(away=True)), editor.sheet_pixel("mine.bmp")
        drawn = draw(editor)
        assert drawn != untouched
        restore_after_kill(editor, drawn)
        assert editor.sheet_pixel("mine.bmp") == skin, "never saved"
        editor.quit(save_answer=2)  # leave without saving
        assert not os.path.exists(editor.path(RECOVERY))


def test_a_kill_during_a_save_loses_nothing(program, runtime, xvfb):
    with Editor(program, runtime, xvfb, prepare=own_skin) as editor:
        drawn = draw(editor)
        editor.hold("ctrl+s")
        editor.wait_buttons(2)  # asked whether to overwrite mine.bmp
        restore_after_kill(editor, drawn)
        editor.hold("ctrl+s")
        editor.answer(1, expected_buttons=2)  # "I know."
        editor.wait_buttons(1)  # the skin is written; the save ends once this is answered
        restore_after_kill(editor, drawn)
        assert editor.sheet_pixel("mine.bmp") == editor.capture(away=True).pixel(*CANVAS_POINT)
        editor.quit(save_answer=2)
        assert not os.path.exists(editor.path(RECOVERY))


main()
