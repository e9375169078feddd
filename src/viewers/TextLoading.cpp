#include "viewers/TextLoading.h"

#include "app/NameDecoding.h"

#include <cstring>
#include <string>

QString LoadEntryText(const uint8_t* data, uint32_t size) {
    if (size == 0) return {};
    const void* nul = std::memchr(data, 0, size);
    const size_t length = nul ? static_cast<const uint8_t*>(nul) - data : size;
    QString text = DecodeArchiveText(std::string(reinterpret_cast<const char*>(data), length));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
