// The hex viewer window on the offscreen platform: size, caption, keys,
// wheel, row colours and closing.
#include "viewers/FormHexViewer.h"
#include "viewers/ViewDispatch.h"

#include "ViewerTestSupport.h"

#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "viewers/HexDump.h"

namespace {

class HexViewerWindow : public ::testing::Test {
protected:
    void TearDown() override { CloseAllWindows(); }

    // Opens a hex viewer on `size` bytes through the dispatch's entry point.
    TfrmViewerHex* Open(uint32_t size, const std::string& name = "data.bin") {
        TDataBuffer buffer = MakeBuffer(std::string(size, '\0'));
        EXPECT_TRUE(ViewAsHex(name, buffer));
        EXPECT_EQ(buffer.Data, nullptr) << "the window keeps the buffer";
        for (QWidget* window : VisibleWindows())
            if (auto* hex = qobject_cast<TfrmViewerHex*>(window)) {
                EXPECT_TRUE(QTest::qWaitForWindowExposed(hex));
                return hex;
            }
        ADD_FAILURE() << "no hex viewer opened";
        return nullptr;
    }

    static void Press(QWidget* window, Qt::Key key) { QTest::keyClick(window, key); }

    static void Wheel(QWidget* target, int delta) {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(target, &event);
    }

    static bool LastRowVisible(TfrmViewerHex* hex, uint32_t size) {
        const int lastRow = int((size - 1) / 16);
        const int top = hex->ScrollPosition();
        return lastRow >= top && lastRow < top + hex->VisibleRows();
    }
};

}  // namespace

TEST_F(HexViewerWindow, EmptyEntryShowsHeaderAndDisabledScrollBar) {
    TfrmViewerHex* hex = Open(0, "");
    ASSERT_NE(hex, nullptr);
    EXPECT_EQ(hex->windowTitle(), "Hex Viewer");
    EXPECT_EQ(hex->findChild<QLabel*>("lblHeader")->text(), QString::fromLatin1(kHexHeader));
    EXPECT_FALSE(hex->ScrollBar()->isEnabled());
    EXPECT_EQ(hex->ScrollBar()->maximum(), 0);

    // Nothing is drawn where the first offset would stand.
    const QImage dump = hex->findChild<QWidget*>("pbxHex")->grab().toImage();
    const QRgb background = dump.pixel(0, 0);
    for (int x = 0; x < 80; ++x)
        for (int y = 0; y < TfrmViewerHex::kLineHeight; ++y)
            ASSERT_EQ(dump.pixel(x, y), background) << x << "," << y;
}

TEST_F(HexViewerWindow, FixedWidthAndHeightBetween320And480) {
    TfrmViewerHex* hex = Open(20, "x.bin");
    ASSERT_NE(hex, nullptr);
    EXPECT_EQ(hex->windowTitle(), "x.bin - Hex Viewer");
    EXPECT_EQ(hex->size(), QSize(631, 476));
    EXPECT_EQ(hex->minimumSize(), QSize(631, 320));
    EXPECT_EQ(hex->maximumSize(), QSize(631, 480));
    EXPECT_FALSE(hex->windowFlags() & Qt::WindowMaximizeButtonHint);
    hex->resize(900, 1000);
    EXPECT_EQ(hex->size(), QSize(631, 480));
    hex->resize(100, 100);
    EXPECT_EQ(hex->size(), QSize(631, 320));
}

TEST_F(HexViewerWindow, KeysMoveTheScrollPosition) {
    const uint32_t size = 100000;
    TfrmViewerHex* hex = Open(size);
    ASSERT_NE(hex, nullptr);
    const int rows = hex->VisibleRows();
    const int maximum = ComputeHexScrollRange(size, rows).Maximum;
    ASSERT_GT(rows, 0);
    EXPECT_EQ(hex->ScrollBar()->maximum(), maximum);

    const struct {
        Qt::Key key;
        int position;
    } steps[] = {
        {Qt::Key_Down, 1},        {Qt::Key_Down, 2},           {Qt::Key_Up, 1},
        {Qt::Key_PageDown, 1 + rows}, {Qt::Key_PageUp, 1},     {Qt::Key_PageUp, 0},
        {Qt::Key_Up, 0},          {Qt::Key_End, maximum},      {Qt::Key_PageDown, maximum},
        {Qt::Key_Down, maximum},  {Qt::Key_Left, maximum},     {Qt::Key_Home, 0},
    };
    for (const auto& step : steps) {
        Press(hex, step.key);
        EXPECT_EQ(hex->ScrollPosition(), step.position) << step.key;
    }
    Press(hex, Qt::Key_End);
    EXPECT_TRUE(LastRowVisible(hex, size));
}

TEST_F(HexViewerWindow, ShrunkWindowStillReachesTheLastRow) {
    const uint32_t size = 5000;
    TfrmViewerHex* hex = Open(size);
    ASSERT_NE(hex, nullptr);
    const int tallRows = hex->VisibleRows();
    hex->resize(631, 320);
    QCoreApplication::processEvents();
    EXPECT_LT(hex->VisibleRows(), tallRows);
    Press(hex, Qt::Key_End);
    EXPECT_TRUE(LastRowVisible(hex, size));
    EXPECT_EQ(hex->ScrollBar()->pageStep(), hex->VisibleRows());
}

TEST_F(HexViewerWindow, WheelMovesOneRowPerNotch) {
    TfrmViewerHex* hex = Open(10000);
    ASSERT_NE(hex, nullptr);
    QWidget* dump = hex->findChild<QWidget*>("pbxHex");
    Wheel(dump, -120);
    EXPECT_EQ(hex->ScrollPosition(), 1);
    Wheel(hex->ScrollBar(), -240);
    EXPECT_EQ(hex->ScrollPosition(), 3);
    Wheel(dump, 120);
    EXPECT_EQ(hex->ScrollPosition(), 2);
    Wheel(dump, 60);  // half a notch waits for the other half
    EXPECT_EQ(hex->ScrollPosition(), 2);
    Wheel(dump, 60);
    EXPECT_EQ(hex->ScrollPosition(), 1);
}

TEST_F(HexViewerWindow, RowColourBelongsToTheRowNumber) {
    TfrmViewerHex* hex = Open(1000);
    ASSERT_NE(hex, nullptr);
    QWidget* dump = hex->findChild<QWidget*>("pbxHex");
    const int h = TfrmViewerHex::kLineHeight;
    const QRgb white = qRgb(255, 255, 255);
    const QRgb cyan = qRgb(187, 255, 255);
    // Sample the right edge, past the text.
    auto rowColour = [&](int screenRow) {
        return dump->grab().toImage().pixel(dump->width() - 2, screenRow * h + h / 2);
    };
    EXPECT_EQ(rowColour(0), white);
    EXPECT_EQ(rowColour(1), cyan);
    Press(hex, Qt::Key_Down);
    EXPECT_EQ(rowColour(0), cyan);
    EXPECT_EQ(rowColour(1), white);

    hex->SetColor2(QColor(10, 20, 30));
    EXPECT_EQ(rowColour(0), qRgb(10, 20, 30));
}

TEST_F(HexViewerWindow, EscapeClosesAndDestroysTheWindow) {
    QPointer<TfrmViewerHex> hex = Open(64);
    ASSERT_FALSE(hex.isNull());
    Press(hex, Qt::Key_Escape);
    FlushDeletes();
    EXPECT_TRUE(hex.isNull());
}
