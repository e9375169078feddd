// Lays out and serialises a TVornPlan: header, description, index, data.
#include "VornWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>
#include <unordered_map>

namespace {

// One entry of the plan while it is being laid out.
struct TPlaced {
    const TEntryPlan* Plan = nullptr;
    size_t Parent = SIZE_MAX;          // index into the placed list
    TEntryLayout Layout;
    // Files.
    TBytes Stored;
    bool HasCompressionHeader = false;
    uint32_t CompressedSize = 0;
    std::vector<TChunkHeader> ChunkHeaders;
    // Directories.
    std::vector<uint32_t> ChildOffsets;
};

uint16_t NameLength(const TEntryPlan& plan) {
    if (plan.Name.size() > 0xFFFF) throw std::length_error("name longer than 65535 bytes");
    return static_cast<uint16_t>(plan.Name.size());
}

uint32_t ToU32(size_t value) {
    if (value > UINT32_MAX) throw std::length_error("archive larger than 4 GiB");
    return static_cast<uint32_t>(value);
}

TBytes Compress(uint16_t format, int zlibLevel, const uint8_t* data, size_t size) {
    if (format == DATAFORMAT_ZLIB) return ZlibCompress(data, size, zlibLevel);
    return LzoCompress(data, size);
}

void Append(TBytes& out, const uint8_t* data, size_t size) { out.insert(out.end(), data, data + size); }

// Fills the stored bytes and the compression fields of a file entry.
void EncodeFile(TPlaced& file) {
    const TEntryPlan& plan = *file.Plan;
    const TBytes& in = plan.Contents;
    const bool compressed = plan.Format == DATAFORMAT_ZLIB || plan.Format == DATAFORMAT_LZO;
    file.HasCompressionHeader = compressed || plan.RawCompressionHeader || plan.Format > DATAFORMAT_LZO;
    if (!compressed) {
        file.Stored = in;
    } else if (plan.ChunkSize == 0) {
        file.Stored = Compress(plan.Format, plan.ZlibLevel, in.data(), in.size());
    } else {
        for (size_t start = 0, i = 0; start < in.size(); start += plan.ChunkSize, ++i) {
            const TChunkPlan chunk = i < plan.Chunks.size() ? plan.Chunks[i] : TChunkPlan{};
            const uint32_t size = ToU32(std::min<size_t>(plan.ChunkSize, in.size() - start));
            if (chunk.Extra > size) throw std::logic_error("more extra bytes than the chunk holds");
            const uint8_t* data = in.data() + start;
            TChunkHeader header{size, size, chunk.Extra, ToU32(file.Stored.size())};
            if (chunk.Mode != TChunkMode::Stored) {
                TBytes stream = Compress(plan.Format, plan.ZlibLevel, data, size - chunk.Extra);
                if (chunk.Mode == TChunkMode::Compressed && stream.size() == size)
                    throw std::logic_error("compressed chunk as large as its contents reads as stored");
                if (chunk.Mode == TChunkMode::Compressed || stream.size() < size) {
                    header.m_CompressedSize = ToU32(stream.size());
                    Append(file.Stored, stream.data(), stream.size());
                    Append(file.Stored, data + size - chunk.Extra, chunk.Extra);
                    file.ChunkHeaders.push_back(header);
                    continue;
                }
                header.m_ExtraBytes = 0;  // not worth compressing: stored
            }
            Append(file.Stored, data, size);
            file.ChunkHeaders.push_back(header);
        }
    }
    file.CompressedSize = ToU32(file.Stored.size());
    if (plan.EditChunks) plan.EditChunks(file.ChunkHeaders);
}

void Collect(const TEntryPlan& plan, const std::string& path, size_t parent,
             std::vector<TPlaced>& placed) {
    TPlaced entry;
    entry.Plan = &plan;
    entry.Parent = parent;
    entry.Layout.Path = path;
    entry.Layout.IsDir = plan.IsDir;
    const size_t self = placed.size();
    placed.push_back(std::move(entry));
    for (const TEntryPlan& child : plan.Children)
        Collect(child, parent == SIZE_MAX ? child.Name : path + "/" + child.Name, self, placed);
}

uint32_t ChildListLength(const TEntryPlan& plan) {
    if (plan.ForceChildOffsets) return ToU32(plan.ForceChildOffsets->size());
    if (plan.ForceChildPaths) return ToU32(plan.ForceChildPaths->size());
    return ToU32(plan.Children.size());
}

void PutU16(TBytes& b, size_t pos, uint16_t v) { PatchU16(b, pos, v); }
void PutU32(TBytes& b, size_t pos, uint32_t v) { PatchU32(b, pos, v); }

void PutName(TBytes& bytes, size_t pos, const std::string& name) {
    PutU16(bytes, pos, static_cast<uint16_t>(name.size()));
    std::memcpy(&bytes[pos + 2], name.data(), name.size());  // zero bytes already there
}

void CopyText(char16_t* field, size_t units, const std::u16string& text) {
    std::fill(field, field + units, u'\0');
    std::copy_n(text.begin(), std::min(units, text.size()), field);
}

}  // namespace

const TEntryLayout& TBuiltVorn::At(const std::string& path, size_t nth) const {
    for (const TEntryLayout& entry : Entries)
        if (entry.Path == path && nth-- == 0) return entry;
    throw std::out_of_range("no entry " + path + " in the built archive");
}

void TBuiltVorn::Save(const std::string& fileName) const { SaveBytes(fileName, Bytes); }

TBuiltVorn BuildVorn(const TVornPlan& plan) {
    if (!plan.Root.IsDir) throw std::logic_error("the root must be a directory");
    std::vector<TPlaced> placed;
    Collect(plan.Root, "", SIZE_MAX, placed);
    std::vector<TPlaced*> dirs, files;
    for (TPlaced& entry : placed) (entry.Plan->IsDir ? dirs : files).push_back(&entry);

    // Entry offsets: directory set, directory records, then the file set.
    size_t cursor = 4 + 4 * dirs.size();
    for (TPlaced* dir : dirs) {
        dir->Layout.Offset = ToU32(cursor);
        dir->Layout.RecordSize = ToU32(VornRecord::DirName + NameFieldSize(NameLength(*dir->Plan)) +
                                       4 * size_t{ChildListLength(*dir->Plan)});
        cursor += dir->Layout.RecordSize;
    }
    const uint32_t fileSetOffset = ToU32(cursor);
    for (TPlaced* file : files) {
        EncodeFile(*file);
        cursor += plan.JunkBeforeFiles;
        file->Layout.Offset = ToU32(cursor);
        file->Layout.ChunkCount = ToU32(file->ChunkHeaders.size());
        file->Layout.RecordSize = ToU32(VornRecord::FileName + NameFieldSize(NameLength(*file->Plan)) +
                                        (file->HasCompressionHeader ? 8 : 0) +
                                        sizeof(TChunkHeader) * file->ChunkHeaders.size());
        cursor += file->Layout.RecordSize;
    }
    const uint32_t indexSize = ToU32(cursor);
    size_t dataSize = 0;
    std::vector<uint32_t> dataStart(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        dataStart[i] = ToU32(dataSize);
        dataSize += files[i]->Stored.size();
    }

    // Child lists, now that every offset is known.
    std::unordered_map<const TEntryPlan*, uint32_t> offsetOf;
    std::map<std::string, uint32_t> offsetOfPath;  // made only when a test asks for paths
    for (const TPlaced& entry : placed) offsetOf[entry.Plan] = entry.Layout.Offset;
    for (TPlaced* dir : dirs) {
        const TEntryPlan& s = *dir->Plan;
        if (s.ForceChildOffsets) {
            dir->ChildOffsets = *s.ForceChildOffsets;
        } else if (s.ForceChildPaths) {
            if (offsetOfPath.empty())
                for (const TPlaced& entry : placed) offsetOfPath.emplace(entry.Layout.Path, entry.Layout.Offset);
            for (const std::string& path : *s.ForceChildPaths) {
                const auto it = offsetOfPath.find(path);
                if (it == offsetOfPath.end()) throw std::out_of_range("no entry " + path);
                dir->ChildOffsets.push_back(it->second);
            }
        } else {
            for (const TEntryPlan& child : s.Children) dir->ChildOffsets.push_back(offsetOf[&child]);
        }
    }

    // File positions of the parts.
    TBuiltVorn out;
    const size_t descriptionBytes = 2 * std::min<size_t>(plan.Header.Description.size(), 0xFFFF);
    out.DescriptionPos = VORN_HEADER_SIZE;
    const size_t afterDescription = VORN_HEADER_SIZE + descriptionBytes;
    out.IndexPos = ToU32(plan.IndexAfterData ? afterDescription + dataSize : afterDescription);
    out.DataPos = ToU32(plan.IndexAfterData ? afterDescription : afterDescription + indexSize);
    out.FileSetPos = out.IndexPos + fileSetOffset;
    out.Bytes.assign(ToU32(afterDescription + indexSize + dataSize), 0);

    // Header.
    const THeaderPlan& h = plan.Header;
    TVornHeader& header = out.Header;
    std::memcpy(header.m_ProductId, "Kvrd", 4);
    std::memcpy(header.m_VornId, "Vorn", 4);
    header.m_HeaderVersion = h.HeaderVersion;
    header.m_DirSetOffset = out.IndexPos;
    header.m_FileSetOffset = out.FileSetPos;
    header.m_IndexSize = indexSize;
    header.m_DataOffset = out.DataPos;
    std::copy_n(h.ProductVersion, 6, header.m_ProductVersion);
    std::copy_n(h.MinimumVersion, 6, header.m_MinimumVersion);
    header.m_Priority = h.Priority;
    header.m_Flags = h.Flags;
    std::memcpy(header.m_CreatorId, h.CreatorId, 4);
    header.m_GUID = h.Guid;
    header.m_IndexCRC32 = h.IndexCRC32;
    header.m_DataCRC32 = h.DataCRC32;
    header.m_UtcBuildTime = h.UtcBuildTime;
    CopyText(header.m_Copyright, 100, h.Copyright);
    CopyText(header.m_BuildInfo, 100, h.BuildInfo);
    CopyText(header.m_Title, 100, h.Title);
    CopyText(header.m_Author, 40, h.Author);
    header.m_DescriptionLength = static_cast<uint16_t>(descriptionBytes / 2);
    if (plan.EditHeader) plan.EditHeader(header);
    std::memcpy(out.Bytes.data(), &header, VORN_HEADER_SIZE);
    for (size_t i = 0; i < descriptionBytes / 2; ++i)
        PutU16(out.Bytes, VORN_HEADER_SIZE + 2 * i, h.Description[i]);

    // Directory set and directory records.
    const size_t index = out.IndexPos;
    PutU32(out.Bytes, index, plan.ForceDirCount.value_or(ToU32(dirs.size())));
    for (size_t i = 0; i < dirs.size(); ++i) PutU32(out.Bytes, index + 4 + 4 * i, dirs[i]->Layout.Offset);
    auto parentOffset = [&](const TPlaced& entry) {
        if (entry.Plan->ForceParent) return *entry.Plan->ForceParent;
        return entry.Parent == SIZE_MAX ? 0u : placed[entry.Parent].Layout.Offset;
    };
    for (TPlaced* dir : dirs) {
        TEntryLayout& l = dir->Layout;
        const TEntryPlan& s = *dir->Plan;
        l.RecordPos = ToU32(index + l.Offset);
        l.NamePos = l.RecordPos + VornRecord::DirName;
        l.ChildListPos = l.NamePos + NameFieldSize(NameLength(s));
        PutU32(out.Bytes, l.RecordPos + VornRecord::DirParentOffset, parentOffset(*dir));
        PutU32(out.Bytes, l.RecordPos + VornRecord::DirChildCount,
               s.ForceChildCount.value_or(ToU32(dir->ChildOffsets.size())));
        PatchU64(out.Bytes, l.RecordPos + VornRecord::DirFileTime, s.FileTime);
        PutName(out.Bytes, l.NamePos, s.Name);
        for (size_t i = 0; i < dir->ChildOffsets.size(); ++i)
            PutU32(out.Bytes, l.ChildListPos + 4 * i, dir->ChildOffsets[i]);
    }

    // File records (junk ahead of each) and their data.
    size_t junkPos = out.FileSetPos;
    for (size_t i = 0; i < files.size(); ++i) {
        TPlaced& file = *files[i];
        TEntryLayout& l = file.Layout;
        const TEntryPlan& s = *file.Plan;
        l.RecordPos = ToU32(index + l.Offset);
        std::fill(out.Bytes.begin() + junkPos, out.Bytes.begin() + l.RecordPos, 0xCC);
        junkPos = l.RecordPos + l.RecordSize;
        l.NamePos = l.RecordPos + VornRecord::FileName;
        l.DataPos = out.DataPos + dataStart[i];
        l.StoredSize = ToU32(file.Stored.size());
        const uint32_t crc = s.RecordCrc ? ToU32(crc32(0, s.Contents.data(), ToU32(s.Contents.size()))) : 0;
        PutU32(out.Bytes, l.RecordPos + VornRecord::FileParentOffset, parentOffset(file));
        PutU32(out.Bytes, l.RecordPos + VornRecord::FileSize, s.ForceSize.value_or(ToU32(s.Contents.size())));
        PutU32(out.Bytes, l.RecordPos + VornRecord::FileDataStart, s.ForceDataStart.value_or(dataStart[i]));
        PutU32(out.Bytes, l.RecordPos + VornRecord::FileCRC32, s.ForceCrc.value_or(crc));
        PatchU64(out.Bytes, l.RecordPos + VornRecord::FileFileTime, s.FileTime);
        PutU16(out.Bytes, l.RecordPos + VornRecord::FileFormat, s.ForceFormat.value_or(s.Format));
        PutU16(out.Bytes, l.RecordPos + VornRecord::FileFlags, s.Flags);
        PutName(out.Bytes, l.NamePos, s.Name);
        size_t pos = l.NamePos + NameFieldSize(NameLength(s));
        if (file.HasCompressionHeader) {
            l.CompressionHeaderPos = ToU32(pos);
            PutU32(out.Bytes, pos, s.ForceCompressedSize.value_or(file.CompressedSize));
            const bool compressed = s.Format == DATAFORMAT_ZLIB || s.Format == DATAFORMAT_LZO;
            PutU32(out.Bytes, pos + 4, s.ForceChunkSize.value_or(compressed ? s.ChunkSize : 0));
            pos += 8;
        }
        if (!file.ChunkHeaders.empty()) l.ChunkTablePos = ToU32(pos);
        for (const TChunkHeader& chunk : file.ChunkHeaders) {
            std::memcpy(&out.Bytes[pos], &chunk, sizeof chunk);
            pos += sizeof chunk;
        }
        std::copy(file.Stored.begin(), file.Stored.end(), out.Bytes.begin() + l.DataPos);
    }

    for (TPlaced& entry : placed) out.Entries.push_back(std::move(entry.Layout));
    return out;
}
