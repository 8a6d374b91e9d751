// The interface catalogue: every file the editor loads exists in the built
// runtime tree with the size the screen layout relies on, and every missing or
// unusable file stops start-up with its own message and exit status.
#include "app/app.h"
#include "editor_harness.h"
#include "headless.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <dirent.h>
#include <string>
#include <vector>

namespace
{

// In start-up order: "path width height", the sizes the layout draws them at
// (0 where the layout needs no particular size).
// clang-format off
const char *const CATALOGUE[] = {
    "Moltwork/OrvaBack.png 800 600", "Moltwork/Banner.png 240 100", "gfx/packs/Classic/palette.bmp 25 37",
    "Moltwork/PowerUps/Selected.png 36 36", "Moltwork/PowerUps/Unselected.png 36 36",
    "Moltwork/PowerUps/CapeIcon.png 32 32", "Moltwork/PowerUps/TailIcon.png 32 32",
    "Moltwork/PowerUps/WingsIcon.png 32 32", "Moltwork/PowerUps/Cape.png 96 16",
    "Moltwork/PowerUps/Tail.png 96 16", "Moltwork/PowerUps/Wings.png 96 16",
    "Moltwork/ToolIcons/Tool.png 48 48", "Moltwork/ToolIcons/SelectedTool.png 48 48",
    "Moltwork/ToolIcons/PencilTool.png 44 44", "Moltwork/ToolIcons/FillTool.png 44 44",
    "Moltwork/ToolIcons/ElipseTool.png 44 44", "Moltwork/ToolIcons/RectangleTool.png 44 44",
    "Moltwork/ToolIcons/LineTool.png 44 44", "Moltwork/ToolIcons/BrushTool.png 44 44",
    "Moltwork/MenuObjects/FrameToggleBar.png 37 192", "Moltwork/MenuObjects/FrameToggleButtonClicked.png 31 19",
    "Moltwork/MenuObjects/Standing.png 0 0", "Moltwork/MenuObjects/Walking.png 0 0",
    "Moltwork/MenuObjects/Jumping.png 0 0", "Moltwork/MenuObjects/Sliding.png 0 0",
    "Moltwork/MenuObjects/Lose.png 0 0", "Moltwork/MenuObjects/Stomped.png 0 0",
    "Moltwork/MenuObjects/SelectFrameBack.png 104 144", "Moltwork/MenuObjects/SelectFrameHighlight.png 104 22",
    "Moltwork/MenuObjects/SelectFrameWords.png 104 144", "Moltwork/FirstCanvasArrow.png 32 10",
    "Moltwork/SecondCanvasArrow.png 32 6", "Moltwork/Fonts/Font.png 0 0", "Moltwork/Fonts/AlertTitle.png 0 0",
    "Moltwork/Fonts/AlertText.png 0 0", "Moltwork/Cursor.png 0 0", "Moltwork/Text.png 0 0",
    "Moltwork/MenuObjects/PreviewToggleBar.png 113 64",
    "Moltwork/MenuObjects/PreviewToggleButtonClicked.png 109 14",
    "Moltwork/MenuObjects/SelectPreviewMode.png 104 144", "Moltwork/MenuObjects/SelectPreviewTeam.png 104 96",
    "Moltwork/MenuObjects/SelectPreviewModeBack.png 104 144",
    "Moltwork/MenuObjects/SelectPreviewTeamBack.png 104 96",
    "Moltwork/MenuObjects/PreviewSubmenuArrows.png 13 96",
    "Moltwork/MenuObjects/PreviewSubmenuArrowSelected.png 12 24",
    "Moltwork/MenuObjects/PreviewModes.png 435 269", "Moltwork/Brushes.png 71 26",
    "Moltwork/BrushHighlight.png 30 30", "Moltwork/Target.png 132 14", "Moltwork/Helps/LeftArrow.png 14 14",
    "Moltwork/Helps/RightArrow.png 14 14", "Moltwork/Continuous.png 48 48", "Moltwork/NonContinuous.png 48 48",
    "Moltwork/8way.png 48 48", "Moltwork/NormalFill.png 0 16", "Moltwork/IgnoreBounds.png 0 16",
    "Moltwork/EightWay.png 0 16", "Moltwork/FillModeArrow.png 48 16", "Moltwork/MenuObjects/Toolbar.png 240 17",
    "Moltwork/MenuObjects/ToolbarText.png 240 17", "Moltwork/MenuObjects/ToolbarSelect.png 244 17",
    "Moltwork/MenuObjects/FileBack.png 96 64", "Moltwork/MenuObjects/FileSelect.png 92 16",
    "Moltwork/MenuObjects/FileText.png 96 64", "Moltwork/MenuObjects/EditBack.png 96 18",
    "Moltwork/MenuObjects/EditSelect.png 92 18", "Moltwork/MenuObjects/EditText.png 96 18",
    "Moltwork/MenuObjects/FramesBack.png 83 49", "Moltwork/MenuObjects/FramesSelect.png 79 16",
    "Moltwork/MenuObjects/FramesText.png 83 49", "Moltwork/MenuObjects/NoUndo.png 96 18",
    "Moltwork/MenuObjects/WhichCanvas.png 64 33", "Moltwork/MenuObjects/WhichCanvasBack.png 64 33",
    "Moltwork/MenuObjects/WhichCanvasSelect.png 60 15", "Moltwork/MenuObjects/WhichFrame.png 64 101",
    "Moltwork/MenuObjects/WhichFrameBack.png 64 101", "Moltwork/MenuObjects/WhichFrameSelect.png 60 16",
    "Moltwork/MenuObjects/WhichFrameSub.png 64 101", "Moltwork/MenuObjects/WhichFrameBackSub.png 64 101",
    "Moltwork/MenuObjects/WhichFrameSelectSub.png 60 16", "Moltwork/WindowObjects/WTopLeft.png 16 16",
    "Moltwork/WindowObjects/WTop.png 0 16", "Moltwork/WindowObjects/WTopRight.png 16 16",
    "Moltwork/WindowObjects/WLeft.png 16 0", "Moltwork/WindowObjects/WCenter.png 0 0",
    "Moltwork/WindowObjects/WRight.png 16 0", "Moltwork/WindowObjects/WBottomLeft.png 16 16",
    "Moltwork/WindowObjects/WBottom.png 0 16", "Moltwork/WindowObjects/WBottomRight.png 16 16",
    "Moltwork/WindowObjects/ButtonColors.png 0 0"};
// clang-format on

struct CatalogueFile {
    std::string path;
    int width, height;
};

CatalogueFile entry(const char *line)
{
    char path[128];
    CatalogueFile file{"", 0, 0};
    if (std::sscanf(line, "%127s %d %d", path, &file.width, &file.height) == 3) {
        file.path = path;
    }
    return file;
}

const char *const HELP_BOOKS[] = {
    "Moltwork/Helps/BrushTool.png",   "Moltwork/Helps/PencilTool.png",    "Moltwork/Helps/FillTool.png",
    "Moltwork/Helps/EllipseTool.png", "Moltwork/Helps/RectangleTool.png", "Moltwork/Helps/LineTool.png",
};

std::string runtime(const std::string &relative)
{
    return std::string(MOLTWORK_RUNTIME_DIR) + "/" + relative;
}

bool is_font(const std::string &path)
{
    return path.find("/Fonts/") != std::string::npos;
}

int count_files(const std::string &dir)
{
    int count = 0;
    DIR *d = opendir(dir.c_str());
    if (!d) {
        return 0;
    }
    while (dirent *entry = readdir(d)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        count += entry->d_type == DT_DIR ? count_files(dir + "/" + name) : 1;
    }
    closedir(d);
    return count;
}

ChildResult start_in(const std::string &workdir)
{
    return run_in_child(workdir, [] { std::exit(start_editor_headless()); });
}

std::string missing_message(const std::string &path)
{
    return "File \"" + path + "\" is missing or corrupt.\nAborting program.";
}

} // namespace

TEST(Catalogue, EveryFileExistsWithTheSizeTheLayoutUses)
{
    start_headless_library();
    for (const char *line : CATALOGUE) {
        const CatalogueFile file = entry(line);
        SCOPED_TRACE(file.path);
        if (is_font(file.path)) {
            FONT *f = load_bitmap_font(runtime(file.path).c_str(), nullptr, nullptr);
            ASSERT_NE(f, nullptr);
            EXPECT_GT(text_length(f, "Abc"), 0);
            destroy_font(f);
            continue;
        }
        BITMAP *bmp = load_bitmap(runtime(file.path).c_str(), nullptr);
        ASSERT_NE(bmp, nullptr);
        if (file.width) {
            EXPECT_EQ(bmp->w, file.width);
        }
        if (file.height) {
            EXPECT_EQ(bmp->h, file.height);
        }
        destroy_bitmap(bmp);
    }
    for (const char *book : HELP_BOOKS) {
        SCOPED_TRACE(book);
        BITMAP *bmp = load_bitmap(runtime(book).c_str(), nullptr);
        ASSERT_NE(bmp, nullptr);
        EXPECT_EQ((bmp->w + 1) % 241, 0);
        EXPECT_EQ(bmp->h, 92);
        destroy_bitmap(bmp);
    }
    EXPECT_EQ(count_files(runtime("Moltwork")), 95);
}

TEST(Catalogue, ButtonColorsHoldsThreeDistinctColours)
{
    start_headless_library();
    BITMAP *bmp = load_bitmap(runtime("Moltwork/WindowObjects/ButtonColors.png").c_str(), nullptr);
    ASSERT_NE(bmp, nullptr);
    ASSERT_GE(bmp->w, 3);
    const int a = getpixel(bmp, 0, 0), b = getpixel(bmp, 1, 0), c = getpixel(bmp, 2, 0);
    EXPECT_TRUE(a != b && b != c && a != c);
    destroy_bitmap(bmp);
}

TEST(Catalogue, TheShippedTreeStartsCleanly)
{
    const ChildResult result = start_in(make_workdir());
    EXPECT_EQ(result.exit_status, 0) << result.output;
    EXPECT_EQ(result.output, "");
}

TEST(Catalogue, EachMissingFileStopsStartUpWithItsMessage)
{
    for (const char *line : CATALOGUE) {
        const CatalogueFile file = entry(line);
        SCOPED_TRACE(file.path);
        const std::string workdir = make_workdir();
        ASSERT_EQ(std::remove((workdir + "/" + file.path).c_str()), 0);
        const ChildResult result = start_in(workdir);
        EXPECT_EQ(result.exit_status, 255);
        EXPECT_EQ(result.output, missing_message(file.path));
    }
    for (const char *book : HELP_BOOKS) {
        SCOPED_TRACE(book);
        const std::string workdir = make_workdir();
        ASSERT_EQ(std::remove((workdir + "/" + book).c_str()), 0);
        const ChildResult result = start_in(workdir);
        EXPECT_EQ(result.exit_status, 255);
        EXPECT_EQ(result.output, "File " + std::string(book) + " is missing or corrupt.");
    }
}

TEST(Catalogue, UnreadableImageCountsAsMissing)
{
    const std::string workdir = make_workdir();
    write_file(workdir + "/Moltwork/Target.png", "not a picture");
    const ChildResult result = start_in(workdir);
    EXPECT_EQ(result.exit_status, 255);
    EXPECT_EQ(result.output, missing_message("Moltwork/Target.png"));
}

TEST(Catalogue, PaletteOptionNamingAMissingFileStopsWithThatPath)
{
    const std::string workdir = make_workdir();
    write_file(workdir + "/Options.cfg",
               "c\nA.bmp\n\nc\nmine/none.bmp\n\nc\ngfx/skins/\n\nc\nno\n\nc\n0orva.bmp\n\nc\nno\n\nc\nno");
    const ChildResult result = start_in(workdir);
    EXPECT_EQ(result.exit_status, 255);
    EXPECT_EQ(result.output, missing_message("mine/none.bmp"));
}

TEST(Catalogue, HelpBookOfTheWrongWidthStopsStartUp)
{
    const std::string workdir = make_workdir();
    run_in_child(workdir, [] {
        start_headless_library();
        BITMAP *bad = create_bitmap(482, 92);
        clear_to_color(bad, makecol(255, 0, 255));
        save_bitmap("Moltwork/Helps/FillTool.png", bad, nullptr);
    });
    const ChildResult result = start_in(workdir);
    EXPECT_EQ(result.exit_status, 255);
    EXPECT_EQ(
        result.output,
        "Help dialog wrong dimensions. Please check and try again.\nError in Moltwork/Helps/FillTool.png");
}

TEST(Catalogue, SheetsSmallerThanTheirCuttingAreRefused)
{
    struct Case {
        const char *path;
        int width, height;
        int status;
        const char *message;
    };
    const Case cases[] = {
        {"Moltwork/Brushes.png", 70, 26, 50, "Failed to create brushes from \"Brushes.png\""},
        {"Moltwork/Brushes.png", 71, 25, 50, "Failed to create brushes from \"Brushes.png\""},
        {"Moltwork/MenuObjects/PreviewModes.png", 435, 268, 52,
         "Failed to create sub-bitmaps of preview modes in \"PreviewModes.png\""},
        {"Moltwork/MenuObjects/PreviewModes.png", 434, 269, 55,
         "Failed to create sub-bitmaps of preview modes in \"PreviewModes.png\""},
        {"Moltwork/MenuObjects/PreviewModes.png", 300, 269, 54,
         "Failed to create sub-bitmaps of preview modes in \"PreviewModes.png\""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + std::to_string(c.width) + "x" + std::to_string(c.height));
        const std::string workdir = make_workdir();
        run_in_child(workdir, [&] {
            start_headless_library();
            BITMAP *small = create_bitmap(c.width, c.height);
            clear_to_color(small, makecol(255, 0, 255));
            save_bitmap(c.path, small, nullptr);
        });
        const ChildResult result = start_in(workdir);
        EXPECT_EQ(result.exit_status, c.status);
        EXPECT_EQ(result.output, std::string(c.message));
    }
}
