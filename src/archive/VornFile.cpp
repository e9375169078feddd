// Opening an archive and the queries that answer from the index block.
#include "VornFile.h"

#include "VornError.h"

#include <sys/stat.h>

#include <cstring>
#include <new>

namespace {

constexpr uint32_t PeSectionCountPosition = 70;
constexpr uint32_t PeSectionTablePosition = 312;
constexpr uint32_t PeSectionRecordSize = 40;

// Messages for damage the opening steps do not name themselves.
constexpr const char* DirectorySetOutside = "Directory set reaches outside the index";
constexpr const char* DirectoryOutside = "Directory %u of the directory set lies outside the index";
constexpr const char* EntryOutside = "Entry %u reaches outside the index";
constexpr const char* NameOutside = "Name of entry %u reaches outside the index";
constexpr const char* ChildListOutside = "Child list of directory %u reaches outside the index";
constexpr const char* CompressionHeaderOutside =
    "Compression header of entry %u reaches outside the index";
constexpr const char* ParentLoop = "Error in directory structure! (Parent loop above entry %u)";

bool SeekTo(std::FILE* file, uint64_t position)
{
#if defined(_WIN32)
    return _fseeki64(file, static_cast<__int64>(position), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(position), SEEK_SET) == 0;
#endif
}

// Size of an open regular file; false for anything else (a directory, say).
bool RegularFileSize(std::FILE* file, uint64_t& size)
{
#if defined(_WIN32)
    struct _stat64 info;
    if (_fstat64(_fileno(file), &info) != 0 || (info.st_mode & _S_IFREG) == 0)
        return false;
#else
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
#endif
    size = static_cast<uint64_t>(info.st_size);
    return true;
}

// Section names match without regard to case, over at most 8 characters and
// up to a zero byte.
int AsciiLower(uint8_t c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

bool SectionNameMatches(const uint8_t* name, const char* wanted)
{
    for (int i = 0; i < 8; ++i) {
        const int a = AsciiLower(name[i]);
        const int b = AsciiLower(static_cast<uint8_t>(wanted[i]));
        if (a != b)
            return false;
        if (a == 0)
            return true;
    }
    return true;
}

// The header is packed, so its texts are copied unit by unit, never used in place.
std::u16string TextUpToZero(const void* units, size_t capacity)
{
    std::u16string text;
    const uint8_t* bytes = static_cast<const uint8_t*>(units);
    for (size_t i = 0; i < capacity; ++i) {
        char16_t unit;
        std::memcpy(&unit, bytes + 2 * i, sizeof(unit));
        if (unit == 0)
            break;
        text += unit;
    }
    return text;
}

}  // namespace

std::unique_ptr<TVornFile> TVornFile::Open(const std::string& fileName)
{
    std::unique_ptr<TVornFile> vorn(new TVornFile());

    vorn->FFile = std::fopen(fileName.c_str(), "rb");
    if (!vorn->FFile || !RegularFileSize(vorn->FFile, vorn->FFileSize))
        throw EVornError(FormatMessage("Cannot open file %s", fileName.c_str()));

    if (vorn->FFileSize < VORN_HEADER_SIZE)
        throw EVornError("Cannot open file: size < sizeof(TVornHeader)");

    if (vorn->ReadAt(0, reinterpret_cast<uint8_t*>(&vorn->FHeader), VORN_HEADER_SIZE) !=
        VORN_HEADER_SIZE)
        throw EVornError("Cannot read the archive header");
    const TVornHeader& header = vorn->FHeader;

    if (header.m_ProductId[0] == 'M' && header.m_ProductId[1] == 'Z') {
        if (!vorn->FindPESection(".IVORN"))
            throw EVornError("Missing .IVORN section!");
        if (!vorn->FindPESection(".DVORN"))
            throw EVornError("Missing .DVORN section!");
        throw EVornError("Woho! a real PE vorn! Tell Orwin about it! :)");
    }

    if (std::memcmp(header.m_ProductId, "Kvrd", 4) != 0 ||
        std::memcmp(header.m_VornId, "Vorn", 4) != 0)
        throw EVornError("Unknown header!");

    if (header.m_DescriptionLength != 0) {
        const size_t bytes = size_t{header.m_DescriptionLength} * 2;
        if (VORN_HEADER_SIZE + bytes > vorn->FFileSize)
            throw EVornError("Description reaches past the end of the file");
        vorn->FDescription.resize(header.m_DescriptionLength);
        if (vorn->ReadAt(VORN_HEADER_SIZE, reinterpret_cast<uint8_t*>(&vorn->FDescription[0]),
                         bytes) != bytes)
            throw EVornError("Cannot read the description");
    }

    if (uint64_t{header.m_DirSetOffset} + header.m_IndexSize > vorn->FFileSize)
        throw EVornError("Index reaches past the end of the file");
    try {
        vorn->FIndex.reset(new uint8_t[header.m_IndexSize]);
    } catch (const std::bad_alloc&) {
        throw EVornError("Out of memory");
    }
    vorn->FIndexSize = header.m_IndexSize;
    if (vorn->ReadAt(header.m_DirSetOffset, vorn->FIndex.get(), header.m_IndexSize) !=
        header.m_IndexSize)
        throw EVornError("Cannot read the index");

    if (vorn->GetDirCount() == 0)
        throw EVornError("Vorn has no root!");
    if (vorn->GetParentOffset(vorn->GetRootOffset()) != 0)
        throw EVornError("Error in directory structure! (Root has a parent)");

    vorn->FFileName = fileName;
    return vorn;
}

TVornFile::~TVornFile()
{
    if (FFile)
        std::fclose(FFile);
}

bool TVornFile::FindPESection(const char* name)
{
    uint16_t count = 0;
    std::memcpy(&count, reinterpret_cast<const uint8_t*>(&FHeader) + PeSectionCountPosition,
                sizeof(count));
    // Records past the end of the file do not exist.
    uint8_t record[PeSectionRecordSize];
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t position = PeSectionTablePosition + uint64_t{i} * PeSectionRecordSize;
        if (ReadAt(position, record, sizeof(record)) != sizeof(record))
            return false;
        if (SectionNameMatches(record, name))
            return true;
    }
    return false;
}

size_t TVornFile::ReadAt(uint64_t position, uint8_t* out, size_t count)
{
    if (count == 0)
        return 0;
    if (!SeekTo(FFile, position))
        return 0;
    return std::fread(out, 1, count, FFile);
}

// --- index access -----------------------------------------------------------

void TVornFile::CheckIndexRange(uint64_t position, uint64_t count, const char* pattern,
                                uint32_t subject) const
{
    if (position > FIndexSize || count > FIndexSize - position)
        throw EVornError(FormatMessage(pattern, subject));
}

uint32_t TVornFile::ReadIndex32(uint64_t position, const char* pattern, uint32_t subject) const
{
    CheckIndexRange(position, 4, pattern, subject);
    uint32_t value;
    std::memcpy(&value, FIndex.get() + position, sizeof(value));
    return value;
}

uint16_t TVornFile::ReadIndex16(uint64_t position, const char* pattern, uint32_t subject) const
{
    CheckIndexRange(position, 2, pattern, subject);
    uint16_t value;
    std::memcpy(&value, FIndex.get() + position, sizeof(value));
    return value;
}

uint32_t TVornFile::EntryField32(uint32_t offset, uint32_t field) const
{
    return ReadIndex32(uint64_t{offset} + field, EntryOutside, offset);
}

uint16_t TVornFile::EntryField16(uint32_t offset, uint32_t field) const
{
    return ReadIndex16(uint64_t{offset} + field, EntryOutside, offset);
}

uint32_t TVornFile::NameFieldOffset(uint32_t offset) const
{
    return IsDirectory(offset) ? VornRecord::DirName : VornRecord::FileName;
}

uint16_t TVornFile::NameLength(uint32_t offset) const
{
    return EntryField16(offset, NameFieldOffset(offset));
}

uint64_t TVornFile::AfterNameField(uint32_t offset) const
{
    return uint64_t{offset} + NameFieldOffset(offset) + NameFieldSize(NameLength(offset));
}

// --- queries ----------------------------------------------------------------

uint32_t TVornFile::GetDirCount() const
{
    return ReadIndex32(0, DirectorySetOutside, 0);
}

uint32_t TVornFile::GetDirOffset(uint32_t index) const
{
    return ReadIndex32(4 + uint64_t{index} * 4, DirectoryOutside, index);
}

uint32_t TVornFile::GetRootOffset() const
{
    return GetDirOffset(0);
}

bool TVornFile::IsDirectory(uint32_t offset) const
{
    return offset < FHeader.m_FileSetOffset - FHeader.m_DirSetOffset;
}

uint32_t TVornFile::GetChildCount(uint32_t dirOffset) const
{
    return EntryField32(dirOffset, VornRecord::DirChildCount);
}

uint32_t TVornFile::GetChild(uint32_t dirOffset, uint32_t childIndex, uint32_t& child) const
{
    const uint32_t count = GetChildCount(dirOffset);
    if (childIndex >= count)
        throw EVornError(FormatMessage("ChildIndex out of bounds! (%d)",
                                       static_cast<int32_t>(childIndex)));
    // The whole list must lie in the index, so a damaged count fails at once.
    const uint64_t list = uint64_t{dirOffset} + VornRecord::DirName +
                          NameFieldSize(EntryField16(dirOffset, VornRecord::DirName));
    CheckIndexRange(list, uint64_t{count} * 4, ChildListOutside, dirOffset);
    std::memcpy(&child, FIndex.get() + list + uint64_t{childIndex} * 4, sizeof(child));
    return childIndex + 1 < count ? childIndex + 1 : 0;
}

const uint8_t* TVornFile::GetChildList(uint32_t dirOffset, uint32_t& count) const
{
    count = GetChildCount(dirOffset);
    const uint64_t list = uint64_t{dirOffset} + VornRecord::DirName +
                          NameFieldSize(EntryField16(dirOffset, VornRecord::DirName));
    CheckIndexRange(list, uint64_t{count} * 4, ChildListOutside, dirOffset);
    return FIndex.get() + list;
}

uint32_t TVornFile::GetParentOffset(uint32_t offset) const
{
    return EntryField32(offset, VornRecord::DirParentOffset);
}

std::string TVornFile::GetName(uint32_t offset) const
{
    const uint32_t length = NameLength(offset);
    const uint64_t start = uint64_t{offset} + NameFieldOffset(offset) + 2;
    CheckIndexRange(start, length, NameOutside, offset);
    const char* characters = reinterpret_cast<const char*>(FIndex.get() + start);
    const void* zero = std::memchr(characters, 0, length);
    return std::string(characters,
                       zero ? static_cast<const char*>(zero) - characters : length);
}

std::string TVornFile::GetPath(uint32_t offset) const
{
    // Collect the ancestors first; Brent's cycle check keeps a damaged parent
    // chain from looping forever at O(1) extra cost per step.
    std::vector<uint32_t> ancestors;
    uint32_t mark = offset;
    size_t power = 1;
    size_t sinceMark = 0;
    for (uint32_t p = GetParentOffset(offset); p != 0; p = GetParentOffset(p)) {
        if (p == mark)
            throw EVornError(FormatMessage(ParentLoop, offset));
        ancestors.push_back(p);
        if (++sinceMark == power) {
            mark = p;
            power *= 2;
            sinceMark = 0;
        }
    }
    std::string path;
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        path += GetName(*it);
        path += '\\';
    }
    return path;
}

uint64_t TVornFile::GetFileTime(uint32_t offset) const
{
    const uint32_t field = IsDirectory(offset) ? VornRecord::DirFileTime : VornRecord::FileFileTime;
    const uint64_t low = EntryField32(offset, field);
    const uint64_t high = EntryField32(offset, field + 4);
    return low | (high << 32);
}

uint32_t TVornFile::GetSize(uint32_t fileOffset) const
{
    return EntryField32(fileOffset, VornRecord::FileSize);
}

uint32_t TVornFile::GetCompressedSize(uint32_t fileOffset) const
{
    const uint64_t position = AfterNameField(fileOffset);
    // A stored entry may have no compression header; at the end of the index
    // its stored size is its size.
    if (GetFormat(fileOffset) == DATAFORMAT_RAW &&
        (position > FIndexSize || FIndexSize - position < 4))
        return GetSize(fileOffset);
    return ReadIndex32(position, CompressionHeaderOutside, fileOffset);
}

uint32_t TVornFile::GetCRC32(uint32_t fileOffset) const
{
    return EntryField32(fileOffset, VornRecord::FileCRC32);
}

uint16_t TVornFile::GetFormat(uint32_t fileOffset) const
{
    return EntryField16(fileOffset, VornRecord::FileFormat);
}

uint16_t TVornFile::GetFileFlags(uint32_t fileOffset) const
{
    return EntryField16(fileOffset, VornRecord::FileFlags);
}

std::u16string TVornFile::GetTitle() const
{
    return TextUpToZero(FHeader.m_Title, 100);
}

std::u16string TVornFile::GetCopyright() const
{
    return TextUpToZero(FHeader.m_Copyright, 100);
}

std::u16string TVornFile::GetAuthor() const
{
    return TextUpToZero(FHeader.m_Author, 40);
}

std::u16string TVornFile::GetBuildInfo() const
{
    return TextUpToZero(FHeader.m_BuildInfo, 100);
}
