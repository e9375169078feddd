// test ARCHIVE: decodes every file entry and checks it; prints each failure
// as "PATH: message" and one summary line.
#include "archive/TreeWalk.h"
#include "archive/VornError.h"
#include "cli/ArchiveAccess.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/EntryPaths.h"
#include "cli/Output.h"

#include <exception>
#include <new>
#include <string>

namespace {

// The path of a failed entry; an entry whose name cannot be read is named
// by its offset.
std::string FailurePath(const TVornFile& vorn, const std::vector<uint32_t>& ancestors,
                        uint32_t offset) {
    try {
        return EscapeControls(EntryPath(vorn, ancestors, offset));
    } catch (const std::exception&) {
        return "<entry at offset " + std::to_string(offset) + ">";
    }
}

std::string SummaryLine(uint64_t tested, uint64_t failed) {
    return std::to_string(tested) + (tested == 1 ? " entry" : " entries") + " tested, " +
           std::to_string(failed) + " failed\n";
}

int RunTest(const TInvocation& invocation) {
    const auto vorn = OpenArchive(invocation.Operands[0]);
    uint64_t tested = 0;
    uint64_t failed = 0;
    TDataBuffer buffer;

    const auto visit = [&](uint32_t offset, const std::vector<uint32_t>& ancestors) {
        if (vorn->IsDirectory(offset)) return true;
        ++tested;
        try {
            vorn->ReadFileData(offset, buffer);
        } catch (const std::bad_alloc&) {
            ++failed;
            WriteOut(FailurePath(*vorn, ancestors, offset) + ": out of memory\n");
        } catch (const EVornError& error) {
            ++failed;
            WriteOut(FailurePath(*vorn, ancestors, offset) + ": " + DisplayText(error.what()) +
                     "\n");
        }
        // Only the largest entry is ever held, not two at once.
        buffer.Data.reset();
        buffer.Size = 0;
        return true;
    };
    try {
        WalkTree(*vorn, vorn->GetRootOffset(), visit);
    } catch (const EVornError& error) {
        // The tree itself is damaged (a loop, a child list outside the index):
        // the entries below cannot be reached. Counted as one failure.
        ++failed;
        PrintError(DisplayText(error.what()));
    }
    WriteOut(SummaryLine(tested, failed));
    return failed == 0 ? ExitSuccess : ExitDamaged;
}

}  // namespace

extern const TCommandDef TestCommand = {
    "test",
    "ARCHIVE",
    "Decode and check every file entry",
    "Decodes every file entry below the root and checks its CRC-32 and size.\n"
    "Each failure is printed as \"PATH: message\", then one summary line\n"
    "\"N entries tested, M failed\". Exit status 0 when every entry is sound,\n"
    "1 when any failed. A damaged tree (for example a child list that leads\n"
    "back to an ancestor) is reported on standard error, counted as one\n"
    "failure, and ends the walk.\n",
    {},
    1,
    1,
    RunTest,
};
