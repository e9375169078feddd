// extract ARCHIVE DEST [PATH...]: writes entries below DEST with the
// extraction engine, asking about existing files on the terminal.
#include "app/ExtractEngine.h"
#include "app/ExtractFileSystem.h"
#include "app/NameDecoding.h"
#include "archive/TreeWalk.h"
#include "archive/VornFunctions.h"
#include "cli/ArchiveAccess.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/EntryPaths.h"
#include "cli/Output.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

std::string Printable(const QString& text) { return EscapeControls(ToUtf8String(text)); }

std::string TimeText(const std::optional<QDateTime>& time)
{
    return time ? time->toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toStdString() : "???";
}

// Answers from standard input; the prompt goes to standard error so that
// standard output keeps only the -v lines.
class TCliClient : public IExtractionClient {
public:
    explicit TCliClient(bool verbose) : FVerbose(verbose) {}

    int AskOverwrite(const TOverwriteQuestion& q) override
    {
        const std::string entryTime = FileTimeToIsoStr(q.EntryFileTime);
        std::fflush(stdout);
        for (;;) {
            std::fprintf(stderr,
                         "%s already exists (%llu bytes, %s).\n"
                         "Replace it with the archive's (%u bytes, %s)? "
                         "[y]es, [n]o, yes to [a]ll, no [t]o all, [o]nly older: ",
                         Printable(q.ExistingPath).c_str(),
                         static_cast<unsigned long long>(q.ExistingSize),
                         TimeText(q.ExistingTime).c_str(), q.EntrySize,
                         entryTime.empty() ? "???" : entryTime.c_str());
            std::fflush(stderr);
            char line[64];
            if (!std::fgets(line, sizeof line, stdin)) {
                std::fputc('\n', stderr);
                return oaNo;  // no more answers: like closing the dialog
            }
#ifndef _WIN32
            if (!isatty(fileno(stdin)))
                std::fputs(line, stderr);  // show the answer read from a pipe
#endif
            switch (line[0]) {
            case 'y': case 'Y': return oaYes;
            case 'n': case 'N': return oaNo;
            case 'a': case 'A': return oaYesToAll;
            case 't': case 'T': return oaNoToAll;
            case 'o': case 'O': return oaOnlyOlder;
            default: break;  // ask again
            }
        }
    }

    void ReportError(const TExtractFailure& failure) override
    {
        std::fflush(stdout);
        std::fprintf(stderr, "%s: %s\n", Printable(failure.ArchivePath).c_str(),
                     Printable(failure.Message).c_str());
    }

    void EntryFinished(const QString& targetPath, TEntryOutcome outcome) override
    {
        if (!FVerbose || outcome == TEntryOutcome::Failed)
            return;
        WriteOut((outcome == TEntryOutcome::Written ? "extracted " : "kept existing ")
                 + Printable(targetPath) + "\n");
    }

private:
    bool FVerbose;
};

TOverwritePolicy PolicyOf(const TInvocation& invocation)
{
    if (!invocation.Has("--overwrite")) {
#ifndef _WIN32
        return isatty(fileno(stdin)) ? opAsk : opNoToAll;
#else
        return opNoToAll;
#endif
    }
    const std::string mode = invocation.Value("--overwrite");
    if (mode == "ask") return opAsk;
    if (mode == "all") return opYesToAll;
    if (mode == "none") return opNoToAll;
    if (mode == "older") return opOnlyOlder;
    throw ECliError("extract: --overwrite takes ask, all, none or older, not '"
                        + EscapeControls(mode) + "'",
                    ExitTrouble);
}

// The entries named by PATH operands, in the order given. A PATH inside a
// folder that is named too is covered by it and adds nothing.
std::vector<uint32_t> FindEntries(const TVornFile& vorn, const std::vector<std::string>& wanted)
{
    std::vector<std::optional<uint32_t>> found(wanted.size());
    std::vector<std::string> folderPaths;  // named folders, each with a trailing "/"
    TPathTracker paths;
    const auto leadsTo = [](const std::string& path, const std::string& target) {
        return target.compare(0, path.size() + 1, path + "/") == 0;
    };
    WalkTree(vorn, vorn.GetRootOffset(), [&](uint32_t offset, const std::vector<uint32_t>& ancestors) {
        const std::string& path = paths.Visit(vorn, offset, ancestors);
        const std::string escaped = EscapeControls(path);
        bool named = false, descend = false;
        for (size_t i = 0; i < wanted.size(); ++i) {
            if (!found[i] && (wanted[i] == path || wanted[i] == escaped)) {
                found[i] = offset;
                named = true;
            }
            descend = descend || leadsTo(path, wanted[i]) || leadsTo(escaped, wanted[i]);
        }
        if (named && vorn.IsDirectory(offset)) {
            folderPaths.push_back(path + "/");
            folderPaths.push_back(escaped + "/");
        }
        return descend && !named;
    });

    std::vector<uint32_t> entries;
    for (size_t i = 0; i < wanted.size(); ++i) {
        bool covered = false;
        for (const std::string& folder : folderPaths)
            covered = covered || wanted[i].compare(0, folder.size(), folder) == 0;
        if (covered)
            continue;
        if (!found[i])
            throw ECliError(EscapeControls(wanted[i]) + ": no such entry", ExitTrouble);
        bool duplicate = false;
        for (uint32_t entry : entries)
            duplicate = duplicate || entry == *found[i];
        if (!duplicate)
            entries.push_back(*found[i]);
    }
    return entries;
}

int RunExtract(const TInvocation& invocation)
{
    const bool flat = invocation.Has("--flat");
    ExtractOptions options{flat ? fnNone : fnRelative, PolicyOf(invocation), esSelected};
    const auto vorn = OpenArchive(invocation.Operands[0]);
    const QString destination = QString::fromLocal8Bit(invocation.Operands[1].c_str());

    std::vector<uint32_t> entries;
    if (invocation.Operands.size() > 2) {
        entries = FindEntries(*vorn, {invocation.Operands.begin() + 2, invocation.Operands.end()});
    } else {
        const uint32_t root = vorn->GetRootOffset();
        uint32_t child = 0;
        if (vorn->GetChildCount(root) > 0)
            for (uint32_t next = 0;;) {
                next = vorn->GetChild(root, next, child);
                entries.push_back(child);
                if (next == 0)
                    break;
            }
    }

    // Each entry goes below DEST at its archive path (the root's name left
    // out, as 'list' prints it), or straight into DEST with --flat.
    TExtractPlan plan;
    for (uint32_t entry : entries) {
        try {
            const TExtractLocation location =
                flat ? TExtractLocation{destination, {}}
                     : ArchiveFolderLocation(*vorn, destination, vorn->GetParentOffset(entry), false);
            plan.Jobs.push_back({location, entry});
        } catch (const EExtractError& error) {
            const QString path = ArchivePathOf(*vorn, entry);
            plan.Refused.push_back({destination + "/" + path, path, DecodeArchiveText(error.what())});
        }
    }

    TCliClient client(invocation.Has("-v"));
    TExtractor extractor(*vorn, client);
    const TExtractSummary summary = extractor.Run(plan, options);
    return summary.Failed == 0 ? ExitSuccess : ExitDamaged;
}

}  // namespace

extern const TCommandDef ExtractCommand = {
    "extract",
    "ARCHIVE DEST [PATH...]",
    "Write entries to files below a folder",
    "Without PATH the whole archive is extracted, else the named entries (paths\n"
    "as 'list' prints them) with everything below them. Files are written below\n"
    "DEST at their archive paths; --flat writes every file straight into DEST.\n"
    "Each file gets the entry's stored time. A file is written to a temporary\n"
    "file first and replaces an existing one only when complete. Names that\n"
    "are not a plain file name (\"..\", a slash, a backslash, a colon, a control\n"
    "character) and symbolic links inside DEST are refused.\n"
    "\n"
    "--overwrite decides about existing files: ask (default when standard\n"
    "input is a terminal), all (replace), none (keep; the default otherwise),\n"
    "older (replace only files older than the entry). Asked questions take\n"
    "y (yes), n (no), a (yes to all), t (no to all) or o (only older).\n"
    "Each failure is printed as \"PATH: message\" on standard error and the\n"
    "run goes on; the exit status is then 1.\n",
    {
        {"--flat", "", "write every file straight into DEST"},
        {"--overwrite", "MODE", "ask, all, none or older"},
        {"-v", "", "print one line per file entry"},
    },
    2,
    SIZE_MAX,
    RunExtract,
};
