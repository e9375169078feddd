#include "viewers/TextLoading.h"

#include "app/NameDecoding.h"

#include <cstring>
#include <string>

QString LoadEntryText(const uint8_t* data, uint32_t size) {
    if (size == 0) return {};
    const void* nul = std::memchr(data, 0, size);
    const size_t length = nul ? static_cast<const uint8_t*>(nul) - data : size;

    // One pass over the bytes: CR LF and lone CR become LF. Neither byte can
    // be part of a multi-byte UTF-8 sequence, so decoding afterwards is safe.
    std::string bytes(length, '\0');
    size_t out = 0;
    for (size_t i = 0; i < length; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\r') {
            bytes[out++] = '\n';
            if (i + 1 < length && data[i + 1] == '\n') ++i;
        } else {
            bytes[out++] = c;
        }
    }
    bytes.resize(out);
    return DecodeArchiveText(bytes);
}
