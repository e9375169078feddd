// info ARCHIVE: the header texts, then every header field as the archive
// info window shows it, one "key: value" line each.
#include "archive/VornFunctions.h"
#include "cli/ArchiveAccess.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/Output.h"

#include <string>
#include <utility>
#include <vector>

namespace {

// A header text (UTF-16) on one line: controls escaped.
std::string HeaderText(const std::u16string& text) { return EscapeControls(Utf16ToUtf8(text)); }

// The description: its first line follows the key; every further line is
// printed indented by two spaces, so no line of it can look like a key.
std::string DescriptionText(const std::u16string& description) {
    const std::string utf8 = Utf16ToUtf8(description);
    std::string text;
    std::string line;
    for (size_t i = 0; i <= utf8.size(); ++i) {
        const char c = i < utf8.size() ? utf8[i] : '\n';
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;  // CR LF
        text += EscapeControls(line);
        if (i < utf8.size()) text += "\n  ";
        line.clear();
    }
    return text;
}

// Bytes of the header shown as characters (ids, creator).
std::string HeaderBytes(const std::string& bytes) { return DisplayText(bytes); }

int RunInfo(const TInvocation& invocation) {
    const auto vorn = OpenArchive(invocation.Operands[0]);
    const TVornHeader& h = vorn->Header();

    const std::vector<std::pair<const char*, std::string>> rows = {
        {"Title", HeaderText(vorn->GetTitle())},
        {"Copyright", HeaderText(vorn->GetCopyright())},
        {"Author", HeaderText(vorn->GetAuthor())},
        {"Build Info", HeaderText(vorn->GetBuildInfo())},
        {"Description", DescriptionText(vorn->Description())},
        {"m_ProductId", HeaderBytes(FourCCToStr(h.m_ProductId))},
        {"m_VornId", HeaderBytes(FourCCToStr(h.m_VornId))},
        {"m_HeaderVersion", HeaderVersionToStr(h.m_HeaderVersion)},
        {"m_DirSetOffset", HexToStr(h.m_DirSetOffset)},
        {"m_FileSetOffset", HexToStr(h.m_FileSetOffset)},
        {"m_IndexSize", CardinalToStr(h.m_IndexSize)},
        {"m_DataOffset", HexToStr(h.m_DataOffset)},
        {"m_ProductVersion", VersionToStr(h.m_ProductVersion)},
        {"m_MinimumVersion", VersionToStr(h.m_MinimumVersion)},
        {"m_Priority", PriorityToStr(h.m_Priority)},
        {"m_Flags", FlagsToStr(h.m_Flags)},
        {"m_CreatorId", HeaderBytes(CreatorIdToStr(h.m_CreatorId))},
        {"m_GUID", GuidToStr(h.m_GUID)},
        {"m_IndexCRC32", HexToStr(h.m_IndexCRC32)},
        {"m_DataCRC32", HexToStr(h.m_DataCRC32)},
        {"m_UtcBuildTime", SystemTimeToStr(h.m_UtcBuildTime)},
    };
    std::string out;
    for (const auto& [key, value] : rows) out += std::string(key) + ": " + value + "\n";
    WriteOut(out);
    return ExitSuccess;
}

}  // namespace

extern const TCommandDef InfoCommand = {
    "info",
    "ARCHIVE",
    "Show the archive's header texts and fields",
    "Prints Title, Copyright, Author, Build Info and Description, then every\n"
    "header field (m_ProductId ... m_UtcBuildTime), one \"key: value\" line each.\n"
    "Further lines of a multi-line description are indented by two spaces.\n",
    {},
    1,
    1,
    RunInfo,
};
