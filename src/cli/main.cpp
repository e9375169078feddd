// pellory-cli: reads Vorn archives from the command line.
#include "archive/VornError.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/Output.h"
#include "viewers/FormatRegistry.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

int Run(const std::vector<std::string>& args) {
    const TCommandLine line = ParseCommandLine(args);
    switch (line.Kind) {
    case TRequestKind::ShowHelp:
        WriteOut(MainHelpText());
        return ExitSuccess;
    case TRequestKind::ShowVersion:
        WriteOut(std::string("pellory-cli ") + PELLORY_VERSION + "\n");
        return ExitSuccess;
    case TRequestKind::ShowCommandHelp:
        WriteOut(CommandHelpText(*line.Command));
        return ExitSuccess;
    case TRequestKind::RunCommand:
        break;
    }
    RegisterBuiltinFormats();  // type texts of the file list
    return line.Command->Run(line.Invocation);
}

}  // namespace

int main(int argc, char** argv) {
#if defined(__GLIBC__)
    // Every decoded entry is one large buffer. By default glibc maps large
    // blocks fresh and unmaps them on release, so each entry pays for faulting
    // its pages in again. Serving them from the heap and keeping freed memory
    // lets the next entry reuse the pages; peak memory stays that of the
    // largest entry.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
#ifndef _WIN32
    // Whole blocks into pipes and files; lines on a terminal.
    if (!isatty(fileno(stdout))) std::setvbuf(stdout, nullptr, _IOFBF, 64 * 1024);
#endif
    int status;
    try {
        status = Run(std::vector<std::string>(argv + 1, argv + argc));
        FinishOutput();
    } catch (const ECliError& error) {
        PrintError(error.what());
        status = error.ExitStatus();
    } catch (const EVornError& error) {
        // Raised by the archive after it opened: its content is damaged.
        PrintError(DisplayText(error.what()));
        status = ExitDamaged;
    } catch (const std::exception& error) {
        PrintError(error.what());
        status = ExitTrouble;
    }
    return status;
}
