// Settings at shutdown, the recent-files submenu, the busy flag, the
// application's error box, layout toggles and the About box.
#include "UiTestSupport.h"

#include "app/GenFunctions.h"
#include "app/History.h"
#include "ui/AboutBox.h"
#include "ui/ErrorBox.h"
#include "ui/MainWindow.h"
#include "ui/PopupBanner.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QToolBar>

#include <stdexcept>

namespace {
// Raises from its event handler, as a failing command would.
class TThrowingObject : public QObject {
public:
    explicit TThrowingObject(const char* message) : FMessage(message) {}
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw std::runtime_error(FMessage);
        return QObject::event(e);
    }

private:
    const char* FMessage;
};

QStringList ReopenItems(const TfrmMain& w) {
    QStringList texts;
    for (QAction* action : w.ReopenMenu()->actions()) texts << (action->isSeparator() ? "-" : action->text());
    return texts;
}
}  // namespace

class TestLifecycle : public QObject {
    Q_OBJECT
private slots:
    void init() { F = std::make_unique<TUiFixture>(); }
    void cleanup() { F.reset(); }

    void closingWithoutSettingsWritesFoldersAndNoHistory() {
        TfrmMain& w = F->NewWindow();
        QCOMPARE(w.FolderOptions().GetOpenFolder(), GetAppFolder());
        QVERIFY(w.FolderOptions().OpenLast);
        QVERIFY(w.close());
        QSettings ini(F->SettingsFile, QSettings::IniFormat);
        QCOMPARE(ini.childGroups(), QStringList({"Folders"}));
        ini.beginGroup("Folders");
        QCOMPARE(ini.childKeys().size(), 4);
        QCOMPARE(ini.value("OpenLast").toString(), QString("1"));
    }

    void historyIsLoadedAtStartAndWrittenAtShutdown() {
        QDir().mkpath(QFileInfo(F->SettingsFile).absolutePath());
        {
            QSettings ini(F->SettingsFile, QSettings::IniFormat);
            ini.setValue("history/0", "/first.kvres");
            ini.setValue("history/1", "/second.kvres");
            ini.setValue("history/5", "/sixth.kvres");
        }
        TfrmMain& w = F->NewWindow();
        QCOMPARE(ReopenItems(w), QStringList({"&0 /first.kvres", "&1 /second.kvres", "&2 /sixth.kvres", "-",
                                              "Clear History"}));
        QVERIFY(w.ReopenMenu()->menuAction()->isEnabled());
        const QString a = F->Save("a&b.kvres", SimpleArchive("a.txt"));
        w.OpenFile(a);
        QCOMPARE(w.ReopenMenu()->actions().first()->text(), "&0 " + QString(a).replace("&", "&&"));
        QVERIFY(w.close());
        QSettings ini(F->SettingsFile, QSettings::IniFormat);
        ini.beginGroup("history");
        QCOMPARE(ini.childKeys(), QStringList({"0", "1", "2", "3"}));
        QCOMPARE(ini.value("0").toString(), a);
        QCOMPARE(ini.value("3").toString(), QString("/sixth.kvres"));
    }

    void reopenAndClearHistoryFromTheSubmenu() {
        const QString a = F->Save("a.kvres", SimpleArchive("a.txt"));
        const QString b = F->Save("b.kvres", SimpleArchive("b.txt"));
        TfrmMain& w = F->NewWindow();
        w.OpenFile(a);
        w.OpenFile(b);
        w.CloseAllArchives();
        w.ReopenMenu()->actions()[1]->trigger();  // "&1 .../a.kvres"
        QTRY_COMPARE(TopLevelNodes(w), QStringList({"a.kvres"}));
        QCOMPARE(w.FileHistory()->GetItem(0), a);
        w.ReopenMenu()->actions().last()->trigger();  // "Clear History"
        QTRY_COMPARE(w.FileHistory()->Count(), 0);
        QCOMPARE(ReopenItems(w), QStringList({"-", "Clear History"}));
        QVERIFY(!w.ReopenMenu()->menuAction()->isEnabled());
    }

    void aFailedSettingsWriteIsReportedAndTheWindowStillCloses() {
        F->SaveText("blocker", "a file where a folder should be");
        F->SettingsFile = F->Path("blocker/Pellory2.ini");
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("a.kvres", SimpleArchive("a.txt")));
        F->ShowWindow();
        QVERIFY(w.close());
        QVERIFY(!w.isVisible());
        QCOMPARE(F->Errors, QStringList({"Unable to write to " + F->SettingsFile + "."}));
        QCOMPARE(w.OpenArchives().Count(), 0);
    }

    void closingIsRefusedWhileExtracting() {
        TfrmMain& w = F->NewWindow();
        F->ShowWindow();
        w.SetExtracting(true);
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        w.SetExtracting(false);
        QVERIFY(w.close());
    }

    void uncaughtErrorsReachTheErrorBoxWithTheFullStopRule() {
        TThrowingObject letter("Something failed"), bracket("Index out of bounds (3)");
        QEvent first(QEvent::User), second(QEvent::User);
        QCoreApplication::sendEvent(&letter, &first);
        QCoreApplication::sendEvent(&bracket, &second);
        QCOMPARE(F->Errors, QStringList({"Something failed.", "Index out of bounds (3)"}));
    }

    void layoutTogglesAndTheirCheckMarks() {
        TfrmMain& w = F->NewWindow();
        F->ShowWindow();
        auto* tree = w.findChild<QWidget*>("pnlFolders");
        auto* toolbar = w.findChild<QToolBar*>("tbrMain");
        QAction* treeItem = w.findChild<QAction*>("mniViewHideFolderView");
        QAction* toolbarItem = w.findChild<QAction*>("mniToolbar");
        treeItem->trigger();
        QVERIFY(!tree->isVisible());
        treeItem->trigger();
        QVERIFY(tree->isVisible());
        w.findChild<QWidget*>("btnHideFilderView")->metaObject()->invokeMethod(
            w.findChild<QWidget*>("btnHideFilderView"), "click");
        QVERIFY(!tree->isVisible());
        toolbarItem->trigger();
        QVERIFY(!toolbar->isVisible());
        QMenu* viewMenu = qobject_cast<QMenu*>(treeItem->associatedObjects().value(0));
        QVERIFY(viewMenu);
        emit viewMenu->aboutToShow();
        QVERIFY(!treeItem->isChecked());
        QVERIFY(!toolbarItem->isChecked());
        toolbarItem->trigger();
        emit viewMenu->aboutToShow();
        QVERIFY(toolbarItem->isChecked());
    }

    void menusCarryTheirCaptionsAndShortcuts() {
        TfrmMain& w = F->NewWindow();
        struct {
            const char* name;
            const char* caption;
            const char* shortcut;
        } items[] = {{"mniOpenVorn", "&Open", "Ctrl+O"},       {"actClose", "&Close", "Ctrl+F4"},
                     {"actCloseAll", "Close &All", ""},          {"mniExit", "&Exit", "Alt+F4"},
                     {"actExtract", "Extract", "Shift+E"},       {"actView", "View", "Shift+V"},
                     {"mniVornInfo", "Vorn Info", "F1"},          {"mniSelectAll", "Select All", "Ctrl+A"},
                     {"mniInvertSelection", "Invert Selection", "Ctrl+Shift+I"},
                     {"mniViewHideFolderView", "Folder tree", "F4"}, {"actSavePLC", "Save PLC", ""},
                     {"popmniExtract", "Extract", "Ctrl+E"}};
        for (const auto& item : items) {
            auto* action = w.findChild<QAction*>(item.name);
            QVERIFY2(action, item.name);
            QCOMPARE(action->text(), QString(item.caption));
            QCOMPARE(action->shortcut().toString(), QString(item.shortcut));
        }
        QCOMPARE(w.findChild<QAction*>("mniOpenVorn")->statusTip(), QString("Open an existing vorn file."));
    }

    void aboutShowsMajorDotMinorRelease() {
        QCOMPARE(AboutVersionText(TFileVersion{2, 0, 0, 5}), QString("2.00"));
        QCOMPARE(AboutVersionText(TFileVersion{3, 1, 4, 0}), QString("3.14"));
    }

    void theBannerIsAsWideAsTheWidestItemWithItsShortcut() {
        TfrmMain& w = F->NewWindow();
        const QFontMetrics metrics(w.font());
        const int expected = metrics.horizontalAdvance("PropertiesCtrl+Enter") + 20;
        QCOMPARE(BannerWidth(w.PopupMenu(), metrics), expected);
    }

private:
    std::unique_ptr<TUiFixture> F;
};

QObject* NewLifecycleTest() { return new TestLifecycle; }

#include "LifecycleTest.moc"
