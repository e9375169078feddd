// libFuzzer harness: opens the input as an archive, walks the whole tree with
// every query and decodes every file entry. Only EVornError may come out of
// the archive core; anything else (a crash, a sanitizer report, a hang, a
// huge allocation) is a finding.
#include "archive/TreeWalk.h"
#include "archive/VornError.h"
#include "archive/VornFile.h"
#include "archive/VornFunctions.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Bounds for inputs whose child lists name the same entries over and over:
// the harness looks for memory faults, not for the cost of huge trees.
constexpr int kMaxVisits = 20000;
constexpr int kMaxReads = 200;

// One temporary file per fuzzing process, rewritten for every input.
const std::string& InputPath() {
    static const std::string path = [] {
        const char* dir = std::getenv("TMPDIR");
        std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/vorn-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) std::abort();
        close(fd);
        std::atexit([] { unlink(InputPath().c_str()); });
        return pattern;
    }();
    return path;
}

void WriteInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (!file) std::abort();
    if (size && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
}

volatile size_t gSink;  // keeps results alive

void Use(const std::string& text) { gSink = gSink + text.size(); }
void Use(uint64_t value) { gSink = gSink + static_cast<size_t>(value); }

void QueryHeader(const TVornFile& vorn) {
    const TVornHeader& h = vorn.Header();
    Use(Utf16ToUtf8(vorn.GetTitle()) + Utf16ToUtf8(vorn.GetCopyright()) +
        Utf16ToUtf8(vorn.GetAuthor()) + Utf16ToUtf8(vorn.GetBuildInfo()) +
        Utf16ToUtf8(vorn.Description()));
    Use(VersionToStr(h.m_ProductVersion) + VersionToStr(h.m_MinimumVersion) +
        PriorityToStr(h.m_Priority) + FlagsToStr(h.m_Flags) + SystemTimeToStr(h.m_UtcBuildTime) +
        GuidToStr(h.m_GUID) + CreatorIdToStr(h.m_CreatorId) + HeaderVersionToStr(h.m_HeaderVersion));
}

void QueryEntry(TVornFile& vorn, uint32_t offset, int& reads) {
    try {
        Use(vorn.GetName(offset) + vorn.GetPath(offset));
        Use(vorn.GetParentOffset(offset));
        Use(FileTimeToIsoStr(vorn.GetFileTime(offset)));
        if (vorn.IsDirectory(offset)) {
            Use(vorn.GetChildCount(offset));
            uint32_t count = 0;
            const uint8_t* list = vorn.GetChildList(offset, count);
            for (uint64_t i = 0; i < uint64_t{count} * 4; ++i) gSink = gSink + list[i];
            return;
        }
        const uint32_t size = vorn.GetSize(offset);
        const uint32_t compressed = vorn.GetCompressedSize(offset);
        Use(FormatToStr(vorn.GetFormat(offset)) + HexToStr(vorn.GetCRC32(offset)));
        Use(vorn.GetFileFlags(offset));
        if (size) Use(CompressionRatioToStr(size, compressed));
        if (reads++ < kMaxReads) {
            TDataBuffer buffer;
            const uint32_t count = vorn.ReadFileData(offset, buffer);
            if (count != buffer.Size) std::abort();
            if (count) gSink = gSink + buffer.Data[0] + buffer.Data[count - 1];
        }
    } catch (const EVornError&) {
        // A damaged entry: the walk goes on with the next one.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteInput(data, size);
    std::unique_ptr<TVornFile> vorn;
    try {
        vorn = TVornFile::Open(InputPath());
    } catch (const EVornError&) {
        return 0;
    }
    try {
        QueryHeader(*vorn);
        const uint32_t dirCount = vorn->GetDirCount();
        for (uint32_t i = 0; i < dirCount && i < 64; ++i) {
            try {
                Use(vorn->GetName(vorn->GetDirOffset(i)));
            } catch (const EVornError&) {
            }
        }
        int visits = 0, reads = 0;
        const uint32_t root = vorn->GetRootOffset();
        QueryEntry(*vorn, root, reads);
        WalkTree(*vorn, root, [&](uint32_t offset, const std::vector<uint32_t>&) {
            QueryEntry(*vorn, offset, reads);
            return ++visits < kMaxVisits;
        });
    } catch (const EVornError&) {
        // Loops and damaged child lists end the walk.
    }
    return 0;
}
