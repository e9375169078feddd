#include "cli/Commands.h"

// One row per command. A new command is a Cmd*.cpp file defining its
// TCommandSpec and one line here.
extern const TCommandSpec InfoCommand;
extern const TCommandSpec ListCommand;
extern const TCommandSpec CatCommand;
extern const TCommandSpec TestCommand;
extern const TCommandSpec ExtractCommand;

const std::vector<const TCommandSpec*>& CommandTable() {
    static const std::vector<const TCommandSpec*> table = {
        &InfoCommand,
        &ListCommand,
        &CatCommand,
        &TestCommand,
        &ExtractCommand,
    };
    return table;
}

const TCommandSpec* FindCommand(const std::string& name) {
    for (const TCommandSpec* command : CommandTable())
        if (command->Name == name) return command;
    return nullptr;
}

std::string TInvocation::Value(const std::string& option) const {
    const auto it = Options.find(option);
    return it == Options.end() ? std::string() : it->second;
}
