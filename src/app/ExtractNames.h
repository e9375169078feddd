// Entry names become file and folder names on disk only when they are one
// plain path component. Names that could reach outside the destination or
// confuse a file system are refused, never cleaned.
#pragma once

#include <QString>

#include <optional>

// Why `name` cannot be used as one component on disk, or nothing when it
// can. An empty name is refused here; callers skip empty folder names first.
std::optional<QString> UnsafeNameReason(const QString& name);

// The name for messages and terminals: control characters shown as \xNN.
QString PrintableName(const QString& name);
