"""The editor in a real window: open a skin, paint, undo, save over it and quit."""
import os
import shutil
import sys
import time

from xharness import Editor, main, read_image, write_options

# Frame pixel (4, 4) of the left canvas and of the standing cell of a sheet.
CANVAS_POINT = (285 + 12 * 4 + 6, 355 + 12 * 4 + 6)


def paint_dot(editor):
    """A click on the left canvas; returns the colour the spot had before."""
    editor.move(700, 100)
    before = editor.capture().pixel(*CANVAS_POINT)
    editor.click(*CANVAS_POINT)
    editor.move(700, 100)
    assert editor.capture().pixel(*CANVAS_POINT) != before, "the click painted nothing"
    return before


def sheet_pixel(editor, name):
    return read_image(editor.path("gfx/skins/" + name)).pixel(2 * 4, 2 * 4)


def test_paint_undo_and_save_over_the_skin(program, runtime, xvfb):
    def prepare(workdir):
        skins = os.path.join(workdir, "gfx", "skins")
        shutil.copyfile(os.path.join(skins, "0orva.bmp"), os.path.join(skins, "mine.bmp"))
        write_options(workdir, "yes", "mine.bmp")

    with Editor(program, runtime, xvfb, prepare=prepare) as editor:
        left_colour = editor.capture().pixel(60, 436)
        before = paint_dot(editor)
        assert before == sheet_pixel(editor, "mine.bmp"), "the last skin was loaded at start-up"
        assert editor.capture().pixel(*CANVAS_POINT) == left_colour
        editor.chord("ctrl", "z")
        assert editor.capture().pixel(*CANVAS_POINT) == before, "undone"
        paint_dot(editor)
        original = sheet_pixel(editor, "mine.bmp")
        editor.chord("ctrl", "s")
        editor.answer(2, expected_buttons=2)  # "Nevermind": nothing written
        time.sleep(0.2)
        assert sheet_pixel(editor, "mine.bmp") == original
        editor.chord("ctrl", "s")
        editor.answer(1, expected_buttons=2)  # "I know."
        editor.answer(1, expected_buttons=1)  # "Successfully saved the file."
        assert sheet_pixel(editor, "mine.bmp") == left_colour
        editor.quit()  # nothing unsaved, so no save question


if __name__ == "__main__":
    main(sys.modules[__name__])
