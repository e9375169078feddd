#include "app/InfoRows.h"

#include "app/NameDecoding.h"
#include "archive/VornFunctions.h"

namespace {

QString FromAscii(const std::string& text) { return QString::fromStdString(text); }

// UTF-16 header text up to its first zero code unit.
QString HeaderText(const std::u16string& text) {
    const size_t end = text.find(u'\0');
    const std::u16string shown = end == std::u16string::npos ? text : text.substr(0, end);
    return QString::fromUtf16(shown.data(), static_cast<qsizetype>(shown.size()));
}

// Header bytes shown as characters; a text control ends at the first zero byte.
QString HeaderBytes(const std::string& bytes) {
    return DecodeArchiveText(bytes.substr(0, bytes.find('\0')));
}

}  // namespace

THeaderTexts HeaderTexts(const TVornFile& vorn) {
    return {HeaderText(vorn.GetTitle()), HeaderText(vorn.GetCopyright()),
            HeaderText(vorn.GetAuthor()), HeaderText(vorn.GetBuildInfo()),
            HeaderText(vorn.Description())};
}

TInfoRows HeaderInfoRows(const TVornHeader& h) {
    return {
        {"m_ProductId", HeaderBytes(FourCCToStr(h.m_ProductId))},
        {"m_VornId", HeaderBytes(FourCCToStr(h.m_VornId))},
        {"m_HeaderVersion", FromAscii(HeaderVersionToStr(h.m_HeaderVersion))},
        {"m_DirSetOffset", FromAscii(HexToStr(h.m_DirSetOffset))},
        {"m_FileSetOffset", FromAscii(HexToStr(h.m_FileSetOffset))},
        {"m_IndexSize", FromAscii(CardinalToStr(h.m_IndexSize))},
        {"m_DataOffset", FromAscii(HexToStr(h.m_DataOffset))},
        {"m_ProductVersion", FromAscii(VersionToStr(h.m_ProductVersion))},
        {"m_MinimumVersion", FromAscii(VersionToStr(h.m_MinimumVersion))},
        {"m_Priority", FromAscii(PriorityToStr(h.m_Priority))},
        {"m_Flags", FromAscii(FlagsToStr(h.m_Flags))},
        {"m_CreatorId", HeaderBytes(CreatorIdToStr(h.m_CreatorId))},
        {"m_GUID", FromAscii(GuidToStr(h.m_GUID))},
        {"m_IndexCRC32", FromAscii(HexToStr(h.m_IndexCRC32))},
        {"m_DataCRC32", FromAscii(HexToStr(h.m_DataCRC32))},
        {"m_UtcBuildTime", FromAscii(SystemTimeToStr(h.m_UtcBuildTime))},
    };
}

TInfoRows EntryPropertyRows(const TVornFile& vorn, uint32_t offset,
                            const TTypeDescription& typeDescription) {
    const std::string name = vorn.GetName(offset);
    const QString path = DecodeArchiveText(vorn.GetPath(offset));
    if (vorn.IsDirectory(offset))
        return {{"Name", DecodeArchiveText(name)}, {"Type", "Directory"}, {"Path", path}};

    const uint32_t size = vorn.GetSize(offset);
    const uint16_t format = vorn.GetFormat(offset);
    // The reader never looks past the index for this value: a stored entry
    // without a compression header reports its size.
    const uint32_t compressedSize = vorn.GetCompressedSize(offset);
    const QString ratio = size == 0 || format == DATAFORMAT_RAW
                              ? QStringLiteral("None")
                              : FromAscii(CompressionRatioToStr(size, compressedSize));
    return {
        {"Name", DecodeArchiveText(name)},
        {"Type", DecodeArchiveText(typeDescription ? typeDescription(name) : std::string())},
        {"Path", path},
        {"Size", FromAscii(CardinalToStr(size))},
        {"Compression", FromAscii(FormatToStr(format))},
        {"Compression Ratio", ratio},
        {"Compressed size", FromAscii(CardinalToStr(compressedSize))},
    };
}
