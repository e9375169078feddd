// TfrmOptions, "Options": the two folder preferences (where the open and the
// extract dialogs start, each following the last choice or not), the game
// folder button and the file-type association. The dialog edits the live
// preferences, a TFolderOptions the main window keeps and consults; the
// settings file is read and written only at the moments the window names.
#pragma once

#include "app/FileTypes.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
struct TFolderOptions;

class TfrmOptions : public QDialog {
    Q_OBJECT
public:
    // FormCreate: reads the "Folders" keys of `settingsFileName` into
    // `options` (defaults: `defaultFolder`) and enables the game folder
    // button exactly when `gameFolder` is not empty.
    TfrmOptions(TFolderOptions& options, const QString& settingsFileName, const QString& defaultFolder,
                const QString& gameFolder, QWidget* parent = nullptr);

    // The "Options" command: SaveSettings, then show modally. A failed write
    // raises "Unable to write to <file>" and the dialog is not shown.
    int Execute();

    const QString& GetOpenFolder() const;
    const QString& GetExtractFolder() const;
    void RememberOpenFolder(const QString& folder);
    void RememberExtractFolder(const QString& folder);
    void LoadSettings();
    void SaveSettings();

    // Chooses a folder starting at the given one; empty when cancelled.
    using TFolderBrowser = std::function<QString(const QString& startFolder)>;
    void SetFolderBrowser(TFolderBrowser browser) { FBrowseFolder = std::move(browser); }
    // Shows an information text ("Done!").
    using TMessageShower = std::function<void(const QString& text)>;
    void SetMessageShower(TMessageShower shower) { FShowMessage = std::move(shower); }
    // Where the association writes and which program it names.
    void SetRegistration(const TRegistrationPlaces& places, const QString& programPath);

    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QToolButton* btnKV = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button2 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOkClick();
    void btnCancelClick();
    void Button1Click();
    void Button2Click();
    void btnKVClick();
    // Registers the file types and shows "Done!"; a failure shows its
    // message in the error box instead.
    void BitBtn1Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    // Shows the preferences in the controls.
    void ShowOptions();

    TFolderOptions& FOptions;
    QString FSettingsFileName;
    QString FDefaultFolder;
    QString FGameFolder;
    TRegistrationPlaces FPlaces;
    QString FProgramPath;
    TFolderBrowser FBrowseFolder;
    TMessageShower FShowMessage;
};
