// The program's pictures: the 15 list pictures (16 and 32 pixels, shared by
// the folder tree and the file list), the toolbar pictures (grey, coloured
// under the pointer) and the program icon.
#pragma once

#include <QIcon>
#include <QString>

constexpr int ListImageCount = 15;

namespace ListImage {
constexpr int FolderUp = 0;
constexpr int Folder = 1;
constexpr int FolderOpen = 2;
constexpr int Archive = 3;
constexpr int Document = 4;
constexpr int Picture = 8;
}  // namespace ListImage

// List picture `index` at 16 and 32 pixels; an index outside 0..14 gives the
// blank document, so no row is ever drawn without a picture.
QIcon ListIcon(int index);
// A tree node picture: `index` normally, `selectedIndex` while selected.
QIcon NodeIcon(int index, int selectedIndex);
// Toolbar picture by name ("open", "close", "extract", "view", "style").
QIcon ToolbarIcon(const QString& name);
QIcon AppIcon();
QIcon HidePaneIcon();
