#include "cli/Arguments.h"

#include "cli/CliError.h"
#include "cli/Output.h"

#include <algorithm>
#include <cstdint>

namespace {

[[noreturn]] void UsageError(const std::string& message) {
    throw ECliError(message + " (see 'pellory-cli --help')", ExitTrouble);
}

[[noreturn]] void CommandUsageError(const TCommandDef& command, const std::string& message) {
    throw ECliError(command.Name + ": " + message + " (usage: pellory-cli " +
                        CommandSynopsis(command) + ")",
                    ExitTrouble);
}

bool IsHelpOption(const std::string& arg) { return arg == "--help" || arg == "-h"; }

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

const TOptionDef* FindOption(const TCommandDef& command, const std::string& name) {
    for (const TOptionDef& option : command.Options)
        if (option.Name == name) return &option;
    return nullptr;
}

// Reads the option at args[i]; advances i past a separate value.
void ParseOption(const TCommandDef& command, const std::vector<std::string>& args, size_t& i,
                 TInvocation& invocation) {
    const std::string& arg = args[i];
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const TOptionDef* option = FindOption(command, name);
    if (!option) CommandUsageError(command, "unknown option '" + DisplayText(name) + "'");

    if (option->ValueName.empty()) {
        if (equals != std::string::npos)
            CommandUsageError(command, "option '" + name + "' takes no value");
        invocation.Options[name].clear();
    } else if (equals != std::string::npos) {
        invocation.Options[name] = arg.substr(equals + 1);
    } else {
        if (i + 1 >= args.size())
            CommandUsageError(command, "option '" + name + "' needs " + option->ValueName);
        invocation.Options[name] = args[++i];
    }
}

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    TCommandLine line;
    if (args.empty()) UsageError("no command given");

    const std::string& first = args[0];
    if (IsHelpOption(first)) return line;  // ShowHelp
    if (first == "--version") {
        line.Kind = TRequestKind::ShowVersion;
        return line;
    }
    if (IsOption(first)) UsageError("unknown option '" + DisplayText(first) + "'");

    line.Command = FindCommand(first);
    if (!line.Command) UsageError("unknown command '" + DisplayText(first) + "'");
    const TCommandDef& command = *line.Command;

    // Help wins over every other mistake on the line.
    const auto rest = args.begin() + 1;
    const auto optionsEnd = std::find(rest, args.end(), "--");
    if (std::any_of(rest, optionsEnd, IsHelpOption)) {
        line.Kind = TRequestKind::ShowCommandHelp;
        return line;
    }

    line.Kind = TRequestKind::RunCommand;
    bool optionsEnded = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && IsOption(arg)) {
            ParseOption(command, args, i, line.Invocation);
        } else {
            line.Invocation.Operands.push_back(arg);
        }
    }

    const size_t count = line.Invocation.Operands.size();
    if (count < command.MinOperands) CommandUsageError(command, "expects " + command.Operands);
    if (count > command.MaxOperands) CommandUsageError(command, "too many arguments");
    return line;
}
