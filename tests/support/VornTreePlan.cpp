// Tree building and chainable settings of TEntryPlan.
#include "VornWriter.h"

#include <stdexcept>

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t slash = path.find('/', start);
        const size_t end = slash == std::string::npos ? path.size() : slash;
        if (end > start) parts.push_back(path.substr(start, end - start));
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return parts;
}

}  // namespace

TEntryPlan& TEntryPlan::AddDir(const std::string& name) {
    if (!IsDir) throw std::logic_error("AddDir on a file entry");
    TEntryPlan& child = Children.emplace_back();
    child.IsDir = true;
    child.Name = name;
    child.FileTime = FileTime;
    return child;
}

TEntryPlan& TEntryPlan::AddFile(const std::string& name, TBytes contents) {
    if (!IsDir) throw std::logic_error("AddFile on a file entry");
    TEntryPlan& child = Children.emplace_back();
    child.Name = name;
    child.Contents = std::move(contents);
    child.FileTime = FileTime;
    return child;
}

TEntryPlan& TEntryPlan::AddFile(const std::string& name, const std::string& contents) {
    return AddFile(name, BytesOf(contents));
}

TEntryPlan& TEntryPlan::Dir(const std::string& path) {
    TEntryPlan* dir = this;
    for (const std::string& part : SplitPath(path)) {
        TEntryPlan* found = nullptr;
        for (TEntryPlan& child : dir->Children)
            if (child.IsDir && child.Name == part) found = &child;
        dir = found ? found : &dir->AddDir(part);
    }
    return *dir;
}

TEntryPlan& TEntryPlan::Add(const std::string& path, TBytes contents) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return AddFile(path, std::move(contents));
    return Dir(path.substr(0, slash)).AddFile(path.substr(slash + 1), std::move(contents));
}

TEntryPlan& TEntryPlan::Add(const std::string& path, const std::string& contents) {
    return Add(path, BytesOf(contents));
}

TEntryPlan& TEntryPlan::Raw() {
    Format = DATAFORMAT_RAW;
    return *this;
}

TEntryPlan& TEntryPlan::Zlib(int level) {
    Format = DATAFORMAT_ZLIB;
    ZlibLevel = level;
    return *this;
}

TEntryPlan& TEntryPlan::Lzo() {
    Format = DATAFORMAT_LZO;
    return *this;
}

TEntryPlan& TEntryPlan::Chunked(uint32_t chunkSize) {
    ChunkSize = chunkSize;
    return *this;
}

TEntryPlan& TEntryPlan::Time(uint64_t fileTime) {
    FileTime = fileTime;
    return *this;
}

TEntryPlan& TEntryPlan::WithFlags(uint16_t flags) {
    Flags = flags;
    return *this;
}

TEntryPlan& TEntryPlan::NoCrc() {
    RecordCrc = false;
    return *this;
}

TChunkPlan& TEntryPlan::Chunk(size_t index) {
    if (Chunks.size() <= index) Chunks.resize(index + 1);
    return Chunks[index];
}
