// The text viewer window: the whole entry as read-only, wrapped, fixed-pitch text.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

class QPlainTextEdit;

class TfrmViewerText : public QWidget {
    Q_OBJECT

public:
    explicit TfrmViewerText(QWidget* parent = nullptr);

    // Copies the text of `size` bytes at `data` into the text box; the window
    // keeps no reference to the bytes. A long text shows its start at once and
    // the rest follows in slices while the event loop runs.
    void LoadData(const uint8_t* data, uint32_t size);
    QPlainTextEdit* Memo() const { return memoMain; }
    // True while slices of a long text are still to be appended.
    bool IsLoading() const { return FPendingAt < FPending.size(); }

    // Characters put into the text box per slice.
    static constexpr qsizetype kSliceLength = 512 * 1024;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void AppendNextSlice();

    QPlainTextEdit* memoMain;
    QString FPending;
    qsizetype FPendingAt = 0;
};
