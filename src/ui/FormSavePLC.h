// TfrmSavePLC, "Save Pellory Collection": the open archives as a check list,
// every one ticked; the ticked ones go into the collection file. Execute()
// runs the whole Save PLC command: file name first, then this list.
#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QListWidget;
class QPushButton;

class TfrmSavePLC : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSavePLC(QWidget* parent = nullptr);

    // Empties the list, then adds `paths` in order, each ticked.
    void SetPaths(const QStringList& paths);
    // The ticked items' texts, in list order.
    QStringList CheckedPaths() const;

    // Asks for the file (stop on cancel), fills the list with `openPaths`,
    // shows the list (stop unless OK) and writes the ticked paths. Returns
    // true when the file was written; raises std::runtime_error when it
    // cannot be.
    bool Execute(const QStringList& openPaths);

    // Asks for the collection's file name; empty when cancelled.
    using TFileChooser = std::function<QString()>;
    void SetFileChooser(TFileChooser chooser) { FChooseFile = std::move(chooser); }
    // The save dialog of the command: ".plc" added when no extension is
    // typed, replacing asks first, the folder must exist.
    static QString ChooseCollectionFile(QWidget* parent);

    QListWidget* CheckListBox1 = nullptr;
    QPushButton* Button2 = nullptr;  // "&Ok"
    QPushButton* Button1 = nullptr;  // "&Cancel"

private:
    TFileChooser FChooseFile;
};
