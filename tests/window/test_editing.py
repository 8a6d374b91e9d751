"""The editor in a real window: colours, keys, grids, power-ups and the wheel."""
import sys

from xharness import Editor, main, read_image, write_options

MAGENTA = (255, 0, 255)


def blank_start(program, runtime, xvfb):
    return Editor(program, runtime, xvfb, prepare=lambda workdir: write_options(workdir, "no", "0orva.bmp"))


def region(picture, x1, y1, x2, y2):
    return [picture.pixel(x, y) for y in range(y1, y2 + 1) for x in range(x1, x2 + 1)]


def test_picking_colours_with_both_buttons(program, runtime, xvfb):
    with blank_start(program, runtime, xvfb) as editor:
        editor.wait_window()
        palette = read_image(editor.path("gfx/packs/Classic/palette.bmp"))
        editor.click(22 + 18 * 7 + 8, 456)
        editor.click(22 + 18 * 4 + 8, 474, button=3)
        editor.move(700, 100)
        shot = editor.capture()
        assert shot.pixel(60, 436) == palette.pixel(7, 0), shot.pixel(60, 436)
        assert shot.pixel(200, 436) == palette.pixel(16, 0), shot.pixel(200, 436)
        editor.key("0")
        editor.key("minus")
        shot = editor.capture()
        assert shot.pixel(60, 436) == palette.pixel(8, 0)
        assert shot.pixel(200, 436) == palette.pixel(15, 0)
        editor.click(245, 456, button=3)
        assert editor.capture().pixel(200, 436) == MAGENTA


def test_grid_toggles(program, runtime, xvfb):
    with blank_start(program, runtime, xvfb) as editor:
        editor.wait_window()
        editor.move(700, 100)
        assert editor.capture().pixel(296, 360) == MAGENTA
        editor.chord("ctrl", "g")
        shot = editor.capture()
        assert shot.pixel(296, 360) == (0, 255, 0), shot.pixel(296, 360)
        assert shot.pixel(540, 360) == MAGENTA, "the right grid stays off"
        editor.chord("ctrl", "shift", "g")
        assert editor.capture().pixel(540, 360) == (0, 255, 0)


def test_power_up_on_and_off(program, runtime, xvfb):
    with blank_start(program, runtime, xvfb) as editor:
        editor.wait_window()
        preview = []
        for _ in range(3):  # before, with the cape, after turning it off again
            editor.move(700, 100)
            preview.append(region(editor.capture(), 273, 281, 656, 344))
            editor.click(290, 250)
        assert set(preview[0]) == {MAGENTA}, "a blank skin previews as the transparent colour"
        assert len(set(preview[1])) > 1, "the cape shows on the preview"
        assert preview[2] == preview[0]


def test_wheel_over_canvases_and_preview(program, runtime, xvfb):
    with blank_start(program, runtime, xvfb) as editor:
        editor.wait_window()
        editor.move(380, 450)
        shot = editor.capture()
        label, mode = region(shot, 480, 358, 510, 517), region(shot, 659, 283, 766, 326)
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


if __name__ == "__main__":
    main(sys.modules[__name__])
