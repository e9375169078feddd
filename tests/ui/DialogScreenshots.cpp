// Saves pictures of the extract and overwrite dialogs as the program shows
// them: dialog-extract.png and dialog-overwrite.png in the folder given as
// the argument. Run it on a real display (xvfb-run) to look at the dialogs.
#include "ui/FormExtractDialog.h"
#include "ui/FormOverwriteDlg.h"
#include "ui/ImageLists.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setWindowIcon(AppIcon());
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    TfrmExtractDialog extract;
    extract.SelectFolder(QDir::tempPath());
    extract.SetScope(esCurrentDir);
    extract.show();

    TOverwriteQuestion question;
    question.ExistingPath = QDir::temp().filePath("textures/stone_wall.raw");
    question.ExistingSize = 65536;
    question.ExistingTime = QDateTime(QDate(2024, 5, 17), QTime(14, 32, 8));
    question.EntrySize = 131072;
    question.EntryFileTime = 133500000000000000ULL;  // a stored time in January 2024
    TfrmOverwriteDlg overwrite;
    overwrite.SetQuestion(question);
    overwrite.show();

    // The folder tree fills in the background: give it a moment.
    QTimer::singleShot(1500, [&] {
        extract.grab().save(out.filePath("dialog-extract.png"));
        overwrite.grab().save(out.filePath("dialog-overwrite.png"));
        app.quit();
    });
    return app.exec();
}
