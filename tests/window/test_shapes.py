"""The editor in a real window: the ellipse, rectangle and line dragged every way round, with Shift and
Ctrl and with either button, saved and compared cell by cell with the frame they should give; then each
taken back with Ctrl+Z, saved and compared again."""
import time

from xharness import Editor, frame_point, main, own_skin, read_image

# A busy machine may run passes far apart; a key or button held this long is seen by at least one.
LONG_HOLD = 0.3


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


def drag(editor, button, keys, press, release):
    for key in keys:
        editor.xdotool("keydown", key)
    editor.move(*frame_point(*press))
    editor.xdotool("mousedown", button)
    time.sleep(LONG_HOLD)
    middle = [(a + b) // 2 for a, b in zip(press, release)]
    editor.move(*frame_point(*middle))
    editor.move(*frame_point(*release))
    time.sleep(LONG_HOLD)
    editor.xdotool("mouseup", button)
    time.sleep(LONG_HOLD)
    for key in keys:
        editor.xdotool("keyup", key)


def saved_frame(editor):
    editor.save()
    return editor.sheet_frame()


def differences(got, expected):
    return sorted((cell, got[cell], expected[cell]) for cell in expected if got[cell] != expected[cell])


def test_shapes_dragged_saved_and_undone(program, runtime, xvfb):
    with Editor(program, runtime, xvfb, prepare=own_skin) as editor:
        palette = read_image(editor.path("gfx/packs/Classic/palette.bmp"))
        for x, y, button in ((22 + 18 * 7 + 8, 456, 1), (22 + 18 * 4 + 8, 474, 3)):
            editor.move(x, y)
            editor.hold(button, "mousedown", "mouseup", LONG_HOLD)
        colours = {1: palette.pixel(7, 0), 3: palette.pixel(16, 0)}
        states = [editor.sheet_frame()]
        for key, button, keys, press, release, pixels in STROKES:
            editor.hold(key, seconds=LONG_HOLD)
            drag(editor, button, keys, press, release)
            states.append(states[-1] | {p: colours[button] for p in pixels})
        assert not (wrong := differences(saved_frame(editor), states[-1])), wrong
        for stroke, expected in reversed(list(zip(STROKES, states))):
            editor.hold("ctrl+z", seconds=LONG_HOLD)
            assert not (wrong := differences(saved_frame(editor), expected)), ("undoing", stroke[:5], wrong)
        editor.quit()


main()
