// The status bar's progress display during an extraction run: a bar over
// the entries and bytes done, and a Cancel button that stops the run after
// the entry under way.
#pragma once

#include "app/ExtractClient.h"

#include <QWidget>

class QProgressBar;
class QPushButton;

class TExtractProgressPanel : public QWidget {
    Q_OBJECT
public:
    explicit TExtractProgressPanel(QWidget* parent = nullptr);

    // Shows the panel with nothing done and clears a previous cancel.
    void Start();
    void Update(const TExtractProgress& progress);
    void Finish();
    bool CancelRequested() const { return FCancelRequested; }

    QProgressBar* Bar() const { return FBar; }
    QPushButton* CancelButton() const { return FCancel; }

private:
    QProgressBar* FBar = nullptr;
    QPushButton* FCancel = nullptr;
    bool FCancelRequested = false;
};

// Per mille done: bytes weigh as much as entries, so a run of many empty
// files and one of a single large file both move steadily.
int ProgressPerMille(const TExtractProgress& progress);
// "3 of 10 files, 1.2 MB of 4.5 MB".
QString ProgressText(const TExtractProgress& progress);
