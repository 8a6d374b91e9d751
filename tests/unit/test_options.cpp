#include "editor_harness.h"
#include "headless.h"

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const std::string HAND_EDITED = "my own comment\r\nFresh.bmp\r\n\r\n"
                                "edited\r\npal/p.bmp\r\n\r\n"
                                "\r\ngfx/skins/\r\n\r\n"
                                "???\r\nYes\r\n\r\n"
                                "\r\nhero\r\n\r\n"
                                "\r\nyes\r\n\r\n"
                                "\r\nyes ";

// Each test reads and writes Options.cfg in a directory of its own.
class OptionsFile : public InTemporaryFolder
{
  protected:
    void SetUp() override
    {
        InTemporaryFolder::SetUp();
        std::filesystem::create_directories("gfx/skins");
        reset();
    }
    static void reset()
    {
        filename.clear();
        new_skin_name.clear();
        options.palette_path = "gfx/packs/Classic/palette.bmp";
        options.skins_directory = "gfx/skins/";
        options.left_grid = options.right_grid = 0;
    }
};

// The text with its line ends replaced by the ones given, in turn.
std::string with_line_ends(const std::string &text, const std::vector<std::string> &ends)
{
    std::string out;
    size_t n = 0;
    for (const char c : text) {
        out += c == '\n' ? ends[n++ % ends.size()] : std::string(1, c);
    }
    return out;
}
} // namespace

TEST_F(OptionsFile, ValuesAreReadByPositionWhateverTheLineEndsAndWhatALineLacksKeepsItsBuiltIn)
{
    write_file("gfx/skins/hero.bmp", "x");
    write_file("gfx/skinsa.bmp", "x");
    write_file("gfx/skins/.bmp", "x"); // what the last skin .hero is saved as
    const std::string mac = "c\nMac.bmp\n\nc\n" + std::string(300, 'p') +
                            "\n\nc\nskins/\n\nc\nno\n\nc\n.hero\n\nc\nyes\n\nc\nyes";
    const std::string cut(CONFIG_LINE_SIZE - 1, 'p'); // a long line is cut in place
    const struct {
        std::string text;
        std::vector<std::string> values; // name, palette, folder, autoload, last skin, left and right grid
    } cases[] = {
        {HAND_EDITED, {"Fresh.bmp", "pal/p.bmp", "gfx/skins/", "Yes", "hero", "1", "0"}}, // kept as typed
        // gfx/skins + a.bmp is gfx/skinsa.bmp: the folder is a plain prefix
        {"c\nA.bmp\n\nc\npal.bmp\n\nc\ngfx/skins\n\nc\nno\n\nc\na\n\nc\nno\n\nc\nno",
         {"A.bmp", "pal.bmp", "gfx/skins", "no", "a", "0", "0"}},
        {"c\nShort.bmp\n\nc\nmy/palette.bmp",
         {"Short.bmp", "my/palette.bmp", "gfx/skins/", "yes", "0orva.bmp", "0", "0"}},
        {with_line_ends(mac, {"\r"}), {"Mac.bmp", cut, "skins/", "no", "0orva.bmp", "1", "1"}},
        {with_line_ends(mac, {"\r\n", "\n", "\r"}), {"Mac.bmp", cut, "skins/", "no", "0orva.bmp", "1", "1"}},
        {options_text("no", ".hero"),
         {"Untitled.bmp", "gfx/packs/Classic/palette.bmp", "gfx/skins/", "no", ".hero", "0", "0"}},
    };
    for (const auto &c : cases) {
        reset();
        write_file("Options.cfg", c.text);
        read_config();
        EXPECT_EQ(filename, new_skin_name);
        EXPECT_EQ(
            (std::vector<std::string>{new_skin_name, options.palette_path, options.skins_directory,
                                      options.autoload, options.last_skin, std::to_string(options.left_grid),
                                      std::to_string(options.right_grid)}),
            c.values)
            << c.text;
    }
}

TEST_F(OptionsFile, AFifoIsNeitherReadNorWrittenAndAFailedWriteKeepsTheOldFileWhole)
{
    const ChildResult result = run_in_child(dir, [] {
        alarm(10); // opening a FIFO blocks until a writer comes
        mkfifo("Options.cfg", 0644);
        read_config();
        EXPECT_EQ(options.palette_path, "gfx/packs/Classic/palette.bmp");
        EXPECT_EQ(filename, "");
        save_config();
        EXPECT_TRUE(std::filesystem::is_fifo("Options.cfg"));
        std::remove("Options.cfg");

        write_file("Options.cfg", HAND_EDITED);
        read_config();
        options.last_skin = "another.bmp";
        with_file_size_limit(100, save_config);
        EXPECT_EQ(read_file("Options.cfg"), HAND_EDITED);
    });
    EXPECT_EQ(result.exit_status, 0) << result.output;
}
