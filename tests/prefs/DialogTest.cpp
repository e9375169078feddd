// The info, properties, options and collection dialogs on the offscreen platform.
#include "PrefsTestUtil.h"

#include "app/FolderOptions.h"
#include "archive/VornFile.h"
#include "app/SettingsFile.h"
#include "ui/ErrorBox.h"
#include "ui/FormOptions.h"
#include "ui/FormProperties.h"
#include "ui/FormSavePLC.h"
#include "ui/FormVornProperties.h"
#include "ui/KeyValueGrid.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

// Runs `action` once the modal loop of the next exec() is running.
void WhenShown(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

// Where Tab moves the focus from `widget`.
QWidget* NextTabStop(QWidget* widget) {
    for (QWidget* next = widget->nextInFocusChain(); next != widget; next = next->nextInFocusChain())
        if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled()) return next;
    return widget;
}

// Clicks a check box on its box (its centre may lie past the text).
void ClickCheckBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

QString IniValue(const QString& file, const QString& key) {
    return QSettings(file, QSettings::IniFormat).value("Folders/" + key).toString();
}

}  // namespace

class DialogTest : public QObject {
    Q_OBJECT

private:
    TBuiltVorn FBuilt;
    std::unique_ptr<TVornFile> FVorn;

private slots:
    void initTestCase() {
        FBuilt = BuildVorn(KnownArchivePlan());
        const QString file = MakeTempFolder() + "/known.kvres";
        FBuilt.Save(file.toStdString());
        FVorn = TVornFile::Open(file.toStdString());
    }

    void vornInfoShowsTextsAndEveryHeaderField() {
        TfrmVornProperties form(*FVorn);
        QCOMPARE(form.windowTitle(), QString("Vorn Info"));
        QCOMPARE(form.LabeledEdit1->text(), QString("Karvold Resources"));
        QCOMPARE(form.LabeledEdit2->text(), QString("(c) Ostren"));
        QCOMPARE(form.LabeledEdit3->text(), QString("Build Team"));
        QCOMPARE(form.LabeledEdit4->text(), QString("nightly 42"));
        QCOMPARE(form.Memo1->toPlainText(), QString("Line one\nLine two"));
        for (QLineEdit* edit : {form.LabeledEdit1, form.LabeledEdit2, form.LabeledEdit3, form.LabeledEdit4})
            QVERIFY(edit->isReadOnly());
        QVERIFY(form.Memo1->isReadOnly());
        QCOMPARE(form.pcTabs->count(), 2);
        QCOMPARE(form.pcTabs->tabText(0), QString("&General"));
        QCOMPARE(form.pcTabs->tabText(1), QString("&Advanced"));
        QCOMPARE(form.pcTabs->currentIndex(), 0);
        QCOMPARE(form.btnClose->text(), QString("&Close"));

        QTableWidget* grid = form.ValueListEditor1;
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QString("Key"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QString("Value"));
        QVERIFY(grid->columnWidth(0) >= 124);
        QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        const TInfoRows rows = KeyValueRows(grid);
        QCOMPARE(rows, HeaderInfoRows(FVorn->Header()));
        QCOMPARE(rows.at(2), TInfoRow("m_HeaderVersion", "1.2"));
        QCOMPARE(rows.at(11), TInfoRow("m_CreatorId", "<none>"));
        QVERIFY(form.width() >= 385 && form.height() >= 423);
    }

    void vornInfoTabOrderAndEscapeFromEveryControl() {
        TfrmVornProperties probe(*FVorn);
        QCOMPARE(NextTabStop(probe.LabeledEdit1), static_cast<QWidget*>(probe.LabeledEdit2));
        QCOMPARE(NextTabStop(probe.LabeledEdit2), static_cast<QWidget*>(probe.LabeledEdit3));
        QCOMPARE(NextTabStop(probe.LabeledEdit3), static_cast<QWidget*>(probe.Memo1));
        QCOMPARE(NextTabStop(probe.Memo1), static_cast<QWidget*>(probe.LabeledEdit4));

        const std::function<QWidget*(TfrmVornProperties&)> controls[] = {
            [](TfrmVornProperties& f) -> QWidget* { return f.LabeledEdit1; },
            [](TfrmVornProperties& f) -> QWidget* { return f.Memo1; },
            [](TfrmVornProperties& f) -> QWidget* { return f.btnClose; },
            [](TfrmVornProperties& f) -> QWidget* { return f.ValueListEditor1; },
            [](TfrmVornProperties& f) -> QWidget* { return f.pcTabs->tabBar(); },
        };
        for (const auto& control : controls) {
            TfrmVornProperties form(*FVorn);
            QWidget* target = control(form);
            WhenShown([&form, target] {
                if (target == form.ValueListEditor1) form.pcTabs->setCurrentIndex(1);
                target->setFocus();
                QTest::keyClick(target, Qt::Key_Escape);
            });
            QTimer::singleShot(2000, &form, &QDialog::accept);  // a missed Escape fails below, not hangs
            QCOMPARE(form.Execute(), int(QDialog::Rejected));
        }
    }

    void propertiesRowsForADirectoryAndAFile() {
        TfrmProperties form;
        QCOMPARE(form.windowTitle(), QString("Properties"));
        QVERIFY(form.vleProperties->columnWidth(0) >= 150);
        form.Fill(*FVorn, FBuilt.OffsetOf("big.dat"));
        QCOMPARE(form.vleProperties->rowCount(), 7);
        form.Fill(*FVorn, FBuilt.OffsetOf("docs"));
        const TInfoRows expected = {{"Name", "docs"}, {"Type", "Directory"}, {"Path", "\\"}};
        QCOMPARE(KeyValueRows(form.vleProperties), expected);
        // Values may be edited, keys not; the close button comes first.
        QVERIFY(form.vleProperties->item(0, 1)->flags() & Qt::ItemIsEditable);
        QVERIFY(!(form.vleProperties->item(0, 0)->flags() & Qt::ItemIsEditable));
        QCOMPARE(NextTabStop(&form), static_cast<QWidget*>(form.btnClose));
        QCOMPARE(NextTabStop(form.btnClose), static_cast<QWidget*>(form.vleProperties));
        // A failing entry leaves the grid empty rather than showing old rows.
        QVERIFY_THROWS_EXCEPTION(std::exception, form.Fill(*FVorn, 0xFFFFFFF0u));
        QCOMPARE(form.vleProperties->rowCount(), 0);
    }

    void optionsDefaultsWithoutSettings() {
        const QString ini = MakeTempFolder() + "/Pellory2.ini";
        TFolderOptions options;
        TfrmOptions form(options, ini, "/app/", "");
        QCOMPARE(form.windowTitle(), QString("Options"));
        QCOMPARE(form.Edit1->text(), QString("/app/"));
        QCOMPARE(form.Edit2->text(), QString("/app/"));
        QVERIFY(form.CheckBox1->isChecked() && form.CheckBox2->isChecked());
        QVERIFY(!form.btnKV->isEnabled());
        QCOMPARE(form.BitBtn1->text(), QString("&Associate with vorn files"));
        QVERIFY(!QFile::exists(ini));  // reading writes nothing
    }

    void optionsGameFolderButton() {
        TFolderOptions options;
        TfrmOptions form(options, MakeTempFolder() + "/Pellory2.ini", "/app/", "/games/karvold/");
        QVERIFY(form.btnKV->isEnabled());
        QTest::mouseClick(form.btnKV, Qt::LeftButton);
        QCOMPARE(form.Edit1->text(), QString("/games/karvold/"));
        QCOMPARE(form.GetOpenFolder(), QString("/games/karvold/"));
    }

    // Execute saves first; Cancel reloads what was saved; Escape keeps the edit.
    void optionsCancelRestoresEscapeKeeps() {
        const QString ini = MakeTempFolder() + "/Pellory2.ini";
        TFolderOptions options;
        TfrmOptions form(options, ini, "/app/", "");
        form.RememberOpenFolder("/first/");

        WhenShown([&form] {
            form.Edit1->selectAll();
            QTest::keyClicks(form.Edit1, "/typed/");
            ClickCheckBox(form.CheckBox2);
            QTest::mouseClick(form.btnCancel, Qt::LeftButton);
        });
        QCOMPARE(form.Execute(), int(QDialog::Rejected));
        QCOMPARE(IniValue(ini, "Open"), QString("/first/"));  // written before showing
        QCOMPARE(form.Edit1->text(), QString("/first/"));
        QCOMPARE(options.OpenFolder, QString("/first/"));
        QVERIFY(options.ExtractLast);

        WhenShown([&form] {
            form.Edit1->selectAll();
            QTest::keyClicks(form.Edit1, "/typed/");
            QTest::keyClick(form.Edit1, Qt::Key_Escape);
        });
        QCOMPARE(form.Execute(), int(QDialog::Rejected));
        QCOMPARE(options.OpenFolder, QString("/typed/"));
        QCOMPARE(IniValue(ini, "Open"), QString("/first/"));  // not saved until the next save

        WhenShown([&form] {
            ClickCheckBox(form.CheckBox1);
            QTest::mouseClick(form.btnOk, Qt::LeftButton);
        });
        QCOMPARE(form.Execute(), int(QDialog::Accepted));
        QCOMPARE(IniValue(ini, "Open"), QString("/typed/"));
        QCOMPARE(IniValue(ini, "OpenLast"), QString("0"));
        QCOMPARE(IniValue(ini, "ExtractLast"), QString("1"));
    }

    void optionsRememberFollowsTheBoxesBrowseAlwaysFills() {
        TFolderOptions options;
        TfrmOptions form(options, MakeTempFolder() + "/Pellory2.ini", "/app/", "");
        form.RememberOpenFolder("/g/");
        QCOMPARE(form.GetOpenFolder(), QString("/g/"));
        form.CheckBox2->setChecked(false);
        form.RememberExtractFolder("/elsewhere/");
        QCOMPARE(form.GetExtractFolder(), QString("/app/"));

        QString startedAt;
        QString answer = "/picked";
        form.SetFolderBrowser([&](const QString& start) {
            startedAt = start;
            return answer;
        });
        QTest::mouseClick(form.Button2, Qt::LeftButton);  // box cleared, still filled
        QCOMPARE(startedAt, QString("/app/"));
        QCOMPARE(form.Edit2->text(), QString("/picked/"));
        QCOMPARE(form.GetExtractFolder(), QString("/picked/"));
        answer.clear();  // cancelled
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        QCOMPARE(form.GetOpenFolder(), QString("/g/"));
    }

    void optionsAssociationReportsDoneOrTheError() {
        TFolderOptions options;
        TfrmOptions form(options, MakeTempFolder() + "/Pellory2.ini", "/app/", "");
        QStringList messages, errors;
        form.SetMessageShower([&](const QString& text) { messages << text; });
        SetErrorBoxHandler([&](const QString& text) { errors << text; });

        const QString home = MakeTempFolder();
        form.SetRegistration({home + "/data", home + "/config", {MakeTempFolder()}}, "/usr/bin/pellory2");
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].startsWith("Done!"));
        QVERIFY(QFile::exists(home + "/data/applications/pellory2.desktop"));
        QVERIFY(errors.isEmpty());

        WriteBytes(home + "/blocked", "a file, not a folder");
        form.SetRegistration({home + "/blocked", home + "/config", {MakeTempFolder()}}, "/usr/bin/pellory2");
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        QCOMPARE(messages.size(), 1);  // no "Done!"
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors[0].contains(home + "/blocked"));
        SetErrorBoxHandler({});
    }

    void saveCollectionWritesTheTickedArchives() {
        const QString folder = MakeTempFolder();
        const QString file = folder + "/set.plc";
        TfrmSavePLC form;
        QCOMPARE(form.windowTitle(), QString("Save Pellory Collection"));
        form.SetFileChooser([&] { return file; });
        const QStringList open = {"/g/a.kvres", "/g/b.kvres", "/g/c.kvres"};

        WhenShown([&form] {
            QCOMPARE(form.CheckListBox1->count(), 3);
            form.CheckListBox1->item(1)->setCheckState(Qt::Unchecked);
            QTest::mouseClick(form.Button2, Qt::LeftButton);
        });
        QVERIFY(form.Execute(open));
        QCOMPARE(ReadBytes(file), QByteArray("/g/a.kvres\r\n/g/c.kvres\r\n"));

        // Refilled each time, all ticked again; Cancel leaves the file alone.
        WhenShown([&form] {
            QCOMPARE(form.CheckedPaths().size(), 3);
            for (int i = 0; i < 3; ++i) form.CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
            QTest::mouseClick(form.Button1, Qt::LeftButton);
        });
        QVERIFY(!form.Execute(open));
        QCOMPARE(ReadBytes(file), QByteArray("/g/a.kvres\r\n/g/c.kvres\r\n"));

        WhenShown([&form] {
            for (int i = 0; i < 3; ++i) form.CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
            QTest::mouseClick(form.Button2, Qt::LeftButton);
        });
        QVERIFY(form.Execute(open));
        QCOMPARE(ReadBytes(file), QByteArray());

        // No file chosen: the list is not even shown.
        form.SetFileChooser([] { return QString(); });
        QVERIFY(!form.Execute(open));
    }
};

QTEST_MAIN(DialogTest)
#include "DialogTest.moc"
