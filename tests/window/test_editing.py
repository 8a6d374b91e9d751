"""The editor in a real window: picking colours with both real buttons."""
from xharness import Editor, main, read_image


def test_picking_colours_with_both_buttons(program, runtime, xvfb):
    with Editor(program, runtime, xvfb) as editor:
        palette = read_image(editor.path("gfx/packs/Classic/palette.bmp"))
        editor.click(22 + 18 * 7 + 8, 456)
        editor.click(22 + 18 * 4 + 8, 474, button=3)
        shot = editor.capture(away=True)
        assert (shot.pixel(60, 436), shot.pixel(200, 436)) == (palette.pixel(7, 0), palette.pixel(16, 0))


main()
