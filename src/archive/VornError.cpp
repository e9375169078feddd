#include "VornError.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

std::string FormatMessage(const char* pattern, ...)
{
    va_list args;
    va_start(args, pattern);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, pattern, copy);
    va_end(copy);
    if (length <= 0) {
        va_end(args);
        return std::string();
    }
    std::vector<char> text(static_cast<size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), pattern, args);
    va_end(args);
    return std::string(text.data(), static_cast<size_t>(length));
}
