"""The editor in a real window: the ellipse, rectangle and line dragged every way round, with Shift and
Ctrl and with either button, saved and compared cell by cell with the frame they should give; then each
taken back with Ctrl+Z, saved and compared again."""
import time

from xharness import Editor, main, own_skin, read_image

# A busy machine may run passes far apart; a key or button held this long is seen by at least one.
LONG_HOLD = 0.3


def canvas_point(x, y):
    """The middle of frame pixel (x, y) on the left canvas."""
    return 285 + 12 * x + 6, 355 + 12 * y + 6


def picture(x0, y0, rows):
    return {(x0 + x, y0 + y) for y, row in enumerate(rows) for x, c in enumerate(row) if c == "#"}


def outline(x1, y1, x2, y2):
    return {(x, y) for x in range(x1, x2 + 1) for y in range(y1, y2 + 1) if x in (x1, x2) or y in (y1, y2)}


# Tool key, button (1 left, 3 right), keys held, press and release pixels, the pixels it paints.
STROKES = [
    ("r", 1, [], (1, 1), (4, 3), outline(1, 1, 4, 3)),
    # Shift: a square, as wide as the shorter drag, here up and to the left.
    ("r", 1, ["shift"], (14, 14), (8, 12), outline(12, 12, 14, 14)),
    # Ctrl: the press is the centre.
    ("e", 1, ["ctrl"], (8, 8), (11, 10), picture(5, 6, ["..###..", "##...##", "#.....#", "##...##", "..###.."])),
    ("e", 1, [], (15, 0), (12, 3), picture(12, 0, [".##.", "#..#", "#..#", ".##."])),
    ("l", 3, [], (0, 15), (4, 11), {(i, 15 - i) for i in range(5)}),
]


def hold(editor, down, up, what):
    editor.xdotool(down, what)
    time.sleep(LONG_HOLD)
    editor.xdotool(up, what)
    time.sleep(LONG_HOLD)


def drag(editor, button, keys, press, release):
    for key in keys:
        editor.xdotool("keydown", key)
    editor.move(*canvas_point(*press))
    editor.xdotool("mousedown", button)
    time.sleep(LONG_HOLD)
    middle = [(a + b) // 2 for a, b in zip(press, release)]
    editor.move(*canvas_point(*middle))
    editor.move(*canvas_point(*release))
    time.sleep(LONG_HOLD)
    editor.xdotool("mouseup", button)
    time.sleep(LONG_HOLD)
    for key in keys:
        editor.xdotool("keyup", key)


def saved_frame(editor):
    """The standing frame of the saved skin, cell by cell (a sheet holds each frame pixel twice as big)."""
    editor.hold("ctrl+s")
    editor.answer(1, expected_buttons=2)  # "I know."
    editor.answer(1, expected_buttons=1)  # "Successfully saved the file."
    return frame_of(editor)


def frame_of(editor):
    sheet = read_image(editor.path("gfx/skins/mine.bmp"))
    return {(x, y): sheet.pixel(2 * x, 2 * y) for y in range(16) for x in range(16)}


def differences(got, expected):
    return sorted((cell, got[cell], expected[cell]) for cell in expected if got[cell] != expected[cell])


def test_shapes_dragged_saved_and_undone(program, runtime, xvfb):
    with Editor(program, runtime, xvfb, prepare=own_skin) as editor:
        palette = read_image(editor.path("gfx/packs/Classic/palette.bmp"))
        for x, y, button in ((22 + 18 * 7 + 8, 456, 1), (22 + 18 * 4 + 8, 474, 3)):
            editor.move(x, y)
            hold(editor, "mousedown", "mouseup", button)
        colours = {1: palette.pixel(7, 0), 3: palette.pixel(16, 0)}
        states = [frame_of(editor)]
        for key, button, keys, press, release, pixels in STROKES:
            hold(editor, "keydown", "keyup", key)
            drag(editor, button, keys, press, release)
            states.append(states[-1] | {p: colours[button] for p in pixels})
        assert not (wrong := differences(saved_frame(editor), states[-1])), wrong
        for stroke, expected in reversed(list(zip(STROKES, states))):
            hold(editor, "keydown", "keyup", "ctrl+z")
            assert not (wrong := differences(saved_frame(editor), expected)), ("undoing", stroke[:5], wrong)
        editor.quit()


main()
