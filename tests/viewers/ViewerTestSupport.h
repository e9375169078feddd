// Helpers shared by the viewer tests: buffers, fixtures and window look-ups.
#pragma once

#include "archive/VornFile.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

#include <string>

TDataBuffer MakeBuffer(const std::string& bytes);

// A raw texture: header with `surfaces`, `width` and `height`, then the
// pixels of one surface (B, G, R, A each), all pixels `bgra` unless the
// first stored row is given as `firstRowBgra`.
std::string MakeTexture(uint16_t surfaces, uint16_t width, uint16_t height, uint32_t bgra,
                        uint32_t firstRowBgra);
std::string MakeTexture(uint16_t surfaces, uint16_t width, uint16_t height, uint32_t bgra = 0);

// A Windows bitmap file of the picture.
std::string MakeBitmapFile(const QImage& picture);

// Visible top-level windows.
QList<QWidget*> VisibleWindows();
// Closes every top-level window and lets Qt destroy those that delete themselves.
void CloseAllWindows();
// Runs deferred deletions so closed WA_DeleteOnClose windows are gone.
void FlushDeletes();

class QTemporaryDir;

// Copies plug-in libraries into `dir` under the given file names (which set
// their load order) and returns the folder.
struct TPluginCopy {
    QString Source;
    QString Name;
};
QString MakePluginFolder(const QTemporaryDir& dir, const QList<TPluginCopy>& plugins);

// Which viewer a window is: "image", "text", "hex", "settings" (the cfgview
// plug-in's table) or "other".
QString ViewerKind(QWidget* window);
