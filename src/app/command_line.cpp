#include "app/app.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
const char *const HELP = R"(Usage: moltwork [FILE]
  or:  moltwork --export-gif [OPTION]... SKIN...
Edit FILE, a skin anywhere on disk, or without FILE the last skin of the skins
directory. With --export-gif, write each SKIN's preview animation as the GIF
that Ctrl+E writes, without opening a window.

      --export-gif      export the preview GIF of every SKIN and exit
      --team N          the preview's team, 0 to 3 (default 0)
      --mode M          the preview mode of that team, 0 to 5 (default 0)
      --power-up P      the preview's power-up: cape, tail or wings (as with
                        Ctrl+E, the animation shows the character alone)
  -o OUT                write into OUT: a file for one skin, a folder for
                        several (default: beside each skin, ending in .gif)
      --help            display this help and exit
      --version         output version information and exit
  --                    end of options: every argument after it is a file

The export reads the palette and the power-up pictures of the working
directory, as the editor does.

Exit status:
 0  the editor ended normally, or every skin was exported
 1  some skin could not be read or its GIF could not be written
 2  the command line was wrong
 other  the editor could not start (its data is missing or unreadable)
)";

const char *const POWER_UPS[] = {"cape", "tail", "wings"};

CommandLine usage_error(const std::string &message)
{
    CommandLine result;
    result.action = CommandLine::Action::Usage;
    result.error = message;
    return result;
}

// A whole decimal number from first to last, or -1.
int number_in_range(const std::string &text, int first, int last)
{
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    const int value = std::stoi(text);
    return value >= first && value <= last ? value : -1;
}

int power_up_number(const std::string &text)
{
    for (int i = 0; i < 3; ++i) {
        if (text == POWER_UPS[i]) {
            return i;
        }
    }
    return -1;
}

// Takes one export option's value into the command; an empty string when it
// is accepted, else the error.
std::string take_value(CommandLine &into, const std::string &option, const std::string &value)
{
    if (option == "--team") {
        into.team = number_in_range(value, 0, 3);
        return into.team < 0 ? "invalid team '" + value + "' (choose 0 to 3)" : "";
    }
    if (option == "--mode") {
        into.mode = number_in_range(value, 0, 5);
        return into.mode < 0 ? "invalid mode '" + value + "' (choose 0 to 5)" : "";
    }
    if (option == "--power-up") {
        into.power_up = power_up_number(value);
        return into.power_up < 0 ? "invalid power-up '" + value + "' (choose cape, tail or wings)" : "";
    }
    into.out = value;
    return "";
}

bool takes_value(const std::string &option)
{
    return option == "--team" || option == "--mode" || option == "--power-up";
}

// Checks what the options and files ask for as a whole.
CommandLine finish(CommandLine command, const std::vector<std::string> &files,
                   const std::string &export_option)
{
    if (command.action == CommandLine::Action::ExportGif) {
        if (files.empty()) {
            return usage_error("--export-gif needs at least one skin");
        }
        command.skins = files;
        return command;
    }
    if (!export_option.empty()) {
        return usage_error("option '" + export_option + "' is only for --export-gif");
    }
    if (files.size() > 1) {
        return usage_error("too many files: '" + files[1] + "' (the editor opens one)");
    }
    command.file = files.empty() ? "" : files[0];
    return command;
}

int report_usage_error(const std::string &message)
{
    std::fprintf(stderr, "moltwork: %s\nTry 'moltwork --help' for more information.\n", message.c_str());
    return USAGE_ERROR;
}
} // namespace

CommandLine parse_command_line(const std::vector<std::string> &args)
{
    CommandLine command;
    std::vector<std::string> files;
    std::string export_option; // the first export option given, for the message when it is out of place
    bool options_ended = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (options_ended || arg.size() < 2 || arg[0] != '-') {
            files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options_ended = true;
            continue;
        }
        if (arg.compare(0, 2, "--") != 0) {
            // Short options: only -o, with its value joined or next.
            if (arg[1] != 'o') {
                return usage_error(std::string("invalid option -- '") + arg[1] + "'");
            }
            if (arg.size() == 2 && i + 1 == args.size()) {
                return usage_error("option requires an argument -- 'o'");
            }
            take_value(command, "-o", arg.size() > 2 ? arg.substr(2) : args[++i]);
            export_option = export_option.empty() ? "-o" : export_option;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string option = arg.substr(0, equals);
        const bool joined = equals != std::string::npos;
        if (option == "--help" || option == "--version" || option == "--export-gif") {
            if (joined) {
                return usage_error("option '" + option + "' doesn't allow an argument");
            }
            if (option == "--export-gif") {
                command.action = CommandLine::Action::ExportGif;
                continue;
            }
            command.action = option == "--help" ? CommandLine::Action::Help : CommandLine::Action::Version;
            return command;
        }
        if (!takes_value(option)) {
            return usage_error("unrecognized option '" + arg + "'");
        }
        if (!joined && i + 1 == args.size()) {
            return usage_error("option '" + option + "' requires an argument");
        }
        const std::string error = take_value(command, option, joined ? arg.substr(equals + 1) : args[++i]);
        if (!error.empty()) {
            return usage_error(error);
        }
        export_option = export_option.empty() ? option : export_option;
    }
    return finish(command, files, export_option);
}

std::string caller_path(const std::string &path)
{
    const char *caller = std::getenv("MOLTWORK_CALLER_DIR");
    if (path.empty() || !caller || !*caller || std::filesystem::path(path).is_absolute()) {
        return path;
    }
    return (std::filesystem::path(caller) / path).string();
}

int run_command_line(int argc, char *argv[])
{
    const CommandLine command = parse_command_line(std::vector<std::string>(argv + 1, argv + argc));
    switch (command.action) {
    case CommandLine::Action::Usage:
        return report_usage_error(command.error);
    case CommandLine::Action::Help:
        std::fputs(HELP, stdout);
        return 0;
    case CommandLine::Action::Version:
        std::printf("moltwork %s\n", MOLTWORK_VERSION);
        return 0;
    case CommandLine::Action::ExportGif:
        return run_export(command);
    case CommandLine::Action::Edit:
        break;
    }
    return run_editor(caller_path(command.file));
}
