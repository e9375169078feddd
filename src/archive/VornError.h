// The one error type of the archive core: it carries the exact message text
// that the windows and the command-line tool show.
#pragma once

#include <stdexcept>
#include <string>

class EVornError : public std::runtime_error {
public:
    explicit EVornError(const std::string& message) : std::runtime_error(message) {}
};

// printf-style formatting into a std::string, for parametrised messages.
std::string FormatMessage(const char* pattern, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
