// TfrmProperties, "Properties": the facts of one entry of the file list as
// key and value rows. Created once and refilled for every entry.
#pragma once

#include <QDialog>

#include <cstdint>

class QPushButton;
class QTableWidget;
class TVornFile;

class TfrmProperties : public QDialog {
    Q_OBJECT
public:
    explicit TfrmProperties(QWidget* parent = nullptr);

    // Empties the grid and fills it for the entry at `offset`; the type text
    // is the one the file list shows. Raises EVornError for a damaged entry.
    void Fill(const TVornFile& vorn, uint32_t offset);
    // Fill, then show modally (centred on the parent window).
    int Execute(const TVornFile& vorn, uint32_t offset);

    QPushButton* btnClose = nullptr;
    QTableWidget* vleProperties = nullptr;
};
