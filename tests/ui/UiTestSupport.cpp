#include "UiTestSupport.h"

#include "app/NameDecoding.h"
#include "ui/ErrorBox.h"
#include "ui/FileListModel.h"
#include "ui/FolderTreeModel.h"
#include "ui/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTreeView>

TUiFixture::TUiFixture() {
    SettingsFile = Path("settings/Pellory2.ini");
    QDir(FDir.path()).mkpath("plugins");
    SetErrorBoxHandler([this](const QString& text) { Errors << text; });
}

TUiFixture::~TUiFixture() {
    FListTester.reset();
    FTreeTester.reset();
    FWindow.reset();
    SetErrorBoxHandler({});
}

QString TUiFixture::Path(const QString& name) const { return QDir(FDir.path()).filePath(name); }

QString TUiFixture::Save(const QString& name, const TVornPlan& plan) const {
    const QString path = Path(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    BuildVorn(plan).Save(QFile::encodeName(path).toStdString());
    return path;
}

QString TUiFixture::SaveText(const QString& name, const QByteArray& text) const {
    const QString path = Path(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text);
    return path;
}

TfrmMain& TUiFixture::NewWindow(const QStringList& arguments) {
    FListTester.reset();
    FTreeTester.reset();
    FWindow.reset();
    TMainWindowOptions options;
    options.SettingsFileName = SettingsFile;
    options.Arguments = arguments;
    options.PluginFolder = Path("plugins/");
    FWindow = std::make_unique<TfrmMain>(options);
    FTreeTester = std::make_unique<QAbstractItemModelTester>(
        FWindow->FolderModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    FListTester = std::make_unique<QAbstractItemModelTester>(
        FWindow->FileModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    return *FWindow;
}

void TUiFixture::ShowWindow() {
    FWindow->show();
    FWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
}

TVornPlan MixedArchive() {
    TVornPlan plan;
    plan.Root.AddDir("b");
    plan.Root.Add("A/sub/deep/inner.txt", "inner");
    plan.Root.Add("A/a1.txt", "one");
    plan.Root.AddFile("z.txt", std::string(3000, 'z')).Zlib(9);
    plan.Root.AddFile("B.TXT", "bb").WithFlags(0x8000);
    plan.Root.AddFile("$default.cfg", "cfg");
    plan.Root.AddFile("pic.bmp", std::string(10, 'p'));
    return plan;
}

TVornPlan SimpleArchive(const std::string& fileName) {
    TVornPlan plan;
    plan.Root.Add("dir/" + fileName, "x");
    plan.Root.AddFile(fileName, "y");
    return plan;
}

TVornPlan EmptyRootArchive() { return TVornPlan(); }

TVornPlan LoopArchive() {
    TVornPlan plan;
    plan.Root.Dir("a/b").ForceChildPaths = std::vector<std::string>{"a"};
    return plan;
}

QStringList ListedNames(const TfrmMain& window) {
    QStringList names;
    for (const auto& row : window.FileModel()->Rows()) names << DecodeArchiveText(row.Name);
    if (window.FileModel()->rowCount() == 0) names.clear();
    return names;
}

QStringList TopLevelNodes(const TfrmMain& window) {
    QStringList texts;
    const auto* model = window.FolderModel();
    for (int row = 0; row < model->rowCount(); ++row) texts << model->index(row, 0).data().toString();
    return texts;
}

QString SelectedNode(const TfrmMain& window) {
    const QModelIndexList selected = window.FolderView()->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : selected.first().data().toString();
}

void SelectRows(TfrmMain& window, const QList<int>& rows) {
    QItemSelectionModel* selection = window.ListView()->selectionModel();
    selection->clearSelection();
    for (int row : rows)
        selection->select(window.FileModel()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
}
