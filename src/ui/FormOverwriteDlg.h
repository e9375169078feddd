// TfrmOverwriteDlg, "Overwrite existing file?": the question asked for a file
// that already exists, with the file's and the archive entry's size and
// time side by side. Its modal result is the answer code (TOverwriteAnswer).
#pragma once

#include "app/ExtractClient.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TfrmOverwriteDlg : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOverwriteDlg(QWidget* parent = nullptr);

    // Fills the texts from the existing file and the entry.
    void SetQuestion(const TOverwriteQuestion& question);

    QLabel* Image1 = nullptr;
    QLabel* lblCaption = nullptr;
    QLabel* lblText1 = nullptr;
    QLabel* lblEntry1 = nullptr;
    QLabel* lblText2 = nullptr;
    QLabel* lblEntry2 = nullptr;
    QPushButton* btnYes = nullptr;
    QPushButton* btnNo = nullptr;
    QPushButton* btnYesToAll = nullptr;
    QPushButton* btnNoToAll = nullptr;
    QPushButton* btnOnlyOlder = nullptr;

private:
    void CreateControls();
};

// The two lines shown for the file on disk: size in bytes, then its
// last-write time in the user's short date and long time format ("???"
// when it could not be read).
QString ExistingFileText(const TOverwriteQuestion& question);
// The two lines shown for the archive entry: size, then its stored time.
QString ArchiveEntryText(const TOverwriteQuestion& question);
// The 32 by 32 picture: a file replacing another, the old one crossed out.
QPixmap ReplaceFilePicture();
