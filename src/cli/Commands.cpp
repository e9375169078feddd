#include "cli/Commands.h"

// One row per command. A new command is a Cmd*.cpp file defining its
// TCommandDef and one line here.
extern const TCommandDef InfoCommand;
extern const TCommandDef ListCommand;
extern const TCommandDef CatCommand;
extern const TCommandDef TestCommand;
extern const TCommandDef ExtractCommand;

const std::vector<const TCommandDef*>& CommandTable() {
    static const std::vector<const TCommandDef*> table = {
        &InfoCommand,
        &ListCommand,
        &CatCommand,
        &TestCommand,
        &ExtractCommand,
    };
    return table;
}

const TCommandDef* FindCommand(const std::string& name) {
    for (const TCommandDef* command : CommandTable())
        if (command->Name == name) return command;
    return nullptr;
}

std::string TInvocation::Value(const std::string& option) const {
    const auto it = Options.find(option);
    return it == Options.end() ? std::string() : it->second;
}
