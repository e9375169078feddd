// The "Pellory2" error box, and a way for tests to see the messages instead.
#pragma once

#include <QString>

#include <functional>

// Shows `message` with the full-stop rule, an error icon and one OK button.
void ShowErrorBox(const QString& message);
// The same box with `message` exactly as given (per-entry extraction errors).
void ShowMessageBox(const QString& message);
// The box for a dropped file that failed to open.
void ShowOpenFailedBox(const QString& path, const QString& reason);

// Replaces the boxes with `handler`, which receives the final texts
// (tests); an empty handler restores the boxes.
void SetErrorBoxHandler(std::function<void(const QString&)> handler);

// Text of a caught exception.
QString ExceptionText(const std::exception& error);
