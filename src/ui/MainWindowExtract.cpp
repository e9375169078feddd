// The Extract command: the extract dialog, then one run of the extraction
// engine with the window answering its questions.
#include "ui/MainWindow.h"

#include "ui/ErrorBox.h"
#include "ui/ExtractProgress.h"
#include "ui/FileListModel.h"
#include "ui/FormExtractDialog.h"
#include "ui/FormOverwriteDlg.h"

#include "app/NameDecoding.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>

namespace {
// The busy flag and the wait cursor for as long as a run lasts, whatever
// way it ends.
class TBusyScope {
public:
    explicit TBusyScope(TfrmMain& window) : FWindow(window) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        FWindow.SetExtracting(true);
    }
    ~TBusyScope() {
        FWindow.SetExtracting(false);
        QGuiApplication::restoreOverrideCursor();
    }

private:
    TfrmMain& FWindow;
};
}  // namespace

TExtractSource TfrmMain::ExtractSourceNow() const {
    TExtractSource source;
    source.CurrentFolder = FCurrentFolder;
    source.RowCount = static_cast<size_t>(FFileModel->rowCount());
    for (int index : SelectedRows()) {
        const TVornChildItem& row = FFileModel->Row(index);
        source.SelectedRows.push_back({row.Offset, row.IconIndex, DecodeArchiveText(row.Name)});
    }
    return source;
}

void TfrmMain::actExtractExecute() {
    if (!FCurrentArchive || FExtracting) return;
    FExtractDialog->SelectFolder(FFolderOptions.GetExtractFolder());
    if (SelectedRowCountUpTo(1) > 0)
        FExtractDialog->SetScope(esSelected);
    else
        FExtractDialog->SetScope(FCurrentArchive->GetParentOffset(FCurrentFolder) == 0 ? esAll : esCurrentDir);
    if (FExtractDialog->exec() != QDialog::Accepted) return;
    const QString destination = FExtractDialog->ResultPath;
    RunExtraction(destination, FExtractDialog->ResultOptions, ExtractSourceNow());
    FFolderOptions.RememberExtractFolder(destination);
}

void TfrmMain::RunExtraction(const QString& destination, ExtractOptions options, const TExtractSource& source) {
    // The archive stays open for the whole run: closing is disabled while busy.
    TVornFile& archive = *FCurrentArchive;
    {
        TBusyScope busy(*this);
        FProgressPanel->Start();
        QApplication::processEvents();
        try {
            TExtractor(archive, *this).ExtractEntries(destination, options, source);
        } catch (...) {
            FProgressPanel->Finish();
            throw;
        }
        FProgressPanel->Finish();
    }
    SetStatusText(QString());
}

int TfrmMain::AskOverwrite(const TOverwriteQuestion& question) {
    TfrmOverwriteDlg dialog(this);
    dialog.SetQuestion(question);
    return ToOverwriteAnswer(dialog.exec());
}

void TfrmMain::ReportError(const TExtractFailure& failure) { ShowMessageBox(CantExtractText(failure)); }

void TfrmMain::SetStatusText(const QString& text) {
    stbPanel->setText(text);
    statusBar()->repaint();
}

QString TfrmMain::StatusText() const { return stbPanel->text(); }

void TfrmMain::ReportProgress(const TExtractProgress& progress) {
    FProgressPanel->Update(progress);
    QApplication::processEvents();
}

bool TfrmMain::CancelRequested() { return FProgressPanel->CancelRequested(); }
