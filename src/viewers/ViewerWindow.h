// Shared set-up of the modeless viewer windows.
#pragma once

#include <QFont>

class QWidget;

// Makes `window` a top-level viewer: destroyed when closed and not keeping
// the program alive once the main window has closed.
void PrepareViewerWindow(QWidget* window);

// Moves `window` so that it is centred over the program's main window, when
// one is shown.
void CenterOverMainWindow(QWidget* window);

// A fixed-pitch font whose line height is at most `cellHeight` pixels.
QFont FixedFontForCell(int cellHeight);
