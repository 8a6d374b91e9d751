// A skin opened by its path from another folder, and the preview GIFs
// exported by the built program from the command line.
#include "editor_harness.h"
#include "files/files.h"

#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace
{
// Runs a shell command in dir; its output holds its errors too.
ChildResult run_in(const std::string &dir, const std::string &command)
{
    FILE *pipe = popen(("cd " + dir + " && " + command + " 2>&1").c_str(), "r");
    std::string output;
    char buf[256];
    while (std::fgets(buf, sizeof buf, pipe)) {
        output += buf;
    }
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

const std::string PROGRAM = MOLTWORK_PROGRAM;
} // namespace

TEST(CommandLine, ExportWritesTheGifCtrlEWritesByteForByte)
{
    struct Setting {
        int team, mode, power_up;
        const char *options;
    };
    const Setting settings[] = {{0, 0, -1, ""},
                                {2, 4, 2, "--team 2 --mode=4 --power-up wings"},
                                {3, 1, 0, "--team=3 --mode 1 --power-up=cape"}};
    std::vector<std::string> gifs;
    for (const Setting &s : settings) {
        const std::string dir = make_workdir();
        const ChildResult editor = run_in_child(dir, [&] {
            ASSERT_EQ(start_editor_headless(), 0);
            filename = "0orva.bmp";
            load();
            preview_mode = 6 * s.team + s.mode;
            CustomRecolor = recolor_for_mode(preview_mode);
            if (s.power_up >= 0) {
                preview_items[s.power_up] = 1;
            }
            passes(1);
            windows_script::answer(&Exported, 1);
            tap(KEY_E, KB_CTRL_FLAG);
        });
        ASSERT_EQ(editor.exit_status, 0) << editor.output;
        const ChildResult cli =
            run_in(dir, PROGRAM + " --export-gif " + s.options + " -o cli.gif gfx/skins/0orva.bmp");
        EXPECT_EQ(cli.exit_status, 0) << cli.output;
        gifs.push_back(read_file(dir + "/SkinPreviews/0orva.gif"));
        EXPECT_FALSE(gifs.back().empty());
        EXPECT_EQ(read_file(dir + "/cli.gif"), gifs.back()) << s.options;
    }
    EXPECT_NE(gifs[0], gifs[1]);
    EXPECT_NE(gifs[1], gifs[2]);
}

TEST(CommandLine, ExportSkipsUnreadableSkinsByNameAndWritesIntoAFileOrAFolder)
{
    const std::string dir = make_workdir();
    fs::create_directory(dir + "/in");
    fs::copy_file(dir + "/gfx/skins/0orva.bmp", dir + "/in/a.bmp");
    write_file(dir + "/in/bad.bmp", "not a picture");
    struct Case {
        std::string args;
        int status;
        std::string errors;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {"--export-gif in/a.bmp", 0, "", {"in/a.gif"}},
        {"--export-gif -o one.gif in/a.bmp", 0, "", {"one.gif"}},
        {"--export-gif -o folder/ in/a.bmp", 0, "", {"folder/a.gif"}},
        {"--export-gif -o many in/a.bmp in/bad.bmp in/none.bmp",
         1,
         "moltwork: in/bad.bmp: not a readable skin; skipped\nmoltwork: in/none.bmp: no such file; skipped\n",
         {"many/a.gif"}},
        {"--export-gif -o none/x.gif in/a.bmp",
         1,
         "moltwork: in/a.bmp: cannot write none/x.gif; skipped\n",
         {}},
        {"--export-gif in/a.gif",
         1,
         "moltwork: in/a.gif: its GIF would replace the skin itself; skipped\n",
         {}},
    };
    for (const Case &c : cases) {
        const ChildResult run = run_in(dir, PROGRAM + " " + c.args);
        EXPECT_EQ(run.exit_status, c.status) << c.args;
        EXPECT_EQ(run.output, c.errors) << c.args;
        for (const std::string &file : c.written) {
            EXPECT_TRUE(is_regular_file(dir + "/" + file)) << c.args;
        }
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir + "/many"), fs::directory_iterator()), 1);
    EXPECT_EQ(run_in(dir, PROGRAM + " --version").output, "moltwork " MOLTWORK_VERSION "\n");
}

TEST(OpenFromPath, RefusesWhatIsNoSkinAndSavesIntoTheFilesFolderLeavingTheOptionsAlone)
{
    const std::string other = make_workdir();
    fs::copy_file(other + "/gfx/skins/0orva.bmp", other + "/hero.bmp");
    EXPECT_SCENARIO(
        [&] {
            const std::string options_before = read_file("Options.cfg");
            write_file("junk.bmp", "junk");
            const std::pair<const char *, Window *> refused[] = {{"junk.bmp", &LoadFail},
                                                                 {"none.bmp", &FakeLoad}};
            for (const auto &[path, window] : refused) {
                windows_script::answer(window, 1);
                open_file(path);
                EXPECT_EQ(windows_script::shown().back(), window);
                EXPECT_TRUE(outside_skin.folder.empty());
            }
            open_file(other + "/hero.bmp");
            EXPECT_EQ(filename, "hero.bmp");
            // Another name is saved beside it, and so is the save question's answer before New.
            filename = "copy";
            windows_script::answer(&ConfirmSave, 1);
            tap(KEY_S, KB_CTRL_FLAG);
            stroke(1, 4, 4, makecol(4, 5, 6));
            const std::vector<int> drawn = all_frames();
            windows_script::answer(&SaveSkin, 1);
            windows_script::answer(&Overwrite, 1);
            windows_script::answer(&ConfirmSave, 1);
            blank();
            EXPECT_EQ(sheet_frames(other + "/copy.bmp"), drawn);
            EXPECT_FALSE(path_exists("gfx/skins/copy.bmp"));
            EXPECT_EQ(read_file("Options.cfg"), options_before);
            EXPECT_TRUE(outside_skin.folder.empty()); // New goes back to the skins directory
        },
        [](const std::string &workdir) { write_file(workdir + "/Options.cfg", options_text("yes")); });
}
