// Reading the command line: the editor's one file, the export's options and
// skins, and the usage errors in the usual form.
#include "app/app.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Action = CommandLine::Action;

struct Case {
    std::vector<std::string> args;
    Action action;
    std::string summary; // file | team mode power-up out | skins, or the error
};

std::string summary(const CommandLine &c)
{
    if (c.action == Action::Usage) {
        return c.error;
    }
    std::string text = c.file + "|" + std::to_string(c.team) + " " + std::to_string(c.mode) + " " +
                       std::to_string(c.power_up) + " " + c.out + "|";
    for (const std::string &skin : c.skins) {
        text += skin + ",";
    }
    return text;
}

const Case CASES[] = {
    {{}, Action::Edit, "|0 0 -1 |"},
    {{"hero.bmp"}, Action::Edit, "hero.bmp|0 0 -1 |"},
    {{"-"}, Action::Edit, "-|0 0 -1 |"},
    {{"--", "--help"}, Action::Edit, "--help|0 0 -1 |"},
    {{"a.bmp", "b.bmp"}, Action::Usage, "too many files: 'b.bmp' (the editor opens one)"},
    {{"--help", "--foo"}, Action::Help, ""},
    {{"--version"}, Action::Version, ""},
    {{"--export-gif", "--team", "3", "--mode=5", "--power-up", "wings", "-o", "out", "a.bmp", "b.bmp"},
     Action::ExportGif,
     "|3 5 2 out|a.bmp,b.bmp,"},
    {{"a.bmp", "-oout.gif", "--power-up=cape", "--export-gif", "--", "-o"},
     Action::ExportGif,
     "|0 0 0 out.gif|a.bmp,-o,"},
    {{"--export-gif"}, Action::Usage, "--export-gif needs at least one skin"},
    {{"--team", "1", "a.bmp"}, Action::Usage, "option '--team' is only for --export-gif"},
    {{"--export-gif", "--team", "4", "a"}, Action::Usage, "invalid team '4' (choose 0 to 3)"},
    {{"--export-gif", "--team=-1", "a"}, Action::Usage, "invalid team '-1' (choose 0 to 3)"},
    {{"--export-gif", "--mode", "6", "a"}, Action::Usage, "invalid mode '6' (choose 0 to 5)"},
    {{"--export-gif", "--mode", "", "a"}, Action::Usage, "invalid mode '' (choose 0 to 5)"},
    {{"--export-gif", "--power-up", "hat", "a"},
     Action::Usage,
     "invalid power-up 'hat' (choose cape, tail or wings)"},
    {{"--export-gif", "a", "--mode"}, Action::Usage, "option '--mode' requires an argument"},
    {{"--foo"}, Action::Usage, "unrecognized option '--foo'"},
    {{"-x"}, Action::Usage, "invalid option -- 'x'"},
    {{"--help=yes"}, Action::Usage, "option '--help' doesn't allow an argument"},
};
} // namespace

TEST(CommandLine, ReadsFilesOptionsAndUsageErrors)
{
    for (const Case &c : CASES) {
        const CommandLine parsed = parse_command_line(c.args);
        EXPECT_EQ(parsed.action, c.action) << c.summary;
        if (c.action != Action::Help && c.action != Action::Version) {
            EXPECT_EQ(summary(parsed), c.summary);
        }
    }
}
