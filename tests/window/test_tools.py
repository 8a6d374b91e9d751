"""The fill modes and a brush stamp in a real window, checked pixel by pixel on the saved sheet."""
import os
import struct

import xharness
from xharness import Editor, frame_point, main, read_image

MAGENTA, RED, GREEN, BLUE = (255, 0, 255), (255, 0, 0), (0, 160, 0), (0, 0, 255)
# The standing frame of a skin of our own: a red pair touching at the corners, a blue pair
# likewise, and two green pixels far apart.
PAINTED = {(1, 1): RED, (2, 2): RED, (1, 10): BLUE, (2, 11): BLUE, (1, 5): GREEN, (12, 5): GREEN}
FILL_BOXES = (65, 138, 209)  # the middles of the three mode boxes, at y 535
BRUSH = 10


def own_skin(workdir):
    """mine.bmp, loaded at start-up, holds PAINTED as its standing frame: a 24-bit BMP, rows bottom up."""
    xharness.own_skin(workdir)
    pixels = b"".join(bytes(reversed(PAINTED.get((x // 2, y // 2), MAGENTA) if x < 32 else MAGENTA))
                      for y in reversed(range(32)) for x in range(192))
    with open(os.path.join(workdir, "gfx", "skins", "mine.bmp"), "wb") as f:
        f.write(struct.pack("<2sIHHIIiiHHIIiiII", b"BM", 54 + len(pixels), 0, 0, 54, 40, 192, 32, 1, 24, 0,
                            len(pixels), 2835, 2835, 0, 0) + pixels)


def panel_difference(editor, pictures):
    """The first pixel where the panel under the palette differs from a picture drawn on it."""
    shot = editor.capture(away=True)
    for name, (left, top) in pictures.items():
        picture = read_image(editor.path("Moltwork/" + name))
        for y in range(picture.height):
            for x in range(picture.width):
                if picture.pixel(x, y) != MAGENTA and shot.pixel(left + x, top + y) != picture.pixel(x, y):
                    return name, x, y
    return None


def repeat_until(act, difference):
    """Acts until difference() finds none: an input the editor did not see (a busy machine can
    deliver press and release within one pass) is repeated, as every input here is harmless twice."""
    for _ in range(3):
        act()
        if not (found := difference()):
            return
    raise AssertionError(found)


def click_until(editor, point, difference):
    repeat_until(lambda: editor.click(*point), difference)


def choose(editor, act, pictures):
    repeat_until(act, lambda: panel_difference(editor, pictures))


def fill(editor, pixel, color):
    point = frame_point(*pixel)
    click_until(editor, point, lambda: editor.capture(away=True).pixel(*point) != color and pixel)


def brush_stamp(editor, centre, color):
    """What the chosen brush leaves with its pixel (4, 4) on frame pixel centre."""
    sheet = read_image(editor.path("Moltwork/Brushes.png"))
    left, top = 9 * (BRUSH % 8), 9 * (BRUSH // 8)
    stamp = {}
    for j in range(8):
        for i in range(8):
            x, y = centre[0] - 4 + i, centre[1] - 4 + j
            if sheet.pixel(left + i, top + j) != (128, 0, 255) and 0 <= x < 16 and 0 <= y < 16:
                stamp[(x, y)] = color
    return stamp


def test_fill_modes_and_brush_stamp(program, runtime, xvfb):
    with Editor(program, runtime, xvfb, prepare=own_skin) as editor:
        palette = read_image(editor.path("gfx/packs/Classic/palette.bmp"))
        color = palette.pixel(7, 0)
        click_until(editor, (22 + 18 * 7 + 8, 456),
                    lambda: editor.capture(away=True).pixel(60, 436) != color and "no colour picked")
        choose(editor, lambda: editor.hold("f"), {"Continuous.png": (42, 512), "NonContinuous.png": (114, 512),
                                                 "8way.png": (186, 512), "FillModeArrow.png": (42, 494)})
        expected = {(x, y): PAINTED.get((x, y), MAGENTA) for y in range(16) for x in range(16)}
        for mode, start, changed in ((0, (1, 1), [(1, 1)]), (2, (1, 10), [(1, 10), (2, 11)]),
                                     (1, (1, 5), [(1, 5), (12, 5)])):
            choose(editor, lambda: editor.click(FILL_BOXES[mode], 535), {"FillModeArrow.png": (42 + 72 * mode, 494)})
            fill(editor, start, color)
            expected.update((point, color) for point in changed)

        choose(editor, lambda: editor.hold("b"), {"BrushHighlight.png": (28, 494)})
        choose(editor, lambda: editor.click(24 + 27 * (BRUSH % 8) + 12, [497, 524, 551][BRUSH // 8] + 12),
               {"BrushHighlight.png": (28 + 27 * (BRUSH % 8), 494 + 27 * (BRUSH // 8))})
        fill(editor, (8, 8), color)  # the stamp covers its own middle
        expected.update(brush_stamp(editor, (8, 8), color))

        editor.save()
        saved = editor.sheet_frame()
        assert saved == expected, sorted((p, saved[p], expected[p]) for p in expected if saved[p] != expected[p])
        editor.quit()


main()
