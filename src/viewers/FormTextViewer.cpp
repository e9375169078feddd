#include "viewers/FormTextViewer.h"

#include "viewers/TextLoading.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kFontPixels = 11;
}

TfrmViewerText::TfrmViewerText(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmViewerText");
    memoMain = new QPlainTextEdit(this);
    memoMain->setObjectName("memoMain");
    memoMain->setReadOnly(true);
    memoMain->setUndoRedoEnabled(false);
    memoMain->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memoMain->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    memoMain->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoMain->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoMain->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(kFontPixels);
    memoMain->setFont(font);
    // Tabs every eight characters, as in a plain text editor.
    memoMain->setTabStopDistance(8 * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
    // The window sees key presses before the text box.
    memoMain->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memoMain);
    resize(631, 480);
}

namespace {
// A slice end that does not split a surrogate pair.
qsizetype SliceEnd(const QString& text, qsizetype from, qsizetype length) {
    qsizetype end = std::min(text.size(), from + length);
    if (end < text.size() && end > from && text.at(end - 1).isHighSurrogate()) --end;
    return end;
}
}  // namespace

void TfrmViewerText::LoadData(const uint8_t* data, uint32_t size) {
    FPending = LoadEntryText(data, size);
    const qsizetype first = SliceEnd(FPending, 0, kSliceLength);
    memoMain->setPlainText(FPending.left(first));
    FPendingAt = first;
    if (IsLoading())
        QTimer::singleShot(0, this, &TfrmViewerText::AppendNextSlice);
    else
        FPending.clear();
}

void TfrmViewerText::AppendNextSlice() {
    try {
        const qsizetype end = SliceEnd(FPending, FPendingAt, kSliceLength);
        QTextCursor cursor(memoMain->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(FPending.mid(FPendingAt, end - FPendingAt));
        FPendingAt = end;
    } catch (...) {
        // The text box cannot take the rest: the window goes away.
        FPending.clear();
        FPendingAt = 0;
        close();
        return;
    }
    if (IsLoading()) {
        QTimer::singleShot(0, this, &TfrmViewerText::AppendNextSlice);
    } else {
        FPending.clear();
        FPendingAt = 0;
    }
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
