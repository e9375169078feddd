// The text viewer window: the whole entry as read-only, wrapped, fixed-pitch text.
#pragma once

#include <QWidget>

#include <cstdint>

class QPlainTextEdit;

class TfrmViewerText : public QWidget {
    Q_OBJECT

public:
    explicit TfrmViewerText(QWidget* parent = nullptr);

    // Copies the text of `size` bytes at `data` into the text box; the window
    // keeps no reference to the bytes.
    void LoadData(const uint8_t* data, uint32_t size);
    QPlainTextEdit* Memo() const { return memoMain; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPlainTextEdit* memoMain;
};
