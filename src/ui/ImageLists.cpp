#include "ui/ImageLists.h"

#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The pictures are compiled into this static library; make sure they are
// registered before the first lookup.
static void EnsurePictures() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(pellory2);
        return true;
    }();
    (void)registered;
}

namespace {

// The picture file of each list index; several indices share a picture.
const char* const ListPictureFiles[ListImageCount] = {
    "folder_up", "folder", "folder_open", "archive", "document",
    "document_letter", "document_letter", "document_letter", "picture", "jigsaw",
    "sound", "picture", "box", "box", "sound"};

// Renders an SVG resource at an exact pixel size (at the device pixel ratio
// of the screen, so the pictures stay sharp on high-density displays).
QPixmap RenderSvg(const QString& resource, int size, qreal ratio = 1.0) {
    EnsurePictures();
    QSvgRenderer renderer(resource);
    QImage image(QSize(size, size) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QPixmap Greyed(const QPixmap& source) {
    QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            // Lighten a little so the coloured hover picture stands out.
            const int light = grey + (255 - grey) / 5;
            line[x] = qRgba(light, light, light, qAlpha(line[x]));
        }
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(source.devicePixelRatio());
    return result;
}

QIcon ListPicture(int index, QIcon::Mode mode, QIcon icon = QIcon()) {
    if (index < 0 || index >= ListImageCount) index = ListImage::Document;
    const QString name = QString::fromLatin1(ListPictureFiles[index]);
    icon.addPixmap(RenderSvg(":/icons/list16/" + name + ".svg", 16), mode);
    icon.addPixmap(RenderSvg(":/icons/list32/" + name + ".svg", 32), mode);
    return icon;
}

}  // namespace

QIcon ListIcon(int index) {
    static QHash<int, QIcon> cache;
    if (index < 0 || index >= ListImageCount) index = ListImage::Document;
    auto it = cache.find(index);
    if (it == cache.end()) it = cache.insert(index, ListPicture(index, QIcon::Normal));
    return *it;
}

QIcon NodeIcon(int index, int selectedIndex) {
    QIcon icon = ListPicture(index, QIcon::Normal);
    return ListPicture(selectedIndex, QIcon::Selected, icon);
}

QIcon ToolbarIcon(const QString& name) {
    const QPixmap colour = RenderSvg(":/icons/toolbar/" + name + ".svg", 24);
    QIcon icon;
    icon.addPixmap(Greyed(colour), QIcon::Normal);
    icon.addPixmap(colour, QIcon::Active);
    return icon;
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(RenderSvg(":/icons/pellory2.svg", size));
    return icon;
}

QIcon HidePaneIcon() { return QIcon(RenderSvg(":/icons/hide_pane.svg", 12)); }
