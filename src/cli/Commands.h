// The command table: each command is one TCommandDef defined in its own
// Cmd*.cpp file and listed once in CommandTable().
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

struct TOptionDef {
    std::string Name;       // "--json"
    std::string ValueName;  // empty for a flag; else "--name=VALUE" or "--name VALUE"
    std::string Help;
};

// What a command is started with: its operands in order and the options
// given (name -> value; flags have an empty value).
struct TInvocation {
    std::vector<std::string> Operands;
    std::map<std::string, std::string> Options;

    bool Has(const std::string& option) const { return Options.count(option) != 0; }
    std::string Value(const std::string& option) const;
};

struct TCommandDef {
    std::string Name;
    std::string Operands;    // "ARCHIVE PATH", as the usage line shows them
    std::string Summary;     // one line for the command list
    std::string Details;     // the body of "COMMAND --help"
    std::vector<TOptionDef> Options;
    size_t MinOperands = 0;
    size_t MaxOperands = 0;  // SIZE_MAX: no limit
    // Runs the command and returns the exit status; raises ECliError (and
    // lets EVornError through) to end with a message.
    int (*Run)(const TInvocation&) = nullptr;
};

// Every command, in the order the help lists them.
const std::vector<const TCommandDef*>& CommandTable();
// The command of that name, or null.
const TCommandDef* FindCommand(const std::string& name);

// "list [--json] ARCHIVE"
std::string CommandSynopsis(const TCommandDef& command);
// The text of "pellory-cli --help" and of "pellory-cli COMMAND --help".
std::string MainHelpText();
std::string CommandHelpText(const TCommandDef& command);
