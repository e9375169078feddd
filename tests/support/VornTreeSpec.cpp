// Tree building and chainable settings of TEntrySpec.
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

TEntrySpec& TEntrySpec::AddDir(const std::string& name) {
    if (!IsDir) throw std::logic_error("AddDir on a file entry");
    TEntrySpec& child = Children.emplace_back();
    child.IsDir = true;
    child.Name = name;
    child.FileTime = FileTime;
    return child;
}

TEntrySpec& TEntrySpec::AddFile(const std::string& name, TBytes contents) {
    if (!IsDir) throw std::logic_error("AddFile on a file entry");
    TEntrySpec& child = Children.emplace_back();
    child.Name = name;
    child.Contents = std::move(contents);
    child.FileTime = FileTime;
    return child;
}

TEntrySpec& TEntrySpec::AddFile(const std::string& name, const std::string& contents) {
    return AddFile(name, BytesOf(contents));
}

TEntrySpec& TEntrySpec::Dir(const std::string& path) {
    TEntrySpec* dir = this;
    for (const std::string& part : SplitPath(path)) {
        TEntrySpec* found = nullptr;
        for (TEntrySpec& child : dir->Children)
            if (child.IsDir && child.Name == part) found = &child;
        dir = found ? found : &dir->AddDir(part);
    }
    return *dir;
}

TEntrySpec& TEntrySpec::Add(const std::string& path, TBytes contents) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return AddFile(path, std::move(contents));
    return Dir(path.substr(0, slash)).AddFile(path.substr(slash + 1), std::move(contents));
}

TEntrySpec& TEntrySpec::Add(const std::string& path, const std::string& contents) {
    return Add(path, BytesOf(contents));
}

TEntrySpec& TEntrySpec::Raw() {
    Format = DATAFORMAT_RAW;
    return *this;
}

TEntrySpec& TEntrySpec::Zlib(int level) {
    Format = DATAFORMAT_ZLIB;
    ZlibLevel = level;
    return *this;
}

TEntrySpec& TEntrySpec::Lzo() {
    Format = DATAFORMAT_LZO;
    return *this;
}

TEntrySpec& TEntrySpec::Chunked(uint32_t chunkSize) {
    ChunkSize = chunkSize;
    return *this;
}

TEntrySpec& TEntrySpec::Time(uint64_t fileTime) {
    FileTime = fileTime;
    return *this;
}

TEntrySpec& TEntrySpec::WithFlags(uint16_t flags) {
    Flags = flags;
    return *this;
}

TEntrySpec& TEntrySpec::NoCrc() {
    RecordCrc = false;
    return *this;
}

TChunkSpec& TEntrySpec::Chunk(size_t index) {
    if (Chunks.size() <= index) Chunks.resize(index + 1);
    return Chunks[index];
}
