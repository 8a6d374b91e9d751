"""The editor in a real window: open a skin, paint, undo, save over it and
under a typed name, and quit with unsaved changes."""
import os
import time

from xharness import Editor, main, read_bmp

# Frame pixel (4, 4) of the left canvas and of the standing cell of a sheet.
CANVAS_POINT = (285 + 12 * 4 + 6, 355 + 12 * 4 + 6)


def options(skin):
    return ("c\nUntitled.bmp\n\nc\ngfx/packs/Classic/palette.bmp\n\nc\ngfx/skins/\n\n"
            "c\nyes\n\nc\n%s\n\nc\nno\n\nc\nno" % skin)


def with_skin_copy(workdir):
    src = os.path.join(workdir, "gfx", "skins", "0orva.bmp")
    with open(src, "rb") as f, open(os.path.join(workdir, "gfx", "skins", "mine.bmp"), "wb") as g:
        g.write(f.read())
    with open(os.path.join(workdir, "Options.cfg"), "w") as f:
        f.write(options("mine.bmp"))


def paint_dot(editor):
    """A click on the left canvas; returns the colour the spot had before."""
    editor.move(700, 100)
    before = editor.capture().pixel(*CANVAS_POINT)
    editor.click(*CANVAS_POINT)
    editor.move(700, 100)
    assert editor.capture().pixel(*CANVAS_POINT) != before, "the click painted nothing"
    return before


def ctrl(editor, key):
    editor.xdotool("keydown", "ctrl")
    editor.key(key)
    editor.xdotool("keyup", "ctrl")
    time.sleep(0.1)


def sheet_pixel(editor, name):
    return read_bmp(editor.path("gfx/skins/" + name))[2 * 4][2 * 4]


def test_paint_undo_and_save_over_the_skin(program, runtime, xvfb):
    editor = Editor(program, runtime, xvfb, prepare=with_skin_copy)
    try:
        editor.wait_window()
        left_colour = editor.capture().pixel(60, 436)
        before = paint_dot(editor)
        assert editor.capture().pixel(*CANVAS_POINT) == left_colour
        ctrl(editor, "z")
        assert editor.capture().pixel(*CANVAS_POINT) == before, "undone"
        paint_dot(editor)
        original = sheet_pixel(editor, "mine.bmp")
        ctrl(editor, "s")
        editor.answer(2, expected_buttons=2)  # "Nevermind": nothing written
        time.sleep(0.2)
        assert sheet_pixel(editor, "mine.bmp") == original
        ctrl(editor, "s")
        editor.answer(1, expected_buttons=2)  # "I know."
        editor.answer(1, expected_buttons=1)  # "Successfully saved the file."
        assert sheet_pixel(editor, "mine.bmp") == left_colour
        editor.close_until_asked()
        editor.answer(1, expected_buttons=2)  # quit; nothing unsaved, so no save question
        assert editor.wait_exit() == 0
    finally:
        editor.finish()


def test_save_under_a_typed_name(program, runtime, xvfb):
    editor = Editor(program, runtime, xvfb, prepare=with_skin_copy)
    try:
        editor.wait_window()
        editor.click(138, 214)
        editor.key("End")
        for _ in range(len("mine.bmp")):
            editor.key("BackSpace")
        editor.xdotool("type", "--delay", "80", "hero")
        editor.key("Return")
        ctrl(editor, "s")
        editor.answer(1, expected_buttons=1)
        assert os.path.exists(editor.path("gfx/skins/hero.bmp"))
        with open(editor.path("Options.cfg")) as f:
            assert f.read().split("\n")[13] == "hero", "the last skin is the name as typed"
        editor.close_until_asked()
        editor.answer(1)
        assert editor.wait_exit() == 0
    finally:
        editor.finish()


def test_quit_with_unsaved_changes_asks_each_question(program, runtime, xvfb):
    editor = Editor(program, runtime, xvfb, prepare=with_skin_copy)
    try:
        editor.wait_window()
        original = sheet_pixel(editor, "mine.bmp")
        paint_dot(editor)
        editor.key("Escape")
        editor.answer(2, expected_buttons=2)  # "No": keep editing
        editor.key("Escape")
        editor.answer(1, expected_buttons=2)  # "Yeah"
        editor.answer(3, expected_buttons=3)  # "Cancel" to saving: still running
        time.sleep(0.3)
        assert editor.proc.poll() is None
        editor.key("Escape")
        editor.answer(1)                      # quit
        editor.answer(1, expected_buttons=3)  # save, under the skin's own name
        editor.answer(2, expected_buttons=2)  # "Nevermind" to the overwrite: still running
        time.sleep(0.3)
        assert editor.proc.poll() is None
        assert sheet_pixel(editor, "mine.bmp") == original
        editor.key("Escape")
        editor.answer(1)
        editor.answer(2, expected_buttons=3)  # "No": quit without saving
        assert editor.wait_exit() == 0
        assert sheet_pixel(editor, "mine.bmp") == original
    finally:
        editor.finish()


if __name__ == "__main__":
    main([test_paint_undo_and_save_over_the_skin, test_save_under_a_typed_name,
          test_quit_with_unsaved_changes_asks_each_question])
