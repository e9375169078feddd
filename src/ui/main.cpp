// pellory2: the main window on the archives named on the command line.
// The hidden option --screenshot=FILE saves a picture of the window once it
// has settled and quits (used by the screenshot test).
#include "ui/ImageLists.h"
#include "ui/MainWindow.h"
#include "ui/PelloryApplication.h"
#include "viewers/FormatRegistry.h"

#include <QTimer>

int main(int argc, char** argv) {
    RegisterBuiltinFormats();
    TPelloryApplication app(argc, argv);
    app.setWindowIcon(AppIcon());

    TMainWindowOptions options;
    QString screenshotFile;
    const QString screenshotOption = QStringLiteral("--screenshot=");
    for (const QString& argument : app.arguments().mid(1)) {
        if (argument.startsWith(screenshotOption))
            screenshotFile = argument.mid(screenshotOption.size());
        else
            options.Arguments << argument;
    }

    TfrmMain window(options);
    window.show();
    if (!screenshotFile.isEmpty()) {
        QTimer::singleShot(1500, &window, [&window, screenshotFile] {
            window.grab().save(screenshotFile);
            window.close();
        });
    }
    return app.exec();
}
