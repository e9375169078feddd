// Dragging rows out: when a drag starts, which names it offers, and its
// data: the rows are extracted once, when the URLs are first asked for,
// into the drag's own folder, and the URLs name the extracted items.
#include "UiTestSupport.h"

#include "ui/DragOut.h"
#include "ui/FileListModel.h"
#include "ui/FileViews.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {
QMouseEvent MoveTo(const QPoint& at, Qt::MouseButtons buttons) {
    return QMouseEvent(QEvent::MouseMove, QPointF(at), QPointF(at), Qt::NoButton, buttons, Qt::NoModifier);
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
}  // namespace

class TestDragOut : public QObject {
    Q_OBJECT
private slots:
    void init() { F = std::make_unique<TUiFixture>(); }
    void cleanup() { F.reset(); }

    void dragStartsPastTenPixelsWithLeftOrRightButtonOnSelectedRows() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        const QPoint pressed(50, 50);
        struct Case {
            QPoint At;
            Qt::MouseButtons Buttons;
            bool Starts;
        };
        const Case cases[] = {
            {{59, 59}, Qt::LeftButton, false}, {{60, 50}, Qt::LeftButton, true},
            {{50, 40}, Qt::RightButton, true}, {{41, 59}, Qt::RightButton, false},
            {{80, 80}, Qt::NoButton, false},   {{80, 80}, Qt::MiddleButton, false},
        };
        const QMouseEvent noSelection = MoveTo({80, 80}, Qt::LeftButton);
        QVERIFY(!StartsDragOut(w.ListView(), &noSelection, pressed));
        SelectRows(w, {5});
        for (const Case& c : cases) {
            const QMouseEvent event = MoveTo(c.At, c.Buttons);
            QCOMPARE(StartsDragOut(w.ListView(), &event, pressed), c.Starts);
        }
    }

    void rightButtonMenuWaitsForTheReleaseSoARightDragCanStart() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        SelectRows(w, {5});
        const QPoint at(30, 30);
        const QMouseEvent rightDown(QEvent::MouseButtonPress, at, at, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        const QMouseEvent rightUp(QEvent::MouseButtonRelease, at, at, Qt::RightButton, Qt::NoButton, Qt::NoModifier);
        const QContextMenuEvent menu(QContextMenuEvent::Mouse, at);
        const QContextMenuEvent keyMenu(QContextMenuEvent::Keyboard, at);

        TDragOutTracker clicked;
        clicked.Press(&rightDown);
        QVERIFY(!clicked.HoldBackMenu(&keyMenu));
        QVERIFY(clicked.HoldBackMenu(&menu));
        QCOMPARE(clicked.Release(&rightUp), std::optional<QPoint>(at));

        TDragOutTracker dragged;
        dragged.Press(&rightDown);
        QVERIFY(dragged.HoldBackMenu(&menu));
        const QMouseEvent away = MoveTo(at + QPoint(0, 10), Qt::RightButton);
        QVERIFY(dragged.Move(w.ListView(), &away));
        QCOMPARE(dragged.Release(&rightUp), std::nullopt);

        const QMouseEvent leftDown(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        TDragOutTracker left;
        left.Press(&leftDown);
        QVERIFY(!left.HoldBackMenu(&menu));
    }

    void smallMovesFromASelectedRowKeepTheWholeSelectionForTheDrag() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        SelectRows(w, {1, 2, 3});
        QAbstractItemView* view = w.ListView();
        QWidget* port = view->viewport();
        const QPoint at = view->visualRect(view->model()->index(2, 0)).center();
        QVERIFY(view->indexAt(at).row() == 2);
        const auto send = [&](QEvent::Type type, const QPoint& p, Qt::MouseButton button, Qt::MouseButtons held) {
            QMouseEvent event(type, QPointF(p), QPointF(port->mapToGlobal(p)), button, held, Qt::NoModifier);
            QApplication::sendEvent(port, &event);
        };
        send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(view->selectionModel()->selectedRows().size(), 3);
        for (const QPoint step : {QPoint(2, 0), QPoint(4, 1), QPoint(6, 2)}) {
            send(QEvent::MouseMove, at + step, Qt::NoButton, Qt::LeftButton);
            QCOMPARE(view->selectionModel()->selectedRows().size(), 3);
        }
        send(QEvent::MouseButtonRelease, at + QPoint(6, 2), Qt::LeftButton, Qt::NoButton);
    }

    void offeredNamesAreUniqueWithoutRegardToCaseAndSafe() {
        QCOMPARE(OfferedNames({"readme.txt", "B", "README.TXT", "b", "..", "a/b", "é", "É"}),
                 QStringList({"readme.txt", "B", "é", "É"}));
    }

    void urlsAskedTwiceExtractOnceAndNameTheExtractedItems() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        SelectRows(w, {0, 5});  // folder A, z.txt
        std::unique_ptr<TDragOutMimeData> data = w.NewDragOutData(0);
        const QString folder = data->Folder();
        QVERIFY(folder.startsWith(w.TempFolder()));
        QVERIFY(QDir(folder).isEmpty());
        QCOMPARE(data->formats(), QStringList({"text/uri-list"}));
        QVERIFY(data->hasUrls());
        QCOMPARE(data->ExtractionCount(), 0);

        const QList<QUrl> urls = data->urls();
        QCOMPARE(urls, QList<QUrl>({QUrl::fromLocalFile(folder + "/A"), QUrl::fromLocalFile(folder + "/z.txt")}));
        // The current folder's ancestors are not reproduced; folder rows keep their tree.
        QCOMPARE(Contents(urls[0].toLocalFile() + "/a1.txt"), QByteArray("one"));
        QCOMPARE(Contents(urls[0].toLocalFile() + "/sub/deep/inner.txt"), QByteArray("inner"));
        QCOMPARE(Contents(urls[1].toLocalFile()), QByteArray(3000, 'z'));

        // A target that moved the items away gets the same answer, not a new run.
        QFile::remove(urls[1].toLocalFile());
        QCOMPARE(data->urls(), urls);
        QCOMPARE(data->data("text/uri-list"), urls[0].toEncoded() + "\r\n" + urls[1].toEncoded() + "\r\n");
        QCOMPARE(data->ExtractionCount(), 1);
        QVERIFY(!QFileInfo::exists(urls[1].toLocalFile()));
        QVERIFY(!w.Extracting());
        QCOMPARE(F->Errors, QStringList());

        data.reset();
        QTRY_VERIFY(!QFileInfo::exists(folder));
    }

    void eachDragHasItsOwnFolderAndLeftoversAreRemovedLater() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        SelectRows(w, {5});
        std::unique_ptr<TDragOutMimeData> first = w.NewDragOutData(50);
        std::unique_ptr<TDragOutMimeData> second = w.NewDragOutData(50);
        QVERIFY(first->Folder() != second->Folder());
        QCOMPARE(first->urls().size(), 1);
        const QString kept = first->Folder();
        first.reset();
        QVERIFY(QFileInfo::exists(kept + "/z.txt"));
        QTRY_VERIFY(!QFileInfo::exists(kept));
        // A drag that extracted nothing leaves nothing behind at once.
        const QString unused = second->Folder();
        second.reset();
        QVERIFY(!QFileInfo::exists(unused));
    }

    void noDropWhileARunIsUnderWay() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        SelectRows(w, {5});
        std::unique_ptr<TDragOutMimeData> data = w.NewDragOutData();
        w.SetExtracting(true);
        QCOMPARE(data->urls(), QList<QUrl>());
        w.SetExtracting(false);
        QVERIFY(QDir(data->Folder()).isEmpty());
    }

private:
    std::unique_ptr<TUiFixture> F;
};

QObject* NewDragOutTest() { return new TestDragOut; }

#include "DragOutTest.moc"
