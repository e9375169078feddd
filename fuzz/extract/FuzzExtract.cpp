// libFuzzer harness for extraction: each input is an archive, extracted into
// a fresh scratch tree that holds a sentinel file and a folder outside the
// destination, an existing file inside it, and symbolic links pointing out.
// A finding is anything written outside the destination, an existing file
// changed although its entry was not written, a temporary file left behind,
// or a crash or sanitizer report. The input's size picks the folder-name
// option and the overwrite policy, so every combination is reached.
#include "app/ExtractEngine.h"
#include "archive/VornError.h"
#include "archive/VornFile.h"

#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <ftw.h>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxEntries = 200;  // files written per input at most

[[noreturn]] void Finding(const std::string& what)
{
    std::fprintf(stderr, "extraction finding: %s\n", what.c_str());
    std::abort();
}

void RemoveTree(const std::string& path);

const std::string& Base()
{
    static const std::string base = [] {
        const char* dir = std::getenv("TMPDIR");
        std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/extract-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] { RemoveTree(Base()); });
        return pattern;
    }();
    return base;
}

int RemoveOne(const char* path, const struct stat*, int, struct FTW*)
{
    return ::remove(path);
}

void RemoveTree(const std::string& path)
{
    ::nftw(path.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(text.data(), 1, text.size(), file) != text.size())
        std::abort();
    std::fclose(file);
}

std::string ReadFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return "<missing>";
    std::string text;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    std::fclose(file);
    return text;
}

std::string LinkTarget(const std::string& path)
{
    char buffer[4096];
    const ssize_t got = ::readlink(path.c_str(), buffer, sizeof buffer);
    return got < 0 ? "<not a link>" : std::string(buffer, size_t(got));
}

// Every path below `root` (links not followed), relative to it.
std::set<std::string> Listing(const std::string& root)
{
    static std::set<std::string>* out;
    static size_t prefix;
    std::set<std::string> paths;
    out = &paths;
    prefix = root.size();
    ::nftw(root.c_str(), [](const char* path, const struct stat*, int, struct FTW*) {
        out->insert(std::string(path).substr(prefix));
        return 0;
    }, 16, FTW_PHYS);
    return paths;
}

class TFuzzClient : public IExtractionClient {
public:
    std::set<QString> Written;
    int Finished = 0;
    int Asked = 0;

    int AskOverwrite(const TOverwriteQuestion&) override
    {
        static const int answers[] = {6, 7, 5, 10, 9, 0};
        return answers[Asked++ % 6];
    }
    void ReportError(const TExtractFailure&) override {}
    void EntryFinished(const QString& targetPath, TEntryOutcome outcome) override
    {
        ++Finished;
        if (outcome == TEntryOutcome::Written)
            Written.insert(targetPath);
    }
    bool CancelRequested() override { return Finished >= kMaxEntries; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string run = Base() + "/run";
    RemoveTree(run);
    const std::string dest = run + "/dest";
    if (::mkdir(run.c_str(), 0755) != 0 || ::mkdir((run + "/outside").c_str(), 0755) != 0
        || ::mkdir(dest.c_str(), 0755) != 0)
        std::abort();
    WriteFile(run + "/sentinel", "sentinel");
    WriteFile(run + "/outside/keep", "keep");
    WriteFile(dest + "/existing", "existing");
    if (::symlink("../outside", (dest + "/link").c_str()) != 0
        || ::symlink("../sentinel", (dest + "/flink").c_str()) != 0)
        std::abort();
    const std::string archivePath = Base() + "/input.kvres";
    WriteFile(archivePath, std::string(reinterpret_cast<const char*>(data), size));
    const std::set<std::string> outsideBefore = Listing(run + "/outside");

    std::unique_ptr<TVornFile> vorn;
    try {
        vorn = TVornFile::Open(archivePath);
    } catch (const EVornError&) {
        return 0;
    }
    ExtractOptions options;
    options.FolderNames = static_cast<TFolderNames>(size % 3);
    options.Overwrite = static_cast<TOverwritePolicy>(size / 3 % 4);
    options.Scope = esAll;
    TExtractSource source;
    source.CurrentFolder = vorn->GetRootOffset();
    source.RowCount = 1;
    TFuzzClient client;
    try {
        TExtractor(*vorn, client).ExtractEntries(QString::fromStdString(dest), options, source);
    } catch (const EVornError&) {
        // A damaged tree ends the run; what was written must still be sound.
    }

    for (const std::string& path : Listing(run))
        if (path != "" && path != "/sentinel" && path != "/outside" && path != "/outside/keep"
            && path != "/dest" && path.rfind("/dest/", 0) != 0)
            Finding("something appeared outside the destination: " + path);
    if (ReadFile(run + "/sentinel") != "sentinel" || ReadFile(run + "/outside/keep") != "keep"
        || Listing(run + "/outside") != outsideBefore)
        Finding("something outside the destination changed");
    if (LinkTarget(dest + "/link") != "../outside" || LinkTarget(dest + "/flink") != "../sentinel")
        Finding("a symbolic link in the destination was replaced");
    if (ReadFile(dest + "/existing") != "existing"
        && !client.Written.count(QString::fromStdString(dest + "/existing")))
        Finding("the existing file changed although its entry was not written");
    for (const std::string& path : Listing(dest))
        if (path.find("/.pellory-") != std::string::npos)
            Finding("a temporary file was left behind: " + path);
    return 0;
}
