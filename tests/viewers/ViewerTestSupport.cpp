#include "ViewerTestSupport.h"

#include <QApplication>
#include <QBuffer>

#include <cstring>

TDataBuffer MakeBuffer(const std::string& bytes) {
    TDataBuffer buffer;
    buffer.Size = static_cast<uint32_t>(bytes.size());
    if (!bytes.empty()) {
        buffer.Data = std::make_unique<uint8_t[]>(bytes.size());
        std::memcpy(buffer.Data.get(), bytes.data(), bytes.size());
    }
    return buffer;
}

namespace {
void PutU16(std::string& out, uint16_t value) {
    out.push_back(char(value & 0xFF));
    out.push_back(char(value >> 8));
}
void PutU32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}
}  // namespace

std::string MakeTexture(uint16_t surfaces, uint16_t width, uint16_t height, uint32_t bgra,
                        uint32_t firstRowBgra) {
    std::string out = "ipaR8888";
    PutU16(out, 0);
    PutU16(out, surfaces);
    PutU16(out, width);
    PutU16(out, height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) PutU32(out, y == 0 ? firstRowBgra : bgra);
    return out;
}

std::string MakeTexture(uint16_t surfaces, uint16_t width, uint16_t height, uint32_t bgra) {
    return MakeTexture(surfaces, width, height, bgra, bgra);
}

std::string MakeBitmapFile(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return bytes.toStdString();
}

QList<QWidget*> VisibleWindows() {
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible()) windows.append(widget);
    return windows;
}

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void CloseAllWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets()) widget->close();
    FlushDeletes();
}

#include "viewers/FormHexViewer.h"
#include "viewers/FormTextViewer.h"
#include "viewers/ImageFormatForm.h"

#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>

QString MakePluginFolder(const QTemporaryDir& dir, const QList<TPluginCopy>& plugins) {
    for (const TPluginCopy& plugin : plugins) QFile::copy(plugin.Source, dir.filePath(plugin.Name));
    return dir.path();
}

QString ViewerKind(QWidget* window) {
    if (qobject_cast<TForm1*>(window)) return "image";
    if (qobject_cast<TfrmViewerText*>(window)) return "text";
    if (qobject_cast<TfrmViewerHex*>(window)) return "hex";
    if (qobject_cast<QTableWidget*>(window)) return "settings";
    return "other";
}
