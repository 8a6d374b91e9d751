"""The editor in a real window: picking and stepping colours with real buttons and keys."""
import sys

from xharness import Editor, main, read_image, write_options

MAGENTA = (255, 0, 255)


def blank_start(program, runtime, xvfb):
    return Editor(program, runtime, xvfb, prepare=lambda workdir: write_options(workdir, "no", "0orva.bmp"))


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


if __name__ == "__main__":
    main(sys.modules[__name__])
