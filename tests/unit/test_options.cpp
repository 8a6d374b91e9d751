#include "app/app.h"
#include "editor_harness.h"
#include "headless.h"
#include "tools/tools.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
const std::string BUILT_IN_FILE = "***Following line should contain the desired default filename***\n"
                                  "Untitled.bmp\n"
                                  "\n"
                                  "***Next line should contain location of palette bitmap***\n"
                                  "gfx/packs/Classic/palette.bmp\n"
                                  "\n"
                                  "***Next line should contain directory of loaded/saved skins***\n"
                                  "gfx/skins/\n"
                                  "\n"
                                  "***Enable autoloading of last skin?***\n"
                                  "yes\n"
                                  "\n"
                                  "***Next line auto-updates with the name of the last skin opened***\n"
                                  "0orva.bmp\n"
                                  "\n"
                                  "***Start program with left pixel grid on?***\n"
                                  "no\n"
                                  "\n"
                                  "***Start program with right pixel grid on?***\n"
                                  "no";

// Each test reads and writes Options.cfg in a directory of its own.
class OptionsFile : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        start_headless_library();
        char pattern[] = "/tmp/moltwork-options-XXXXXX";
        dir = mkdtemp(pattern);
        ASSERT_TRUE(getcwd(previous, sizeof previous));
        ASSERT_EQ(chdir(dir.c_str()), 0);
        mkdir("gfx", 0755);
        mkdir("gfx/skins", 0755);
        filename.clear();
        defaultname.clear();
        palette_dir = "gfx/packs/Classic/palette.bmp";
        directory = "gfx/skins/";
        show_left_grid = show_right_grid = 0;
    }
    void TearDown() override { ASSERT_EQ(chdir(previous), 0); }

    std::string dir;
    char previous[4096];
};
} // namespace

TEST_F(OptionsFile, MissingFileKeepsBuiltInsAndWritesThemBack)
{
    read_config();
    EXPECT_EQ(filename, "");
    EXPECT_EQ(defaultname, "");
    EXPECT_EQ(palette_dir, "gfx/packs/Classic/palette.bmp");
    EXPECT_EQ(directory, "gfx/skins/");
    EXPECT_EQ(config_file[7], "yes");
    save_config();
    EXPECT_EQ(read_file("Options.cfg"), BUILT_IN_FILE);
}

TEST_F(OptionsFile, HandEditedFileReadsByPositionAndRewritesComments)
{
    write_file("gfx/skins/hero.bmp", "x");
    write_file("Options.cfg", "my own comment\r\n"
                              "Fresh.bmp\r\n"
                              "\r\n"
                              "edited\r\n"
                              "pal/p.bmp\r\n"
                              "\r\n"
                              "\r\n"
                              "gfx/skins/\r\n"
                              "\r\n"
                              "???\r\n"
                              "Yes\r\n"
                              "\r\n"
                              "\r\n"
                              "hero\r\n"
                              "\r\n"
                              "\r\n"
                              "yes\r\n"
                              "\r\n"
                              "\r\n"
                              "yes ");
    read_config();
    EXPECT_EQ(defaultname, "Fresh.bmp");
    EXPECT_EQ(filename, "Fresh.bmp");
    EXPECT_EQ(palette_dir, "pal/p.bmp");
    EXPECT_EQ(config_file[7], "Yes") << "a capitalised Yes is kept as typed (and means no)";
    EXPECT_EQ(config_file[9], "hero") << "hero.bmp exists, so the name stays without extension";
    EXPECT_EQ(show_left_grid, 1);
    EXPECT_EQ(show_right_grid, 0) << "\"yes \" with a blank is not yes";

    save_config();
    std::string expected = BUILT_IN_FILE;
    auto replace = [&](const std::string &from, const std::string &to) {
        expected.replace(expected.find(from), from.size(), to);
    };
    replace("Untitled.bmp", "Fresh.bmp");
    replace("gfx/packs/Classic/palette.bmp", "pal/p.bmp");
    replace("\nyes\n", "\nYes\n");
    replace("0orva.bmp", "hero");
    replace("left pixel grid on?***\nno", "left pixel grid on?***\nyes");
    EXPECT_EQ(read_file("Options.cfg"), expected);
}

TEST_F(OptionsFile, MissingLastSkinFallsBackToTheDefaultSkin)
{
    write_file("Options.cfg",
               "c\nA.bmp\n\nc\npal.bmp\n\nc\ngfx/skins/\n\nc\nno\n\nc\ngone.bmp\n\nc\nno\n\nc\nno");
    read_config();
    EXPECT_EQ(config_file[9], "0orva.bmp");
}

TEST_F(OptionsFile, SkinsDirectoryIsAPlainPrefix)
{
    write_file("gfx/skinsa.bmp", "x");
    write_file("Options.cfg", "c\nA.bmp\n\nc\npal.bmp\n\nc\ngfx/skins\n\nc\nno\n\nc\na\n\nc\nno\n\nc\nno");
    read_config();
    EXPECT_EQ(config_file[9], "a") << "gfx/skins + a.bmp is gfx/skinsa.bmp, which exists";
}

TEST_F(OptionsFile, ShortFileKeepsBuiltInsForWhatItLacks)
{
    write_file("Options.cfg", "c\nShort.bmp\n\nc\nmy/palette.bmp");
    read_config();
    EXPECT_EQ(defaultname, "Short.bmp");
    EXPECT_EQ(palette_dir, "my/palette.bmp");
    EXPECT_EQ(directory, "gfx/skins/");
    EXPECT_EQ(config_file[7], "yes");
    EXPECT_EQ(config_file[9], "0orva.bmp");
    EXPECT_EQ(show_left_grid, 0);
}

TEST_F(OptionsFile, OverlongLineIsCutAndLaterLinesStayInPlace)
{
    const std::string long_name(300, 'p');
    write_file("Options.cfg",
               "c\nA.bmp\n\nc\n" + long_name + "\n\nc\nskins/\n\nc\nno\n\nc\nx\n\nc\nyes\n\nc\nyes");
    read_config();
    EXPECT_EQ(palette_dir, std::string(CONFIG_LINE_SIZE - 1, 'p'));
    EXPECT_EQ(directory, "skins/");
    EXPECT_EQ(config_file[7], "no");
    EXPECT_EQ(show_left_grid, 1);
    EXPECT_EQ(show_right_grid, 1);
}

TEST_F(OptionsFile, GridStateAtWriteTimeIsWritten)
{
    read_config();
    show_right_grid = 1;
    save_config();
    const std::string written = read_file("Options.cfg");
    EXPECT_NE(written.find("right pixel grid on?***\nyes"), std::string::npos);
    EXPECT_EQ(written.substr(written.size() - 3), "yes") << "no line break after the last line";
}
