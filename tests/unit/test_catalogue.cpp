// The interface catalogue: each file of the built runtime tree missing or
// unusable stops start-up with its own message and exit status.
#include "editor_harness.h"
#include "headless.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace
{
const std::string PALETTE_FILE = "gfx/packs/Classic/palette.bmp";

std::string runtime(const std::string &relative)
{
    return std::string(MOLTWORK_RUNTIME_DIR) + "/" + relative;
}

// Starts the editor in a fresh copy of the runtime tree after changing it.
void expect_start(const std::function<void(const std::string &workdir)> &change, int status,
                  const std::string &message)
{
    const std::string workdir = make_workdir();
    change(workdir);
    const ChildResult result = run_in_child(workdir, [] { std::exit(start_editor_headless()); });
    EXPECT_EQ(result.exit_status, status);
    EXPECT_EQ(result.output, message);
}

std::string missing_message(const std::string &path)
{
    return "File \"" + path + "\" is missing or corrupt.\nAborting program.";
}

} // namespace

TEST(Catalogue, EveryFileTheTreeHoldsStopsStartUpWithItsMessageWhenMissing)
{
    expect_start([](const std::string &) {}, 0, "");
    std::vector<std::string> paths = {PALETTE_FILE};
    for (const auto &item : std::filesystem::recursive_directory_iterator(runtime("Moltwork"))) {
        if (item.is_regular_file()) {
            paths.push_back(item.path().string().substr(runtime("").size()));
        }
    }
    std::sort(paths.begin(), paths.end());
    for (const std::string &path : paths) {
        SCOPED_TRACE(path);
        const bool book = path.rfind("Moltwork/Helps/", 0) == 0 && path.find("Arrow") == std::string::npos;
        expect_start([&](const std::string &dir) { std::remove((dir + "/" + path).c_str()); }, 255,
                     book ? "File " + path + " is missing or corrupt." : missing_message(path));
    }
}

TEST(Catalogue, SheetsOfTheWrongSizeAreRefused)
{
    start_headless_library();
    const char *const modes = "Failed to create sub-bitmaps of preview modes in \"PreviewModes.png\"";
    const struct {
        const char *path;
        int width, height, status;
        const char *message;
    } cases[] = {
        {"Moltwork/Helps/FillTool.png", 482, 92, 255,
         "Help dialog wrong dimensions. Please check and try again.\nError in Moltwork/Helps/FillTool.png"},
        {"Moltwork/Brushes.png", 70, 26, 50, "Failed to create brushes from \"Brushes.png\""},
        {"Moltwork/Brushes.png", 71, 25, 50, "Failed to create brushes from \"Brushes.png\""},
        {"Moltwork/MenuObjects/PreviewModes.png", 435, 268, 52, modes},
        {"Moltwork/MenuObjects/PreviewModes.png", 434, 269, 55, modes},
        {"Moltwork/MenuObjects/PreviewModes.png", 300, 269, 54, modes},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + std::to_string(c.width) + "x" + std::to_string(c.height));
        expect_start(
            [&](const std::string &dir) {
                BITMAP *sheet = create_bitmap(c.width, c.height);
                clear_to_color(sheet, makecol(255, 0, 255));
                save_bitmap((dir + "/" + c.path).c_str(), sheet, nullptr);
                destroy_bitmap(sheet);
            },
            c.status, c.message);
    }
}

TEST(Catalogue, ACutPaletteOfAStrangeNameStopsStartUpWithItsNameEscaped)
{
    const std::string name = "gfx/\x80\xff\x07\\p.bmp";
    expect_start(
        [&](const std::string &dir) {
            write_file(dir + "/" + name, crafted_bmp({25, 37, 24, 0, 100}));
            write_file(dir + "/Options.cfg", options_text("no", "0orva.bmp", name));
        },
        255, missing_message("gfx/\\x80\\xFF\\x07\\x5Cp.bmp"));
}
