#include "cli/ArchiveAccess.h"

#include "cli/CliError.h"
#include "cli/Output.h"

#include <exception>

std::unique_ptr<TVornFile> OpenArchive(const std::string& fileName) {
    try {
        return TVornFile::Open(fileName);
    } catch (const std::exception& error) {
        // The message may quote the file name: escape it like any name.
        throw ECliError(DisplayText(error.what()), ExitTrouble);
    }
}
