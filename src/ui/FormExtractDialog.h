// TfrmExtractDialog, "Extract...": where to extract to, which entries, and
// whether folders are reproduced. Created once and reused, so the controls
// keep what the user left in them until the program ends.
#pragma once

#include "app/ExtractOptions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QFrame;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTreeView;

class TfrmExtractDialog : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExtractDialog(QWidget* parent = nullptr);

    // The folder tree: select a folder by its path (false when it is not a
    // folder), and the path of the selected folder (empty when none).
    bool SelectFolder(const QString& path);
    QString SelectedFolder() const;
    // Ticks the radio button of `scope`.
    void SetScope(TExtractScope scope);

    // Filled by the Extract button.
    QString ResultPath;
    ExtractOptions ResultOptions;

    QTreeView* ShellTree = nullptr;
    QComboBox* cbxPath = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* rbnExtractAll = nullptr;
    QRadioButton* rbnCurrentDir = nullptr;
    QRadioButton* rbnExtractSelected = nullptr;
    QCheckBox* chkUseFolderNames = nullptr;
    QFrame* Bevel1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

public slots:
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    // Key preview: Enter extracts wherever the focus is.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void FormShow();
    void ShellTreeChange();

    QFileSystemModel* FFolders = nullptr;
    bool FFollowSelection = false;  // keep the selected folder in view while folders load
};

// The folder the tree falls back to when nothing is selected.
QString DefaultExtractFolder();
