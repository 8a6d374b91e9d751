"""The editor in a real window: the last skin loaded at start, painted on and saved over by keys."""
from xharness import CANVAS_POINT, Editor, main, own_skin


def test_paint_and_save_over_the_skin(program, runtime, xvfb):
    with Editor(program, runtime, xvfb, prepare=own_skin) as editor:
        shot = editor.capture(away=True)
        colour, before = shot.pixel(60, 436), shot.pixel(*CANVAS_POINT)
        assert before == editor.sheet_pixel("mine.bmp") != colour, "the last skin was loaded at start-up"
        editor.click(*CANVAS_POINT)
        assert editor.capture(away=True).pixel(*CANVAS_POINT) == colour
        editor.hold("ctrl+s")
        editor.answer(1, expected_buttons=2)  # "I know."
        editor.answer(1, expected_buttons=1)  # "Successfully saved the file."
        assert editor.sheet_pixel("mine.bmp") == colour
        editor.quit()  # nothing unsaved, so no save question


main()
