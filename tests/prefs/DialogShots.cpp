// Writes a picture of each dialog into the folder given as the argument:
// dialog-vorn-info.png, dialog-vorn-info-advanced.png, dialog-properties.png,
// dialog-options.png, dialog-save-plc.png. Run it under Xvfb.
#include "PrefsTestUtil.h"

#include "app/FolderOptions.h"
#include "ui/FormOptions.h"
#include "ui/FormProperties.h"
#include "ui/FormSavePLC.h"
#include "ui/FormVornProperties.h"

#include "archive/VornFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTabWidget>

#include <cstdio>

namespace {

void Save(QWidget& dialog, const QString& folder, const QString& name) {
    dialog.show();
    QApplication::processEvents();
    const QString file = QDir(folder).filePath(name);
    if (!dialog.grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    dialog.hide();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: prefs_dialog_shots FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    const TBuiltVorn built = BuildVorn(KnownArchivePlan());
    const QString archive = MakeTempFolder() + "/data.kvres";
    built.Save(archive.toStdString());
    const auto vorn = TVornFile::Open(archive.toStdString());

    TfrmVornProperties info(*vorn);
    Save(info, folder, "dialog-vorn-info.png");
    info.pcTabs->setCurrentIndex(1);
    Save(info, folder, "dialog-vorn-info-advanced.png");

    TfrmProperties properties;
    properties.Fill(*vorn, built.OffsetOf("big.dat"));
    Save(properties, folder, "dialog-properties.png");

    TFolderOptions options;
    TfrmOptions optionsForm(options, MakeTempFolder() + "/Pellory2.ini", "/usr/local/lib/pellory2/",
                            "/home/player/.wine/drive_c/Games/Karvold/");
    optionsForm.CheckBox2->setChecked(false);
    Save(optionsForm, folder, "dialog-options.png");

    TfrmSavePLC savePlc;
    savePlc.SetPaths({"/home/player/.wine/drive_c/Games/Karvold/data.kvres",
                      "/home/player/.wine/drive_c/Games/Karvold/maps/north.kvmap",
                      "/home/player/saves/quick.kvqsave"});
    Save(savePlc, folder, "dialog-save-plc.png");
    return 0;
}
