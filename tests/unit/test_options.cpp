#include "app/app.h"
#include "editor_harness.h"
#include "headless.h"
#include "tools/tools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
// One option per line: its comment, its value, and the blank line between.
const std::string BUILT_IN_FILE =
    "***Following line should contain the desired default filename***\nUntitled.bmp\n\n"
    "***Next line should contain location of palette bitmap***\ngfx/packs/Classic/palette.bmp\n\n"
    "***Next line should contain directory of loaded/saved skins***\ngfx/skins/\n\n"
    "***Enable autoloading of last skin?***\nyes\n\n"
    "***Next line auto-updates with the name of the last skin opened***\n0orva.bmp\n\n"
    "***Start program with left pixel grid on?***\nno\n\n"
    "***Start program with right pixel grid on?***\nno";

// Each test reads and writes Options.cfg in a directory of its own.
class OptionsFile : public InTemporaryFolder
{
  protected:
    void SetUp() override
    {
        InTemporaryFolder::SetUp();
        mkdir("gfx", 0755);
        mkdir("gfx/skins", 0755);
        filename.clear();
        defaultname.clear();
        palette_dir = "gfx/packs/Classic/palette.bmp";
        directory = "gfx/skins/";
        show_left_grid = show_right_grid = 0;
    }
};
} // namespace

TEST_F(OptionsFile, MissingFileKeepsBuiltInsAndWritesThemBackWithTheGridsAsTheyAreNow)
{
    read_config();
    EXPECT_EQ(filename, "");
    EXPECT_EQ(defaultname, "");
    EXPECT_EQ(palette_dir, "gfx/packs/Classic/palette.bmp");
    EXPECT_EQ(directory, "gfx/skins/");
    EXPECT_EQ(config_file[7], "yes");
    show_right_grid = 1;
    save_config();
    EXPECT_EQ(read_file("Options.cfg"), BUILT_IN_FILE.substr(0, BUILT_IN_FILE.size() - 2) + "yes");
}

TEST_F(OptionsFile, HandEditedFileReadsByPositionAndRewritesComments)
{
    write_file("gfx/skins/hero.bmp", "x");
    write_file("Options.cfg", "my own comment\r\nFresh.bmp\r\n\r\n"
                              "edited\r\npal/p.bmp\r\n\r\n"
                              "\r\ngfx/skins/\r\n\r\n"
                              "???\r\nYes\r\n\r\n"
                              "\r\nhero\r\n\r\n"
                              "\r\nyes\r\n\r\n"
                              "\r\nyes ");
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
    for (const auto &[from, to] : {std::pair<std::string, std::string>{"Untitled.bmp", "Fresh.bmp"},
                                   {"gfx/packs/Classic/palette.bmp", "pal/p.bmp"},
                                   {"\nyes\n", "\nYes\n"},
                                   {"0orva.bmp", "hero"},
                                   {"left pixel grid on?***\nno", "left pixel grid on?***\nyes"}}) {
        expected.replace(expected.find(from), from.size(), to);
    }
    EXPECT_EQ(read_file("Options.cfg"), expected);
}

TEST_F(OptionsFile, LastSkinStaysOnlyWhenTheDirectoryPlusItsNameExists)
{
    write_file("Options.cfg", options_text("no", "gone.bmp", "pal.bmp"));
    read_config();
    EXPECT_EQ(config_file[9], "0orva.bmp");
    write_file("gfx/skinsa.bmp", "x");
    write_file("Options.cfg", "c\nA.bmp\n\nc\npal.bmp\n\nc\ngfx/skins\n\nc\nno\n\nc\na\n\nc\nno\n\nc\nno");
    read_config();
    EXPECT_EQ(config_file[9], "a") << "gfx/skins + a.bmp is gfx/skinsa.bmp, a plain prefix";
}

TEST_F(OptionsFile, AShortFileKeepsTheBuiltInsOfTheLinesItLacks)
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

TEST_F(OptionsFile, LinesEndAtCrLfOrCrLfAsTheLibraryReadsThemAndDotNamesCount)
{
    write_file("gfx/skins/.bmp", "x"); // what the last skin .hero is saved as
    const std::vector<std::string> lines = {"c",  "Mac.bmp", "",       "c",     std::string(300, 'p'),
                                            "",   "c",       "skins/", "",      "c",
                                            "no", "",        "c",      ".hero", "",
                                            "c",  "yes",     "",       "c",     "yes"};
    for (const std::vector<std::string> &ends :
         std::vector<std::vector<std::string>>{{"\r"}, {"\r", "\r\n", "\n"}, {"\r\n", "\n", "\r"}}) {
        std::string text;
        for (size_t i = 0; i < lines.size(); ++i) {
            text += lines[i] + (i + 1 < lines.size() ? ends[i % ends.size()] : "");
        }
        write_file("Options.cfg", text);
        directory = "gfx/skins/";
        show_left_grid = show_right_grid = 0;
        read_config();
        SCOPED_TRACE(ends.size());
        EXPECT_EQ(defaultname, "Mac.bmp");
        EXPECT_EQ(palette_dir, std::string(CONFIG_LINE_SIZE - 1, 'p')) << "a long line is cut in place";
        EXPECT_EQ(directory, "skins/");
        EXPECT_EQ(config_file[7], "no");
        EXPECT_EQ(config_file[9], "0orva.bmp") << "skins/.bmp does not exist";
        EXPECT_EQ(show_left_grid, 1);
        EXPECT_EQ(show_right_grid, 1);
    }
    write_file("Options.cfg", options_text("no", ".hero"));
    read_config();
    EXPECT_EQ(config_file[9], ".hero") << "gfx/skins/.bmp exists, though its name begins with a dot";
}

TEST_F(OptionsFile, AFifoIsNeitherReadNorWrittenAndAFailedWriteKeepsTheOldFileWhole)
{
    const ChildResult result = run_in_child(dir, [] {
        alarm(10); // opening a FIFO blocks until a writer comes
        mkfifo("Options.cfg", 0644);
        read_config();
        EXPECT_EQ(palette_dir, "gfx/packs/Classic/palette.bmp");
        EXPECT_EQ(filename, "");
        save_config();
        EXPECT_TRUE(std::filesystem::is_fifo("Options.cfg"));
        std::remove("Options.cfg");

        write_file("Options.cfg", BUILT_IN_FILE);
        read_config();
        config_file[9] = "another.bmp";
        with_file_size_limit(100, save_config);
        EXPECT_EQ(read_file("Options.cfg"), BUILT_IN_FILE);
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(".")) {
            names.push_back(entry.path().filename());
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{".child-output", "Options.cfg", "gfx"}))
            << "nothing left behind";
    });
    EXPECT_EQ(result.exit_status, 0) << result.output;
}
