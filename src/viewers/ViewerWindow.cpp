#include "viewers/ViewerWindow.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMainWindow>
#include <QWidget>

void PrepareViewerWindow(QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_QuitOnClose, false);
}

void CenterOverMainWindow(QWidget* window) {
    QWidget* owner = nullptr;
    for (QWidget* candidate : QApplication::topLevelWidgets()) {
        if (candidate != window && candidate->isVisible() && qobject_cast<QMainWindow*>(candidate)) {
            owner = candidate;
            break;
        }
    }
    if (!owner) return;
    const QRect area = owner->frameGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

QFont FixedFontForCell(int cellHeight) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    for (int pixels = cellHeight; pixels > 4; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= cellHeight) break;
    }
    return font;
}
