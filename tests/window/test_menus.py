"""The editor in a real window, by mouse alone: the last skin loaded at start, every toolbar menu's
commands on real files, and a frame chooser."""
from xharness import CANVAS_POINT, LEFT_CANVAS, RIGHT_CANVAS, Editor, frame_point, main, own_skin

TITLE_X = {"File": 30, "Edit": 65, "Frames": 110}


def canvas(shot, x0):
    """The 16 x 16 frame a canvas shows, one pixel from the middle of each zoomed cell."""
    return [shot.pixel(*frame_point(i, j, x0)) for j in range(16) for i in range(16)]


def choose(editor, title, item_y):
    editor.click(TITLE_X[title], 140)
    editor.click(TITLE_X[title] + 20, item_y)
    return editor.capture(away=True)


def test_every_menu_by_mouse(program, runtime, xvfb):
    with Editor(program, runtime, xvfb, prepare=own_skin) as editor:
        shot = editor.capture(away=True)
        colour, before = shot.pixel(60, 436), shot.pixel(*CANVAS_POINT)
        assert before == editor.sheet_frame()[4, 4] != colour, "the last skin was loaded at start-up"
        editor.click(*CANVAS_POINT)
        choose(editor, "File", 170)  # Save over the skin loaded at start
        editor.answer(1, expected_buttons=2)  # "I know."
        editor.answer(1, expected_buttons=1)  # "Successfully saved the file."
        assert editor.sheet_frame()[4, 4] == colour

        shot = choose(editor, "Edit", 157)  # Undo
        assert shot.pixel(*CANVAS_POINT) == before, "undone"
        left, right = canvas(shot, LEFT_CANVAS), canvas(shot, RIGHT_CANVAS)
        assert left != right
        shot = choose(editor, "Frames", 188)  # Swap
        assert (canvas(shot, LEFT_CANVAS), canvas(shot, RIGHT_CANVAS)) == (right, left), "swapped"

        choose(editor, "File", 188)  # Export
        editor.answer(1, expected_buttons=1)
        with open(editor.path("SkinPreviews/mine.gif"), "rb") as gif:
            assert gif.read(6) == b"GIF89a"

        choose(editor, "File", 205)  # Load, after the question the swap calls for
        editor.answer(2, expected_buttons=3)  # "No"
        shot = editor.capture()
        assert (shot.pixel(*CANVAS_POINT), canvas(shot, RIGHT_CANVAS)) == (colour, right), "the saved skin is back"

        editor.click(495, 534)  # the left canvas's frame chooser: Walking
        editor.click(420, 439)
        shot = editor.capture(away=True)
        assert canvas(shot, LEFT_CANVAS) == canvas(shot, RIGHT_CANVAS)
        editor.quit()


main()
