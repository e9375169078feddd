// The hex viewer window: a dump of any entry, 16 bytes per row, painting only
// the rows on screen so that an entry of any size opens and scrolls at once.
#pragma once

#include "archive/VornFile.h"

#include <QColor>
#include <QWidget>

class QFrame;
class QLabel;
class QScrollBar;
class QWheelEvent;

class TfrmViewerHex : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor Color1 READ Color1 WRITE SetColor1)
    Q_PROPERTY(QColor Color2 READ Color2 WRITE SetColor2)

public:
    // Row height of the dump in pixels.
    static constexpr int kLineHeight = 13;

    explicit TfrmViewerHex(QWidget* parent = nullptr);
    ~TfrmViewerHex() override;

    // Takes the entry's buffer (releasing any held before), sets the caption
    // and shows the dump from its first row.
    void SetData(TDataBuffer data, const QString& name);

    // Background of even rows and of the header; odd rows use Color2.
    QColor Color1() const { return FColor1; }
    void SetColor1(const QColor& color);
    QColor Color2() const { return FColor2; }
    void SetColor2(const QColor& color);

    int ScrollPosition() const;
    QScrollBar* ScrollBar() const { return sbrMain; }
    // Full rows that fit in the dump area.
    int VisibleRows() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void RecomputeScrollBar();
    void pbxHexPaint();
    void ScrollByWheel(QWheelEvent* event);

    TDataBuffer FData;
    QColor FColor1;
    QColor FColor2;
    int FWheelRemainder = 0;

    QFrame* pnlMain;
    QLabel* lblHeader;
    QFrame* shpTopLine;
    QWidget* pbxHex;
    QScrollBar* sbrMain;
};
