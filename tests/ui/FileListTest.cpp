// The file list: sorting by header, type-ahead, Enter and Backspace, the
// selection commands, view styles, drawing and the enabling of the actions.
#include "UiTestSupport.h"

#include "ui/FileListModel.h"
#include "ui/FileViews.h"
#include "ui/FolderTreeModel.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QMenu>
#include <QStackedWidget>
#include <QTest>
#include <QTreeView>

namespace {
TVornPlan SortArchive() {
    TVornPlan plan;
    plan.Root.AddDir("b").Time(FileTimeOf(2004, 1, 3));
    plan.Root.AddDir("A").Time(FileTimeOf(2004, 1, 6));
    plan.Root.AddFile("z.txt", std::string(10, 'z')).Time(FileTimeOf(2004, 1, 5));
    plan.Root.AddFile("B2.TXT", std::string(10, 'b')).Time(FileTimeOf(2004, 1, 1));
    plan.Root.AddFile("map.raw", std::string(5000, 'm')).Time(FileTimeOf(2004, 1, 2));
    plan.Root.AddFile("logo.bmp", std::string(7, 'l')).Time(FileTimeOf(2004, 1, 4));
    plan.Root.Add("b/inner.dat", std::string(1, 'i'));
    plan.Root.Add("b/big.dat", std::string(900, 'g'));
    return plan;
}

int Column(const char* caption) {
    static const QStringList captions{"Name", "Type", "Size", "Last Modified", "Ratio", "Format", "CRC"};
    return captions.indexOf(caption);
}

int PendingRows(const TfrmMain& w) {
    int pending = 0;
    for (const auto& row : w.FileModel()->Rows()) pending += row.Pending ? 1 : 0;
    return pending;
}
}  // namespace

class TestFileList : public QObject {
    Q_OBJECT
private slots:
    void init() { F = std::make_unique<TUiFixture>(); }
    void cleanup() { F.reset(); }

    void headerClicksSortReverseAndKeepTheOrderAcrossFolders() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("s.kvres", SortArchive()));
        QCOMPARE(ListedNames(w), QStringList({"A", "b", "B2.TXT", "logo.bmp", "map.raw", "z.txt"}));
        w.ColumnClick(Column("Name"));
        QCOMPARE(ListedNames(w), QStringList({"z.txt", "map.raw", "logo.bmp", "B2.TXT", "b", "A"}));
        w.ColumnClick(Column("Size"));
        QCOMPARE(ListedNames(w), QStringList({"A", "b", "logo.bmp", "B2.TXT", "z.txt", "map.raw"}));
        w.ColumnClick(Column("Size"));
        QCOMPARE(ListedNames(w), QStringList({"map.raw", "z.txt", "B2.TXT", "logo.bmp", "b", "A"}));
        // The descending size order holds in another folder too.
        w.SelectFolder(w.FileModel()->Row(4).Offset, w.CurrentRootNode());
        QCOMPARE(ListedNames(w), QStringList({"big.dat", "inner.dat"}));
        w.GoToParentFolder();
        w.ColumnClick(Column("Type"));
        QCOMPARE(ListedNames(w), QStringList({"A", "b", "logo.bmp", "map.raw", "B2.TXT", "z.txt"}));
        w.ColumnClick(Column("Last Modified"));
        QCOMPARE(ListedNames(w), QStringList({"B2.TXT", "map.raw", "b", "logo.bmp", "z.txt", "A"}));
    }

    void inertHeadersKeepOrderAndSelection() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("s.kvres", SortArchive()));
        SelectRows(w, {1, 3});
        for (const char* caption : {"Ratio", "Format", "CRC"}) {
            w.ColumnClick(Column(caption));
            QCOMPARE(w.SelectedRows(), QList<int>({1, 3}));
        }
        QCOMPARE(ListedNames(w), QStringList({"A", "b", "B2.TXT", "logo.bmp", "map.raw", "z.txt"}));
    }

    void typeAheadFindsTheFirstMatchingNameIgnoringLetterCase() {
        TVornPlan plan;
        for (const char* name : {"alpha", "Beta", "beta2", "gamma"}) plan.Root.AddFile(name, "x");
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("t.kvres", plan));
        F->ShowWindow();
        QAbstractItemView* view = w.ListView();
        view->setFocus();
        view->selectionModel()->clearCurrentIndex();
        QTest::keyClicks(view, "be");
        QCOMPARE(view->currentIndex().row(), 1);
        QCOMPARE(w.SelectedRows(), QList<int>({1}));
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        QTest::keyClicks(view, "b");  // a new search starts after the current row
        QCOMPARE(view->currentIndex().row(), 2);
    }

    void enterViewsOneRowEntersFoldersAndIgnoresTwoRows() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        F->ShowWindow();
        QAbstractItemView* view = w.ListView();
        view->setFocus();
        SelectRows(w, {0, 1});
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(w.PathLabel(), QString("m.kvres\\"));
        SelectRows(w, {0});  // folder A
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(w.PathLabel(), QString("m.kvres\\A\\"));
        QCOMPARE(SelectedNode(w), QString("A"));
        QVERIFY(w.FolderView()->isExpanded(w.FolderModel()->index(0, 0)));
        QCOMPARE(ListedNames(w), QStringList({"sub", "a1.txt"}));
    }

    void backspaceGoesUpAndDoesNothingAtTheRoot() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        F->ShowWindow();
        QAbstractItemView* view = w.ListView();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Backspace);
        QCOMPARE(w.PathLabel(), QString("m.kvres\\"));
        SelectRows(w, {1});  // folder b, which is empty
        w.ActivateSelection();
        QCOMPARE(w.PathLabel(), QString("m.kvres\\b\\"));
        QCOMPARE(w.FileModel()->rowCount(), 0);
        QTest::keyClick(w.ListView(), Qt::Key_Backspace);
        QCOMPARE(w.PathLabel(), QString("m.kvres\\"));
        QCOMPARE(SelectedNode(w), QString("m.kvres"));
    }

    void selectAllAndInvertSelectionWorkWhileTheListHasTheFocus() {
        TfrmMain& w = F->NewWindow();
        TVornPlan plan;
        for (const char* name : {"a", "b", "c", "d"}) plan.Root.AddFile(name, "x");
        w.OpenFile(F->Save("four.kvres", plan));
        F->ShowWindow();
        SelectRows(w, {0, 2});
        w.FolderView()->setFocus();
        w.InvertSelection();
        QCOMPARE(w.SelectedRows(), QList<int>({0, 2}));
        w.ListView()->setFocus();
        w.findChild<QAction*>("mniInvertSelection")->trigger();
        QCOMPARE(w.SelectedRows(), QList<int>({1, 3}));
        w.findChild<QAction*>("mniSelectAll")->trigger();
        QCOMPARE(w.SelectedRows(), QList<int>({0, 1, 2, 3}));
    }

    void actionsFollowTheArchiveTheSelectionAndTheBusyFlag() {
        TfrmMain& w = F->NewWindow();
        auto enabled = [&w](const char* name) { return w.findChild<QAction*>(name)->isEnabled(); };
        for (const char* name : {"actClose", "actCloseAll", "actSavePLC", "actExtract", "actView", "mniVornInfo",
                                 "mniSelectAll", "mniInvertSelection"})
            QVERIFY2(!enabled(name), name);
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        for (const char* name : {"actClose", "actCloseAll", "actSavePLC", "actExtract", "mniVornInfo",
                                 "mniSelectAll", "mniInvertSelection"})
            QVERIFY2(enabled(name), name);
        QVERIFY(!enabled("actView"));
        SelectRows(w, {2});
        QVERIFY(enabled("actView"));
        SelectRows(w, {2, 3});
        QVERIFY(!enabled("actView"));

        w.SetExtracting(true);
        for (const char* name : {"actClose", "actCloseAll", "actSavePLC", "mniVornInfo", "mniSelectAll",
                                 "mniInvertSelection"})
            QVERIFY2(!enabled(name), name);
        QVERIFY(!enabled("actExtract"));  // one run at a time
        w.SetExtracting(false);
        QVERIFY(enabled("actClose"));
    }

    void popupMenuEnablesItsItemsByTheSelection() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        QMenu* popup = w.PopupMenu();
        auto item = [&w](const char* name) { return w.findChild<QAction*>(name); };
        emit popup->aboutToShow();
        QVERIFY(!item("popmniView")->isEnabled());
        QVERIFY(!item("popmniProperties")->isEnabled());
        QVERIFY(item("popmniExtract")->isEnabled());
        SelectRows(w, {3});
        emit popup->aboutToShow();
        QVERIFY(item("popmniView")->isEnabled());
        QVERIFY(item("popmniProperties")->isEnabled());
        QCOMPARE(popup->defaultAction(), item("popmniView"));
        QCOMPARE(popup->actions().first()->text(), QString("Actions"));
        w.SelectFolder(w.FileModel()->Row(1).Offset, w.CurrentRootNode());  // empty folder b
        emit popup->aboutToShow();
        QVERIFY(!item("popmniExtract")->isEnabled());
    }

    void styleButtonCyclesAndItsMenuMarksTheStyle() {
        TfrmMain& w = F->NewWindow();
        QCOMPARE(w.ViewStyle(), int(vsDetails));
        QAction* style = w.findChild<QAction*>("tbnViewStyle");
        QList<int> seen;
        for (int i = 0; i < 5; ++i) {
            style->trigger();
            seen << w.ViewStyle();
        }
        QCOMPARE(seen, QList<int>({vsBigIcons, vsSmallIcons, vsList, vsDetails, vsBigIcons}));
        auto* menu = w.findChild<QMenu*>("mnuViewStyle");
        menu->actions()[vsList]->trigger();
        QCOMPARE(w.ViewStyle(), int(vsList));
        emit menu->aboutToShow();
        QVERIFY(menu->actions()[vsList]->isChecked());
        QVERIFY(!menu->actions()[vsDetails]->isChecked());
    }

    void iconStylesAskForNoDetailsAndDetailsOnlyForShownRows() {
        TVornPlan plan;
        for (int i = 0; i < 2000; ++i) plan.Root.AddFile(QString("f%1.dat").arg(i, 4, 10, QChar('0')).toStdString(), "x");
        TfrmMain& w = F->NewWindow();
        w.SetViewStyle(vsBigIcons);
        w.OpenFile(F->Save("many.kvres", plan));
        F->ShowWindow();
        for (int style : {vsBigIcons, vsSmallIcons, vsList}) {
            w.SetViewStyle(style);
            w.grab();
            QCOMPARE(PendingRows(w), 2000);
        }
        w.SetViewStyle(vsDetails);
        w.grab();
        const int completed = 2000 - PendingRows(w);
        QVERIFY2(completed > 0 && completed < 100, qPrintable(QString::number(completed)));
    }

    void drawingRolesStrikeFlaggedRowsColourDollarNamesAndFixCrcFont() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        const TFileListModel* model = w.FileModel();
        const int dollar = ListedNames(w).indexOf("$default.cfg");
        const int struck = ListedNames(w).indexOf("B.TXT");
        QCOMPARE(model->index(dollar, ColName).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
        QVERIFY(!model->index(dollar, ColType).data(Qt::ForegroundRole).isValid());
        QVERIFY(model->index(struck, ColName).data(Qt::FontRole).value<QFont>().strikeOut());
        QVERIFY(model->index(struck, ColSize).data(Qt::FontRole).value<QFont>().strikeOut());
        QVERIFY(!model->index(dollar, ColName).data(Qt::FontRole).isValid());
        const QFont crc = model->index(dollar, ColCRC).data(Qt::FontRole).value<QFont>();
        QVERIFY(QFontInfo(crc).fixedPitch());
        QCOMPARE(model->index(dollar, ColSize).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
                 int(Qt::AlignRight));
        QCOMPARE(model->headerData(ColModified, Qt::Horizontal).toString(), QString("Last Modified"));
    }

    void aDamagedEntryIsDrawnWithoutRaisingFromEveryRepaint() {
        TVornPlan plan;
        plan.Root.AddFile("good.txt", "fine");
        // Claims zlib but has no compression header, at the very end of the index.
        TEntryPlan& broken = plan.Root.AddFile("zzz_broken.dat", "raw bytes");
        broken.RawCompressionHeader = false;
        broken.ForceFormat = DATAFORMAT_ZLIB;
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("d.kvres", plan));
        F->ShowWindow();
        w.grab();
        w.grab();
        QCOMPARE(F->Errors, QStringList());
        QCOMPARE(PendingRows(w), 0);
        QCOMPARE(w.FileModel()->index(1, ColFormat).data().toString(), QString("Zlib"));
    }

private:
    std::unique_ptr<TUiFixture> F;
};

QObject* NewFileListTest() { return new TestFileList; }

#include "FileListTest.moc"
