#include "cli/Commands.h"

#include <algorithm>

namespace {

const char ExitStatusText[] =
    "Exit status: 0 success; 1 damaged entries or a damaged tree in an archive\n"
    "that opened; 2 bad usage, an archive that cannot be opened, or a PATH that\n"
    "names no file entry.\n";

std::string OptionLabel(const TOptionDef& option) {
    return option.ValueName.empty() ? option.Name : option.Name + "=" + option.ValueName;
}

std::string PadRight(std::string text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

}  // namespace

std::string CommandSynopsis(const TCommandDef& command) {
    std::string synopsis = command.Name;
    for (const TOptionDef& option : command.Options) synopsis += " [" + OptionLabel(option) + "]";
    if (!command.Operands.empty()) synopsis += " " + command.Operands;
    return synopsis;
}

std::string MainHelpText() {
    // Synopses longer than this put their summary on the next line.
    constexpr size_t MaxSynopsisColumn = 28;
    size_t width = 0;
    for (const TCommandDef* command : CommandTable()) {
        const size_t length = CommandSynopsis(*command).size();
        if (length <= MaxSynopsisColumn) width = std::max(width, length);
    }

    std::string text =
        "Usage: pellory-cli COMMAND [OPTIONS] ARGUMENTS\n"
        "       pellory-cli COMMAND --help\n"
        "\n"
        "Reads Vorn archives of the game Karvold. It never changes an archive.\n"
        "\n"
        "Commands:\n";
    for (const TCommandDef* command : CommandTable()) {
        const std::string synopsis = CommandSynopsis(*command);
        if (synopsis.size() > width) text += "  " + synopsis + "\n";
        text += "  " + PadRight(synopsis.size() > width ? "" : synopsis, width + 2) +
                command->Summary + "\n";
    }
    text +=
        "\n"
        "Options:\n"
        "  --help     show this help\n"
        "  --version  show the program's version\n"
        "\n"
        "Names and texts are printed as UTF-8; control characters appear as \\xHH\n"
        "and a backslash as \\\\.\n"
        "\n";
    text += ExitStatusText;
    return text;
}

std::string CommandHelpText(const TCommandDef& command) {
    std::string text = "Usage: pellory-cli " + CommandSynopsis(command) + "\n\n";
    text += command.Summary + ".\n\n";
    if (!command.Details.empty()) text += command.Details + "\n";

    std::vector<TOptionDef> options = command.Options;
    options.push_back({"--help", "", "show this help"});
    size_t width = 0;
    for (const TOptionDef& option : options) width = std::max(width, OptionLabel(option).size());
    text += "Options:\n";
    for (const TOptionDef& option : options)
        text += "  " + PadRight(OptionLabel(option), width + 2) + option.Help + "\n";
    text += "\n";
    text += ExitStatusText;
    return text;
}
