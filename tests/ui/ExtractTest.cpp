// The Extract command: the extract dialog's preselection, Enter and kept
// state; a run with the overwrite question, the busy state and Cancel; the
// overwrite dialog's texts and answers.
#include "UiTestSupport.h"

#include "app/FolderOptions.h"
#include "ui/ExtractProgress.h"
#include "ui/FileListModel.h"
#include "ui/FormExtractDialog.h"
#include "ui/FormOverwriteDlg.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {
// Handles the next modal dialog of type T once it shows (polled, so it also
// finds dialogs opened later inside a run).
template <class T>
void OnNextDialog(std::function<void(T*)> handle) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, handle] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            handle(dialog);
        }
    });
    timer->start(5);
}

QString Checked(const TfrmExtractDialog* d) {
    return d->rbnExtractSelected->isChecked() ? "Selected" : d->rbnCurrentDir->isChecked() ? "Current" : "All";
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
}  // namespace

class TestExtract : public QObject {
    Q_OBJECT
private slots:
    void init() { F = std::make_unique<TUiFixture>(); }
    void cleanup() { F.reset(); }

    void scopeIsPreselectedFromTheSelectionAndTheFolder() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        QString seen;
        auto look = [&seen] {
            OnNextDialog<TfrmExtractDialog>([&seen](TfrmExtractDialog* d) {
                seen = Checked(d);
                d->Button2->click();
            });
        };
        look();
        w.findChild<QAction*>("actExtract")->trigger();
        QCOMPARE(seen, QString("All"));
        SelectRows(w, {5});
        look();
        w.findChild<QAction*>("actExtract")->trigger();
        QCOMPARE(seen, QString("Selected"));
        w.SelectFolder(w.FileModel()->Row(0).Offset, w.CurrentRootNode());  // A
        look();
        w.findChild<QAction*>("actExtract")->trigger();
        QCOMPARE(seen, QString("Current"));
        QCOMPARE(F->Errors, QStringList());
    }

    void enterInThePathBoxExtractsToTheTypedPathAndRemembersIt() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        w.SelectFolder(w.FileModel()->Row(0).Offset, w.CurrentRootNode());  // A, holds sub/ and a1.txt
        const QString dest = F->Path("out/new");
        OnNextDialog<TfrmExtractDialog>([&dest](TfrmExtractDialog* d) {
            d->cbxPath->setEditText(dest);
            QTest::keyClick(d->cbxPath->lineEdit(), Qt::Key_Return);
        });
        w.findChild<QAction*>("actExtract")->trigger();
        QCOMPARE(F->Errors, QStringList());
        // "Use folder names" starts ticked: the current folder's path is kept.
        QCOMPARE(Contents(dest + "/A/a1.txt"), QByteArray("one"));
        QCOMPARE(Contents(dest + "/A/sub/deep/inner.txt"), QByteArray("inner"));
        QCOMPARE(w.StatusText(), QString());
        QCOMPARE(w.FolderOptions().GetExtractFolder(), dest);
        QVERIFY(!w.Extracting());
        QVERIFY(w.findChild<QAction*>("actExtract")->isEnabled());
    }

    void enterInTheFolderTreeExtractsToo() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        const QString dest = F->Path("fromtree");
        QDir().mkpath(dest);
        w.FolderOptions().ExtractFolder = dest;
        QString shownPath;
        OnNextDialog<TfrmExtractDialog>([&shownPath](TfrmExtractDialog* d) {
            shownPath = d->cbxPath->currentText();
            d->ShellTree->setFocus();
            QTest::keyClick(d->ShellTree, Qt::Key_Enter);
        });
        w.findChild<QAction*>("actExtract")->trigger();
        QCOMPARE(shownPath, dest);
        QCOMPARE(Contents(dest + "/A/a1.txt"), QByteArray("one"));
    }

    void clearedFolderNamesStayClearedAndFilesLandFlat() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        OnNextDialog<TfrmExtractDialog>([](TfrmExtractDialog* d) {
            d->chkUseFolderNames->setChecked(false);
            d->Button2->click();
        });
        w.findChild<QAction*>("actExtract")->trigger();
        SelectRows(w, {0});  // folder A
        const QString dest = F->Path("flat");
        bool keptCleared = false;
        OnNextDialog<TfrmExtractDialog>([&](TfrmExtractDialog* d) {
            keptCleared = !d->chkUseFolderNames->isChecked();
            d->cbxPath->setEditText(dest);
            d->Button1->click();
        });
        w.findChild<QAction*>("actExtract")->trigger();
        QVERIFY(keptCleared);
        QCOMPARE(Contents(dest + "/a1.txt"), QByteArray("one"));
        QCOMPARE(Contents(dest + "/inner.txt"), QByteArray("inner"));
        QVERIFY(!QFileInfo::exists(dest + "/A"));
    }

    void cancelledDialogExtractsNothing() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        const QString dest = F->Path("never");
        OnNextDialog<TfrmExtractDialog>([&dest](TfrmExtractDialog* d) {
            d->cbxPath->setEditText(dest);
            d->Button2->click();
        });
        w.findChild<QAction*>("actExtract")->trigger();
        QVERIFY(!QFileInfo::exists(dest));
        QVERIFY(w.FolderOptions().GetExtractFolder() != dest);
    }

    void overwriteQuestionDuringARunWithTheWindowBusy() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        const QString dest = F->Path("busy");
        QDir().mkpath(dest);
        F->SaveText("busy/z.txt", "old");
        SelectRows(w, {4, 5});  // pic.bmp, z.txt
        QString caption;
        bool extractEnabled = true, popupEnabled = true, closed = true;
        OnNextDialog<TfrmExtractDialog>([&](TfrmExtractDialog* d) {
            d->cbxPath->setEditText(dest);
            d->Button1->click();
            OnNextDialog<TfrmOverwriteDlg>([&](TfrmOverwriteDlg* o) {
                caption = o->lblCaption->text();
                extractEnabled = w.findChild<QAction*>("actExtract")->isEnabled();
                emit w.PopupMenu()->aboutToShow();
                popupEnabled = w.findChild<QAction*>("popmniExtract")->isEnabled();
                closed = w.close();
                o->btnNo->click();
            });
        });
        w.findChild<QAction*>("actExtract")->trigger();
        QCOMPARE(caption, QString("z.txt already exists."));
        QVERIFY(!extractEnabled);
        QVERIFY(!popupEnabled);
        QVERIFY(!closed);
        QCOMPARE(Contents(dest + "/z.txt"), QByteArray("old"));
        QCOMPARE(Contents(dest + "/pic.bmp"), QByteArray(10, 'p'));
        QVERIFY(w.findChild<QAction*>("actExtract")->isEnabled());
    }

    void aFailingEntryIsReportedAsItIsAndTheRunGoesOn() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        const QString dest = F->Path("fail");
        QDir().mkpath(dest + "/z.txt");  // a folder where a file should go
        SelectRows(w, {4, 5});           // pic.bmp, z.txt
        OnNextDialog<TfrmExtractDialog>([&dest](TfrmExtractDialog* d) {
            d->cbxPath->setEditText(dest);
            d->Button1->click();
        });
        w.findChild<QAction*>("actExtract")->trigger();
        QCOMPARE(F->Errors.size(), 1);
        QVERIFY2(F->Errors[0].startsWith("Can't extract: " + dest + "/z.txt\r\nError: "), qPrintable(F->Errors[0]));
        QVERIFY(!F->Errors[0].endsWith('.'));
        QCOMPARE(Contents(dest + "/pic.bmp"), QByteArray(10, 'p'));
        QCOMPARE(w.StatusText(), QString());
    }

    void cancelStopsTheRunAfterTheCurrentEntry() {
        TfrmMain& w = F->NewWindow();
        w.OpenFile(F->Save("m.kvres", MixedArchive()));
        const QString dest = F->Path("cancel");
        QDir().mkpath(dest);
        F->SaveText("cancel/$default.cfg", "old");
        SelectRows(w, {2, 3, 4, 5});  // $default.cfg first: asked about, then cancelled
        bool panelShown = false;
        OnNextDialog<TfrmExtractDialog>([&](TfrmExtractDialog* d) {
            d->chkUseFolderNames->setChecked(false);
            d->cbxPath->setEditText(dest);
            d->Button1->click();
            OnNextDialog<TfrmOverwriteDlg>([&](TfrmOverwriteDlg* o) {
                panelShown = !w.ExtractProgressPanel()->isHidden();
                w.ExtractProgressPanel()->CancelButton()->click();
                o->btnYes->click();
            });
        });
        w.findChild<QAction*>("actExtract")->trigger();
        QVERIFY(panelShown);
        QVERIFY(w.ExtractProgressPanel()->isHidden());
        QCOMPARE(Contents(dest + "/$default.cfg"), QByteArray("cfg"));
        QVERIFY(!QFileInfo::exists(dest + "/B.TXT"));
        QVERIFY(!QFileInfo::exists(dest + "/z.txt"));
    }

    void overwriteDialogTexts() {
        TOverwriteQuestion question;
        question.ExistingPath = "/some/where/deep/name.txt";
        question.ExistingSize = 5000000000ULL;  // past 4 GiB: shown whole
        question.EntrySize = 4294967295u;
        question.EntryFileTime = 0;  // before 1980: no stored time to show
        TfrmOverwriteDlg dialog;
        dialog.SetQuestion(question);
        QCOMPARE(dialog.windowTitle(), QString("Overwrite existing file?"));
        QCOMPARE(dialog.lblCaption->text(), QString("name.txt already exists."));
        QCOMPARE(dialog.lblText1->text(), QString("Do you want to replace the existing file:"));
        QCOMPARE(dialog.lblText2->text(), QString("with this one?"));
        QCOMPARE(dialog.lblEntry1->text(), QString("5000000000\n???"));
        QCOMPARE(dialog.lblEntry2->text(), QString("4294967295\n"));

        const QLocale locale = QLocale::system();
        question.ExistingTime = QDateTime(QDate(2024, 3, 9), QTime(0, 0, 0));
        dialog.SetQuestion(question);
        const QString date = locale.toString(QDate(2024, 3, 9), locale.dateFormat(QLocale::ShortFormat));
        // Midnight still shows its time: the file's time is always both parts.
        QVERIFY2(dialog.lblEntry1->text().startsWith("5000000000\n" + date + ' '), qPrintable(dialog.lblEntry1->text()));
        QVERIFY(dialog.lblEntry1->text().contains("00"));
    }

    void overwriteButtonsInOrderWithTheirAnswers() {
        TfrmOverwriteDlg dialog;
        const QList<QPair<QPushButton*, int>> expected = {{dialog.btnYes, 6},      {dialog.btnNo, 7},
                                                          {dialog.btnYesToAll, 10}, {dialog.btnNoToAll, 9},
                                                          {dialog.btnOnlyOlder, 5}};
        const QStringList texts = {"&Yes", "&No", "Yes to &All", "No &to All", "&Only Older"};
        int left = -1;
        for (int i = 0; i < expected.size(); ++i) {
            QPushButton* button = expected[i].first;
            QCOMPARE(button->text(), texts[i]);
            QTimer::singleShot(0, button, &QPushButton::click);
            QCOMPARE(dialog.exec(), expected[i].second);
            QVERIFY(button->x() > left);
            left = button->x();
        }
        // Closed by the title bar: the engine takes it as No.
        QTimer::singleShot(0, &dialog, &QDialog::reject);
        QCOMPARE(ToOverwriteAnswer(dialog.exec()), oaNo);
    }

private:
    std::unique_ptr<TUiFixture> F;
};

QObject* NewExtractTest() { return new TestExtract; }

#include "ExtractTest.moc"
