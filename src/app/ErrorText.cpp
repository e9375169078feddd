#include "app/ErrorText.h"

QString WithFullStop(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > '.') return message + '.';
    return message;
}
