// The About box: program name, icon and version ("2.00" for 2.0.0).
#pragma once

#include <QDialog>

struct TFileVersion;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* parent = nullptr);
};

// Major, a full stop, then minor and release written next to each other.
QString AboutVersionText(const TFileVersion& version);
