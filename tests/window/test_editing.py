"""The editor in a real window: picking colours with both real buttons."""
import sys

from xharness import Editor, main, read_image, write_options


def test_picking_colours_with_both_buttons(program, runtime, xvfb):
    with Editor(program, runtime, xvfb, prepare=lambda w: write_options(w, "no", "0orva.bmp")) as editor:
        palette = read_image(editor.path("gfx/packs/Classic/palette.bmp"))
        editor.click(22 + 18 * 7 + 8, 456)
        editor.click(22 + 18 * 4 + 8, 474, button=3)
        editor.move(700, 100)
        shot = editor.capture()
        assert shot.pixel(60, 436) == palette.pixel(7, 0), shot.pixel(60, 436)
        assert shot.pixel(200, 436) == palette.pixel(16, 0), shot.pixel(200, 436)


if __name__ == "__main__":
    main(sys.modules[__name__])
