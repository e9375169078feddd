// The dialog commands of the main window: archive info, file properties,
// options and saving a collection file.
#include "ui/MainWindow.h"

#include "ui/FileListModel.h"
#include "ui/FormOptions.h"
#include "ui/FormProperties.h"
#include "ui/FormSavePLC.h"
#include "ui/FormVornProperties.h"

// Collection file: save the list of open archives (actSavePLC).
void TfrmMain::actSavePLCExecute() {
    QStringList paths;
    for (int i = 0; i < FOpenArchives.Count(); ++i) paths << FOpenArchives.PathAt(i);
    FSavePLCDialog->Execute(paths);
}

// Archive info dialog of the current archive ("Vorn Info").
void TfrmMain::actVornInfoExecute() {
    if (!FCurrentArchive) return;
    TfrmVornProperties form(*FCurrentArchive, this);
    form.Execute();
}

// File properties dialog of the selected row (pop-up "Properties").
void TfrmMain::popmniPropertiesClick() {
    if (!FCurrentArchive || SelectedRowCountUpTo(2) != 1) return;
    FPropertiesDialog->Execute(*FCurrentArchive, FFileModel->Row(SelectedRows().first()).Offset);
}

// Options dialog: write the "Folders" keys, then show the dialog ("Options").
void TfrmMain::mniPreferencesClick() { FOptionsDialog->Execute(); }
