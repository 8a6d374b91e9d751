"""The editor in a real window: colours, keys, grids, power-ups and the wheel."""
import os
import time

from xharness import Editor, main, read_bmp

NO_AUTOLOAD = ("c\nUntitled.bmp\n\nc\ngfx/packs/Classic/palette.bmp\n\nc\ngfx/skins/\n\n"
               "c\nno\n\nc\n0orva.bmp\n\nc\nno\n\nc\nno")


def blank_start(workdir):
    with open(os.path.join(workdir, "Options.cfg"), "w") as f:
        f.write(NO_AUTOLOAD)


def palette_of(editor):
    return read_bmp(editor.path("gfx/packs/Classic/palette.bmp"))[0]


def region(picture, x1, y1, x2, y2):
    return [picture.pixel(x, y) for y in range(y1, y2 + 1) for x in range(x1, x2 + 1)]


def test_picking_colours_with_both_buttons(program, runtime, xvfb):
    editor = Editor(program, runtime, xvfb, prepare=blank_start)
    try:
        editor.wait_window()
        base = palette_of(editor)
        editor.click(22 + 18 * 7 + 8, 456)
        editor.click(22 + 18 * 4 + 8, 474, button=3)
        editor.move(700, 100)
        shot = editor.capture()
        assert shot.pixel(60, 436) == base[7], (shot.pixel(60, 436), base[7])
        assert shot.pixel(200, 436) == base[16], (shot.pixel(200, 436), base[16])
        editor.key("0")
        editor.key("minus")
        shot = editor.capture()
        assert shot.pixel(60, 436) == base[8]
        assert shot.pixel(200, 436) == base[15]
        editor.click(245, 456, button=3)
        assert editor.capture().pixel(200, 436) == (255, 0, 255)
    finally:
        editor.finish()


def test_grid_toggles(program, runtime, xvfb):
    editor = Editor(program, runtime, xvfb, prepare=blank_start)
    try:
        editor.wait_window()
        editor.move(700, 100)
        assert editor.capture().pixel(296, 360) == (255, 0, 255)
        editor.xdotool("keydown", "ctrl")
        editor.key("g")
        editor.xdotool("keyup", "ctrl")
        time.sleep(0.1)
        shot = editor.capture()
        assert shot.pixel(296, 360) == (0, 255, 0), shot.pixel(296, 360)
        assert shot.pixel(540, 360) == (255, 0, 255), "the right grid stays off"
        editor.xdotool("keydown", "ctrl")
        editor.xdotool("keydown", "shift")
        editor.key("g")
        editor.xdotool("keyup", "shift")
        editor.xdotool("keyup", "ctrl")
        time.sleep(0.1)
        assert editor.capture().pixel(540, 360) == (0, 255, 0)
    finally:
        editor.finish()


def test_power_up_on_and_off(program, runtime, xvfb):
    editor = Editor(program, runtime, xvfb, prepare=blank_start)
    try:
        editor.wait_window()
        editor.move(700, 100)
        before = region(editor.capture(), 273, 281, 656, 344)
        assert set(before) == {(255, 0, 255)}, "a blank skin previews as the transparent colour"
        editor.click(290, 250)
        editor.move(700, 100)
        with_cape = region(editor.capture(), 273, 281, 656, 344)
        assert len(set(with_cape)) > 1, "the cape shows on the preview"
        editor.click(290, 250)
        editor.move(700, 100)
        assert region(editor.capture(), 273, 281, 656, 344) == before
    finally:
        editor.finish()


def test_wheel_over_canvases_and_preview(program, runtime, xvfb):
    editor = Editor(program, runtime, xvfb, prepare=blank_start)
    try:
        editor.wait_window()
        editor.move(380, 450)
        label = region(editor.capture(), 480, 358, 510, 517)
        mode = region(editor.capture(), 659, 283, 766, 326)
        editor.click(380, 450, button=4)
        shot = editor.capture()
        assert region(shot, 480, 358, 510, 517) != label, "the left canvas shows another frame"
        assert region(shot, 480, 358, 510, 517) == region(shot, 724, 358, 754, 517), \
            "one wheel step up shows Walking, as on the right canvas"
        editor.click(380, 450, button=5)
        assert region(editor.capture(), 480, 358, 510, 517) == label
        editor.click(450, 300, button=5)
        assert region(editor.capture(), 659, 283, 766, 326) != mode, "the preview mode changed"
        editor.click(450, 300, button=4)
        assert region(editor.capture(), 659, 283, 766, 326) == mode
    finally:
        editor.finish()


if __name__ == "__main__":
    main([test_picking_colours_with_both_buttons, test_grid_toggles, test_power_up_on_and_off,
          test_wheel_over_canvases_and_preview])
