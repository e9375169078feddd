// Shared set-up of the window tests: archives written by the fixture writer
// into a temporary folder, a main window with its own settings file and no
// plug-ins, and the error boxes collected instead of shown.
#pragma once

#include "VornWriter.h"

#include <QAbstractItemModelTester>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class TfrmMain;
class QAbstractItemView;

class TUiFixture {
public:
    TUiFixture();
    ~TUiFixture();

    QString Path(const QString& name) const;
    QString Save(const QString& name, const TVornPlan& plan) const;
    QString SaveText(const QString& name, const QByteArray& text) const;

    // A new window (the previous one is destroyed); both models are checked
    // by QAbstractItemModelTester for as long as it lives.
    TfrmMain& NewWindow(const QStringList& arguments = {});
    TfrmMain& Window() { return *FWindow; }
    void ShowWindow();

    QStringList Errors;
    QString SettingsFile;

private:
    QTemporaryDir FDir;
    std::unique_ptr<TfrmMain> FWindow;
    std::unique_ptr<QAbstractItemModelTester> FTreeTester;
    std::unique_ptr<QAbstractItemModelTester> FListTester;
};

// Archive layouts used by several tests.
TVornPlan MixedArchive();      // dirs b, A (A/sub/deep), files z.txt, B.TXT, $default.cfg, pic.bmp
TVornPlan SimpleArchive(const std::string& fileName);
TVornPlan EmptyRootArchive();
TVornPlan LoopArchive();

// Names of the listed rows, top to bottom.
QStringList ListedNames(const TfrmMain& window);
// Texts of the top-level nodes of the folder tree, top to bottom.
QStringList TopLevelNodes(const TfrmMain& window);
// Text of the selected tree node.
QString SelectedNode(const TfrmMain& window);
// Selects exactly the given list rows.
void SelectRows(TfrmMain& window, const QList<int>& rows);
