// Exit statuses of pellory-cli and the error that carries one to main().
#pragma once

#include <stdexcept>
#include <string>

constexpr int ExitSuccess = 0;
// The archive opened, but an entry or the tree below the root is damaged.
constexpr int ExitDamaged = 1;
// Bad usage, an archive that cannot be opened, or an entry that is not there.
constexpr int ExitTrouble = 2;

// Ends a command: main() prints "pellory-cli: <message>" on standard error
// and exits with the status.
class ECliError : public std::runtime_error {
public:
    ECliError(const std::string& message, int exitStatus)
        : std::runtime_error(message), FExitStatus(exitStatus) {}
    int ExitStatus() const { return FExitStatus; }

private:
    int FExitStatus;
};
