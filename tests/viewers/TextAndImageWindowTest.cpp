// The text and image viewer windows on the offscreen platform.
#include "viewers/FormHexViewer.h"
#include "viewers/FormTextViewer.h"
#include "viewers/ImageFormat.h"
#include "viewers/ImageFormatForm.h"
#include "viewers/ViewDispatch.h"

#include "ViewerTestSupport.h"

#include <QFontInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

template <typename Window>
Window* FindOpened() {
    for (QWidget* window : VisibleWindows())
        if (auto* found = qobject_cast<Window*>(window)) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(found));
            return found;
        }
    return nullptr;
}

class ViewerWindows : public ::testing::Test {
protected:
    void TearDown() override { CloseAllWindows(); }

    TForm1* ViewTexture(const std::string& name, const std::string& bytes) {
        TDataBuffer buffer = MakeBuffer(bytes);
        TRawFormat handler;
        EXPECT_TRUE(handler.View(name, buffer));
        EXPECT_EQ(buffer.Data, nullptr) << "released once the picture is built";
        return FindOpened<TForm1>();
    }
};

}  // namespace

TEST_F(ViewerWindows, TextViewerShowsReadOnlyWrappedFixedPitchText) {
    TDataBuffer buffer = MakeBuffer("one\rtwo\nthree\r\nfour");
    EXPECT_TRUE(ViewAsText("notes.txt", buffer));
    EXPECT_EQ(buffer.Data, nullptr) << "released once loaded";

    auto* text = FindOpened<TfrmViewerText>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->windowTitle(), "notes.txt - Text Viewer");
    EXPECT_EQ(text->size(), QSize(631, 480));
    QPlainTextEdit* memo = text->Memo();
    EXPECT_EQ(memo->blockCount(), 4);
    EXPECT_EQ(memo->toPlainText(), "one\ntwo\nthree\nfour");
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_TRUE(QFontInfo(memo->font()).fixedPitch());

    QTest::keyClicks(memo, "xyz");
    EXPECT_EQ(memo->toPlainText(), "one\ntwo\nthree\nfour");
}

TEST_F(ViewerWindows, LongTextArrivesInSlicesWithoutSplittingCharacters) {
    const qsizetype slice = TfrmViewerText::kSliceLength;
    std::string bytes;
    while (qsizetype(bytes.size()) < slice - 1) bytes += "line of text\n";
    bytes.resize(size_t(slice - 1));
    bytes += "\xF0\x9F\x98\x80";  // one character, two UTF-16 units, across the first slice end
    while (qsizetype(bytes.size()) < 2 * slice + 100) bytes += "more\r";
    TDataBuffer buffer = MakeBuffer(bytes);
    ViewAsText("long.txt", buffer);

    // Looked up without running the event loop, which appends the slices.
    TfrmViewerText* text = nullptr;
    for (QWidget* window : VisibleWindows())
        if (!text) text = qobject_cast<TfrmViewerText*>(window);
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->IsLoading());
    EXPECT_EQ(text->Memo()->toPlainText().size(), slice - 1);
    while (text->IsLoading()) QCoreApplication::processEvents();

    QString expected = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    expected.replace("\r\n", "\n").replace('\r', '\n');
    EXPECT_EQ(text->Memo()->toPlainText(), expected);
}

TEST_F(ViewerWindows, EscapeInTheTextClosesTheTextViewer) {
    TDataBuffer buffer = MakeBuffer("text");
    ViewAsText("a.txt", buffer);
    QPointer<TfrmViewerText> text = FindOpened<TfrmViewerText>();
    ASSERT_FALSE(text.isNull());
    QTest::keyClick(text->Memo(), Qt::Key_Escape);
    FlushDeletes();
    EXPECT_TRUE(text.isNull());
}

TEST_F(ViewerWindows, ImageWindowFitsThePictureWithAMinimumOf150) {
    TForm1* small = ViewTexture("small.raw", MakeTexture(1, 64, 32));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->size(), QSize(150, 150));
    EXPECT_EQ(small->windowTitle(), "small.raw - Image Viewer");
    small->close();

    TForm1* large = ViewTexture("large.raw", MakeTexture(1, 256, 512, 0xFF0000FF, 0xFFFF0000));
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->size(), QSize(266, 522));
    QLabel* image = large->Image();
    EXPECT_EQ(image->pos(), QPoint(0, 0));
    EXPECT_EQ(image->size(), QSize(256, 512));
    const QImage shown = image->pixmap().toImage();
    EXPECT_EQ(shown.pixel(10, 511), qRgb(255, 0, 0)) << "first stored row at the bottom";
    EXPECT_EQ(shown.pixel(10, 0), qRgb(0, 0, 255));

    // Smaller than the picture: the area scrolls.
    large->resize(150, 150);
    QCoreApplication::processEvents();
    auto* area = large->findChild<QScrollArea*>("ScrollBox1");
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
}

TEST_F(ViewerWindows, BitmapOpensInTheImageWindowAndEscapeClosesIt) {
    QImage picture(300, 20, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    TDataBuffer buffer = MakeBuffer(MakeBitmapFile(picture));
    TBitmapFormat handler;
    EXPECT_TRUE(handler.View("wide.bmp", buffer));
    EXPECT_EQ(buffer.Data, nullptr);

    QPointer<TForm1> window = FindOpened<TForm1>();
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window->size(), QSize(310, 150));
    EXPECT_EQ(window->Image()->pixmap().toImage().pixel(5, 5), qRgb(1, 2, 3));
    QTest::keyClick(window->findChild<QScrollArea*>("ScrollBox1"), Qt::Key_Escape);
    FlushDeletes();
    EXPECT_TRUE(window.isNull());
}

TEST_F(ViewerWindows, RejectedPictureLeavesTheBufferAndOpensNothing) {
    const QList<QWidget*> before = VisibleWindows();
    for (const std::string& bytes : {std::string("BM junk"), MakeTexture(1, 0, 4), MakeTexture(0, 4, 4)}) {
        TDataBuffer buffer = MakeBuffer(bytes);
        TBitmapFormat bitmap;
        TRawFormat raw;
        EXPECT_FALSE(bitmap.View("x.bmp", buffer));
        EXPECT_FALSE(raw.View("x.raw", buffer));
        EXPECT_NE(buffer.Data, nullptr);
        EXPECT_EQ(buffer.Size, bytes.size());
    }
    EXPECT_EQ(VisibleWindows(), before);
}

TEST_F(ViewerWindows, ViewersOpenCentredOverTheMainWindow) {
    QMainWindow main;
    main.setGeometry(100, 80, 900, 700);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

    TDataBuffer text = MakeBuffer("text");
    ViewAsText("a.txt", text);
    TDataBuffer binary = MakeBuffer(std::string(4, '\0'));
    ViewAsHex("a.bin", binary);
    TForm1* image = ViewTexture("a.raw", MakeTexture(1, 8, 8));
    ASSERT_NE(image, nullptr);
    const QList<QWidget*> viewers = {FindOpened<TfrmViewerText>(), FindOpened<TfrmViewerHex>(), image};
    for (QWidget* viewer : viewers) {
        ASSERT_NE(viewer, nullptr);
        const QPoint offset = viewer->geometry().center() - main.geometry().center();
        EXPECT_LE(offset.manhattanLength(), 4) << qPrintable(viewer->windowTitle());
    }
}
