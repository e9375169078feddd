#include "viewers/FormTextViewer.h"

#include "viewers/TextLoading.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
constexpr int kFontPixels = 11;
}

TfrmViewerText::TfrmViewerText(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmViewerText");
    memoMain = new QPlainTextEdit(this);
    memoMain->setObjectName("memoMain");
    memoMain->setReadOnly(true);
    memoMain->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memoMain->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    memoMain->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoMain->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoMain->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(kFontPixels);
    memoMain->setFont(font);
    // The window sees key presses before the text box.
    memoMain->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memoMain);
    resize(631, 480);
}

void TfrmViewerText::LoadData(const uint8_t* data, uint32_t size) {
    memoMain->setPlainText(LoadEntryText(data, size));
}

bool TfrmViewerText::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memoMain && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmViewerText::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
