"""The launcher started on a skin in another folder, named relative to where it was run: painted on and
saved back there, with Options.cfg left as it was."""
import os
import shutil
import tempfile

from xharness import CANVAS_POINT, Editor, main, own_skin, read_image


def option_values(editor):
    with open(editor.path("Options.cfg")) as f:
        return [block.split("\n")[1] for block in f.read().split("\n\n")]


def test_open_paint_and_save_a_skin_from_another_folder(program, runtime, xvfb):
    launcher = os.path.join(os.path.dirname(os.path.abspath(program)), "run-moltwork")
    downloads = tempfile.mkdtemp(prefix="moltwork-downloads-")
    hero = os.path.join(downloads, "hero.bmp")
    try:
        shutil.copyfile(os.path.join(runtime, "gfx", "skins", "0orva.bmp"), hero)
        with Editor(launcher, runtime, xvfb, prepare=own_skin, args=["hero.bmp"], cwd=downloads) as editor:
            options = option_values(editor)
            shot = editor.capture(away=True)
            colour = shot.pixel(60, 436)
            assert shot.pixel(*CANVAS_POINT) == read_image(hero).pixel(8, 8) != colour
            editor.click(*CANVAS_POINT)
            editor.save()
            assert read_image(hero).pixel(8, 8) == colour
            editor.quit()
            assert option_values(editor) == options  # the comments are rewritten, never the values
            assert not os.path.exists(editor.path("gfx/skins/hero.bmp"))
    finally:
        shutil.rmtree(downloads, ignore_errors=True)


main()
