#include "cli/Output.h"

#include "app/NameDecoding.h"
#include "cli/CliError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const char HexDigits[] = "0123456789ABCDEF";

void AppendHexByte(std::string& out, unsigned value) {
    out += HexDigits[(value >> 4) & 0xF];
    out += HexDigits[value & 0xF];
}

[[noreturn]] void RaiseWriteError() {
    throw ECliError(std::string("cannot write to standard output: ") + std::strerror(errno),
                    ExitTrouble);
}

}  // namespace

std::string DecodeToUtf8(const std::string& archiveBytes) {
    return ToUtf8String(DecodeArchiveText(archiveBytes));
}

std::string EscapeControls(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            AppendHexByte(out, byte);
        } else if (byte == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            // U+0080 to U+009F, the C1 controls.
            out += "\\x";
            AppendHexByte(out, static_cast<unsigned char>(utf8[++i]));
        } else if (byte == '\\') {
            out += "\\\\";
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

std::string DisplayText(const std::string& archiveBytes) {
    return EscapeControls(DecodeToUtf8(archiveBytes));
}

void AppendJsonString(std::string& out, const std::string& utf8) {
    out += '"';
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        unsigned control = 0x100;  // none
        if (byte < 0x20 || byte == 0x7F) {
            control = byte;
        } else if (byte == 0xC2 && i + 1 < utf8.size() &&
                   static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            control = static_cast<unsigned char>(utf8[++i]);
        }
        switch (control) {
        case 0x100:
            if (byte == '"' || byte == '\\') out += '\\';
            out += static_cast<char>(byte);
            break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            out += "\\u00";
            AppendHexByte(out, control);
        }
    }
    out += '"';
}

void WriteOut(const char* data, size_t size) {
    if (size != 0 && std::fwrite(data, 1, size, stdout) != size) RaiseWriteError();
}

void WriteOut(const std::string& text) { WriteOut(text.data(), text.size()); }

void FinishOutput() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) RaiseWriteError();
}

void PrintError(const std::string& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "pellory-cli: %s\n", message.c_str());
}
