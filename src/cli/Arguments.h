// Parses the command line into a request: help, version, or a command with
// its operands and options.
#pragma once

#include "cli/Commands.h"

#include <string>
#include <vector>

enum class TRequestKind { RunCommand, ShowHelp, ShowCommandHelp, ShowVersion };

struct TCommandLine {
    TRequestKind Kind = TRequestKind::ShowHelp;
    const TCommandDef* Command = nullptr;  // RunCommand, ShowCommandHelp
    TInvocation Invocation;                 // RunCommand
};

// `args` are the arguments after the program name. Options may stand before,
// between or after the operands; "--" ends them, so later arguments are
// operands even when they start with "-". A lone "-" is an operand.
// Bad usage raises ECliError with ExitTrouble.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);
