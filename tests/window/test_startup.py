"""The editor in a real window: start-up and the close button."""
from xharness import Editor, main


def test_close_button_writes_built_in_options(program, runtime, xvfb):
    with Editor(program, runtime, xvfb) as editor:
        assert editor.xdotool("getwindowname", editor.window) == "Moltwork v0.7a"
        editor.quit()
        with open(editor.path("Options.cfg")) as f:
            assert f.read().split("\n")[1::3] == [
                "Untitled.bmp", "gfx/packs/Classic/palette.bmp", "gfx/skins/", "yes", "0orva.bmp", "no", "no"]


main()
