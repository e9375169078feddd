// Text rules of the error box.
#pragma once

#include <QString>

// Appends a full stop when the last character's code is above that of '.',
// so messages ending in '.', '!' or ')' keep their own ending.
QString WithFullStop(const QString& message);
