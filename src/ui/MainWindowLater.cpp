// Commands whose dialogs come with later work. Their actions, captions,
// shortcuts and enabling rules are in place; each handler below is the
// place the dialog is shown from, and does nothing until it exists.
#include "ui/MainWindow.h"

// Extract dialog and extraction run (actExtract, pop-up "Extract").
void TfrmMain::actExtractExecute() {}

// Collection file: save the list of open archives (actSavePLC).
void TfrmMain::actSavePLCExecute() {}

// Archive info dialog of the current archive ("Vorn Info").
void TfrmMain::actVornInfoExecute() {}

// File properties dialog of the selected row (pop-up "Properties").
void TfrmMain::popmniPropertiesClick() {}

// Options dialog: write the "Folders" keys, then show the dialog ("Options").
void TfrmMain::mniPreferencesClick() {}
