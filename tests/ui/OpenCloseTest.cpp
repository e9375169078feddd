// Opening, switching and closing archives; the folder tree, caption and path
// label; dropped files and the command line.
#include "UiTestSupport.h"

#include "app/History.h"
#include "archive/VornError.h"
#include "ui/FileListModel.h"
#include "ui/FolderTreeModel.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QTreeView>

class TestOpenClose : public QObject {
    Q_OBJECT
private slots:
    void init() { F = std::make_unique<TUiFixture>(); }
    void cleanup() { F.reset(); }

    void startsWithNothingOpen() {
        TfrmMain& w = F->NewWindow();
        QCOMPARE(w.windowTitle(), QString("Pellory 2"));
        QCOMPARE(w.PathLabel(), QString("(No vorn open)"));
        QVERIFY(!w.findChild<QAction*>("actClose")->isEnabled());
        QVERIFY(!w.ReopenMenu()->menuAction()->isEnabled());
        QCOMPARE(F->Errors, QStringList());
    }

    void openAThenBPutsBOnTopAndListsItsRoot() {
        const QString a = F->Save("a.kvres", SimpleArchive("a.txt"));
        const QString b = F->Save("b.kvres", MixedArchive());
        TfrmMain& w = F->NewWindow();
        w.OpenFile(a);
        w.OpenFile(b);
        QCOMPARE(TopLevelNodes(w), QStringList({"b.kvres", "a.kvres"}));
        QCOMPARE(w.windowTitle(), "Pellory 2 - [" + b + "]");
        QCOMPARE(w.PathLabel(), QString("b.kvres\\"));
        QCOMPARE(SelectedNode(w), QString("b.kvres"));
        QCOMPARE(w.CurrentArchive(), &w.OpenArchives().At(1));
        QCOMPARE(ListedNames(w), QStringList({"A", "b", "$default.cfg", "B.TXT", "pic.bmp", "z.txt"}));
        // Row 0 carries the focus mark without being selected.
        QCOMPARE(w.ListView()->currentIndex().row(), 0);
        QVERIFY(w.SelectedRows().isEmpty());
        QCOMPARE(w.FileHistory()->GetItem(0), b);
        QCOMPARE(w.FileHistory()->GetItem(1), a);
    }

    void openingAnOpenArchiveSelectsItWithoutANewNodeOrHistoryChange() {
        const QString a = F->Save("a.kvres", MixedArchive());
        const QString b = F->Save("b.kvres", SimpleArchive("b.txt"));
        TfrmMain& w = F->NewWindow();
        w.OpenFile(a);
        w.OpenFile(b);
        QFile::link(a, F->Path("link.kvres"));
        w.OpenFile(F->Path("link.kvres"));
        QCOMPARE(TopLevelNodes(w), QStringList({"b.kvres", "a.kvres"}));
        QCOMPARE(SelectedNode(w), QString("a.kvres"));
        QCOMPARE(w.windowTitle(), "Pellory 2 - [" + a + "]");
        QCOMPARE(w.FileHistory()->Count(), 2);
        QCOMPARE(w.FileHistory()->GetItem(0), b);
        QCOMPARE(ListedNames(w).size(), 6);
    }

    void closingTheCurrentOfThreeSelectsTheNewestOther() {
        const QString a = F->Save("a.kvres", SimpleArchive("a.txt"));
        const QString b = F->Save("b.kvres", SimpleArchive("b.txt"));
        const QString c = F->Save("c.kvres", SimpleArchive("c.txt"));
        TfrmMain& w = F->NewWindow();
        for (const QString& path : {a, b, c}) w.OpenFile(path);
        w.FolderView()->setCurrentIndex(w.FolderModel()->index(1, 0));
        QCOMPARE(w.windowTitle(), "Pellory 2 - [" + b + "]");
        w.CloseCurrentArchive();
        QCOMPARE(TopLevelNodes(w), QStringList({"c.kvres", "a.kvres"}));
        QCOMPARE(SelectedNode(w), QString("c.kvres"));
        QVERIFY(w.FolderView()->isExpanded(w.FolderModel()->index(0, 0)));
        QCOMPARE(w.windowTitle(), "Pellory 2 - [" + c + "]");
        QCOMPARE(ListedNames(w), QStringList({"dir", "c.txt"}));
        QCOMPARE(w.OpenArchives().Count(), 2);
    }

    void closingTheLastArchiveEmptiesTheWindow() {
        const QString a = F->Save("a.kvres", MixedArchive());
        TfrmMain& w = F->NewWindow();
        w.OpenFile(a);
        w.findChild<QAction*>("actClose")->trigger();
        QCOMPARE(w.FolderModel()->rowCount(), 0);
        QCOMPARE(w.FileModel()->rowCount(), 0);
        QCOMPARE(w.windowTitle(), QString("Pellory2"));
        QCOMPARE(w.PathLabel(), QString("(No vorn open)"));
        QVERIFY(w.CurrentArchive() == nullptr);
        QVERIFY(!w.findChild<QAction*>("actCloseAll")->isEnabled());
        w.CloseCurrentArchive();  // nothing left: nothing happens
        w.CloseAllArchives();
    }

    void closeAllClosesEveryArchive() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("a.kvres", SimpleArchive("a.txt")));
        w.OpenFile(F->Save("b.kvres", SimpleArchive("b.txt")));
        w.findChild<QAction*>("actCloseAll")->trigger();
        QCOMPARE(w.OpenArchives().Count(), 0);
        QCOMPARE(w.FolderModel()->rowCount(), 0);
        QCOMPARE(w.windowTitle(), QString("Pellory2"));
    }

    void anArchiveWithAnEmptyRootKeepsThePreviousLabel() {
        const QString a = F->Save("a.kvres", SimpleArchive("a.txt"));
        const QString empty = F->Save("empty.kvres", EmptyRootArchive());
        TfrmMain& w = F->NewWindow();
        w.OpenFile(a);
        w.OpenFile(empty);
        QCOMPARE(TopLevelNodes(w), QStringList({"empty.kvres", "a.kvres"}));
        QCOMPARE(w.FolderModel()->rowCount(w.FolderModel()->index(0, 0)), 0);
        QCOMPARE(w.FileModel()->rowCount(), 0);
        QCOMPARE(w.PathLabel(), QString("a.kvres\\"));
        QCOMPARE(w.windowTitle(), "Pellory 2 - [" + empty + "]");
    }

    void aDirectoryLoopClosesTheNewArchiveAndLeavesTheOthers() {
        const QString a = F->Save("a.kvres", SimpleArchive("a.txt"));
        const QString loop = F->Save("loop.kvres", LoopArchive());
        TfrmMain& w = F->NewWindow();
        w.OpenFile(a);
        QVERIFY_THROWS_EXCEPTION(EVornError, w.OpenFile(loop));
        QCOMPARE(TopLevelNodes(w), QStringList({"a.kvres"}));
        QCOMPARE(w.OpenArchives().Count(), 1);
        QCOMPARE(w.windowTitle(), "Pellory 2 - [" + a + "]");
        QCOMPARE(SelectedNode(w), QString("a.kvres"));
        QCOMPARE(w.FileHistory()->Count(), 1);
    }

    void aFailedOpenLeavesNoTrace() {
        const QString bad = F->SaveText("bad.kvres", "not an archive at all, just some text");
        TfrmMain& w = F->NewWindow();
        QVERIFY_THROWS_EXCEPTION(EVornError, w.OpenFile(bad));
        QCOMPARE(w.OpenArchives().Count(), 0);
        QCOMPARE(w.FolderModel()->rowCount(), 0);
        QCOMPARE(w.FileHistory()->Count(), 0);
        QCOMPARE(w.windowTitle(), QString("Pellory 2"));
    }

    void openingSeveralFilesStopsAtTheFirstFailure() {
        const QString one = F->Save("one.kvres", SimpleArchive("1.txt"));
        const QString bad = F->SaveText("bad.kvres", "junk junk junk junk");
        const QString three = F->Save("three.kvres", SimpleArchive("3.txt"));
        TfrmMain& w = F->NewWindow();
        QVERIFY_THROWS_EXCEPTION(EVornError, w.OpenFiles({one, bad, three}));
        QCOMPARE(TopLevelNodes(w), QStringList({"one.kvres"}));
    }

    void droppedFilesOpenLastFirstAndABadOneIsReportedAlone() {
        const QString first = F->Save("first.kvres", SimpleArchive("1.txt"));
        const QString bad = F->SaveText("bad.kvres", "junk junk junk junk");
        const QString last = F->Save("last.kvres", SimpleArchive("2.txt"));
        TfrmMain& w = F->NewWindow();
        w.DropFiles({first, bad, F->Path("missing.kvres"), last});
        QCOMPARE(TopLevelNodes(w), QStringList({"first.kvres", "last.kvres"}));
        QCOMPARE(SelectedNode(w), QString("first.kvres"));
        QCOMPARE(F->Errors.size(), 1);
        QVERIFY(F->Errors[0].startsWith("Can't open file " + bad + ".\nReason: "));
    }

    void commandLineSkipsMissingFilesAndStopsAtAFailingOne() {
        const QString good = F->Save("good.kvres", SimpleArchive("g.txt"));
        {
            TfrmMain& w = F->NewWindow({F->Path("missing.kvres"), good});
            QCOMPARE(TopLevelNodes(w), QStringList({"good.kvres"}));
            QCOMPARE(F->Errors, QStringList());
        }
        const QString bad = F->SaveText("bad.kvres", "junk junk junk junk");
        TfrmMain& w = F->NewWindow({bad, good});
        QCOMPARE(w.FolderModel()->rowCount(), 0);
        QCOMPARE(F->Errors.size(), 1);
        QVERIFY(F->Errors[0].endsWith('.') || F->Errors[0].endsWith('!') || F->Errors[0].endsWith(')'));
    }

    void selectingANodeOfAnotherArchiveSwitchesTheCurrentArchive() {
        const QString a = F->Save("a.kvres", MixedArchive());
        const QString b = F->Save("b.kvres", SimpleArchive("b.txt"));
        TfrmMain& w = F->NewWindow();
        w.OpenFile(a);
        w.OpenFile(b);
        const QModelIndex aRoot = w.FolderModel()->index(1, 0);
        const QModelIndex sub = w.FolderModel()->index(0, 0, w.FolderModel()->index(1, 0, aRoot));
        QCOMPARE(sub.data().toString(), QString("sub"));
        w.FolderView()->setCurrentIndex(sub);
        QCOMPARE(w.windowTitle(), "Pellory 2 - [" + a + "]");
        QCOMPARE(w.PathLabel(), QString("a.kvres\\A\\sub\\"));
        QCOMPARE(ListedNames(w), QStringList({"deep"}));
    }

private:
    std::unique_ptr<TUiFixture> F;
};

QObject* NewOpenCloseTest() { return new TestOpenClose; }

#include "OpenCloseTest.moc"
