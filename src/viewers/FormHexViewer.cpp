#include "viewers/FormHexViewer.h"

#include "viewers/HexDump.h"
#include "viewers/ViewerWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
constexpr int kWidth = 631;
constexpr int kInitialHeight = 476;
constexpr int kMinHeight = 320;
constexpr int kMaxHeight = 480;
constexpr int kWheelNotch = 120;
}  // namespace

TfrmViewerHex::TfrmViewerHex(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      FColor1(Qt::white),
      FColor2(QColor(187, 255, 255)) {
    setObjectName("frmViewerHex");
    setWindowTitle("Hex Viewer");
    const QFont font = FixedFontForCell(kLineHeight);

    pnlMain = new QFrame(this);
    pnlMain->setObjectName("pnlMain");
    pnlMain->setFrameStyle(QFrame::Box | QFrame::Plain);
    pnlMain->setLineWidth(1);
    pnlMain->setBackgroundRole(QPalette::Base);
    pnlMain->setAutoFillBackground(true);

    lblHeader = new QLabel(QString::fromLatin1(kHexHeader), pnlMain);
    lblHeader->setObjectName("lblHeader");
    lblHeader->setFont(font);
    lblHeader->setFixedHeight(15);
    lblHeader->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblHeader->setLineWidth(1);
    lblHeader->setMargin(0);
    lblHeader->setAutoFillBackground(true);

    shpTopLine = new QFrame(pnlMain);
    shpTopLine->setObjectName("shpTopLine");
    shpTopLine->setFixedHeight(1);
    shpTopLine->setAutoFillBackground(true);
    QPalette linePalette = shpTopLine->palette();
    linePalette.setColor(QPalette::Window, Qt::black);
    shpTopLine->setPalette(linePalette);

    pbxHex = new QWidget(pnlMain);
    pbxHex->setObjectName("pbxHex");
    pbxHex->setFont(font);
    pbxHex->setMinimumWidth(602);
    pbxHex->setBackgroundRole(QPalette::Base);
    pbxHex->setAutoFillBackground(true);
    pbxHex->installEventFilter(this);

    sbrMain = new QScrollBar(Qt::Vertical, pnlMain);
    sbrMain->setObjectName("sbrMain");
    sbrMain->setFixedWidth(16);
    sbrMain->setRange(0, 0);
    sbrMain->setSingleStep(1);
    sbrMain->setEnabled(false);
    sbrMain->setFocusPolicy(Qt::NoFocus);
    sbrMain->installEventFilter(this);
    connect(sbrMain, &QScrollBar::valueChanged, pbxHex, qOverload<>(&QWidget::update));

    auto* dumpRow = new QHBoxLayout;
    dumpRow->setContentsMargins(0, 0, 0, 0);
    dumpRow->setSpacing(0);
    dumpRow->addWidget(pbxHex, 1);
    dumpRow->addWidget(sbrMain);

    auto* panelLayout = new QVBoxLayout(pnlMain);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->setSpacing(0);
    panelLayout->addWidget(lblHeader);
    panelLayout->addWidget(shpTopLine);
    panelLayout->addLayout(dumpRow, 1);

    auto* windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->addWidget(pnlMain);

    SetColor1(FColor1);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(kWidth, kMinHeight);
    setMaximumSize(kWidth, kMaxHeight);
    resize(kWidth, kInitialHeight);
}

TfrmViewerHex::~TfrmViewerHex() = default;

void TfrmViewerHex::SetData(TDataBuffer data, const QString& name) {
    setWindowTitle(name.isEmpty() ? QStringLiteral("Hex Viewer")
                                  : name + QStringLiteral(" - Hex Viewer"));
    FData = std::move(data);
    sbrMain->setValue(0);
    RecomputeScrollBar();
    pbxHex->update();
}

void TfrmViewerHex::SetColor1(const QColor& color) {
    FColor1 = color;
    QPalette headerPalette = lblHeader->palette();
    headerPalette.setColor(QPalette::Window, color);
    lblHeader->setPalette(headerPalette);
    pbxHex->update();
}

void TfrmViewerHex::SetColor2(const QColor& color) {
    FColor2 = color;
    pbxHex->update();
}

int TfrmViewerHex::ScrollPosition() const { return sbrMain->value(); }

int TfrmViewerHex::VisibleRows() const { return pbxHex->height() / kLineHeight; }

void TfrmViewerHex::RecomputeScrollBar() {
    const THexScrollRange range = ComputeHexScrollRange(FData.Size, VisibleRows());
    sbrMain->setMaximum(range.Maximum);
    sbrMain->setPageStep(range.PageStep);
    sbrMain->setEnabled(range.Enabled);
}

void TfrmViewerHex::pbxHexPaint() {
    QPainter painter(pbxHex);
    if (FData.Size == 0) return;
    painter.setPen(palette().color(QPalette::WindowText));
    const int position = sbrMain->value();
    const int rows = VisibleRows();
    const int width = pbxHex->width();
    for (int64_t row = position; row <= int64_t(position) + rows; ++row) {
        const QRect rect(0, int(row - position) * kLineHeight, width, kLineHeight);
        painter.fillRect(rect, row % 2 == 0 ? FColor1 : FColor2);
        const std::string line = FormatHexLine(FData.Data.get(), FData.Size, uint32_t(row));
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromLatin1(line.data(), qsizetype(line.size())));
    }
}

void TfrmViewerHex::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape: close(); break;
    case Qt::Key_PageUp: sbrMain->setValue(sbrMain->value() - sbrMain->pageStep()); break;
    case Qt::Key_PageDown: sbrMain->setValue(sbrMain->value() + sbrMain->pageStep()); break;
    case Qt::Key_Home: sbrMain->setValue(0); break;
    case Qt::Key_End: sbrMain->setValue(sbrMain->maximum()); break;
    case Qt::Key_Up: sbrMain->setValue(sbrMain->value() - 1); break;
    case Qt::Key_Down: sbrMain->setValue(sbrMain->value() + 1); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void TfrmViewerHex::ScrollByWheel(QWheelEvent* event) {
    // One row per notch, whatever the desktop's wheel setting.
    FWheelRemainder += event->angleDelta().y();
    while (FWheelRemainder >= kWheelNotch) {
        sbrMain->triggerAction(QAbstractSlider::SliderSingleStepSub);
        FWheelRemainder -= kWheelNotch;
    }
    while (FWheelRemainder <= -kWheelNotch) {
        sbrMain->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        FWheelRemainder += kWheelNotch;
    }
    event->accept();
}

void TfrmViewerHex::wheelEvent(QWheelEvent* event) { ScrollByWheel(event); }

void TfrmViewerHex::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RecomputeScrollBar();
}

bool TfrmViewerHex::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pbxHex && event->type() == QEvent::Paint) {
        pbxHexPaint();
        return true;
    }
    if (watched == pbxHex && event->type() == QEvent::Resize) RecomputeScrollBar();
    if ((watched == sbrMain || watched == pbxHex) && event->type() == QEvent::Wheel) {
        ScrollByWheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// On Windows the left and right borders report no hit, so they show no sizing
// cursor; elsewhere the fixed width already keeps them from resizing.
bool TfrmViewerHex::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
#ifdef Q_OS_WIN
    auto* msg = static_cast<MSG*>(message);
    if (msg->message == WM_NCHITTEST) {
        const LRESULT hit = DefWindowProcW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
        if (hit == HTLEFT || hit == HTRIGHT) {
            *result = HTNOWHERE;
            return true;
        }
    }
#endif
    return QWidget::nativeEvent(eventType, message, result);
}
