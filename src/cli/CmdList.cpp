// list [--json] ARCHIVE: every entry below the root, depth-first, children
// in stored order.
#include "archive/TreeWalk.h"
#include "archive/VornError.h"
#include "archive/VornFunctions.h"
#include "cli/ArchiveAccess.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/EntryPaths.h"
#include "cli/ListColumns.h"
#include "cli/Output.h"

#include <cstdio>
#include <string>

namespace {

// Output is collected in blocks of about this size before it is written.
constexpr size_t FlushThreshold = 64 * 1024;

// Counts code points, so names and type texts beyond ASCII line up.
size_t DisplayWidth(const std::string& utf8) {
    size_t width = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++width;
    return width;
}

void AppendPadded(std::string& out, const std::string& text, size_t width, bool alignRight) {
    const size_t used = DisplayWidth(text);
    const size_t padding = used < width ? width - used : 0;
    if (alignRight) out.append(padding, ' ');
    out += text;
    if (!alignRight) out.append(padding, ' ');
}

void AppendTextRow(std::string& out, const TListColumns& c, const std::string& path) {
    AppendPadded(out, c.Type, 14, false);
    out += ' ';
    AppendPadded(out, c.Size, 10, true);
    out += ' ';
    AppendPadded(out, c.Ratio, 6, true);
    out += "  ";
    AppendPadded(out, c.Format, 6, false);
    out += ' ';
    AppendPadded(out, c.Crc, 8, false);
    out += "  ";
    AppendPadded(out, c.Modified, 19, false);
    out += "  ";
    out += path;
    out += '\n';
}

void AppendJsonEntry(std::string& out, const TVornFile& vorn, uint32_t offset,
                     const TPathTracker& paths) {
    out += "{\"path\":";
    AppendJsonString(out, paths.Path());
    out += ",\"name\":";
    AppendJsonString(out, paths.Name());
    const bool isDir = vorn.IsDirectory(offset);
    out += isDir ? ",\"type\":\"dir\"" : ",\"type\":\"file\"";
    const std::string mtime = FileTimeToIsoStr(vorn.GetFileTime(offset));
    out += ",\"mtime\":";
    out += mtime.empty() ? "null" : "\"" + mtime + "\"";
    if (!isDir) {
        char crc[9];
        std::snprintf(crc, sizeof crc, "%08X", vorn.GetCRC32(offset));
        out += ",\"size\":" + std::to_string(vorn.GetSize(offset));
        out += ",\"compressed_size\":" + std::to_string(vorn.GetCompressedSize(offset));
        out += ",\"format\":";
        AppendJsonString(out, FormatToStr(vorn.GetFormat(offset)));
        out += ",\"crc\":\"" + std::string(crc) + "\"";
        out += ",\"flags\":" + std::to_string(vorn.GetFileFlags(offset));
    }
    out += '}';
}

int RunList(const TInvocation& invocation) {
    const auto vorn = OpenArchive(invocation.Operands[0]);
    const bool json = invocation.Has("--json");

    std::string out;
    if (json) {
        out += '[';
    } else {
        AppendTextRow(out, {"Type", "Size", "Ratio", "Format", "CRC", "Last Modified"}, "Path");
    }
    TPathTracker paths;
    bool first = true;
    const auto visit = [&](uint32_t offset, const std::vector<uint32_t>& ancestors) {
        paths.Visit(*vorn, offset, ancestors);
        if (json) {
            out += first ? "\n  " : ",\n  ";
            AppendJsonEntry(out, *vorn, offset, paths);
        } else {
            const auto columns = ListColumnsOf(*vorn, offset);
            AppendTextRow(out, columns, EscapeControls(paths.Path()));
        }
        first = false;
        if (out.size() >= FlushThreshold) {
            WriteOut(out);
            out.clear();
        }
        return true;
    };
    try {
        WalkTree(*vorn, vorn->GetRootOffset(), visit);
    } catch (const EVornError&) {
        // Show what was listed before the damage; main() reports the error.
        // The JSON array stays unterminated, so no reader takes it as whole.
        WriteOut(out);
        throw;
    }
    if (json) out += first ? "]\n" : "\n]\n";
    WriteOut(out);
    return ExitSuccess;
}

}  // namespace

extern const TCommandDef ListCommand = {
    "list",
    "ARCHIVE",
    "List every entry below the root",
    "Walks the tree depth-first, children in stored order, and prints one line\n"
    "per entry: type, size, ratio, format, CRC, last modified and path (names\n"
    "below the root joined by \"/\"). Sizes are kilobytes rounded up, as in the\n"
    "program's file list; --json gives exact sizes.\n"
    "\n"
    "With --json: one array of objects with \"path\", \"name\", \"type\" (\"dir\" or\n"
    "\"file\"), \"mtime\" (\"YYYY-MM-DDTHH:MM:SS\" or null) and, for files, \"size\",\n"
    "\"compressed_size\", \"format\", \"crc\" (8 upper-case hex digits) and \"flags\".\n"
    "\n"
    "A damaged tree (for example a child list that leads back to an ancestor)\n"
    "stops the listing with a message and exit status 1.\n",
    {{"--json", "", "print one JSON array instead of text lines"}},
    1,
    1,
    RunList,
};
