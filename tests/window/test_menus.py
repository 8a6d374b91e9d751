"""The editor in a real window, by mouse alone: every toolbar menu's commands on real files, and a
frame chooser."""
import os
import shutil
import sys

from xharness import Editor, main, read_image, write_options

LEFT, RIGHT, TOP = 285, 529, 355
TITLE_X = {"File": 30, "Edit": 65, "Frames": 110}


def canvas(shot, x0):
    """The 16 x 16 frame a canvas shows, one pixel from the middle of each zoomed cell."""
    return [shot.pixel(x0 + 12 * i + 6, TOP + 12 * j + 6) for j in range(16) for i in range(16)]


def choose(editor, title, item_y):
    editor.click(TITLE_X[title], 140)
    editor.click(TITLE_X[title] + 20, item_y)
    editor.move(700, 100)


def test_every_menu_by_mouse(program, runtime, xvfb):
    def prepare(workdir):
        skins = os.path.join(workdir, "gfx", "skins")
        shutil.copyfile(os.path.join(skins, "0orva.bmp"), os.path.join(skins, "mine.bmp"))
        write_options(workdir, "yes", "mine.bmp")

    with Editor(program, runtime, xvfb, prepare=prepare) as editor:
        spot = (LEFT + 12 * 4 + 6, TOP + 12 * 4 + 6)
        shot = editor.capture()
        colour, before = shot.pixel(60, 436), shot.pixel(*spot)
        editor.click(*spot)
        choose(editor, "File", 170)  # Save over the skin loaded at start
        editor.answer(1, expected_buttons=2)  # "I know."
        editor.answer(1, expected_buttons=1)  # "Successfully saved the file."
        assert read_image(editor.path("gfx/skins/mine.bmp")).pixel(8, 8) == colour

        choose(editor, "Edit", 157)  # Undo
        shot = editor.capture()
        assert shot.pixel(*spot) == before, "undone"
        left, right = canvas(shot, LEFT), canvas(shot, RIGHT)
        assert left != right
        choose(editor, "Frames", 188)  # Swap
        shot = editor.capture()
        assert (canvas(shot, LEFT), canvas(shot, RIGHT)) == (right, left), "swapped"

        choose(editor, "File", 188)  # Export
        editor.answer(1, expected_buttons=1)
        with open(editor.path("SkinPreviews/mine.gif"), "rb") as gif:
            assert gif.read(6) == b"GIF89a"

        choose(editor, "File", 205)  # Load, after the question the swap calls for
        editor.answer(2, expected_buttons=3)  # "No"
        shot = editor.capture()
        assert shot.pixel(*spot) == colour, "the saved skin is back"
        assert canvas(shot, RIGHT) == right

        editor.click(495, 534)  # the left canvas's frame chooser: Walking
        editor.click(420, 439)
        editor.move(700, 100)
        shot = editor.capture()
        assert canvas(shot, LEFT) == canvas(shot, RIGHT)
        editor.quit()


if __name__ == "__main__":
    main(sys.modules[__name__])
