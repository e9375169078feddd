// cat ARCHIVE PATH: the decoded bytes of one file entry to standard output.
#include "archive/TreeWalk.h"
#include "archive/VornError.h"
#include "cli/ArchiveAccess.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/EntryPaths.h"
#include "cli/Output.h"

#include <cstdio>
#include <optional>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// PATH may be given as `list` prints it (controls escaped) or with the
// decoded characters themselves.
bool PathMatches(const std::string& path, const std::string& wanted) {
    return path == wanted || EscapeControls(path) == wanted;
}

bool IsPrefixOf(const std::string& prefix, const std::string& text) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The first entry in walk order whose path matches; directories whose path
// cannot lead to PATH are not entered.
std::optional<uint32_t> FindEntry(const TVornFile& vorn, const std::string& wanted) {
    std::optional<uint32_t> found;
    TPathTracker paths;
    WalkTree(vorn, vorn.GetRootOffset(),
             [&](uint32_t offset, const std::vector<uint32_t>& ancestors) {
                 if (found) return false;
                 const std::string& path = paths.Visit(vorn, offset, ancestors);
                 if (PathMatches(path, wanted)) {
                     found = offset;
                     return false;
                 }
                 return IsPrefixOf(path + "/", wanted) ||
                        IsPrefixOf(EscapeControls(path) + "/", wanted);
             });
    return found;
}

int RunCat(const TInvocation& invocation) {
    const auto vorn = OpenArchive(invocation.Operands[0]);
    const std::string& wanted = invocation.Operands[1];
    const std::optional<uint32_t> offset = FindEntry(*vorn, wanted);
    if (!offset) throw ECliError(EscapeControls(wanted) + ": no such entry", ExitTrouble);
    if (vorn->IsDirectory(*offset))
        throw ECliError(EscapeControls(wanted) + ": is a folder, not a file entry", ExitTrouble);

    TDataBuffer data;
    try {
        vorn->ReadFileData(*offset, data);
    } catch (const EVornError& error) {
        throw ECliError(EscapeControls(wanted) + ": " + DisplayText(error.what()), ExitDamaged);
    }
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    WriteOut(reinterpret_cast<const char*>(data.Data.get()), data.Size);
    return ExitSuccess;
}

}  // namespace

extern const TCommandDef CatCommand = {
    "cat",
    "ARCHIVE PATH",
    "Write one file entry's decoded bytes to standard output",
    "PATH is the entry's path as 'list' prints it: the names below the root\n"
    "joined by \"/\". The bytes are checked against the entry's CRC-32 before\n"
    "anything is written; a damaged entry writes nothing and exits with 1.\n",
    {},
    2,
    2,
    RunCat,
};
