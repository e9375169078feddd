// TfrmVornProperties, "Vorn Info": the current archive's header texts on the
// first page and every header field as a key and value row on the second.
// Read-only; Escape closes it from any control.
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class TVornFile;

class TfrmVornProperties : public QDialog {
    Q_OBJECT
public:
    // Filled from `vorn` at once; the dialog keeps no reference to it.
    explicit TfrmVornProperties(const TVornFile& vorn, QWidget* parent = nullptr);

    // Centres the dialog on the screen and shows it modally.
    int Execute();

    QTabWidget* pcTabs = nullptr;
    QLineEdit* LabeledEdit1 = nullptr;  // Title
    QLineEdit* LabeledEdit2 = nullptr;  // Copyright
    QLineEdit* LabeledEdit3 = nullptr;  // Author
    QLineEdit* LabeledEdit4 = nullptr;  // Build Info
    QPlainTextEdit* Memo1 = nullptr;    // Description
    QTableWidget* ValueListEditor1 = nullptr;
    QPushButton* btnClose = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void Fill(const TVornFile& vorn);
};
